#!/usr/bin/env python3
"""Draws the history viewer's picture placeholder (a framed grey card with a cross) as a 24-bit BMP."""
import struct
import sys

def write_bmp(path, width, height, pixel):
    row = (width * 3 + 3) & ~3
    data = bytearray()
    for y in range(height - 1, -1, -1):
        line = bytearray()
        for x in range(width):
            r, g, b = pixel(x, y)
            line += bytes((b, g, r))
        line += b"\0" * (row - width * 3)
        data += line
    header = struct.pack("<2sIHHI", b"BM", 54 + len(data), 0, 0, 54)
    info = struct.pack("<IiiHHIIiiII", 40, width, height, 1, 24, 0, len(data), 2835, 2835, 0, 0)
    with open(path, "wb") as f:
        f.write(header + info + data)

def placeholder(x, y, w=48, h=36):
    if x in (0, w - 1) or y in (0, h - 1):
        return (0x90, 0x90, 0x90)
    # The two diagonals of the card.
    if abs(x * h - y * w) < w or abs((w - 1 - x) * h - y * w) < w:
        return (0xB0, 0xB0, 0xB0)
    return (0xEE, 0xEE, 0xEE)

if __name__ == "__main__":
    write_bmp(sys.argv[1] + "/history_placeholder.bmp", 48, 36, placeholder)
