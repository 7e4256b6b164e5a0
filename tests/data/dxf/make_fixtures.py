#!/usr/bin/python3
# SPDX-License-Identifier: MIT
"""Writes the DXF fixtures of the reader's tests with ezdxf, one drawing per
entity kind and release, and extents.tsv: ezdxf's bounding box of each,
the extents the reader must find. Run it again after changing it:
    /usr/bin/python3 tests/data/dxf/make_fixtures.py tests/data/dxf
"""
import math
import os
import sys

import ezdxf
from ezdxf import bbox
from ezdxf.enums import TextEntityAlignment

out = sys.argv[1] if len(sys.argv) > 1 else os.path.dirname(os.path.abspath(__file__))
rows = []


def save(doc, name, fmt="asc", text_extents=True):
    path = os.path.join(out, name)
    doc.saveas(path, fmt=fmt)
    box = bbox.extents(doc.modelspace())
    rows.append((name, box.extmin.x, box.extmin.y, box.extmax.x, box.extmax.y, "text" if not text_extents else "exact"))


def new(version="R2018"):
    doc = ezdxf.new(version)
    doc.header["$DWGCODEPAGE"] = "ANSI_1252"
    return doc, doc.modelspace()


doc, msp = new()
msp.add_line((0, 0), (100, 50), dxfattribs={"color": 1})
save(doc, "line.dxf")

doc, msp = new()
msp.add_point((10, 10), dxfattribs={"color": 2})
msp.add_point((90, 40), dxfattribs={"color": 2})
save(doc, "point.dxf")

doc, msp = new()
msp.add_circle((50, 50), 25, dxfattribs={"color": 3})
save(doc, "circle.dxf")

doc, msp = new()
msp.add_arc((0, 0), 40, 0, 90, dxfattribs={"color": 4})
save(doc, "arc.dxf")

doc, msp = new()
msp.add_ellipse((0, 0), major_axis=(50, 0), ratio=0.5, start_param=0, end_param=math.pi, dxfattribs={"color": 5})
save(doc, "ellipse.dxf")

doc, msp = new()
msp.add_lwpolyline([(0, 0, 0), (60, 0, 1), (60, 40, 0), (0, 40, 0)], format="xyb", close=True,
                   dxfattribs={"color": 6})
save(doc, "lwpolyline.dxf")

doc, msp = new("R12")
msp.add_polyline2d([(0, 0, 0, 0, 0.5), (50, 0, 0, 0, 0), (50, 30, 0, 0, 0)], format="xyseb",
                   dxfattribs={"color": 1})
save(doc, "polyline_r12.dxf")

doc, msp = new()
msp.add_open_spline([(0, 0), (20, 40), (60, -20), (80, 20)], degree=3, dxfattribs={"color": 3})
save(doc, "spline.dxf")

doc, msp = new()
msp.add_solid([(0, 0), (40, 0), (0, 30), (40, 30)], dxfattribs={"color": 1})
msp.add_trace([(50, 0), (90, 0), (50, 10), (90, 10)], dxfattribs={"color": 2})
msp.add_3dface([(0, 40), (40, 40), (40, 60), (0, 60)], dxfattribs={"color": 3})
save(doc, "solid_trace_face.dxf")

doc, msp = new()
hatch = msp.add_hatch(color=1)
hatch.paths.add_polyline_path([(0, 0), (100, 0), (100, 60), (0, 60)], is_closed=True)
hatch.paths.add_polyline_path([(30, 20), (70, 20), (70, 40), (30, 40)], is_closed=True)
edge = msp.add_hatch(color=5).paths.add_edge_path()
edge.add_line((120, 0), (160, 0))
edge.add_arc((160, 20), 20, -90, 90)
edge.add_line((160, 40), (120, 40))
edge.add_line((120, 40), (120, 0))
save(doc, "hatch.dxf")

doc, msp = new()
msp.add_text("Left", dxfattribs={"height": 5, "color": 1}).set_placement((0, 0))
msp.add_text("Centre", dxfattribs={"height": 5, "color": 2, "rotation": 30}).set_placement(
    (50, 20), align=TextEntityAlignment.MIDDLE_CENTER)
msp.add_text("%%c20 %%d", dxfattribs={"height": 5, "color": 3}).set_placement(
    (100, 0), align=TextEntityAlignment.BOTTOM_RIGHT)
