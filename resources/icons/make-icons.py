#!/usr/bin/env python3
# SPDX-License-Identifier: GPL-3.0-or-later
# Writes the icons of Tolvane beside this script: tolvane.png, the 32 x 32
# icon of the about box and the windows, and the desktop icons in hicolor/,
# a scalable SVG and PNGs of the usual sizes. All show one picture: four
# bevelled blocks in the colours of the four games, on a transparent
# ground, drawn on a 32 x 32 grid; a size other than 32 takes the same
# shapes scaled, each pixel coloured by how much of it each shape covers.
# The output is committed, so the build needs no Python; run this again
# after changing the picture.
import os
import struct
import zlib

NAME = "org.example.tolvane"
GRID = 32  # the picture is drawn on a 32 x 32 grid
SIZES = [16, 24, 32, 48, 64, 128, 256]
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


def rectangles():
    """The picture as disjoint rectangles: (x0, y0, x1, y1, (r, g, b))."""
    far = BLOCK - BEVEL
    for left, top, rgb in BLOCKS:
        light, dark = shade(rgb, 1.5), shade(rgb, 0.5)
        for x0, y0, x1, y1, colour in [
            (0, 0, BLOCK, BEVEL, light),      # top edge
            (0, BEVEL, BEVEL, BLOCK, light),  # left edge
            (far, BEVEL, BLOCK, BLOCK, dark),  # right edge
            (BEVEL, far, far, BLOCK, dark),   # bottom edge
            (BEVEL, BEVEL, far, far, rgb),    # face
        ]:
            yield left + x0, top + y0, left + x1, top + y1, colour


def svg():
    lines = [
        '<?xml version="1.0" encoding="UTF-8"?>',
        f'<svg xmlns="http://www.w3.org/2000/svg" width="{GRID}" height="{GRID}" '
        f'viewBox="0 0 {GRID} {GRID}">',
    ]
    for x0, y0, x1, y1, (r, g, b) in rectangles():
        lines.append(f'  <rect x="{x0}" y="{y0}" width="{x1 - x0}" height="{y1 - y0}" '
                     f'fill="#{r:02x}{g:02x}{b:02x}"/>')
    lines.append("</svg>")
    return "\n".join(lines) + "\n"


def overlap(a0, a1, b0, b1):
    return max(0.0, min(a1, b1) - max(a0, b0))


def png(size):
    scale = size / GRID
    shapes = [(x0 * scale, y0 * scale, x1 * scale, y1 * scale, rgb)
              for x0, y0, x1, y1, rgb in rectangles()]
    rows = []
    for y in range(size):
        row = bytearray(b"\0")
        for x in range(size):
            # The shapes do not overlap: each adds its covered share.
            cover, sums = 0.0, [0.0, 0.0, 0.0]
            for x0, y0, x1, y1, rgb in shapes:
                part = overlap(x, x + 1, x0, x1) * overlap(y, y + 1, y0, y1)
                if part:
                    cover += part
                    for i in range(3):
                        sums[i] += part * rgb[i]
            if cover <= 0.0:
                row += bytes(4)
            else:
                row += bytes(min(255, round(s / cover)) for s in sums)
                row.append(min(255, round(cover * 255)))
        rows.append(bytes(row))

    def chunk(kind, data):
        body = kind + data
        return struct.pack(">I", len(data)) + body + struct.pack(">I", zlib.crc32(body) & 0xFFFFFFFF)

    return (b"\x89PNG\r\n\x1a\n"
            + chunk(b"IHDR", struct.pack(">IIBBBBB", size, size, 8, 6, 0, 0, 0))
            + chunk(b"IDAT", zlib.compress(b"".join(rows), 9))
            + chunk(b"IEND", b""))


def write(path, data):
    os.makedirs(os.path.dirname(path), exist_ok=True)
    with open(path, "wb") as f:
        f.write(data)


here = os.path.dirname(os.path.abspath(__file__))
write(os.path.join(here, "tolvane.png"), png(GRID))
write(os.path.join(here, "hicolor", "scalable", "apps", NAME + ".svg"), svg().encode())
for size in SIZES:
    write(os.path.join(here, "hicolor", f"{size}x{size}", "apps", NAME + ".png"), png(size))
