#include "map_editing.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdlib>
#include <utility>

#include "cell_edit.h"

namespace tilora {

namespace {

uint32_t IndexOf(const CellArray& cells, int32_t x, int32_t y) {
    return uint32_t(x) + uint32_t(y) * uint32_t(cells.Width());
}

// Keeps the cell's values from before the stroke first changed it.
void Touch(const MapDocument& document, Stroke& stroke, int32_t x, int32_t y) {
    const uint32_t index = IndexOf(document.MapTiles, x, y);
    if (!stroke.touched.insert(index).second) return;
    stroke.first.push_back({index, document.MapTiles(x, y), document.MapCol(x, y)});
}

// Cells off the map and tile numbers past 255 are skipped: a 16 x 16 block at
// the map's edge, or one whose lower tiles would pass the end of the sheet,
// paints only what exists.
void PaintCell(MapDocument& document, Stroke& stroke, int32_t x, int32_t y, int tile) {
    if (!document.MapTiles.Contains(x, y) || tile >= kTileCount) return;
    Touch(document, stroke, x, y);
    document.MapTiles(x, y) = uint8_t(tile);
}

void PaintBlock(MapDocument& document, Stroke& stroke, int32_t x, int32_t y, int firstTile) {
    PaintCell(document, stroke, x, y, firstTile);
    PaintCell(document, stroke, x + 1, y, firstTile + 1);
    PaintCell(document, stroke, x, y + 1, firstTile + kSheetColumns);
    PaintCell(document, stroke, x + 1, y + 1, firstTile + kSheetColumns + 1);
}

void SetCol(MapDocument& document, Stroke& stroke, int32_t x, int32_t y, bool toggle) {
    if (!document.MapCol.Contains(x, y)) return;
    Touch(document, stroke, x, y);
    document.MapCol(x, y) = toggle ? document.MapCol(x, y) ^ 1 : 0;
}

// Calls visit(x, y) for every cell of an integer midpoint line from (x0, y0)
// to (x1, y1), the first cell left out: the cells a move passes on its way.
template <typename Visit>
void ForEachCellAfter(int32_t x0, int32_t y0, int32_t x1, int32_t y1, Visit visit) {
    const int32_t dx = std::abs(x1 - x0), sx = x1 >= x0 ? 1 : -1;
    const int32_t dy = std::abs(y1 - y0), sy = y1 >= y0 ? 1 : -1;
    int64_t error = int64_t(dx) - dy;
    while (x0 != x1 || y0 != y1) {
        const int64_t twice = 2 * error;
        if (twice > -dy) {
            error -= dy;
            x0 += sx;
        }
        if (twice < dx) {
            error += dx;
            y0 += sy;
        }
        visit(x0, y0);
    }
}

// What one button does to one cell of a drag.
void DragOver(MapDocument& document, MapView& view, Stroke& stroke, int Button, int32_t x, int32_t y) {
    switch (Button) {
        case kLeftButton: PaintCell(document, stroke, x, y, view.SelTile); break;
        case kRightButton:
            if (x != view.LastColX || y != view.LastColY) SetCol(document, stroke, x, y, true);
            view.LastColX = x;
            view.LastColY = y;
            break;
        case kMiddleButton: SetCol(document, stroke, x, y, false); break;
    }
}

void StartStroke(Stroke& stroke, int32_t x, int32_t y) {
    stroke = Stroke{};
    stroke.active = true;
    stroke.lastX = x;
    stroke.lastY = y;
}

// The map goes into the step and the step's into the document, so that the
// old map is never copied; should the step not fit in memory, the swap is
// taken back.
void SwapInto(MapDocument& document, History& history, Step step) {
    MapChange& change = *step.map;
    std::swap(change.tiles, document.MapTiles);
    std::swap(change.col, document.MapCol);
    try {
        history.Push(std::move(step));
    } catch (...) {
        std::swap(change.tiles, document.MapTiles);
        std::swap(change.col, document.MapCol);
        throw;
    }
}

}  // namespace

bool IsMapSize(int32_t width, int32_t height) {
    return width >= 1 && height >= 1 && width <= kLargestMapSide && height <= kLargestMapSide;
}

bool NewMap(MapDocument& document, History& history, int32_t width, int32_t height) {
    if (!IsMapSize(width, height)) return false;
    CellArray tiles(width, height);
    CellArray col(width, height);
    ReplaceMap(document, history, std::move(tiles), std::move(col));
    return true;
}

void ReplaceMap(MapDocument& document, History& history, CellArray tiles, CellArray col) {
    Step step;
    step.map = MapChange{std::move(tiles), std::move(col)};
    SwapInto(document, history, std::move(step));
}

std::optional<int16_t> MapSideFromText(std::string_view text) {
    const auto first = text.find_first_not_of(" \t");
    if (first == std::string_view::npos) return std::nullopt;
    text = text.substr(first, text.find_last_not_of(" \t") + 1 - first);
    double value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc() || end != text.data() + text.size()) return std::nullopt;
    // Written so that nan fails it too.
    const double side = std::round(value);
    if (!(side >= 1 && side <= kLargestMapSide)) return std::nullopt;
    return int16_t(side);
}

