// What the editor keeps, by role: the map document, the tile sheets it is
// drawn with, and the view; and the cell arrays a map is made of.
#pragma once

#include <cstddef>
#include <algorithm>
#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "rgb_image.h"

namespace tilora {

// The largest map side: what the 16-bit sizes of the New-map dialog hold. A
// map of 32767 x 32767 cells at the largest zoom is still a canvas that a
// widget can have and a pixel position that an int holds.
constexpr int32_t kLargestMapSide = 32767;

// A map-sized array of bytes indexed (x, y). Cell (x, y) lies at x + y * width,
// row by row from the top row: the order in which the map files store them.
class CellArray {
public:
    CellArray() = default;
    // Every cell 0; throws std::bad_alloc when the map does not fit in memory.
    CellArray(int32_t width, int32_t height)
        : width_(width), height_(height), cells_(size_t(width) * size_t(height)) {}
    // The cells from bytes in storage order; cells past the end of bytes are 0
    // and bytes past the last cell are not used.
    CellArray(int32_t width, int32_t height, std::span<const uint8_t> bytes) : CellArray(width, height) {
        std::copy_n(bytes.begin(), std::min(bytes.size(), cells_.size()), cells_.begin());
    }

    int32_t Width() const { return width_; }
    int32_t Height() const { return height_; }
    bool Contains(int32_t x, int32_t y) const {
        return x >= 0 && y >= 0 && x < width_ && y < height_;
    }
    uint8_t& operator()(int32_t x, int32_t y) { return cells_[Index(x, y)]; }
    uint8_t operator()(int32_t x, int32_t y) const { return cells_[Index(x, y)]; }
    const std::vector<uint8_t>& Bytes() const { return cells_; }
    // The cells in storage order, for reading them straight from a file.
    std::span<uint8_t> MutableBytes() { return cells_; }

    friend bool operator==(const CellArray&, const CellArray&) = default;

private:
    size_t Index(int32_t x, int32_t y) const { return size_t(x) + size_t(y) * size_t(width_); }

    int32_t width_ = 0;
    int32_t height_ = 0;
    std::vector<uint8_t> cells_;
};

constexpr int kTileSize = 8;       // a tile is 8 x 8 pixels
constexpr int kSheetColumns = 16;  // tiles to a row of the tile sheet
constexpr int kSheetSize = kSheetColumns * kTileSize;
constexpr int kTileCount = kSheetColumns * kSheetColumns;

// A rectangle of map cells: the cells x to x + width - 1 of the rows y to
// y + height - 1.
struct CellRect {
    int32_t x = 0;
    int32_t y = 0;
    int32_t width = 0;
    int32_t height = 0;

    bool Empty() const { return width <= 0 || height <= 0; }
    bool Contains(int32_t cx, int32_t cy) const {
        return cx >= x && cy >= y && int64_t(cx) < int64_t(x) + width && int64_t(cy) < int64_t(y) + height;
    }
    friend bool operator==(const CellRect&, const CellRect&) = default;
};

// Copies the cells of rect, which lies in `from`, to the same-sized
// rectangle of `to` whose top-left cell is (toX, toY), a row at a time.
inline void CopyCells(const CellArray& from, const CellRect& rect, CellArray& to, int32_t toX, int32_t toY) {
    for (int32_t row = 0; row < rect.height; ++row) {
        const auto source = from.Bytes().begin() + ptrdiff_t(rect.x) + ptrdiff_t(rect.y + row) * from.Width();
        std::copy_n(source, rect.width, to.MutableBytes().begin() + ptrdiff_t(toX) + ptrdiff_t(toY + row) * to.Width());
    }
}

// The document: the map's cells and the path of its tile set. The map's size
// is the size of its arrays.
struct MapDocument {
    CellArray MapTiles;  // tile number of each cell
    CellArray MapCol;    // col flag of each cell, 0 or 1
    std::string TileFile;  // the file system's bytes; empty before a tile set is chosen

    int32_t MapWidth() const { return MapTiles.Width(); }
    int32_t MapHeight() const { return MapTiles.Height(); }
};

// The tile sheets made from the tile-set bitmap.
struct TileSheets {
    RgbImage dummy;                             // the tile bitmap as loaded
    RgbImage dumm{kSheetSize, kSheetSize};      // tile sheet, 16 tiles to a row
    RgbImage Picture5{kSheetSize, kSheetSize};  // the sheet's red components only
    int32_t TileLastCol = 0;  // last whole tile column of the loaded bitmap
    int32_t TileLastRow = 0;
};

// The view of the map and the picker: the zoom, the cells and tiles under the
// pointer, the tile chosen to paint with. Every number 0 until the first map.
struct MapView {
    uint8_t SelTile = 0;
    uint8_t HoverTile = 0;
    int32_t Zoom = 0;  // screen pixels per cell: 8, 16 or 32
    int32_t CursorX = 0;
    int32_t CursorY = 0;
    int32_t LastColX = 0;  // the cell a col-flag drag toggled last
    int32_t LastColY = 0;
};

}  // namespace tilora
