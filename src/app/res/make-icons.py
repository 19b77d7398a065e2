#!/usr/bin/env python3
"""Draws the program's icons and writes them as multi-size .ico files beside this script.

Each icon is a short list of shapes on a 16 by 16 grid (rounded squares, bars, lines, circles),
rasterised with 4x4 supersampling at 16, 24, 32 and 48 pixels and stored as 32-bit images with an
alpha channel. The .ico files are committed, so the build does not need this script; run it again
after changing a drawing:  python3 src/app/res/make-icons.py
"""
import math
import os
import struct

SIZES = (16, 24, 32, 48)
WHITE = (255, 255, 255, 255)

# Background colours of the tray states: told apart by colour and by glyph at 16 by 16.
SLATE = (84, 98, 112, 255)
GREEN = (24, 150, 60, 255)
BLUE = (31, 105, 205, 255)
AMBER = (222, 140, 0, 255)
RED = (200, 36, 36, 255)
TEAL = (18, 110, 130, 255)
SCANLINE = (235, 40, 40, 255)

# A barcode: (left, width) of each bar on the 16 grid.
BARS = ((3, 1), (5, 2), (8, 1), (10, 2), (13, 1))


def rounded_square(colour, radius=3.0):
    return ("roundrect", 0.5, 0.5, 15.5, 15.5, radius, colour)


def barcode(colour, top=3.5, bottom=12.5):
    return [("rect", left, top, left + width, bottom, colour) for left, width in BARS]


DRAWINGS = {
    # The program: a barcode on teal with the red line of a scanner across it.
    "Quilbar.ico": [rounded_square(TEAL)] + barcode(WHITE, 3, 13) + [("line", 1.5, 8, 14.5, 8, 1.2, SCANLINE)],
    # Idle: the barcode on slate.
    "TrayIdle.ico": [rounded_square(SLATE)] + barcode(WHITE),
    # A data string arrived: the barcode on green with a bright frame.
    "TrayData.ico": [rounded_square(GREEN)] + barcode(WHITE),
    # The clipboard went out of the port: an arrow pointing out, on blue.
    "TraySent.ico": [rounded_square(BLUE),
                     ("line", 3, 8, 11, 8, 2.2, WHITE),
                     ("polygon", ((9, 3.5), (13.5, 8), (9, 12.5)), WHITE)],
    # A hardware pin changed: a connector pin (ring and dot) on amber.
    "TrayPin.ico": [rounded_square(AMBER),
                    ("ring", 8, 8, 4.6, 1.6, WHITE),
                    ("circle", 8, 8, 1.5, WHITE)],
    # The port failed: a cross on red.
    "TrayFailed.ico": [rounded_square(RED),
                       ("line", 4, 4, 12, 12, 2.4, WHITE),
                       ("line", 12, 4, 4, 12, 2.4, WHITE)],
}


def inside(shape, x, y):
    kind = shape[0]
    if kind == "rect":
        _, x0, y0, x1, y1, _ = shape
        return x0 <= x < x1 and y0 <= y < y1
    if kind == "roundrect":
        _, x0, y0, x1, y1, r, _ = shape
        if not (x0 <= x < x1 and y0 <= y < y1):
            return False
        cx = min(max(x, x0 + r), x1 - r)
        cy = min(max(y, y0 + r), y1 - r)
        return (x - cx) ** 2 + (y - cy) ** 2 <= r * r
    if kind == "circle":
        _, cx, cy, r, _ = shape
        return (x - cx) ** 2 + (y - cy) ** 2 <= r * r
    if kind == "ring":
        _, cx, cy, r, width, _ = shape
        return abs(math.hypot(x - cx, y - cy) - r) <= width / 2
    if kind == "line":
        _, x0, y0, x1, y1, width, _ = shape
        dx, dy = x1 - x0, y1 - y0
        t = max(0.0, min(1.0, ((x - x0) * dx + (y - y0) * dy) / (dx * dx + dy * dy)))
        return math.hypot(x - (x0 + t * dx), y - (y0 + t * dy)) <= width / 2
    if kind == "polygon":
        points = shape[1]
        result = False
        j = len(points) - 1
        for i, (xi, yi) in enumerate(points):
            xj, yj = points[j]
            if (yi > y) != (yj > y) and x < (xj - xi) * (y - yi) / (yj - yi) + xi:
                result = not result
            j = i
        return result
    raise ValueError(kind)


def render(shapes, size, samples=4):
    """Rows of (r, g, b, a), top row first, straight (not premultiplied) alpha."""
    scale = 16.0 / size
    rows = []
    for py in range(size):
        row = []
        for px in range(size):
            acc = [0.0, 0.0, 0.0, 0.0]  # premultiplied
            for sy in range(samples):
                for sx in range(samples):
                    x = (px + (sx + 0.5) / samples) * scale
                    y = (py + (sy + 0.5) / samples) * scale
                    colour = None
                    for shape in shapes:
                        if inside(shape, x, y):
                            colour = shape[-1]
                    if colour:
                        a = colour[3] / 255.0
                        for c in range(3):
                            acc[c] += colour[c] * a
                        acc[3] += a
            n = samples * samples
            alpha = acc[3] / n
            if alpha > 0:
                row.append(tuple(int(round(acc[c] / n / alpha)) for c in range(3)) + (int(round(alpha * 255)),))
            else:
                row.append((0, 0, 0, 0))
        rows.append(row)
    return rows


def bitmap(rows):
    size = len(rows)
    header = struct.pack("<IiiHHIIiiII", 40, size, size * 2, 1, 32, 0, 0, 0, 0, 0, 0)
    pixels = b"".join(bytes((b, g, r, a)) for row in reversed(rows) for (r, g, b, a) in row)
    mask_stride = ((size + 31) // 32) * 4
    mask = bytes(mask_stride * size)  # the alpha channel decides; the mask stays clear
    return header + pixels + mask


def ico(shapes):
    images = [bitmap(render(shapes, size)) for size in SIZES]
    out = struct.pack("<HHH", 0, 1, len(images))
    offset = 6 + 16 * len(images)
    for size, image in zip(SIZES, images):
        out += struct.pack("<BBBBHHII", size % 256, size % 256, 0, 0, 1, 32, len(image), offset)
        offset += len(image)
    return out + b"".join(images)


def main():
    here = os.path.dirname(os.path.abspath(__file__))
    for name, shapes in DRAWINGS.items():
        with open(os.path.join(here, name), "wb") as f:
            f.write(ico(shapes))
        print("make-icons:", name)


if __name__ == "__main__":
    main()
