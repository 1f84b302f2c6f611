#!/usr/bin/env python3
"""Draws the small pictures of the editor's dialogs that are our own, as PNG files.

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


def main():
    root = Path(sys.argv[1]) if len(sys.argv) > 1 else Path(__file__).resolve().parent.parent
    target = root / "resources" / "dialogs" / "preview-glyph.png"
    target.parent.mkdir(parents=True, exist_ok=True)
    write_png(target, 16, 16, magnifier())
    print(target)


if __name__ == "__main__":
    main()
