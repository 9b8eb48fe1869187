#!/usr/bin/env python3
"""Writes the application's icon, so that the project holds no binary files.

    make-icon.py OUT.ico

The icon has a 16 and a 32 pixel image of 32 bits per pixel: a blue square with a darker edge and a white
bar across its middle, on a transparent margin of one pixel in eight.
"""
import struct
import sys

FILL = (0x1F, 0x5F, 0xBF)
EDGE = (0x0F, 0x2F, 0x60)
BAR = (0xFF, 0xFF, 0xFF)


def pixel(size, x, y):
    """The (red, green, blue) of a pixel, or None where the icon is transparent."""
    margin = size // 8
    if not (margin <= x < size - margin and margin <= y < size - margin):
        return None
    if x in (margin, size - margin - 1) or y in (margin, size - margin - 1):
        return EDGE
    if abs(2 * y - size + 1) <= size // 8:
        return BAR
    return FILL


def image(size):
    header = struct.pack("<IiiHHIIiiII", 40, size, 2 * size, 1, 32, 0, 0, 0, 0, 0, 0)
    colours = b""
    mask = b""
    mask_row = (size + 31) // 32 * 4
    for y in reversed(range(size)):  # rows bottom-up
        bits = 0
        for x in range(size):
            rgb = pixel(size, x, y)
            colours += struct.pack("BBBB", 0, 0, 0, 0) if rgb is None else struct.pack("BBBB", *reversed(rgb), 255)
            bits = (bits << 1) | (1 if rgb is None else 0)
        mask += bits.to_bytes(size // 8, "big").ljust(mask_row, b"\0")
    return header + colours + mask


def main(argv):
    if len(argv) != 2:
        raise SystemExit(__doc__)
    images = [(size, image(size)) for size in (16, 32)]
    out = struct.pack("<HHH", 0, 1, len(images))
    offset = 6 + 16 * len(images)
    for size, data in images:
        out += struct.pack("<BBBBHHII", size, size, 0, 0, 1, 32, len(data), offset)
        offset += len(data)
    out += b"".join(data for _, data in images)
    with open(argv[1], "wb") as f:
        f.write(out)


if __name__ == "__main__":
    main(sys.argv)
