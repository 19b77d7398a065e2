#!/usr/bin/env python3
"""Draws Pelldrop's icon with the same shapes and rasteriser as Quilbar's icons
(src/app/res/make-icons.py) and writes Pelldrop.ico beside this script. The .ico is committed, so
the build does not need this script; run it again after changing the drawing:
python3 src/pelldrop/res/make-icon.py
"""
import importlib.util
import os

HERE = os.path.dirname(os.path.abspath(__file__))
SPEC = importlib.util.spec_from_file_location(
    "quilbar_icons", os.path.join(HERE, "..", "..", "app", "res", "make-icons.py"))
icons = importlib.util.module_from_spec(SPEC)
SPEC.loader.exec_module(icons)

PLUM = (118, 58, 140, 255)
INK = (40, 40, 48, 255)

# A numbered page: a white sheet with a folded corner on plum, the bars of a scan written on it.
DRAWING = [
    icons.rounded_square(PLUM),
    ("polygon", ((3.5, 2), (9.5, 2), (12.5, 5), (12.5, 14), (3.5, 14)), icons.WHITE),
    ("polygon", ((9.5, 2), (9.5, 5), (12.5, 5)), (210, 190, 220, 255)),
    ("rect", 5, 7, 6, 12, INK),
    ("rect", 7, 7, 9, 12, INK),
    ("rect", 10, 7, 11, 12, INK),
]


def main():
    with open(os.path.join(HERE, "Pelldrop.ico"), "wb") as f:
        f.write(icons.ico(DRAWING))
    print("make-icon: Pelldrop.ico")


if __name__ == "__main__":
    main()
