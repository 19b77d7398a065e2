#!/usr/bin/env python3
"""Draws the arrow bitmaps MOVEUP and MOVEDOWN of the data editing dialogs' move buttons.

The arrows are drawn below as pixel art ('#' is the arrow, '.' the background) and written as
1-bit bitmaps: the buttons paint the arrow in the button text colour on the button face, so the
pictures follow the user's colour scheme and grey out when a button is disabled.

    python3 make-arrow-bitmaps.py      (writes MoveUp.bmp and MoveDown.bmp beside this script)
"""
import os
import struct

UP = """
.....#.....
....###....
...#####...
..#######..
.#########.
###########
...#####...
...#####...
...#####...
...#####...
...#####...
"""


def rows_of(art):
    return [line for line in art.strip().splitlines()]


def write_bmp(path, rows):
    height = len(rows)
    width = len(rows[0])
    stride = ((width + 31) // 32) * 4
    pixels = bytearray()
    for line in reversed(rows):  # a BMP stores its bottom row first
        bits = bytearray(stride)
        for x, ch in enumerate(line):
            if ch != '#':  # bit 1: background (white), bit 0: arrow (black)
                bits[x // 8] |= 0x80 >> (x % 8)
        pixels += bits
    palette = bytes([0, 0, 0, 0, 255, 255, 255, 0])
    header_size = 14 + 40 + len(palette)
    info = struct.pack('<IiiHHIIiiII', 40, width, height, 1, 1, 0, len(pixels), 2835, 2835, 2, 2)
    file_header = struct.pack('<2sIHHI', b'BM', header_size + len(pixels), 0, 0, header_size)
    with open(path, 'wb') as f:
        f.write(file_header + info + palette + pixels)


here = os.path.dirname(os.path.abspath(__file__))
up = rows_of(UP)
write_bmp(os.path.join(here, 'MoveUp.bmp'), up)
write_bmp(os.path.join(here, 'MoveDown.bmp'), list(reversed(up)))
