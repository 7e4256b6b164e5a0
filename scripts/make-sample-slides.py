#!/usr/bin/env python3
# SPDX-License-Identifier: MIT
"""Writes the project's own sample slides and library into samples/slides/.

The files are committed; run this again only to change them."""
import math
import os
import struct

HERE = os.path.dirname(os.path.abspath(__file__))
OUT = os.path.join(HERE, "..", "samples", "slides")
SLIDE_ID = b"AutoCAD Slide\r\n\x1a\x00"


class Slide:
    def __init__(self, high_x, high_y):
        self.high = (high_x, high_y)
        self.b = bytearray(SLIDE_ID + b"V\x02" + struct.pack("<HH", high_x, high_y)
                           + struct.pack("<f", high_x / high_y) + struct.pack("<HH", 2, 0x1234))

    def color(self, aci):
        self.b += struct.pack("<H", 0xFF00 | aci)

    def line(self, x1, y1, x2, y2):
        self.b += struct.pack("<HHHH", int(x1), int(y1), int(x2), int(y2))

    def fill(self, points):
        self.b += struct.pack("<HHH", 0xFD00, len(points), 0)
        for x, y in points:
            self.b += struct.pack("<HHH", 0xFD00, int(x), int(y))
        self.b += struct.pack("<HHH", 0xFD00, 0, 0xFFFF)

    def polyline(self, points):
        for (x1, y1), (x2, y2) in zip(points, points[1:]):
            self.line(x1, y1, x2, y2)

    def bytes(self):
        return bytes(self.b + struct.pack("<H", 0xFC00))


def house():
    s = Slide(1000, 750)
    s.color(8)
    s.fill([(150, 80), (850, 80), (850, 420), (150, 420)])
    s.color(1)
    s.fill([(100, 420), (500, 700), (900, 420)])
    s.color(7)
    s.polyline([(150, 80), (850, 80), (850, 420), (150, 420), (150, 80)])
    s.color(5)
    s.fill([(420, 80), (580, 80), (580, 300), (420, 300)])
    for x0 in (220, 660):
        s.color(4)
        s.fill([(x0, 250), (x0 + 120, 250), (x0 + 120, 360), (x0, 360)])
        s.color(7)
        s.line(x0 + 60, 250, x0 + 60, 360)
        s.line(x0, 305, x0 + 120, 305)
    s.color(3)
    s.line(0, 80, 1000, 80)
    return s.bytes()


def wheel():
    s = Slide(800, 800)
    for i in range(24):
        a0, a1 = 2 * math.pi * i / 24, 2 * math.pi * (i + 1) / 24
        s.color(10 + 10 * i)
        s.fill([(400, 400), (400 + 350 * math.cos(a0), 400 + 350 * math.sin(a0)),
                (400 + 350 * math.cos(a1), 400 + 350 * math.sin(a1))])
    s.color(7)
    ring = [(400 + 360 * math.cos(2 * math.pi * k / 96), 400 + 360 * math.sin(2 * math.pi * k / 96)) for k in range(97)]
    s.polyline(ring)
    return s.bytes()


def library(slides):
    out = bytearray(b"AutoCAD Slide Library 1.0\r\n\x1a\x00\x00\x00\x00")
    address = 32 + 36 * (len(slides) + 1)
    for name, data in slides:
        out += name.encode().ljust(32, b"\0") + struct.pack("<I", address)
        address += len(data)
    out += b"\0" * 36
    for _, data in slides:
        out += data
    return bytes(out)


def main():
    os.makedirs(OUT, exist_ok=True)
    h, w = house(), wheel()
    for name, data in (("HOUSE.SLD", h), ("WHEEL.SLD", w), ("DEMO.SLB", library([("HOUSE", h), ("WHEEL", w)]))):
        with open(os.path.join(OUT, name), "wb") as f:
            f.write(data)


if __name__ == "__main__":
    main()
