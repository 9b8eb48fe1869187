#!/usr/bin/env python3
"""Writes an icon file (.ico) whose images are painted from a description, so that resource scripts can name
icons without binary files in the source tree.

    make-icons.py OUT.ico SIZE:BITS:R,G,B [SIZE:BITS:R,G,B ...]

Each argument is one image: SIZE pixels square (16, 24, 32, 48), BITS per pixel (4, 8 or 32) and the colour
it is painted with, as decimal red, green and blue. An image shows a page: an opaque upright rectangle with a
transparent margin of an eighth of the size on the left and the right, filled with the colour, and a
one-pixel edge of half its brightness. Images of 4 and 8 bits carry the two colours in their palette (black first), so every
opaque pixel has exactly the colour asked for, whatever the bit count.
"""
import struct
import sys


def pixel_kind(size, x, y):
    """0 transparent, 1 fill, 2 edge."""
    margin = size // 8
    if x < margin or x >= size - margin:
        return 0
    if x in (margin, size - margin - 1) or y in (0, size - 1):
        return 2
    return 1


def row_bytes(bits_per_row):
    return (bits_per_row + 31) // 32 * 4


def image(size, bits, colour):
    fill = ((colour >> 16) & 0xFF, (colour >> 8) & 0xFF, colour & 0xFF)
    edge = tuple(c // 2 for c in fill)
    header = struct.pack("<IiiHHIIiiII", 40, size, 2 * size, 1, bits, 0, 0, 0, 0, 0, 0)
    palette = b""
    if bits in (4, 8):
        entries = [(0, 0, 0), fill, edge] + [(0, 0, 0)] * ((1 << bits) - 3)
        palette = b"".join(struct.pack("BBBB", b, g, r, 0) for r, g, b in entries)
    elif bits != 32:
        raise SystemExit(f"make-icons: {bits} bits per pixel is not supported")
    colours = b""
    mask = b""
    for y in reversed(range(size)):  # rows bottom-up
        kinds = [pixel_kind(size, x, y) for x in range(size)]
        if bits == 32:
            row = b"".join(
                struct.pack("BBBB", 0, 0, 0, 0) if k == 0 else struct.pack("BBBB", *reversed(fill if k == 1 else edge), 255)
                for k in kinds)
        elif bits == 8:
            row = bytes(kinds)
        else:
            row = bytes((kinds[x] << 4) | kinds[x + 1] for x in range(0, size, 2))
        colours += row.ljust(row_bytes(size * bits), b"\0")
        mask_bits = 0
        for k in kinds:
            mask_bits = (mask_bits << 1) | (1 if k == 0 else 0)
        mask += mask_bits.to_bytes(size // 8, "big").ljust(row_bytes(size), b"\0")
    return header + palette + colours + mask


def main(argv):
    if len(argv) < 3:
        raise SystemExit(__doc__)
    images = []
    for arg in argv[2:]:
        size, bits, colour = arg.split(":")
        size, bits = int(size), int(bits)
        r, g, b = (int(c) for c in colour.split(","))
        images.append((size, bits, image(size, bits, r << 16 | g << 8 | b)))
    out = struct.pack("<HHH", 0, 1, len(images))
    offset = 6 + 16 * len(images)
    for size, bits, data in images:
        colour_count = 1 << bits if bits < 8 else 0
        out += struct.pack("<BBBBHHII", size, size, colour_count, 0, 1, bits, len(data), offset)
        offset += len(data)
    out += b"".join(data for _, _, data in images)
    with open(argv[1], "wb") as f:
        f.write(out)


if __name__ == "__main__":
    main(sys.argv)
