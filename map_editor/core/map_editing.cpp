#include "map_editing.h"

#include <algorithm>
#include <charconv>
#include <cmath>

namespace tilora {

namespace {

// Cells off the map and tile numbers past 255 are skipped: a 16 x 16 block at
// the map's edge, or one whose lower tiles would pass the end of the sheet,
// paints only what exists.
void PaintCell(EditorState& state, int32_t x, int32_t y, int tile) {
    if (state.MapTiles.Contains(x, y) && tile < kTileCount) state.MapTiles(x, y) = uint8_t(tile);
}

void PaintBlock(EditorState& state, int32_t x, int32_t y, int firstTile) {
    PaintCell(state, x, y, firstTile);
    PaintCell(state, x + 1, y, firstTile + 1);
    PaintCell(state, x, y + 1, firstTile + kSheetColumns);
    PaintCell(state, x + 1, y + 1, firstTile + kSheetColumns + 1);
}

void ToggleCol(EditorState& state, int32_t x, int32_t y) {
    if (state.MapCol.Contains(x, y)) state.MapCol(x, y) ^= 1;
}

void ClearCol(EditorState& state, int32_t x, int32_t y) {
    if (state.MapCol.Contains(x, y)) state.MapCol(x, y) = 0;
}

}  // namespace

bool IsMapSize(int32_t width, int32_t height) {
    return width >= 1 && height >= 1 && width <= kLargestMapSide && height <= kLargestMapSide;
}

bool NewMap(EditorState& state, int32_t width, int32_t height) {
    if (!IsMapSize(width, height)) return false;
    CellArray tiles(width, height);
    CellArray col(width, height);
    state.MapTiles = std::move(tiles);
    state.MapCol = std::move(col);
    return true;
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

void CanvasMouseDown(EditorState& state, TileMode mode, int Button, int X, int Y) {
    if (state.Zoom == 0) return;
    const int32_t cx = X / state.Zoom;
    const int32_t cy = Y / state.Zoom;
    switch (Button) {
        case kLeftButton:
            if (mode == TileMode::Tiles8x8) {
                PaintCell(state, cx, cy, state.SelTile);
            } else {
                PaintBlock(state, cx, cy, state.SelTile);
            }
            break;
        case kRightButton: ToggleCol(state, cx, cy); break;
        case kMiddleButton: ClearCol(state, cx, cy); break;
    }
}

void CanvasMouseMove(EditorState& state, int Button, int X, int Y) {
    if (state.Zoom == 0) return;
    state.CursorX = std::max(std::min(X / state.Zoom, state.MapWidth - 1), 0);
    state.CursorY = std::max(std::min(Y / state.Zoom, state.MapHeight - 1), 0);
    switch (Button) {
        case kLeftButton: PaintCell(state, state.CursorX, state.CursorY, state.SelTile); break;
        case kRightButton:
            if (state.CursorX != state.LastColX || state.CursorY != state.LastColY) {
                ToggleCol(state, state.CursorX, state.CursorY);
            }
            state.LastColX = state.CursorX;
            state.LastColY = state.CursorY;
            break;
        case kMiddleButton: ClearCol(state, state.CursorX, state.CursorY); break;
    }
}

void FillWith16x16Tile(EditorState& state) {
    for (int32_t y = 0; y < state.MapHeight; y += 2) {
        for (int32_t x = 0; x < state.MapWidth; x += 2) PaintBlock(state, x, y, 0);
    }
}

}  // namespace tilora
