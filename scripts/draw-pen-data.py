#!/usr/bin/env python3
"""Draws the record window's pictures into data/PenData as PNG files.

The pen icons (green.dat .. red2.dat) mark where each channel's trace begins,
in the channel's colour; 12.dat and 13.dat are the view-switch button's
pictures of the live view (a running trace) and of the file view (a page).
The program loads them by these names; run this script to draw them again.
"""
import os
import struct
import sys
import zlib

OUT = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "data", "PenData")


def png(width, height, pixels):
    rows = b"".join(b"\x00" + bytes(c for px in pixels[y * width:(y + 1) * width] for c in px)
                    for y in range(height))

    def chunk(kind, data):
        body = kind + data
        return struct.pack(">I", len(data)) + body + struct.pack(">I", zlib.crc32(body) & 0xFFFFFFFF)

    return (b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", struct.pack(">IIBBBBB", width, height, 8, 6, 0, 0, 0)) +
            chunk(b"IDAT", zlib.compress(rows, 9)) + chunk(b"IEND", b""))


def pen(colour):
    """A 25 x 15 pen nib pointing right: its tip (x 24, y 7) sits on the trace."""
    w, h = 25, 15
    px = [(0, 0, 0, 0)] * (w * h)
    dark = tuple(max(0, c - 80) for c in colour)
    for y in range(h):
        for x in range(w):
            d = abs(y - 7)
            if x < 14 and d <= 4:  # barrel
                px[y * w + x] = (*(dark if d == 4 or x == 0 else colour), 255)
            elif 14 <= x <= 24 and d <= (24 - x) * 4 // 10:  # nib
                px[y * w + x] = (*(dark if d == (24 - x) * 4 // 10 else colour), 255)
    return png(w, h, px)


def picture(kind):
    """24 x 24 view-switch pictures: 12 = live trace, 13 = a page of a file."""
    w = h = 24
    px = [(0, 0, 0, 0)] * (w * h)

    def put(x, y, c):
        if 0 <= x < w and 0 <= y < h:
            px[y * w + x] = (*c, 255)

    if kind == 12:
        for x in range(2, 22):
            put(x, 20, (80, 80, 80))
        pts = [(2, 14), (6, 8), (10, 16), (14, 5), (18, 12), (21, 9)]
        for (x0, y0), (x1, y1) in zip(pts, pts[1:]):
            for t in range(0, 21):
                x = round(x0 + (x1 - x0) * t / 20)
                y = round(y0 + (y1 - y0) * t / 20)
                put(x, y, (0, 128, 0))
                put(x, y + 1, (0, 128, 0))
        for y in range(2, 7):
            for x in range(17, 22):
                if (x - 19) ** 2 + (y - 4) ** 2 <= 5:
                    put(x, y, (220, 0, 0))
    else:
        for y in range(2, 22):
            for x in range(4, 20):
                edge = x in (4, 19) or y in (2, 21)
                put(x, y, (60, 60, 60) if edge else (255, 255, 255))
        for y in (7, 11, 15):
            for x in range(7, 17):
                put(x, y, (0, 0, 255))
        for x in range(7, 17):
            put(x, 18 - (x - 7) // 3, (0, 128, 0))
    return png(w, h, px)


def main():
    os.makedirs(OUT, exist_ok=True)
    pens = {"green": (0, 128, 0), "red": (255, 0, 0), "blue": (0, 0, 255), "maroon": (128, 0, 0),
            "yellow": (255, 255, 0), "red2": (255, 0, 255)}
    files = {name + ".dat": pen(c) for name, c in pens.items()}
    files["12.dat"] = picture(12)
    files["13.dat"] = picture(13)
    for name, data in files.items():
        with open(os.path.join(OUT, name), "wb") as f:
            f.write(data)
    return 0


if __name__ == "__main__":
    sys.exit(main())
