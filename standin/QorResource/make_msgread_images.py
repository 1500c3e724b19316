#!/usr/bin/env python3
"""Draws the bitmaps of the message centre's lists into the folder given as argument.

The row icons are one strip of 18 x 16 cells on white (the lists mask white out): an envelope
in several states (read, unread, waiting for a receipt, ...) and a paper clip at cell 5. The
two header pictures stand in for the titles of the read-state and attachment columns.
"""
import os
import sys

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from make_images import blank, rect, write_bmp  # noqa: E402 (the shared drawing helpers)

WHITE = (255, 255, 255)


def frame(img, x0, y0, x1, y1, color):
    rect(img, x0, y0, x1, y0 + 1, color)
    rect(img, x0, y1 - 1, x1, y1, color)
    rect(img, x0, y0, x0 + 1, y1, color)
    rect(img, x1 - 1, y0, x1, y1, color)


def envelope(img, ox, fill, edge, open_flap=False):
    rect(img, ox + 2, 4, ox + 16, 13, fill)
    frame(img, ox + 2, 4, ox + 16, 13, edge)
    # the flap: a V from the top corners to the middle (open: from the bottom)
    for i in range(7):
        y = (4 + i) if not open_flap else (12 - i)
        img[y][ox + 2 + i] = edge
        img[y][ox + 15 - i] = edge


def clip(img, ox, color):
    frame(img, ox + 6, 2, ox + 12, 14, color)
    frame(img, ox + 8, 4, ox + 11, 11, color)


def main():
    out = sys.argv[1]
    os.makedirs(out, exist_ok=True)
    cells = 9
    strip = blank(18 * cells, 16, WHITE)
    looks = {
        0: None,
        1: ((250, 250, 250), (120, 120, 120), True),   # read
        2: ((255, 214, 90), (160, 110, 0), False),     # unread
        3: ((200, 230, 255), (40, 90, 160), True),     # replied
        4: ((255, 170, 150), (170, 50, 30), False),    # waiting for a receipt
        6: ((220, 220, 220), (90, 90, 90), False),
        7: ((190, 240, 190), (30, 120, 30), True),     # opened by the receiver
        8: ((230, 200, 255), (110, 50, 160), False),   # forwarded
    }
    for cell, look in looks.items():
        if look:
            envelope(strip, cell * 18, look[0], look[1], look[2])
    clip(strip, 5 * 18, (80, 80, 80))
    write_bmp(os.path.join(out, "msg_row_icons.bmp"), strip)

    head_read = blank(16, 14, WHITE)
    envelope(head_read, -1, (255, 214, 90), (160, 110, 0))
    write_bmp(os.path.join(out, "header_readstate.bmp"), head_read)
    head_clip = blank(16, 14, WHITE)
    clip(head_clip, -1, (80, 80, 80))
    write_bmp(os.path.join(out, "header_attach.bmp"), head_clip)


if __name__ == "__main__":
    main()
