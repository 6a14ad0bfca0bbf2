// The drawing tools' algorithms on one sprite.
#pragma once

#include <array>
#include <cstdint>

#include "sprite.h"

struct Cell {
    int x;
    int y;
    bool operator==(const Cell&) const = default;
};

// The sprite cell under a canvas position (16 canvas pixels a cell), clamped
// to the sprite, so a pointer outside the canvas maps to the nearest edge cell.
Cell CellUnderPointer(float X, float Y);

// Every cell of the rectangle with the two points as opposite corners.
void FillRect(Sprite& sprite, int x0, int y0, int x1, int y1, uint8_t code);

// An integer midpoint line from (x0, y0) to (x1, y1), both ends included. On an
// exact tie the minor coordinate steps at once, so the cells depend on which
// end comes first.
void DrawLine(Sprite& sprite, int x0, int y0, int x1, int y1, uint8_t code);

// Seeds waiting to be filled; a 16 x 16 sprite never needs more than 512.
struct FillStack {
    std::array<Cell, 1024> entries;
    int FillTop = 0;
};

// Fills the 4-connected region of equal code under (x, y) with a scan-line
// fill on an explicit stack.
void FloodFill(Sprite& sprite, int x, int y, uint8_t code);
