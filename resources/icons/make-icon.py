#!/usr/bin/env python3
# SPDX-License-Identifier: GPL-3.0-or-later
# Writes tolvane.png, the 32 x 32 icon of the about box: four bevelled
# blocks in the colours of the four games, on a transparent ground.
import struct
import zlib

SIZE = 32
BLOCKS = [  # left, top, (r, g, b)
    (1, 1, (255, 0, 0)),
    (17, 1, (0, 255, 0)),
    (1, 17, (255, 255, 0)),
    (17, 17, (0, 255, 255)),
]
BLOCK = 14
BEVEL = 2


def shade(rgb, factor):
    return tuple(min(255, int(c * factor + (255 - c) * max(0.0, factor - 1.0))) for c in rgb)


def pixel(x, y):
    for left, top, rgb in BLOCKS:
        dx, dy = x - left, y - top
        if 0 <= dx < BLOCK and 0 <= dy < BLOCK:
            if dx < BEVEL or dy < BEVEL:
                return shade(rgb, 1.5) + (255,)
            if dx >= BLOCK - BEVEL or dy >= BLOCK - BEVEL:
                return shade(rgb, 0.5) + (255,)
            return rgb + (255,)
    return (0, 0, 0, 0)


def chunk(kind, data):
    body = kind + data
    return struct.pack(">I", len(data)) + body + struct.pack(">I", zlib.crc32(body) & 0xFFFFFFFF)


rows = b"".join(b"\0" + bytes(c for x in range(SIZE) for c in pixel(x, y)) for y in range(SIZE))
png = (b"\x89PNG\r\n\x1a\n"
       + chunk(b"IHDR", struct.pack(">IIBBBBB", SIZE, SIZE, 8, 6, 0, 0, 0))
       + chunk(b"IDAT", zlib.compress(rows, 9))
       + chunk(b"IEND", b""))
with open("tolvane.png", "wb") as f:
    f.write(png)
