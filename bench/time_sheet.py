#!/usr/bin/env python3
# SPDX-License-Identifier: MIT
"""Times `vandrel sheet` over a library of N slides against drawing the same
slides one by one with `vandrel slide render`, and `vandrel-thumbnailer` per
file. The library is built here from the .sld files of SLIDES (repeated under
new names until there are N).

Usage: time_sheet.py BIN_DIR SLIDES_FOLDER [N] [DWG...]
"""
import os
import struct
import subprocess
import sys
import tempfile
import time


def library(slides, count):
    members = [(f"S{i:04d}", slides[i % len(slides)]) for i in range(count)]
    out = bytearray(b"AutoCAD Slide Library 1.0\r\n\x1a".ljust(32, b"\0"))
    address = 32 + 36 * (len(members) + 1)
    for name, data in members:
        out += name.encode().ljust(32, b"\0") + struct.pack("<I", address)
        address += len(data)
    out += bytes(36)
    for _, data in members:
        out += data
    return bytes(out), [name for name, _ in members]


def timed(argv):
    start = time.perf_counter()
    subprocess.run(argv, check=False, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    return time.perf_counter() - start


def main():
    bin_dir, folder = sys.argv[1], sys.argv[2]
    count = int(sys.argv[3]) if len(sys.argv) > 3 else 1000
    dwgs = sys.argv[4:]
    slides = [open(os.path.join(folder, f), "rb").read()
              for f in sorted(os.listdir(folder)) if f.lower().endswith(".sld")]
    vandrel = os.path.join(bin_dir, "vandrel")
    thumbnailer = os.path.join(bin_dir, "vandrel-thumbnailer")
    with tempfile.TemporaryDirectory() as work:
        lib = os.path.join(work, "big.slb")
        data, names = library(slides, count)
        open(lib, "wb").write(data)
        sheet = timed([vandrel, "sheet", lib, "-o", os.path.join(work, "sheet.png"), "--labels"])
        pages = len([f for f in os.listdir(work) if f.startswith("sheet")])
        one_by_one = 0.0
        for name in names:
            one_by_one += timed([vandrel, "slide", "render", f"{lib}({name})", "-o",
                                 os.path.join(work, "one.png"), "--size", "160x120"])
        print(f"sheet of {count} slides: {sheet:.2f} s, {pages} pages")
        print(f"slide render one by one: {one_by_one:.2f} s ({one_by_one / count * 1000:.1f} ms each)")
        print(f"ratio: {one_by_one / sheet:.1f} x")
        for f in [os.path.join(folder, s) for s in sorted(os.listdir(folder))[:3]] + dwgs:
            runs = [timed([thumbnailer, "-s", "256", f, os.path.join(work, "t.png")]) for _ in range(10)]
            print(f"thumbnailer {os.path.basename(f)}: {min(runs) * 1000:.1f} ms (best of 10), "
                  f"{sum(runs) / len(runs) * 1000:.1f} ms mean")


if __name__ == "__main__":
    main()
