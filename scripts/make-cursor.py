#!/usr/bin/env python3
"""Draws Metrivo's hand pointer and writes it as a Windows cursor file.

The picture is a 32 by 32 pointing hand: black outline, white fill, the rest
transparent, with the hotspot at the tip of the index finger. The file holds
one image, stored as a 32-bit bitmap with alpha plus the AND mask, so that
both old and new readers of the format show the same pointer.

Usage: scripts/make-cursor.py [-v] [output]   (default: data/HAND-M.CUR)
  -v  also print the picture
"""

import pathlib
import struct
import sys

SIZE = 32
HOTSPOT = (5, 0)  # the index fingertip

# Parts of the hand as (left, top, right, bottom) rectangles, bounds included.
# Each finger is four columns wide: outline, two columns of fill, outline;
# neighbouring fingers share their outline column.
FINGERS = [(4, 1, 7, 14), (7, 6, 10, 14), (10, 7, 13, 14), (13, 9, 16, 14)]
PALM = [(4, 10, 16, 20), (5, 21, 15, 22)]
CUFF = [(6, 23, 14, 26)]
THUMB_ROWS = {9: (1, 2), 10: (0, 3), 11: (0, 4), 12: (1, 4), 13: (2, 4), 14: (3, 4)}
# Lines drawn inside the hand: the gaps between the fingers, the thumb's
# edge against the palm and the top of the cuff.
CREASES = ([(7, y) for y in range(5, 12)] + [(10, y) for y in range(6, 12)]
           + [(13, y) for y in range(8, 12)] + [(4, y) for y in range(9, 12)]
           + [(x, 23) for x in range(6, 15)])

TRANSPARENT, OUTLINE, FILL = " ", "#", "."


def draw():
    inside = set()
    for left, top, right, bottom in FINGERS + PALM + CUFF:
        inside.update((x, y) for x in range(left, right + 1) for y in range(top, bottom + 1))
    # Round the fingertips: the caps sit one row above each finger.
    for left, top, _, _ in FINGERS:
        inside.update({(left + 1, top - 1), (left + 2, top - 1)})
    for y, (left, right) in THUMB_ROWS.items():
        inside.update((x, y) for x in range(left, right + 1))

    rows = []
    for y in range(SIZE):
        row = []
        for x in range(SIZE):
            if (x, y) not in inside:
                row.append(TRANSPARENT)
                continue
            edge = any((x + dx, y + dy) not in inside
                       for dx, dy in ((1, 0), (-1, 0), (0, 1), (0, -1)))
            row.append(OUTLINE if edge or (x, y) in CREASES else FILL)
        rows.append("".join(row))
    return rows


def cursor_file(rows):
    # Colour image, bottom-up, BGRA.
    colours = {TRANSPARENT: (0, 0, 0, 0), OUTLINE: (0, 0, 0, 255), FILL: (255, 255, 255, 255)}
    pixels = b"".join(bytes(colours[c]) for row in reversed(rows) for c in row)
    # AND mask, bottom-up, one bit per pixel, rows padded to 32 bits: 1 keeps
    # the screen (transparent), 0 shows the colour image.
    mask = bytearray()
    for row in reversed(rows):
        bits = 0
        for c in row:
            bits = (bits << 1) | (1 if c == TRANSPARENT else 0)
        mask += bits.to_bytes(SIZE // 8, "big")
        mask += bytes((-(SIZE // 8)) % 4)
    header = struct.pack("<IiiHHIIiiII", 40, SIZE, 2 * SIZE, 1, 32, 0,
                         len(pixels) + len(mask), 0, 0, 0, 0)
    image = header + pixels + bytes(mask)
    icondir = struct.pack("<HHH", 0, 2, 1)
    entry = struct.pack("<BBBBHHII", SIZE, SIZE, 0, 0, HOTSPOT[0], HOTSPOT[1],
                        len(image), 6 + 16)
    return icondir + entry + image


def main():
    root = pathlib.Path(__file__).resolve().parent.parent
    args = [a for a in sys.argv[1:] if a != "-v"]
    out = pathlib.Path(args[0]) if args else root / "data" / "HAND-M.CUR"
    rows = draw()
    hx, hy = HOTSPOT
    assert rows[hy][hx] == OUTLINE, "the hotspot must lie on the fingertip"
    out.write_bytes(cursor_file(rows))
    if "-v" in sys.argv[1:]:
        print("\n".join(r.rstrip() for r in rows))


if __name__ == "__main__":
    main()