save(doc, "text.dxf", text_extents=False)

doc, msp = new()
msp.add_mtext("{\\fArial|b1;Bold} line\\Pnext \\S1^2; end", dxfattribs={"char_height": 4, "insert": (0, 30),
                                                                      "attachment_point": 1, "color": 4})
save(doc, "mtext.dxf", text_extents=False)
# ezdxf 0.18 boxes this text from y -2 to 30, as if it stood on its insertion
# point; attached at the top left, its two lines (4 high, 1.4 x 4 apart) hang
# below it, from 30 down to 20.4. ezdxf's width is kept: the lines reach past it.
rows[-1] = ("mtext.dxf", 0.0, 20.4, rows[-1][3], 30.0, "text")

doc, msp = new()
square = doc.blocks.new("SQUARE", base_point=(5, 5))
square.add_lwpolyline([(0, 0), (10, 0), (10, 10), (0, 10)], close=True, dxfattribs={"color": 0})
square.add_circle((5, 5), 2, dxfattribs={"color": 256, "layer": "0"})
nested = doc.blocks.new("TWO")
nested.add_blockref("SQUARE", (0, 0))
nested.add_blockref("SQUARE", (20, 0), dxfattribs={"rotation": 45})
doc.layers.add("BLUE", color=5)
msp.add_blockref("SQUARE", (0, 0), dxfattribs={"color": 1, "xscale": 2, "yscale": 3})
msp.add_blockref("TWO", (40, 0), dxfattribs={"layer": "BLUE", "rotation": 90})
array = msp.add_blockref("SQUARE", (0, 50), dxfattribs={"color": 3})
array.dxf.column_count = 3
array.dxf.row_count = 2
array.dxf.column_spacing = 15
array.dxf.row_spacing = 12
save(doc, "insert.dxf")

doc, msp = new()
msp.add_line((0, 0), (50, 0))
dim = msp.add_linear_dim(base=(0, 10), p1=(0, 0), p2=(50, 0), dxfattribs={"color": 2})
dim.render()
save(doc, "dimension.dxf", text_extents=False)

doc, msp = new()
# A circle and an arc in an object coordinate system seen from below: x mirrored.
msp.add_circle((10, 0), 5, dxfattribs={"extrusion": (0, 0, -1), "color": 1})
msp.add_lwpolyline([(20, 0), (30, 0), (30, 10)], dxfattribs={"extrusion": (0, 0, -1), "color": 2})
save(doc, "ocs.dxf")

doc, msp = new()
doc.layers.add("RED", color=1)
doc.layers.add("OFF", color=2).off()
doc.layers.add("FROZEN", color=3).freeze()
msp.add_line((0, 0), (10, 10), dxfattribs={"layer": "RED"})
msp.add_line((0, 10), (10, 0), dxfattribs={"layer": "RED", "true_color": ezdxf.rgb2int((0, 128, 255))})
msp.add_line((100, 100), (200, 200), dxfattribs={"layer": "OFF"})
msp.add_line((-100, -100), (-200, -200), dxfattribs={"layer": "FROZEN"})
save(doc, "layers.dxf")
# ezdxf counts the hidden layers in; the reader does not draw them.
rows[-1] = ("layers.dxf", 0.0, 0.0, 10.0, 10.0, "exact")

for version, name in (("R12", "release_r12.dxf"), ("R2000", "release_r2000.dxf"), ("R2018", "release_r2018.dxf")):
    doc, msp = new(version)
    msp.add_line((0, 0), (30, 20), dxfattribs={"color": 1})
    msp.add_circle((15, 10), 5, dxfattribs={"color": 2})
    save(doc, name)

doc, msp = new("R2000")
msp.add_line((0, 0), (30, 20), dxfattribs={"color": 1})
msp.add_arc((15, 10), 5, 0, 180, dxfattribs={"color": 2})
save(doc, "binary_r2000.dxf", fmt="bin")

with open(os.path.join(out, "extents.tsv"), "w") as f:
    f.write("# file\tmin x\tmin y\tmax x\tmax y\thow exact (texts are measured by font)\n")
    for row in rows:
        f.write("%s\t%.6f\t%.6f\t%.6f\t%.6f\t%s\n" % row)
