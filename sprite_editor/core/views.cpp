#include "views.h"

#include <algorithm>

void DrawSprite(Image& picture4, const Sprite& sprite, const CodeColours& colours) {
    for (int y = 0; y < kSpriteSide; ++y) {
        for (int x = 0; x < kSpriteSide; ++x) picture4.SetPixel(x, y, colours[sprite.Pixels(x, y)]);
    }
}

void DrawSpriteOverBackground(Image& picture5, const Sprite& sprite, const CodeColours& colours) {
    picture5.Clear(kPreviewBackground);
    for (int y = 0; y < kSpriteSide; ++y) {
        for (int x = 0; x < kSpriteSide; ++x) {
            if (sprite.Pixels(x, y) != CodeMask) picture5.SetPixel(x, y, colours[sprite.Pixels(x, y)]);
        }
    }
}

namespace {

void HorizontalLine(Image& d, int y, Colour colour) {
    for (int x = 0; x < d.Width(); ++x) d.SetPixel(x, y, colour);
}

void VerticalLine(Image& d, int x, Colour colour) {
    for (int y = 0; y < d.Height(); ++y) d.SetPixel(x, y, colour);
}

}  // namespace

// The guides go over the finished grid, so that each runs unbroken across
// the other's lines.
void DrawCanvas(Image& d, const Image& picture4, bool guides) {
    constexpr int cell = kCanvasSide / kSpriteSide;
    StretchBlt(d, 0, 0, picture4, cell);
    for (int k = 1; k < kSpriteSide; ++k) HorizontalLine(d, cell * k, kGridColor);
    for (int k = 1; k < kSpriteSide; ++k) VerticalLine(d, cell * k, kGridColor);
    if (!guides) return;
    HorizontalLine(d, kCanvasSide / 2, kGuideColor);
    VerticalLine(d, kCanvasSide / 2, kGuideColor);
}

void DrawAnimationFrame(Image& frame, const Sprite& sprite, bool deleted, const CodeColours& pixelColors,
                        const CodeColours& dimColors) {
    Image picture(kSpriteSide, kSpriteSide);
    DrawSpriteOverBackground(picture, sprite, deleted ? dimColors : pixelColors);
    StretchBlt(frame, 0, 0, picture, kAnimationFrameSide / kSpriteSide);
}

int ScrolledRowsShowing(int row, int scrolledRows, int visibleRows) {
    return std::clamp(scrolledRows, row - std::max(visibleRows, 1) + 1, row);
}

int SpriteListColumns(int innerWidth) { return std::max(innerWidth / kCellPixels, 0); }

namespace {

bool OnBorder(int i, int j) { return i == 0 || j == 0 || i == kSpriteSide - 1 || j == kSpriteSide - 1; }

void DrawListCell(Image& pxl, int left, int top, const Sprite& sprite, const CodeColours& colours, bool current) {
    for (int i = 0; i < kSpriteSide; ++i) {
        for (int j = 0; j < kSpriteSide; ++j) {
            Colour c = colours[sprite.Pixels(j, i)];
            if (current && OnBorder(i, j)) c = Complement(c);
            pxl.SetPixelClipped(left + j, top + i, c);
        }
    }
}

}  // namespace

void DrawSpriteList(Image& pxl, const SpriteListState& list, const CodeColours& pixelColors,
                    const CodeColours& dimColors) {
    pxl.Clear(kListBackground);
    // A list narrower than one cell still puts one sprite on each row.
    const int columns = std::max(SpriteListColumns(pxl.Width()), 1);
    const int count = int(list.Sprites.size());
    const int firstRow = std::max(list.scrolledRows, 0);
    const int lastRow = list.scrolledRows + (pxl.Height() + kCellPixels - 1) / kCellPixels;
    for (int row = firstRow; row <= lastRow; ++row) {
        for (int column = 0; column < columns; ++column) {
            const int s = row * columns + column;
            if (s >= count) return;
            const CodeColours& colours = list.SpriteDeleted[s] ? dimColors : pixelColors;
            DrawListCell(pxl, column * kCellPixels, (row - list.scrolledRows) * kCellPixels, list.Sprites[s], colours,
                         s == list.CurSprite);
        }
    }
}

int SpriteAt(float X, float Y, int innerWidth, int innerHeight, int scrolledRows, int spriteLast) {
    if (!(X >= 0 && Y >= 0 && X < float(innerWidth) && Y < float(innerHeight))) return -1;
    const int columns = SpriteListColumns(innerWidth);
    const int index = (int(Y) / kCellPixels + scrolledRows) * columns + int(X) / kCellPixels;
    return index <= spriteLast ? index : -1;
}
