#!/usr/bin/env python3
"""Draws the editors' icons into data/icons/. Run it again after changing one.

pixolin.svg/.png  a 16 x 16 sprite in the handheld's three greens, the
                  corners magenta as Pixolin shows transparent pixels
tilora.svg/.png   four tiles in a 2 x 2 grid: bricks, water, grass, a ring

Each icon is a grid of square pixels: the SVG draws them as rectangles, the
PNG (48 x 48) as blocks of the same size, so the two show the same picture.
"""
import struct
import zlib
from pathlib import Path

COLOURS = {
    "L": (190, 220, 160),  # light
    "G": (123, 142, 104),  # mid
    "D": (55, 64, 47),     # dark
    "M": (255, 0, 255),    # transparent, as the editor shows it
}

PIXOLIN = """
MMLLLLLLLLLLLLMM
MLLLLLDDDDLLLLLM
LLLLDDGGGGDDLLLL
LLLDGGGGGGGGDLLL
LLDGGGGGGGGGGDLL
LLDGLDGGGGLDGDLL
LDGGLDGGGGLDGGDL
LDGGGGGGGGGGGGDL
LDGGGGGGGGGGGGDL
LDGGDGGGGGGDGGDL
LDGGGDDDDDDGGGDL
LDGGGGGGGGGGGGDL
LDGGGGGGGGGGGGDL
LDGDGGDGGDGGDGDL
MLDLDDLDDLDDLDLM
MMLLLLLLLLLLLLMM
"""

# Tilora's four tiles, 7 x 7 pixels each, a row to a word.
TILES = [
    # bricks
    "LLLGLLL LLLGLLL GGGGGGG LGLLLGL LGLLLGL GGGGGGG LLLGLLL",
    # water
    "LLLLLLL DDLLLDD LLDDDLL LLLLLLL DDLLLDD LLDDDLL LLLLLLL",
    # grass
    "LLLLLLL LLDLLLL DLDLLDL DGDGLDG GGGGGGG GDGGGGD GGGGDGG",
    # a ring
    "GGGGGGG GGDDDGG GDLLLDG GDLGLDG GDLLLDG GGDDDGG GGGGGGG",
]


def tilora_rows():
    """16 x 16: a dark line, 7 cells of a tile, a dark line, 7 cells, a dark line."""
    grid = [["D"] * 16 for _ in range(16)]
    for index, tile in enumerate(TILES):
        left, top = 1 + 8 * (index % 2), 1 + 8 * (index // 2)
        for y, row in enumerate(tile.split()):
            for x, colour in enumerate(row):
                grid[top + y][left + x] = colour
    return ["".join(row) for row in grid]


def svg(rows):
    size = len(rows)
    parts = [
        '<?xml version="1.0" encoding="UTF-8"?>',
        f'<svg xmlns="http://www.w3.org/2000/svg" width="48" height="48" '
        f'viewBox="0 0 {size} {size}" shape-rendering="crispEdges">',
    ]
    for y, row in enumerate(rows):
        x = 0
        while x < size:  # one rectangle for each run of one colour
            end = x
            while end < size and row[end] == row[x]:
                end += 1
            r, g, b = COLOURS[row[x]]
            parts.append(f'<rect x="{x}" y="{y}" width="{end - x}" height="1" '
                         f'fill="#{r:02x}{g:02x}{b:02x}"/>')
            x = end
    parts.append("</svg>")
    return "\n".join(parts) + "\n"


def png(rows, size=48):
    scale = size // len(rows)
    lines = []
    for y in range(size):
        row = rows[y // scale]
        lines.append(b"\0" + b"".join(bytes(COLOURS[row[x // scale]]) for x in range(size)))

    def chunk(kind, data):
        return (struct.pack(">I", len(data)) + kind + data
                + struct.pack(">I", zlib.crc32(kind + data) & 0xFFFFFFFF))

    return (b"\x89PNG\r\n\x1a\n"
            + chunk(b"IHDR", struct.pack(">IIBBBBB", size, size, 8, 2, 0, 0, 0))
            + chunk(b"IDAT", zlib.compress(b"".join(lines), 9))
            + chunk(b"IEND", b""))


def main():
    out = Path(__file__).resolve().parent.parent / "data" / "icons"
    out.mkdir(parents=True, exist_ok=True)
    for name, rows in (("pixolin", PIXOLIN.split()), ("tilora", tilora_rows())):
        assert len(rows) == 16 and all(len(row) == 16 for row in rows), name
        (out / f"{name}.svg").write_text(svg(rows))
        (out / f"{name}.png").write_bytes(png(rows))


if __name__ == "__main__":
    main()
