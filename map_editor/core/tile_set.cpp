#include "tile_set.h"

#include <algorithm>

namespace tilora {

namespace {

// Calls visit(n, k, j) for tile n at tile column k and tile row j of the
// bitmap, in reading order. Tiles from 256 on have no place in the sheet or
// the picker, so the walk stops there.
template <typename Visit>
void ForEachTile(const EditorState& state, Visit visit) {
    int n = 0;
    for (int j = 0; j <= state.TileLastRow; ++j) {
        for (int k = 0; k <= state.TileLastCol; ++k, ++n) {
            if (n == kTileCount) return;
            visit(n, k, j);
        }
    }
}

void CopyTile(const RgbImage& from, int x, int y, RgbImage& to, int tile, BlitMode mode) {
    BitBlt(to, SheetX(tile), SheetY(tile), kTileSize, kTileSize, from, x, y, mode);
}

void CopyTileRedOnly(const RgbImage& from, int x, int y, RgbImage& to, int tile) {
    for (int l = 0; l < kTileSize; ++l) {
        for (int m = 0; m < kTileSize; ++m) {
            to.SetPixel(SheetX(tile) + m, SheetY(tile) + l, RedOnly(from.PixelOrBlack(x + m, y + l)));
        }
    }
}

}  // namespace

void LoadTileSet(EditorState& state, RgbImage bitmap) {
    state.dummy = std::move(bitmap);
    state.TileLastCol = state.dummy.Width() / kTileSize - 1;
    state.TileLastRow = state.dummy.Height() / kTileSize - 1;
    ForEachTile(state, [&state](int n, int k, int j) {
        CopyTile(state.dummy, k * kTileSize, j * kTileSize, state.dumm, n, BlitMode::Copy);
        CopyTileRedOnly(state.dummy, k * kTileSize, j * kTileSize, state.Picture5, n);
    });
}

void DrawPicker(const EditorState& state, RgbImage& picker) {
    ForEachTile(state, [&](int n, int k, int j) {
        const BlitMode mode = n == state.HoverTile ? BlitMode::Invert : BlitMode::Copy;
        CopyTile(state.dummy, k * kTileSize, j * kTileSize, picker, n, mode);
    });
}

void DrawPreview(const EditorState& state, RgbImage& preview) {
    preview.Reset(kTileSize, kTileSize, kBlack);
    BitBlt(preview, 0, 0, kTileSize, kTileSize, state.dumm, SheetX(state.SelTile),
           SheetY(state.SelTile), BlitMode::Copy);
}

uint8_t PickerTileAt(int X, int Y) {
    const int column = std::clamp(X, 0, kSheetSize - 1) / kTileSize;
    const int row = std::clamp(Y, 0, kSheetSize - 1) / kTileSize;
    return uint8_t(row * kSheetColumns + column);
}

}  // namespace tilora
