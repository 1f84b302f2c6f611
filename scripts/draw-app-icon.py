#!/usr/bin/env python3
"""Draws Setwright's application icon: a project page in front of an installation disc.

Writes the scalable SVG and the PNG sizes of the hicolor icon theme below the folder given
(packaging/icons by default, `make app-icon`); the files it writes are committed. One list of
shapes feeds both, so the SVG and the PNGs cannot drift apart. Standard library only.
"""
import math
import struct
import sys
import zlib
from pathlib import Path

SIZES = (16, 32, 48, 64, 128, 256)
CANVAS = 256.0  # the drawing's own units; the SVG's viewBox


def rgb(text):
    return tuple(int(text[i:i + 2], 16) for i in (1, 3, 5))


# A fill is a colour with opacity, or a vertical gradient (y0, colour0, y1, colour1).
BACKGROUND = ("gradient", 12, rgb("#3d73b4"), 244, rgb("#1d3b6e"))
DISC = ("gradient", 76, rgb("#f5f7fa"), 244, rgb("#a9b4c3"))

# Shapes from the back to the front.
SHAPES = [
    ("rounded", (12, 12, 244, 244, 44), BACKGROUND, 1.0),
    ("circle", (160, 160, 84), DISC, 1.0),
    ("circle", (160, 160, 56), ("solid", rgb("#c3ccd8")), 0.55),
    ("circle", (160, 160, 28), ("solid", rgb("#d7dde6")), 1.0),
    ("circle", (160, 160, 12), BACKGROUND, 1.0),
    # The page's shadow, then the page with its folded corner.
    ("polygon", ((50, 42), (134, 42), (162, 70), (162, 210), (50, 210)), ("solid", (0, 0, 0)), 0.28),
    ("polygon", ((44, 36), (128, 36), (156, 64), (156, 204), (44, 204)), ("solid", rgb("#ffffff")), 1.0),
    ("polygon", ((128, 36), (128, 64), (156, 64)), ("solid", rgb("#c5d0de")), 1.0),
    # A section header and its keys.
    ("line", (62, 62, 106, 62, 6), ("solid", rgb("#e8871e")), 1.0),
    ("line", (62, 92, 138, 92, 5), ("solid", rgb("#4f75ae")), 1.0),
    ("line", (62, 116, 124, 116, 5), ("solid", rgb("#4f75ae")), 1.0),
    ("line", (62, 140, 138, 140, 5), ("solid", rgb("#4f75ae")), 1.0),
    ("line", (62, 164, 112, 164, 5), ("solid", rgb("#4f75ae")), 1.0),
]


def inside(kind, geometry, x, y):
    if kind == "circle":
        cx, cy, r = geometry
        return (x - cx) ** 2 + (y - cy) ** 2 <= r * r
    if kind == "rounded":
        x0, y0, x1, y1, r = geometry
        if not (x0 <= x <= x1 and y0 <= y <= y1):
            return False
        dx = max(x0 + r - x, 0, x - (x1 - r))
        dy = max(y0 + r - y, 0, y - (y1 - r))
        return dx * dx + dy * dy <= r * r
    if kind == "line":  # a segment with round caps, `half` its half width
        ax, ay, bx, by, half = geometry
        dx, dy = bx - ax, by - ay
        t = max(0.0, min(1.0, ((x - ax) * dx + (y - ay) * dy) / (dx * dx + dy * dy)))
        return math.hypot(x - ax - t * dx, y - ay - t * dy) <= half
    # An even-odd test is enough for these convex polygons.
    result = False
    points = geometry
    for (ax, ay), (bx, by) in zip(points, points[1:] + points[:1]):
        if (ay > y) != (by > y) and x < ax + (y - ay) * (bx - ax) / (by - ay):
            result = not result
    return result


def colour_at(fill, y):
    if fill[0] == "solid":
        return fill[1]
    _, y0, c0, y1, c1 = fill
    t = max(0.0, min(1.0, (y - y0) / (y1 - y0)))
    return tuple(a + (b - a) * t for a, b in zip(c0, c1))


