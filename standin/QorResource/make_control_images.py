#!/usr/bin/env python3
"""Draws the icons of the owner-drawn controls for QorResource.dll into the folder given.

The attachment list marks its rows with three pseudo-type icons: a folder, a downloaded
file (a green tick) and a forwarded file (a blue arrow). Each icon holds a 16 x 16 and a
32 x 32 image, 32-bit with alpha, drawn here from simple shapes.
"""
import os
import struct
import sys

CLEAR = (0, 0, 0, 0)


def blank(n):
    return [[CLEAR for _ in range(n)] for _ in range(n)]


def fill(img, x0, y0, x1, y1, rgb):
    n = len(img)
    for y in range(max(0, y0), min(n, y1)):
        for x in range(max(0, x0), min(n, x1)):
            img[y][x] = rgb + (255,)


def folder(n):
    s = n / 16.0
    img = blank(n)
    yellow, dark = (240, 196, 70), (190, 140, 30)
    fill(img, int(1 * s), int(3 * s), int(7 * s), int(5 * s), dark)      # tab
    fill(img, int(1 * s), int(5 * s), int(15 * s), int(14 * s), dark)     # back
    fill(img, int(2 * s), int(6 * s), int(14 * s), int(13 * s), yellow)   # front
    return img


def document(n, mark):
    s = n / 16.0
    img = blank(n)
    fill(img, int(3 * s), int(1 * s), int(13 * s), int(15 * s), (120, 120, 120))
    fill(img, int(4 * s), int(2 * s), int(12 * s), int(14 * s), (250, 250, 250))
    for row in range(3):
        y = int((4 + 2 * row) * s)
        fill(img, int(5 * s), y, int(11 * s), y + max(1, int(s)), (170, 170, 170))
    if mark == "tick":
        green = (40, 160, 60)
        for i in range(int(3 * s)):
            fill(img, int(7 * s) + i, int(11 * s) + i, int(7 * s) + i + max(2, int(s)), int(11 * s) + i + max(2, int(s)), green)
        for i in range(int(6 * s)):
            fill(img, int(10 * s) + i, int(14 * s) - i, int(10 * s) + i + max(2, int(s)), int(14 * s) - i + max(2, int(s)), green)
    else:
        blue = (40, 100, 200)
        fill(img, int(6 * s), int(11 * s), int(12 * s), int(13 * s), blue)
        for i in range(int(3 * s)):
            fill(img, int(12 * s) - i, int(9 * s) + i, int(12 * s) - i + max(1, int(s)), int(15 * s) - i, blue)
    return img


def icon_image(img):
    """One BITMAPINFOHEADER image of an icon: 32-bit BGRA rows bottom-up, then the AND mask."""
    n = len(img)
    header = struct.pack("<IiiHHIIiiII", 40, n, 2 * n, 1, 32, 0, 0, 0, 0, 0, 0)
    pixels = bytearray()
    for row in reversed(img):
        for r, g, b, a in row:
            pixels += bytes((b, g, r, a))
    stride = ((n + 31) // 32) * 4
    mask = bytearray()
    for row in reversed(img):
        bits = bytearray(stride)
        for x, (_, _, _, a) in enumerate(row):
            if a == 0:
                bits[x // 8] |= 0x80 >> (x % 8)
        mask += bits
    return header + bytes(pixels) + bytes(mask)


def write_ico(path, images):
    blobs = [icon_image(img) for img in images]
    out = bytearray(struct.pack("<HHH", 0, 1, len(blobs)))
    offset = 6 + 16 * len(blobs)
    for img, blob in zip(images, blobs):
        n = len(img)
        out += struct.pack("<BBBBHHII", n % 256, n % 256, 0, 0, 1, 32, len(blob), offset)
        offset += len(blob)
    for blob in blobs:
        out += blob
    with open(path, "wb") as f:
        f.write(out)


def main():
    out = sys.argv[1]
    os.makedirs(out, exist_ok=True)
    write_ico(os.path.join(out, "attach_folder.ico"), [folder(16), folder(32)])
    write_ico(os.path.join(out, "attach_downed.ico"), [document(16, "tick"), document(32, "tick")])
    write_ico(os.path.join(out, "attach_forwarded.ico"), [document(16, "arrow"), document(32, "arrow")])


if __name__ == "__main__":
    main()
