#!/usr/bin/env python3
"""Draws the bitmaps and the icon of QorResource.dll into the folder given as argument.

Every picture is drawn here from simple shapes, so the resource module carries no image
from elsewhere: the default head picture, the main window's background, the three row
icons of the sign-in panel (password, server, user), the tray's status images, the network
check's step pictures and the program icon.
"""
import math
import os
import struct
import sys


def blank(w, h, color):
    return [[color for _ in range(w)] for _ in range(h)]


def disc(img, cx, cy, r, color):
    for y, row in enumerate(img):
        for x in range(len(row)):
            if (x + 0.5 - cx) ** 2 + (y + 0.5 - cy) ** 2 <= r * r:
                row[x] = color


def rect(img, x0, y0, x1, y1, color):
    for y in range(max(0, y0), min(len(img), y1)):
        for x in range(max(0, x0), min(len(img[0]), x1)):
            img[y][x] = color


def write_bmp(path, img):
    """24-bit bottom-up BMP."""
    h, w = len(img), len(img[0])
    stride = (w * 3 + 3) & ~3
    data = bytearray()
    for row in reversed(img):
        line = bytearray()
        for r, g, b in row:
            line += bytes((b, g, r))
        line += b"\0" * (stride - len(line))
        data += line
    header = struct.pack("<2sIHHI", b"BM", 14 + 40 + len(data), 0, 0, 54)
    info = struct.pack("<IiiHHIIiiII", 40, w, h, 1, 24, 0, len(data), 2835, 2835, 0, 0)
    with open(path, "wb") as f:
        f.write(header + info + data)


