#!/usr/bin/env python3
# SPDX-License-Identifier: MIT
"""Writes the project's own sample drawings into samples/drawings/: PLAN.DWG,
a drawing holding only what the preview reader looks at (the version, the
image address and an 8-bit preview bitmap of a small floor plan), and
BARE.DWG, one without a preview. No drawing data: they show the viewers.
PLAN.dxf is the plan's DXF copy, whose blocks (a door, a window, a desk and
a chair) the studio's Block List shows for PLAN.DWG.

The files are committed; run this again only to change them."""
import os
import struct

HERE = os.path.dirname(os.path.abspath(__file__))
OUT = os.path.join(HERE, "..", "samples", "drawings")
SENTINEL = bytes([0x1F, 0x25, 0x6D, 0x07, 0xD4, 0x36, 0x28, 0x28,
                  0x9D, 0x57, 0xCA, 0x3F, 0x9D, 0x44, 0x10, 0x2B])
WIDTH, HEIGHT = 180, 120
# Palette: 0 white paper, then the colours of the plan (0xRRGGBB).
PALETTE = [0xFFFFFF, 0x000000, 0xFF0000, 0x0000FF, 0x00A000, 0x808080]


def plan_pixels():
    px = bytearray(WIDTH * HEIGHT)

    def line(x1, y1, x2, y2, c):
        n = max(abs(x2 - x1), abs(y2 - y1), 1)
        for i in range(n + 1):
            x = round(x1 + (x2 - x1) * i / n)
            y = round(y1 + (y2 - y1) * i / n)
            if 0 <= x < WIDTH and 0 <= y < HEIGHT:
                px[y * WIDTH + x] = c

    def box(x1, y1, x2, y2, c):
        line(x1, y1, x2, y1, c)
        line(x2, y1, x2, y2, c)
        line(x2, y2, x1, y2, c)
        line(x1, y2, x1, y1, c)

    for inset in (0, 2):  # walls drawn twice: their thickness
        box(10 + inset, 10 + inset, 170 - inset, 110 - inset, 1)
    line(90, 12, 90, 70, 1)
    line(12, 70, 60, 70, 1)
    line(75, 70, 168, 70, 1)
    line(60, 70, 75, 55, 2)  # a door swing
    box(120, 20, 160, 45, 3)  # a table
    for y in range(85, 106, 5):  # stairs
        line(20, y, 50, y, 5)
    line(100, 90, 160, 90, 4)  # a dimension
    line(100, 86, 100, 94, 4)
    line(160, 86, 160, 94, 4)
    return px


def dib8(pixels):
    header = struct.pack("<IiiHHIIiiII", 40, WIDTH, HEIGHT, 1, 8, 0, 0, 0, 0, 256, 0)
    table = b"".join(struct.pack("<BBBB", c & 0xFF, (c >> 8) & 0xFF, c >> 16, 0)
                     for c in PALETTE + [0] * (256 - len(PALETTE)))
    row = (WIDTH + 3) // 4 * 4
    rows = b"".join(bytes(pixels[y * WIDTH:(y + 1) * WIDTH]) + bytes(row - WIDTH)
                    for y in range(HEIGHT - 1, -1, -1))
    return header + table + rows


def dwg(entries, address=0x60):
    head = bytearray(address)
    head[0:6] = b"AC1015"
    head[13:17] = struct.pack("<I", address)
    at = address + 20 + 1 + 9 * len(entries)
    directory = bytes([len(entries)])
    for code, data in entries:
        directory += bytes([code]) + struct.pack("<II", at, len(data))
        at += len(data)
    section = directory + b"".join(data for _, data in entries)
    return bytes(head) + SENTINEL + struct.pack("<I", len(section)) + section + bytes(range(0xE0, 0xF0))


def plan_dxf():
    """An AutoCAD R12 ASCII DXF: four blocks and the inserts that place them."""
    out = []

    def put(*pairs):
        for code, value in pairs:
            out.append("%3d\n%s\n" % (code, value))

    def line(layer, x1, y1, x2, y2):
        put((0, "LINE"), (8, layer), (10, x1), (20, y1), (30, 0), (11, x2), (21, y2), (31, 0))

    blocks = {
        "DOOR": [(0, 0, 0, 9), (0, 9, 9, 9)],
        "WINDOW": [(0, 0, 12, 0), (0, 1, 12, 1), (0, 0, 0, 1), (12, 0, 12, 1)],
        "DESK": [(0, 0, 16, 0), (16, 0, 16, 8), (16, 8, 0, 8), (0, 8, 0, 0)],
        "CHAIR": [(0, 0, 5, 0), (5, 0, 5, 5), (5, 5, 0, 5), (0, 5, 0, 0)],
    }
    put((0, "SECTION"), (2, "HEADER"), (9, "$ACADVER"), (1, "AC1009"),
        (9, "$EXTMIN"), (10, 0), (20, 0), (9, "$EXTMAX"), (10, 160), (20, 100), (0, "ENDSEC"))
    put((0, "SECTION"), (2, "BLOCKS"))
    for name, lines in blocks.items():
        put((0, "BLOCK"), (8, "0"), (2, name), (70, 0), (10, 0), (20, 0), (30, 0), (3, name))
        for l in lines:
            line("0", *l)
        put((0, "ENDBLK"), (8, "0"))
    put((0, "ENDSEC"), (0, "SECTION"), (2, "ENTITIES"))
    for x1, y1, x2, y2 in [(0, 0, 160, 0), (160, 0, 160, 100), (160, 100, 0, 100), (0, 100, 0, 0), (80, 0, 80, 60)]:
        line("WALLS", x1, y1, x2, y2)
    for name, x, y in [("DOOR", 70, 0), ("WINDOW", 20, 99), ("WINDOW", 120, 99), ("DESK", 100, 20),
                       ("CHAIR", 105, 30)]:
        put((0, "INSERT"), (8, "FURNITURE"), (2, name), (10, x), (20, y), (30, 0))
    put((0, "ENDSEC"), (0, "EOF"))
    return "".join(out).encode("ascii")


def main():
    os.makedirs(OUT, exist_ok=True)
    with open(os.path.join(OUT, "PLAN.DWG"), "wb") as f:
        f.write(dwg([(1, bytes(80)), (2, dib8(plan_pixels()))]))
    with open(os.path.join(OUT, "BARE.DWG"), "wb") as f:
        f.write(dwg([(1, bytes(80))]))
    with open(os.path.join(OUT, "PLAN.dxf"), "wb") as f:
        f.write(plan_dxf())


if __name__ == "__main__":
    main()
