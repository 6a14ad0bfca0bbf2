#include "drawing.h"

#include <algorithm>
#include <cmath>

namespace {

int CellOf(float position) {
    // To the nearest whole pixel (halves to even), then 16 pixels a cell,
    // truncated toward zero.
    const int pixel = int(std::nearbyint(position));
    return std::clamp(pixel / 16, 0, kSpriteSide - 1);
}

// One pass of the span fill along row y, from x in steps of dx: fills while
// the cells hold target, and pushes the first target cell of each run met
// above and below.
void ScanRun(Sprite& sprite, FillStack& stack, int x, int y, int dx, uint8_t target, uint8_t code) {
    bool above = false, below = false;
    const auto look = [&](int nx, int ny, bool& flag) {
        if (sprite.Pixels(nx, ny) == target) {
            if (!flag) {
                stack.entries[stack.FillTop++] = Cell{nx, ny};
                flag = true;
            }
        } else {
            flag = false;
        }
    };
    for (; x >= 0 && x < kSpriteSide && sprite.Pixels(x, y) == target; x += dx) {
        sprite.Pixels(x, y) = code;
        if (y >= 1) look(x, y - 1, above);
        if (y <= kSpriteSide - 2) look(x, y + 1, below);
    }
}

}  // namespace

Cell CellUnderPointer(float X, float Y) { return Cell{CellOf(X), CellOf(Y)}; }

void FillRect(Sprite& sprite, int x0, int y0, int x1, int y1, uint8_t code) {
    for (int y = std::min(y0, y1); y <= std::max(y0, y1); ++y) {
        for (int x = std::min(x0, x1); x <= std::max(x0, x1); ++x) sprite.Pixels(x, y) = code;
    }
}

void DrawLine(Sprite& sprite, int x0, int y0, int x1, int y1, uint8_t code) {
    const int dx = std::abs(x1 - x0), sx = x1 >= x0 ? 1 : -1;
    const int dy = std::abs(y1 - y0), sy = y1 >= y0 ? 1 : -1;
    int x = x0, y = y0;
    if (dx >= dy) {
        for (int e = 2 * dy - dx; x != x1; e += 2 * dy, x += sx) {
            sprite.Pixels(x, y) = code;
            if (e >= 0) {
                y += sy;
                e -= 2 * dx;
            }
        }
    } else {
        for (int e = 2 * dx - dy; y != y1; e += 2 * dx, y += sy) {
            sprite.Pixels(x, y) = code;
            if (e >= 0) {
                x += sx;
                e -= 2 * dy;
            }
        }
    }
    sprite.Pixels(x, y) = code;
}

void FloodFill(Sprite& sprite, int x, int y, uint8_t code) {
    const uint8_t target = sprite.Pixels(x, y);
    if (target == code) return;
    FillStack stack;
    for (;;) {
        // The left scan starts at the seed itself, the right scan next to it;
        // the run beside the seed may so be pushed twice, which is harmless.
        ScanRun(sprite, stack, x, y, -1, target, code);
        ScanRun(sprite, stack, x + 1, y, +1, target, code);
        if (stack.FillTop == 0) return;
        const Cell seed = stack.entries[--stack.FillTop];
        x = seed.x;
        y = seed.y;
    }
}