def icon_image(img):
    """One ICO entry: a 32-bit BMP of double height (colour, then the AND mask)."""
    h, w = len(img), len(img[0])
    data = bytearray()
    for row in reversed(img):
        for px in row:
            r, g, b, a = px
            data += bytes((b, g, r, a))
    mask_stride = ((w + 31) // 32) * 4
    mask = bytearray()
    for row in reversed(img):
        bits = bytearray(mask_stride)
        for x, px in enumerate(row):
            if px[3] == 0:
                bits[x // 8] |= 0x80 >> (x % 8)
        mask += bits
    info = struct.pack("<IiiHHIIiiII", 40, w, h * 2, 1, 32, 0, len(data) + len(mask), 0, 0, 0, 0)
    return info + data + mask


def write_ico(path, images):
    entries = [icon_image(img) for img in images]
    out = bytearray(struct.pack("<HHH", 0, 1, len(entries)))
    offset = 6 + 16 * len(entries)
    for img, blob in zip(images, entries):
        w = len(img[0])
        out += struct.pack("<BBBBHHII", w % 256, len(img) % 256, 0, 0, 1, 32, len(blob), offset)
        offset += len(blob)
    for blob in entries:
        out += blob
    with open(path, "wb") as f:
        f.write(out)


BLUE = (41, 110, 190)
WHITE = (255, 255, 255)
GREY = (150, 150, 150)


def head_picture():
    img = blank(40, 40, (225, 232, 240))
    disc(img, 20, 15, 8, GREY)
    for y in range(26, 40):
        for x in range(40):
            if (x - 20) ** 2 / 15.0 ** 2 + (y - 40) ** 2 / 14.0 ** 2 <= 1:
                img[y][x] = GREY
    return img


def background():
    w, h = 280, 120
    img = []
    for y in range(h):
        t = y / (h - 1)
        c = tuple(int(a + (b - a) * t) for a, b in zip((41, 110, 190), (232, 240, 250)))
        img.append([c] * w)
    return img


def row_icon(kind):
    img = blank(24, 24, WHITE)
    if kind == "user":
        disc(img, 12, 8, 5, BLUE)
        for y in range(14, 22):
            for x in range(24):
                if (x - 12) ** 2 / 8.0 ** 2 + (y - 22) ** 2 / 8.0 ** 2 <= 1:
                    img[y][x] = BLUE
    elif kind == "password":
        disc(img, 12, 9, 5, BLUE)
        disc(img, 12, 9, 3, WHITE)
        rect(img, 5, 11, 19, 21, BLUE)
        rect(img, 11, 14, 13, 18, WHITE)
    else:  # server: a stack of two boxes
        rect(img, 4, 4, 20, 11, BLUE)
        rect(img, 4, 13, 20, 20, BLUE)
        rect(img, 15, 7, 17, 9, WHITE)
        rect(img, 15, 16, 17, 18, WHITE)
    return img


def program_icon(size):
    img = [[(0, 0, 0, 0)] * size for _ in range(size)]
    c = size / 2.0
    for y in range(size):
        for x in range(size):
            d = math.hypot(x + 0.5 - c, y + 0.5 - c)
            if d <= c - 0.5:
                img[y][x] = BLUE + (255,)
    # A white speech bubble in the middle.
    for y in range(size):
        for x in range(size):
            nx, ny = (x + 0.5 - c) / size, (y + 0.5 - c) / size
            if (nx / 0.30) ** 2 + (ny / 0.20) ** 2 <= 1 or (0.0 < nx < 0.12 and 0.1 < ny < 0.3 and ny - 0.1 > nx):
                img[y][x] = WHITE + (255,)
    return img


MAGENTA = (255, 0, 255)


def tray_status_strip():
    """Eight 16 x 16 status images on magenta (the transparent colour): 0 signed out, 1 busy,
    2 online, 3 invisible, 4 away, 5 do not disturb, 6 spare, 7 blank."""
    img = blank(16 * 8, 16, MAGENTA)
    dots = [(150, 150, 150), (210, 40, 40), (40, 170, 60), None, (240, 170, 30), (160, 20, 20), (150, 150, 150)]
    for i, color in enumerate(dots):
        cx = i * 16 + 8
        if color is None:  # invisible: a grey ring
            disc(img, cx, 8, 6, (120, 120, 120))
            disc(img, cx, 8, 4, (255, 255, 255))
            continue
        disc(img, cx, 8, 6, color)
        if i == 5:  # do not disturb: a white bar
            rect(img, cx - 4, 7, cx + 4, 9, (255, 255, 255))
    return img


def check_mark(kind):
    """The network check's step pictures, 16 x 16 on white: a green disc with a tick (passed), a
    red disc with a cross (failed), an amber disc with a bar (could not be checked here)."""
    img = blank(16, 16, WHITE)
    color = {"passed": (40, 170, 60), "failed": (210, 40, 40), "skipped": (240, 170, 30)}[kind]
    disc(img, 8, 8, 7.5, color)
    if kind == "passed":
        for i in range(4):
            rect(img, 4 + i, 8 + i, 6 + i, 10 + i, WHITE)
        for i in range(5):
            rect(img, 7 + i, 10 - i * 1, 9 + i, 12 - i * 1, WHITE)
    elif kind == "failed":
        for i in range(8):
            rect(img, 4 + i, 4 + i, 6 + i, 6 + i, WHITE)
            rect(img, 10 - i, 4 + i, 12 - i, 6 + i, WHITE)
    else:
        rect(img, 4, 7, 12, 9, WHITE)
    return img


def main():
    out = sys.argv[1]
    os.makedirs(out, exist_ok=True)
    write_bmp(os.path.join(out, "head_default.bmp"), head_picture())
    write_bmp(os.path.join(out, "main_bk.bmp"), background())
    write_bmp(os.path.join(out, "icon_password.bmp"), row_icon("password"))
    write_bmp(os.path.join(out, "icon_server.bmp"), row_icon("server"))
    write_bmp(os.path.join(out, "icon_user.bmp"), row_icon("user"))
    write_bmp(os.path.join(out, "tray_status.bmp"), tray_status_strip())
    for kind in ("passed", "failed", "skipped"):
        write_bmp(os.path.join(out, "check_%s.bmp" % kind), check_mark(kind))
    write_ico(os.path.join(out, "korvel.ico"), [program_icon(16), program_icon(32), program_icon(48)])


if __name__ == "__main__":
    main()
