#include "map_size.h"

#include <algorithm>
#include <initializer_list>
#include <utility>

#include "map_editing.h"

namespace tilora {

namespace {

// A rectangle of the old map and the cell of the new one its top-left cell
// goes to.
struct Piece {
    CellRect from;
    int32_t toX, toY;
};

// A width x height map of tile 0 and col flag 0 with the pieces of the old
// map copied in, in place of the old map.
void Rebuild(MapDocument& document, History& history, int32_t width, int32_t height,
             std::initializer_list<Piece> pieces) {
    CellArray tiles(width, height);
    CellArray col(width, height);
    for (const Piece& piece : pieces) {
        CopyCells(document.MapTiles, piece.from, tiles, piece.toX, piece.toY);
        CopyCells(document.MapCol, piece.from, col, piece.toX, piece.toY);
    }
    ReplaceMap(document, history, std::move(tiles), std::move(col));
}

// Where the old side starts in the new one: place 0 at the start, 1 in the
// middle (rounded down, whether the map grows or shrinks) and 2 at the end.
int32_t Offset(int32_t oldSide, int32_t newSide, int place) {
    const int32_t room = newSide - oldSide;
    switch (place) {
        case 0: return 0;
        case 1: return room >= 0 ? room / 2 : -((1 - room) / 2);
        default: return room;
    }
}

}  // namespace

bool InsertRow(MapDocument& document, History& history, int32_t y) {
    const int32_t width = document.MapWidth(), height = document.MapHeight();
    if (y < 0 || y > height || !IsMapSize(width, height + 1)) return false;
    Rebuild(document, history, width, height + 1, {{{0, 0, width, y}, 0, 0}, {{0, y, width, height - y}, 0, y + 1}});
    return true;
}

bool InsertColumn(MapDocument& document, History& history, int32_t x) {
    const int32_t width = document.MapWidth(), height = document.MapHeight();
    if (x < 0 || x > width || !IsMapSize(width + 1, height)) return false;
    Rebuild(document, history, width + 1, height, {{{0, 0, x, height}, 0, 0}, {{x, 0, width - x, height}, x + 1, 0}});
    return true;
}

bool DeleteRow(MapDocument& document, History& history, int32_t y) {
    const int32_t width = document.MapWidth(), height = document.MapHeight();
    if (y < 0 || y >= height || !IsMapSize(width, height - 1)) return false;
    Rebuild(document, history, width, height - 1, {{{0, 0, width, y}, 0, 0}, {{0, y + 1, width, height - y - 1}, 0, y}});
    return true;
}

bool DeleteColumn(MapDocument& document, History& history, int32_t x) {
    const int32_t width = document.MapWidth(), height = document.MapHeight();
    if (x < 0 || x >= width || !IsMapSize(width - 1, height)) return false;
    Rebuild(document, history, width - 1, height, {{{0, 0, x, height}, 0, 0}, {{x + 1, 0, width - x - 1, height}, x, 0}});
    return true;
}

bool ResizeMap(MapDocument& document, History& history, int32_t width, int32_t height, Anchor anchor) {
    if (!IsMapSize(width, height)) return false;
    const int32_t oldWidth = document.MapWidth(), oldHeight = document.MapHeight();
    if (width == oldWidth && height == oldHeight) return true;
    const int place = int(anchor);
    const int32_t offsetX = Offset(oldWidth, width, place % 3);
    const int32_t offsetY = Offset(oldHeight, height, place / 3);
    // The old cells that stay: those that land on the new map.
    const int32_t fromX = std::max(0, -offsetX), fromY = std::max(0, -offsetY);
    const CellRect kept{fromX, fromY, std::min(oldWidth, width - offsetX) - fromX,
                        std::min(oldHeight, height - offsetY) - fromY};
    Rebuild(document, history, width, height, {{kept, fromX + offsetX, fromY + offsetY}});
    return true;
}

}  // namespace tilora
