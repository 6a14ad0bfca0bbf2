// The tile set: numbering the tiles of a bitmap into the tile sheet and the
// marked sheet, and drawing the tile picker and the preview of the selected
// tile.
#pragma once

#include <cstdint>

#include "editor_state.h"
#include "rgb_image.h"

namespace tilora {

constexpr int SheetX(int tile) { return tile % kSheetColumns * kTileSize; }
constexpr int SheetY(int tile) { return tile / kSheetColumns * kTileSize; }

// Takes the bitmap as dummy, counts its whole tiles into TileLastCol and
// TileLastRow and copies tiles 0 to 255 into dumm and, red only, into
// Picture5. Sheet cells past the new tile count keep what they held.
void LoadTileSet(TileSheets& sheets, RgbImage bitmap);

// Draws every tile of the bitmap onto the picker's picture (128 x 128), the
// one numbered HoverTile inverted. Cells past the tile count are left as the
// picker last showed them.
void DrawPicker(const TileSheets& sheets, uint8_t HoverTile, RgbImage& picker);

// The selected tile from the sheet, as an 8 x 8 picture.
void DrawPreview(const TileSheets& sheets, uint8_t SelTile, RgbImage& preview);

// The tile under a position in the picker; positions outside it (a drag that
// left it) count as the nearest edge, so the number stays within 0 to 255.
uint8_t PickerTileAt(int X, int Y);

}  // namespace tilora
