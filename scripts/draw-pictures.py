#!/usr/bin/env python3
"""Draws the small pictures of the editor's dialogs and of the program tree that are our own, as PNG files.

Run it after changing a drawing; the pictures it writes are committed. Only the standard
library is used, so that it runs on any machine with Python 3.
"""
import math
import struct
import sys
import zlib
from pathlib import Path


def write_png(path, width, height, pixels):
    """pixels: rows of (r, g, b, a) tuples."""
    raw = b"".join(b"\0" + b"".join(struct.pack("BBBB", *p) for p in row) for row in pixels)

    def chunk(kind, data):
        return struct.pack(">I", len(data)) + kind + data + struct.pack(">I", zlib.crc32(kind + data) & 0xFFFFFFFF)

    header = struct.pack(">IIBBBBB", width, height, 8, 6, 0, 0, 0)
    path.write_bytes(b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", header) + chunk(b"IDAT", zlib.compress(raw, 9)) + chunk(b"IEND", b""))


def magnifier(size=16):
    """A magnifying glass: a blue lens with a dark rim and a brown handle to the lower right."""
    cx = cy = 6.0
    outer, inner = 5.2, 3.8
    pixels = []
    for y in range(size):
        row = []
        for x in range(size):
            px, py = x + 0.5, y + 0.5
            d = math.hypot(px - cx, py - cy)
            colour = (0, 0, 0, 0)
            if d <= inner:
                colour = (170, 210, 245, 255)
            elif d <= outer:
                colour = (40, 60, 90, 255)
            # The handle: a thick line from the rim to the corner.
            t = ((px - cx) + (py - cy)) / 2.0
            off = abs((px - cx) - (py - cy)) / math.sqrt(2)
            if outer - 0.3 <= t * math.sqrt(2) <= 13.0 and off <= 1.3:
                colour = (120, 70, 30, 255)
            row.append(colour)
        pixels.append(row)
    return pixels


STATE_WIDTH, STATE_HEIGHT, STATE_SLOTS = 21, 17, 13
# The box inside a 21 x 17 cell: its outer square, left and top edge and size in pixels.
BOX_LEFT, BOX_TOP, BOX_SIZE = 4, 2, 13


def segment_distance(px, py, ax, ay, bx, by):
    dx, dy = bx - ax, by - ay
    t = max(0.0, min(1.0, ((px - ax) * dx + (py - ay) * dy) / (dx * dx + dy * dy)))
    return math.hypot(px - (ax + t * dx), py - (ay + t * dy))


def blend(under, over, alpha):
    return tuple(round(u * (1 - alpha) + o * alpha) for u, o in zip(under[:3], over[:3])) + (255,)


def tick_cover(u, v):
    """How much of interior pixel (u, v) of the 11 x 11 inside a tick covers, 0 to 1."""
    px, py = u + 0.5, v + 0.5
    d = min(segment_distance(px, py, 2.0, 5.5, 4.5, 8.0), segment_distance(px, py, 4.5, 8.0, 9.0, 2.5))
    return max(0.0, min(1.0, 1.6 - d))


def state_interior(kind, u, v):
    """Interior pixel (u, v) of the box for the choice states 1 to 6 (see the tree's table)."""
    white, pale_green, light_grey, grey = (255, 255, 255, 255), (196, 236, 196, 255), (200, 200, 200, 255), (150, 150, 150, 255)
    if kind == 1:
        return white
    if kind == 2:
        return blend(white, (0, 150, 0), tick_cover(u, v))
    if kind == 3:
        return (0, 160, 0, 255) if 2 <= u <= 8 and 2 <= v <= 8 else white
    if kind == 4:
        return pale_green
    if kind == 5:
        return blend(light_grey, (0, 90, 0), tick_cover(u, v))
    return grey


def state_picture(slot):
    """One cell of the state list: slot 0 empty, 1 to 6 the choice states, 7 to 12 the same
    for a hidden program, whose marks fill only the lower right half of the box (the upper left
    half is stippled, so that an empty box still reads as hidden)."""
    cell = [[(0, 0, 0, 0)] * STATE_WIDTH for _ in range(STATE_HEIGHT)]
    if slot == 0:
        return cell
    kind, hidden = (slot - 1) % 6 + 1, slot > 6
    border = (110, 110, 110, 255) if kind >= 4 else (40, 40, 40, 255)
    last = BOX_SIZE - 1
    for y in range(BOX_SIZE):
        for x in range(BOX_SIZE):
            if x in (0, last) or y in (0, last):
                colour = border
            else:
                u, v = x - 1, y - 1
                if hidden and u + v < BOX_SIZE - 3:
                    colour = (222, 222, 222, 255) if (u + v) % 2 else (255, 255, 255, 255)
                else:
                    colour = state_interior(kind, u, v)
            cell[BOX_TOP + y][BOX_LEFT + x] = colour
    return cell


def state_pictures():
    """The 13 state cells side by side, one strip of 273 x 17 pixels."""
    cells = [state_picture(slot) for slot in range(STATE_SLOTS)]
    return [sum((cell[y] for cell in cells), []) for y in range(STATE_HEIGHT)]


def main():
    root = Path(sys.argv[1]) if len(sys.argv) > 1 else Path(__file__).resolve().parent.parent
    target = root / "resources" / "dialogs" / "preview-glyph.png"
    target.parent.mkdir(parents=True, exist_ok=True)
    write_png(target, 16, 16, magnifier())
    print(target)
    states = root / "resources" / "tree" / "state-pictures.png"
    write_png(states, STATE_WIDTH * STATE_SLOTS, STATE_HEIGHT, state_pictures())
    print(states)


if __name__ == "__main__":
    main()