def render(size):
    """Rows of (r, g, b, a), each pixel the average of a grid of samples composited back to front."""
    grid = 4 if size <= 128 else 3
    scale = CANVAS / size
    rows = []
    for py in range(size):
        row = []
        for px in range(size):
            total = [0.0, 0.0, 0.0, 0.0]  # premultiplied
            for sy in range(grid):
                y = (py + (sy + 0.5) / grid) * scale
                for sx in range(grid):
                    x = (px + (sx + 0.5) / grid) * scale
                    r = g = b = a = 0.0
                    for kind, geometry, fill, opacity in SHAPES:
                        if not inside(kind, geometry, x, y):
                            continue
                        cr, cg, cb = colour_at(fill, y)
                        r = cr * opacity + r * (1 - opacity)
                        g = cg * opacity + g * (1 - opacity)
                        b = cb * opacity + b * (1 - opacity)
                        a = opacity + a * (1 - opacity)
                    total[0] += r
                    total[1] += g
                    total[2] += b
                    total[3] += a
            count = grid * grid
            alpha = total[3] / count
            if alpha <= 0:
                row.append((0, 0, 0, 0))
                continue
            row.append(tuple(round(min(255.0, c / count / alpha)) for c in total[:3]) + (round(alpha * 255),))
        rows.append(row)
    return rows


def write_png(path, size, pixels):
    raw = b"".join(b"\0" + b"".join(struct.pack("BBBB", *p) for p in row) for row in pixels)

    def chunk(kind, data):
        return struct.pack(">I", len(data)) + kind + data + struct.pack(">I", zlib.crc32(kind + data) & 0xFFFFFFFF)

    header = struct.pack(">IIBBBBB", size, size, 8, 6, 0, 0, 0)
    path.write_bytes(b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", header) + chunk(b"IDAT", zlib.compress(raw, 9))
                     + chunk(b"IEND", b""))


def hex_colour(colour):
    return "#%02x%02x%02x" % tuple(round(c) for c in colour)


def svg():
    gradients = {}
    body = []
    for kind, geometry, fill, opacity in SHAPES:
        if fill[0] == "solid":
            paint = hex_colour(fill[1])
        else:
            name = gradients.setdefault(fill, "g%d" % len(gradients))
            paint = "url(#%s)" % name
        extra = "" if opacity == 1.0 else ' fill-opacity="%g"' % opacity
        if kind == "circle":
            body.append('<circle cx="%g" cy="%g" r="%g" fill="%s"%s/>' % (*geometry, paint, extra))
        elif kind == "rounded":
            x0, y0, x1, y1, r = geometry
            body.append('<rect x="%g" y="%g" width="%g" height="%g" rx="%g" fill="%s"%s/>'
                        % (x0, y0, x1 - x0, y1 - y0, r, paint, extra))
        elif kind == "line":
            ax, ay, bx, by, half = geometry
            stroke_extra = "" if opacity == 1.0 else ' stroke-opacity="%g"' % opacity
            body.append('<line x1="%g" y1="%g" x2="%g" y2="%g" stroke="%s" stroke-width="%g" '
                        'stroke-linecap="round"%s/>' % (ax, ay, bx, by, paint, 2 * half, stroke_extra))
        else:
            points = " ".join("%g,%g" % p for p in geometry)
            body.append('<polygon points="%s" fill="%s"%s/>' % (points, paint, extra))
    defs = []
    for (_, y0, c0, y1, c1), name in gradients.items():
        defs.append('<linearGradient id="%s" gradientUnits="userSpaceOnUse" x1="0" y1="%g" x2="0" y2="%g">'
                    '<stop offset="0" stop-color="%s"/><stop offset="1" stop-color="%s"/></linearGradient>'
                    % (name, y0, y1, hex_colour(c0), hex_colour(c1)))
    lines = ['<?xml version="1.0" encoding="UTF-8"?>',
             '<svg xmlns="http://www.w3.org/2000/svg" width="256" height="256" viewBox="0 0 256 256">',
             "<defs>" + "".join(defs) + "</defs>"] + body + ["</svg>", ""]
    return "\n".join(lines)


def main():
    out = Path(sys.argv[1] if len(sys.argv) > 1 else "packaging/icons") / "hicolor"
    scalable = out / "scalable" / "apps"
    scalable.mkdir(parents=True, exist_ok=True)
    (scalable / "setwright.svg").write_text(svg(), encoding="utf-8")
    for size in SIZES:
        folder = out / ("%dx%d" % (size, size)) / "apps"
        folder.mkdir(parents=True, exist_ok=True)
        write_png(folder / "setwright.png", size, render(size))


if __name__ == "__main__":
    main()
