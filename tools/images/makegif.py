#!/usr/bin/env python3
"""Draws the program's two pictures as GIF files: the toolbar picture
crxtoolb.gif and the start-screen picture crx2000a.gif (a disc on blue).
Run: tools/images/makegif.py OUTPUT_DIR"""
import math
import struct
import sys

PALETTE = [(0x1b, 0x3a, 0x5c), (0x3f, 0x7f, 0xbf), (0xe0, 0xe6, 0xee), (0xff, 0xff, 0xff),
           (0x90, 0xa8, 0xc0), (0x10, 0x20, 0x30), (0xc0, 0xc8, 0xd8), (0x60, 0x90, 0xc8)]


def lzw(pixels):
    # Code size 3 (8 colours); a clear code every few pixels keeps codes at 4 bits.
    clear, end, bits = 8, 9, 4
    out, acc, nbits = bytearray(), 0, 0

    def emit(code):
        nonlocal acc, nbits
        acc |= code << nbits
        nbits += bits
        while nbits >= 8:
            out.append(acc & 0xff)
            acc >>= 8
            nbits -= 8

    for i, p in enumerate(pixels):
        if i % 5 == 0:
            emit(clear)
        emit(p)
    emit(end)
    if nbits:
        out.append(acc & 0xff)
    return bytes(out)


def gif(path, width, height, pixel):
    pixels = [pixel(x, y) for y in range(height) for x in range(width)]
    data = lzw(pixels)
    with open(path, "wb") as f:
        f.write(b"GIF89a" + struct.pack("<HHBBB", width, height, 0xf2, 0, 0))
        for r, g, b in PALETTE:
            f.write(bytes((r, g, b)))
        f.write(b"," + struct.pack("<HHHHB", 0, 0, width, height, 0) + bytes((3,)))
        for i in range(0, len(data), 255):
            chunk = data[i:i + 255]
            f.write(bytes((len(chunk),)) + chunk)
        f.write(b"\x00;")


def disc(cx, cy, r, x, y, base):
    d = math.hypot(x - cx, y - cy)
    if d < r * 0.12:
        return 0
    if d < r * 0.3:
        return 6
    if d < r:
        return 2 if int(d / 4) % 2 else 3
    return base


def toolbar(x, y):
    return disc(14, 14, 12, x, y, 1 if y < 14 else 0)


def start(x, y):
    base = 7 if (x + y) % 40 < 20 else 1
    return disc(210, 110, 90, x, y, 0 if y > 200 else base)


if __name__ == "__main__":
    out = sys.argv[1] if len(sys.argv) > 1 else "."
    gif(f"{out}/crxtoolb.gif", 160, 28, toolbar)
    gif(f"{out}/crx2000a.gif", 420, 220, start)
