// The editing rules of the map: making an empty map, the mouse on the map
// canvas, and filling the map with one 16 x 16 tile.
#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

#include "editor_state.h"

namespace tilora {

// Mouse buttons as the handlers receive them; a move reports their sum.
constexpr int kLeftButton = 1;
constexpr int kRightButton = 2;
constexpr int kMiddleButton = 4;

enum class TileMode { Tiles8x8, Tiles16x16 };

// Whether each side is 1 to kLargestMapSide.
bool IsMapSize(int32_t width, int32_t height);

// Allocates MapTiles and MapCol afresh for a width x height map, every cell 0.
// A side outside 1 to kLargestMapSide is refused: false, and nothing changes.
// A map too large for memory throws std::bad_alloc, also with nothing changed.
bool NewMap(EditorState& state, int32_t width, int32_t height);

// A map side as typed in the New-map dialog: a decimal number, with spaces
// around it, a fraction and an exponent allowed, rounded half away from zero
// (12.5 is 13). Nothing unless the rounded side is 1 to kLargestMapSide.
std::optional<int16_t> MapSideFromText(std::string_view text);

// A press at canvas pixel (X, Y): the left button paints the selected tile (a
// 2 x 2 block of the sheet in 16 x 16 mode), the right one inverts the cell's
// col flag and the middle one clears it. Ignored while Zoom is 0.
void CanvasMouseDown(EditorState& state, TileMode mode, int Button, int X, int Y);

// A pointer move to canvas pixel (X, Y) with the buttons Button held: moves the
// cursor cell, clamped to the map, and with exactly one button held does to that
// cell what a press does (one cell only, and the right button only on entering
// a cell other than LastColX, LastColY). Ignored while Zoom is 0.
void CanvasMouseMove(EditorState& state, int Button, int X, int Y);

// Covers the map with the 16 x 16 tile of sheet tiles 0, 1, 16 and 17. Blocks
// that reach past an odd-sized map keep only their cells on the map.
void FillWith16x16Tile(EditorState& state);

}  // namespace tilora
