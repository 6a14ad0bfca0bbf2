#!/usr/bin/env python3
"""Draws the sample bitmaps of this folder. Run it again after changing a picture.

tiles.bmp   128 x 32, 8 bits per pixel with a 4-grey palette: 64 tiles of
            8 x 8 in reading order (blank, bricks, grass, water, a frame,
            checkerboards, digits 0-9 ...), a tile set for Tilora.
sprite.bmp  16 x 16, 24 bits per pixel: a round face in black, grey and white
            on white, a sprite for dotpress -kK or Pixolin.
"""
import struct
from pathlib import Path

WHITE, LIGHT, DARK, BLACK = 0, 1, 2, 3
GREYS = [(255, 255, 255), (170, 170, 170), (85, 85, 85), (0, 0, 0)]

DIGITS = [
    "0110 1001 1001 1001 1001 0110", "0010 0110 0010 0010 0010 0111",
    "0110 1001 0010 0100 1000 1111", "1110 0001 0110 0001 0001 1110",
    "1001 1001 1111 0001 0001 0001", "1111 1000 1110 0001 0001 1110",
    "0110 1000 1110 1001 1001 0110", "1111 0001 0010 0100 0100 0100",
    "0110 1001 0110 1001 1001 0110", "0110 1001 0111 0001 0001 0110",
]


def tile_pixel(tile, x, y):
    """The grey of pixel (x, y) of tile number `tile`."""
    if tile == 0:
        return WHITE
    if tile == 1:  # bricks
        mortar = y % 4 == 3 or (x + (4 if y % 8 >= 4 else 0)) % 8 == 7
        return LIGHT if mortar else DARK
    if tile == 2:  # grass
        return DARK if (x * 3 + y * 5) % 7 == 0 else LIGHT if y < 2 else WHITE
    if tile == 3:  # water
        return DARK if (x + 2 * (y // 2)) % 8 in (0, 1) else LIGHT
    if tile == 4:  # frame
        return BLACK if x in (0, 7) or y in (0, 7) else WHITE
    if tile in (5, 6):  # checkerboards of single pixels and of 2 x 2 blocks
        size = 1 if tile == 5 else 2
        return BLACK if (x // size + y // size) % 2 else WHITE
    if 16 <= tile < 26:  # digits
        rows = DIGITS[tile - 16].split()
        if 1 <= y <= 6 and 2 <= x <= 5:
            return BLACK if rows[y - 1][x - 2] == "1" else WHITE
        return WHITE
    if tile >= 32:  # shades, darker to the right and down
        return (tile + x // 4 + y // 4) % 4
    return WHITE


def face_pixel(x, y):
    cx, cy = x - 7.5, y - 7.5
    r2 = cx * cx + cy * cy
    if r2 > 7.6 ** 2:
        return WHITE
    if r2 > 6.4 ** 2:
        return BLACK
    if (x, y) in ((5, 5), (10, 5), (5, 6), (10, 6)):
        return BLACK
    if y == 11 and 5 <= x <= 10 or (y == 10 and x in (4, 11)):
        return DARK
    return LIGHT


def bmp(width, height, rows_top_down, depth, palette=None):
    """An uncompressed bottom-up BMP with a 40-byte info header."""
    row_bytes = (width * depth + 7) // 8
    stride = (row_bytes + 3) // 4 * 4
    table = b"".join(struct.pack("<BBBx", b, g, r) for (r, g, b) in palette or [])
    offset = 14 + 40 + len(table)
    body = b""
    for row in reversed(rows_top_down):
        body += row + b"\0" * (stride - len(row))
    header = struct.pack("<2sIHHI", b"BM", offset + len(body), 0, 0, offset)
    info = struct.pack("<IiiHHIIiiII", 40, width, height, 1, depth, 0, len(body), 2835, 2835,
                       len(palette or []), 0)
    return header + info + table + body


def main():
    here = Path(__file__).resolve().parent
    rows = []
    for y in range(32):
        rows.append(bytes(tile_pixel((y // 8) * 16 + x // 8, x % 8, y % 8) for x in range(128)))
    (here / "tiles.bmp").write_bytes(bmp(128, 32, rows, 8, GREYS))

    rows = []
    for y in range(16):
        row = b""
        for x in range(16):
            r, g, b = GREYS[face_pixel(x, y)]
            row += bytes((b, g, r))
        rows.append(row)
    (here / "sprite.bmp").write_bytes(bmp(16, 16, rows, 24))


if __name__ == "__main__":
    main()
