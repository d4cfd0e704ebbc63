#!/usr/bin/env python3
"""Independent reader of an uncompressed BMP file (standard library only).

Prints one line of header fields, one line of palette entries (RRGGBB hex)
and then the picture's colour indices, one text line per pixel row from the
top, one hex digit per pixel.
"""
import struct
import sys


def main(path):
    data = open(path, "rb").read()
    if data[:2] != b"BM":
        raise SystemExit("not a BMP file")
    file_size, _, _, offset = struct.unpack_from("<IHHI", data, 2)
    (header_size, width, height, planes, bits, compression, image_size,
     _, _, colors_used, important) = struct.unpack_from("<IiiHHIIiiII", data, 14)
    print(f"file_size={file_size} actual_size={len(data)} offset={offset} "
          f"header_size={header_size} width={width} height={height} planes={planes} "
          f"bits={bits} compression={compression} image_size={image_size} "
          f"colors_used={colors_used} important={important}")
    palette_count = offset - 54
    entries = []
    for i in range(0, palette_count, 4):
        b, g, r, _ = data[54 + i:58 + i]
        entries.append(f"{r:02X}{g:02X}{b:02X}")
    print(" ".join(entries))
    row_size = ((width * bits + 31) // 32) * 4
    for y in range(height - 1, -1, -1):  # rows are stored bottom first
        row = data[offset + y * row_size: offset + (y + 1) * row_size]
        pixels = []
        for x in range(width):
            if bits == 4:
                byte = row[x // 2]
                pixels.append(byte >> 4 if x % 2 == 0 else byte & 15)
            elif bits == 8:
                pixels.append(row[x])
            else:
                pixels.append((row[x // 8] >> (7 - x % 8)) & 1)
        print("".join(f"{p:x}" for p in pixels))


if __name__ == "__main__":
    main(sys.argv[1])
