#!/usr/bin/env python3
"""Draws the message centre's bitmaps of QorResource.dll into the folder given as argument.

msg_tree.bmp: the folder tree's node images, 12 of 16 x 16 side by side on white (the
mask colour). The image index is the node kind: 1 received, 2 sent, 3 search results,
4 persons, 5 person, 6 unread by recipients, 8 user folders, 9 user folder, 10 group
discussions, 11 group discussion; 0 and 7 mark no node and stay blank.
"""
import os
import sys

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from make_images import blank, disc, rect, write_bmp  # noqa: E402

WHITE = (255, 255, 255)


def envelope(img, x0, color):
    rect(img, x0 + 1, 4, x0 + 15, 13, color)
    rect(img, x0 + 2, 5, x0 + 14, 12, WHITE)
    for i in range(6):
        img[5 + i // 2][x0 + 2 + i] = color
        img[5 + i // 2][x0 + 13 - i] = color


def folder(img, x0, color):
    rect(img, x0 + 1, 3, x0 + 7, 5, color)
    rect(img, x0 + 1, 5, x0 + 15, 14, color)


def person(img, x0, color):
    disc(img, x0 + 8, 5, 3, color)
    rect(img, x0 + 3, 10, x0 + 13, 15, color)


def main():
    out = sys.argv[1]
    os.makedirs(out, exist_ok=True)
    img = blank(16 * 12, 16, WHITE)
    envelope(img, 16 * 1, (40, 110, 200))
    envelope(img, 16 * 2, (40, 160, 80))
    disc(img, 16 * 3 + 7, 7, 5, (90, 90, 90))
    disc(img, 16 * 3 + 7, 7, 3, WHITE)
    rect(img, 16 * 3 + 10, 11, 16 * 3 + 15, 14, (90, 90, 90))
    person(img, 16 * 4, (120, 90, 160))
    person(img, 16 * 5, (200, 120, 40))
    envelope(img, 16 * 6, (200, 60, 60))
    folder(img, 16 * 8, (210, 170, 60))
    folder(img, 16 * 9, (230, 200, 100))
    disc(img, 16 * 10 + 6, 7, 5, (60, 130, 190))
    disc(img, 16 * 10 + 11, 9, 4, (100, 170, 220))
    disc(img, 16 * 11 + 8, 8, 5, (100, 170, 220))
    write_bmp(os.path.join(out, "msg_tree.bmp"), img)


if __name__ == "__main__":
    main()
