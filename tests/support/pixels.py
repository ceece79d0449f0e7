#!/usr/bin/python3
"""Checks on screenshots of the real window, for the end-to-end tests.

  pixels.py contrast IMAGE X Y W H [MIN]
      The text in the rectangle against its own background: the background is
      the rectangle's most common colour, the text the pixel that stands out
      most from it. Prints the WCAG contrast ratio; fails below MIN (4.5).
  pixels.py white IMAGE X Y W H [EX EY EW EH]...
      Every pixel of the rectangle, but those of the excluded rectangles, is
      pure white. Prints how many are not.
  pixels.py differ IMAGE1 IMAGE2 X Y W H
      The rectangle is not the same in both images.
  pixels.py focus UNFOCUSED FOCUSED X Y W H [MIN]
      The focus indicator of the control in the rectangle: the pixels within 4
      of it whose colour changes at least MIN:1 (3) between a screenshot with
      the focus elsewhere and one with the focus on the control. Prints their
      number and their median ratio; fails when they are fewer than 90 % of a
      one-pixel outline of the control, 2 (W + H) (its corners may be
      rounded).
  pixels.py marks IMAGE X Y W H
      Something is drawn in the rectangle: at least a few pixels differ
      clearly from its most common colour.
  pixels.py pointer PLAIN WITH X Y
      The pointer's shape at X Y: the pixels near it that differ between a
      screenshot without the pointer and one with it. Prints the shape as a
      short fingerprint and the number of its pixels.
  pixels.py png FILE
      FILE is a PNG image that holds a picture; prints its size.
  pixels.py each
      Runs the checks on standard input, one a line: a label (one word), then
      a command and its arguments as above. Prints a line for each, "LABEL ok
      OUTPUT" or "LABEL FAIL OUTPUT"; fails when any check failed.
Rectangles are in the image's pixels.
"""
import contextlib
import functools
import hashlib
import io
import sys
from collections import Counter

from PIL import Image


@functools.lru_cache(maxsize=None)
def load(path):
    """The image as RGB, read once however many checks look at it."""
    return Image.open(path).convert("RGB")


def luminance(rgb):
    def channel(c):
        c = c / 255.0
        return c / 12.92 if c <= 0.03928 else ((c + 0.055) / 1.055) ** 2.4

    r, g, b = rgb[:3]
    return 0.2126 * channel(r) + 0.7152 * channel(g) + 0.0722 * channel(b)


def ratio(a, b):
    la, lb = luminance(a), luminance(b)
    hi, lo = max(la, lb), min(la, lb)
    return (hi + 0.05) / (lo + 0.05)


def region(image, x, y, w, h):
    return [image.getpixel((i, j)) for j in range(y, y + h) for i in range(x, x + w)]


def contrast(args):
    path, x, y, w, h = args[0], *map(int, args[1:5])
    least = float(args[5]) if len(args) > 5 else 4.5
    pixels = region(load(path), x, y, w, h)
    background = Counter(pixels).most_common(1)[0][0]
    best = max(ratio(p, background) for p in pixels)
    print(f"{best:.2f} background={background}")
    return 0 if best >= least else 1


def inside(px, py, rects):
    return any(rx <= px < rx + rw and ry <= py < ry + rh for rx, ry, rw, rh in rects)


def white(args):
    path, x, y, w, h = args[0], *map(int, args[1:5])
    numbers = list(map(int, args[5:]))
    excluded = [tuple(numbers[i:i + 4]) for i in range(0, len(numbers), 4)]
    image = load(path)
    off = Counter()
    for j in range(y, y + h):
        for i in range(x, x + w):
            if inside(i, j, excluded):
                continue
            p = image.getpixel((i, j))
            if p != (255, 255, 255):
                off[p] += 1
    total = sum(off.values())
    print(f"{total} not white" + (f", most {off.most_common(3)}" if total else ""))
    return 0 if total == 0 else 1


def differ(args):
    a, b = load(args[0]), load(args[1])
    x, y, w, h = map(int, args[2:6])
    changed = sum(1 for p, q in zip(region(a, x, y, w, h), region(b, x, y, w, h)) if p != q)
    print(f"{changed} pixels differ")
    return 0 if changed > 0 else 1


def focus(args):
    x, y, w, h = map(int, args[2:6])
    least = float(args[6]) if len(args) > 6 else 3.0
    grown = (x - 4, y - 4, w + 8, h + 8)
    ratios = sorted(r for r in (ratio(p, q) for p, q in zip(region(load(args[0]), *grown),
                                                             region(load(args[1]), *grown)))
                    if r >= least)
    median = ratios[len(ratios) // 2] if ratios else 1.0
    print(f"{len(ratios)} pixels change {least}:1 or more, median {median:.2f}")
    return 0 if len(ratios) >= 0.9 * 2 * (w + h) else 1


def marks(args):
    path, x, y, w, h = args[0], *map(int, args[1:5])
    pixels = region(load(path), x, y, w, h)
    background = Counter(pixels).most_common(1)[0][0]
    drawn = sum(1 for p in pixels if ratio(p, background) >= 2.0)
    print(f"{drawn} pixels drawn on {background}")
    return 0 if drawn >= 6 else 1


def pointer(args):
    plain = load(args[0])
    shown = load(args[1])
    x, y = int(args[2]), int(args[3])
    shape = []
    for j in range(max(0, y - 32), min(plain.height, y + 32)):
        for i in range(max(0, x - 32), min(plain.width, x + 32)):
            if plain.getpixel((i, j)) != shown.getpixel((i, j)):
                shape.append((i - x, j - y))
    digest = hashlib.sha1(repr(shape).encode()).hexdigest()[:12]
    print(f"{digest} {len(shape)}")
    return 0 if shape else 1


def png(args):
    with open(args[0], "rb") as f:
        if f.read(8) != b"\x89PNG\r\n\x1a\n":
            print("not a PNG file")
            return 1
    image = Image.open(args[0])
    image.load()
    print(f"{image.width}x{image.height}")
    colours = image.convert("RGB").getcolors(1 << 20)
    return 0 if image.width > 100 and image.height > 100 and (colours is None or len(colours) > 4) else 1


def each(args):
    failed = 0
    for line in sys.stdin:
        words = line.split()
        if len(words) < 3 or words[1] not in COMMANDS:
            continue
        output = io.StringIO()
        with contextlib.redirect_stdout(output):
            status = COMMANDS[words[1]](words[2:])
        failed += status != 0
        print(f"{words[0]} {'ok' if status == 0 else 'FAIL'} {output.getvalue().strip()}")
    return 1 if failed else 0


COMMANDS = {"contrast": contrast, "white": white, "differ": differ, "focus": focus, "marks": marks,
            "pointer": pointer, "png": png}

if __name__ == "__main__":
    if sys.argv[1:] == ["each"]:
        sys.exit(each([]))
    if len(sys.argv) < 3 or sys.argv[1] not in COMMANDS:
        sys.exit(__doc__)
    sys.exit(COMMANDS[sys.argv[1]](sys.argv[2:]))
