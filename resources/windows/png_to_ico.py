#!/usr/bin/env python3
"""Packs PNG pictures, one per size, into a Windows icon file:
    png_to_ico.py OUTPUT.ico PICTURE.png...
Windows reads PNG entries in an icon (since Vista), so the pictures go in
as they are, each square and at most 256 pixels a side."""
import struct
import sys


def png_size(data, name):
    if data[:8] != b"\x89PNG\r\n\x1a\n" or data[12:16] != b"IHDR":
        sys.exit(f"png_to_ico: {name} is not a PNG picture")
    width, height = struct.unpack(">II", data[16:24])
    if width != height or not 1 <= width <= 256:
        sys.exit(f"png_to_ico: {name} is {width}x{height}; an icon takes squares of 1 to 256 pixels")
    return width


def main():
    if len(sys.argv) < 3:
        sys.exit(__doc__)
    output, names = sys.argv[1], sys.argv[2:]
    pictures = []
    for name in names:
        with open(name, "rb") as f:
            data = f.read()
        pictures.append((png_size(data, name), data))
    pictures.sort(key=lambda p: p[0])
    header = struct.pack("<HHH", 0, 1, len(pictures))
    offset = len(header) + 16 * len(pictures)
    entries, bodies = b"", b""
    for size, data in pictures:
        side = size % 256  # 0 stands for 256
        # width, height, colours (none: true colour), reserved, planes, bits per pixel, bytes, where
        entries += struct.pack("<BBBBHHII", side, side, 0, 0, 1, 32, len(data), offset)
        offset += len(data)
        bodies += data
    with open(output, "wb") as f:
        f.write(header + entries + bodies)


if __name__ == "__main__":
    main()