void CanvasMouseDown(MapDocument& document, MapView& view, Stroke& stroke, TileMode mode, int Button, int X, int Y) {
    if (view.Zoom == 0) return;
    const int32_t cx = X / view.Zoom;
    const int32_t cy = Y / view.Zoom;
    StartStroke(stroke, cx, cy);
    switch (Button) {
        case kLeftButton:
            if (mode == TileMode::Tiles8x8) {
                PaintCell(document, stroke, cx, cy, view.SelTile);
            } else {
                PaintBlock(document, stroke, cx, cy, view.SelTile);
            }
            break;
        case kRightButton:
            // A move that stays in this cell must not toggle it again.
            SetCol(document, stroke, cx, cy, true);
            view.LastColX = cx;
            view.LastColY = cy;
            break;
        case kMiddleButton: SetCol(document, stroke, cx, cy, false); break;
    }
}

void CanvasMouseMove(MapDocument& document, MapView& view, Stroke& stroke, int Button, int X, int Y) {
    if (view.Zoom == 0) return;
    view.CursorX = std::max(std::min(X / view.Zoom, document.MapWidth() - 1), 0);
    view.CursorY = std::max(std::min(Y / view.Zoom, document.MapHeight() - 1), 0);
    if (!stroke.active) StartStroke(stroke, view.CursorX, view.CursorY);
    if (stroke.lastX == view.CursorX && stroke.lastY == view.CursorY) {
        DragOver(document, view, stroke, Button, view.CursorX, view.CursorY);
    } else {
        ForEachCellAfter(stroke.lastX, stroke.lastY, view.CursorX, view.CursorY,
                         [&](int32_t x, int32_t y) { DragOver(document, view, stroke, Button, x, y); });
    }
    stroke.lastX = view.CursorX;
    stroke.lastY = view.CursorY;
}

void FinishStroke(const MapDocument& document, Stroke& stroke, History& history) {
    if (!stroke.active) return;
    Step step;
    for (const CellChange& first : stroke.first) {
        const auto& tiles = document.MapTiles.Bytes();
        if (first.index >= tiles.size()) continue;
        if (tiles[first.index] != first.tile || document.MapCol.Bytes()[first.index] != first.col) {
            step.cells.push_back(first);
        }
    }
    stroke = Stroke{};
    if (!step.Empty()) history.Push(std::move(step));
}

void FillWith16x16Tile(MapDocument& document, History& history) {
    EditCells(document, history, MapRect(document), [](int32_t x, int32_t y, Cell cell) {
        return Cell{uint8_t(x % 2 + kSheetColumns * (y % 2)), cell.col};
    });
}

void Undo(MapDocument& document, Stroke& stroke, History& history) {
    FinishStroke(document, stroke, history);
    history.Undo(document);
}

void Redo(MapDocument& document, Stroke& stroke, History& history) {
    FinishStroke(document, stroke, history);
    history.Redo(document);
}

}  // namespace tilora
