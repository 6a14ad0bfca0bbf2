#include "tile_set.h"

#include <algorithm>

namespace tilora {

namespace {

// Calls visit(n, k, j) for tile n at tile column k and tile row j of the
// bitmap, in reading order. Tiles from 256 on have no place in the sheet or
// the picker, so the walk stops there.
template <typename Visit>
void ForEachTile(const TileSheets& sheets, Visit visit) {
    int n = 0;
    for (int j = 0; j <= sheets.TileLastRow; ++j) {
        for (int k = 0; k <= sheets.TileLastCol; ++k, ++n) {
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

void LoadTileSet(TileSheets& sheets, RgbImage bitmap) {
    sheets.dummy = std::move(bitmap);
    sheets.TileLastCol = sheets.dummy.Width() / kTileSize - 1;
    sheets.TileLastRow = sheets.dummy.Height() / kTileSize - 1;
    ForEachTile(sheets, [&sheets](int n, int k, int j) {
        CopyTile(sheets.dummy, k * kTileSize, j * kTileSize, sheets.dumm, n, BlitMode::Copy);
        CopyTileRedOnly(sheets.dummy, k * kTileSize, j * kTileSize, sheets.Picture5, n);
    });
}

void DrawPicker(const TileSheets& sheets, uint8_t HoverTile, RgbImage& picker) {
    ForEachTile(sheets, [&](int n, int k, int j) {
        const BlitMode mode = n == HoverTile ? BlitMode::Invert : BlitMode::Copy;
        CopyTile(sheets.dummy, k * kTileSize, j * kTileSize, picker, n, mode);
    });
}

void DrawPreview(const TileSheets& sheets, uint8_t SelTile, RgbImage& preview) {
    preview.Reset(kTileSize, kTileSize, kBlack);
    BitBlt(preview, 0, 0, kTileSize, kTileSize, sheets.dumm, SheetX(SelTile), SheetY(SelTile), BlitMode::Copy);
}

uint8_t PickerTileAt(int X, int Y) {
    const int column = std::clamp(X, 0, kSheetSize - 1) / kTileSize;
    const int row = std::clamp(Y, 0, kSheetSize - 1) / kTileSize;
    return uint8_t(row * kSheetColumns + column);
}

}  // namespace tilora
