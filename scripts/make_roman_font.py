#!/usr/bin/env python3
"""Regenerates plot/shell/data/roman.fon from a Hershey font in JHF form.

Usage: scripts/make_roman_font.py [rowmans.jhf] > plot/shell/data/roman.fon

The default input is the roman simplex font of Debian's hershey-fonts-data
package. The JHF file holds the glyphs of the characters 32..127 in order;
each record is a 5-character number, a 3-character count of coordinate
pairs and the pairs as letters offset from "R", " R" lifting the pen. The
output format is described in plot/shell/stroke_font.h.
"""
import sys

DEFAULT = "/usr/share/hershey-fonts/rowmans.jhf"


def records(lines):
    lines = iter(lines)
    for line in lines:
        line = line.rstrip("\n")
        if not line.strip():
            continue
        count = int(line[5:8])
        data = line[8:]
        while len(data) < 2 * count:
            data += next(lines).rstrip("\n")
        yield data[: 2 * count]


def main():
    path = sys.argv[1] if len(sys.argv) > 1 else DEFAULT
    with open(path, encoding="ascii") as f:
        glyphs = list(records(f))
    print("# Roman simplex stroke font, converted by scripts/make_roman_font.py")
    print("# from " + path.split("/")[-1] + " of the hershey-fonts-data package.")
    print("# The Hershey Fonts were originally created by Dr. A. V. Hershey while")
    print("# working at the U. S. National Bureau of Standards. The format of the")
    print("# font data in that distribution was originally created by James Hurt,")
    print("# Cognition, Inc. See roman.fon.NOTICE.")
    print("MTL-STROKE-FONT 1")
    print("FONT roman-simplex")
    for index, data in enumerate(glyphs):
        code = 32 + index
        if code > 126:
            break
        left = ord(data[0]) - ord("R")
        right = ord(data[1]) - ord("R")
        parts = []
        for i in range(2, len(data), 2):
            pair = data[i:i + 2]
            if pair == " R":
                parts.append("|")
            else:
                parts.append("%d,%d" % (ord(pair[0]) - ord("R"), ord(pair[1]) - ord("R")))
        print(" ".join(["G", str(code), str(left), str(right)] + parts))


if __name__ == "__main__":
    main()
