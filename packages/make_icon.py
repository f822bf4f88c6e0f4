#!/usr/bin/env python3
"""Draws the application icon: a 32x32 and a 16x16 image of a sun over a horizon, as an .ico."""
import math
import struct
import sys


def image(size):
    rows = []
    for y in range(size):
        row = bytearray()
        for x in range(size):
            fx, fy = (x + 0.5) / size, 1 - (y + 0.5) / size  # y grows upwards in a DIB
            if fy > 0.62:
                b, g, r = 0x90, 0x50, 0x20  # sea
            elif math.hypot(fx - 0.5, fy - 0.62) < 0.3:
                b, g, r = 0x30, 0xC0, 0xF8  # sun
            else:
                b, g, r = 0xE8, 0xB0, 0x60  # sky
            row += bytes((b, g, r, 0xFF))
        rows.append(bytes(row))
    pixels = b"".join(reversed(rows))  # bottom-up
    mask_row = ((size + 31) // 32) * 4
    mask = bytes(mask_row * size)
    header = struct.pack("<IiiHHIIiiII", 40, size, size * 2, 1, 32, 0, len(pixels) + len(mask), 0, 0, 0, 0)
    return header + pixels + mask


def main(path):
    images = [image(32), image(16)]
    directory = struct.pack("<HHH", 0, 1, len(images))
    offset = 6 + 16 * len(images)
    entries = b""
    for size, data in zip((32, 16), images):
        entries += struct.pack("<BBBBHHII", size, size, 0, 0, 1, 32, len(data), offset)
        offset += len(data)
    with open(path, "wb") as out:
        out.write(directory + entries + b"".join(images))


if __name__ == "__main__":
    main(sys.argv[1])
