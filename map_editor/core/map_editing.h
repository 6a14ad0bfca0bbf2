// The editing rules of the map: making an empty map or taking a loaded one,
// the mouse on the map canvas, filling the map with one 16 x 16 tile, and
// undo and redo. Every change of the map is one undo step.
#pragma once

#include <cstdint>
#include <optional>
#include <string_view>
#include <unordered_set>
#include <vector>

#include "editor_state.h"
#include "history.h"

namespace tilora {

// Mouse buttons as the handlers receive them; a move reports their sum.
constexpr int kLeftButton = 1;
constexpr int kRightButton = 2;
constexpr int kMiddleButton = 4;

enum class TileMode { Tiles8x8, Tiles16x16 };

// A drag on the canvas from press to release. It keeps each cell it changes
// with the tile and col flag the cell had first, so that the drag is one step
// however often it passes a cell.
struct Stroke {
    bool active = false;
    int32_t lastX = 0;  // the cell of the last position, where the next line starts
    int32_t lastY = 0;
    std::vector<CellChange> first;
    std::unordered_set<uint32_t> touched;
};

// Whether each side is 1 to kLargestMapSide.
bool IsMapSize(int32_t width, int32_t height);

// A map side as typed in the New-map dialog: a decimal number, with spaces
// around it, a fraction and an exponent allowed, rounded half away from zero
// (12.5 is 13). Nothing unless the rounded side is 1 to kLargestMapSide.
std::optional<int16_t> MapSideFromText(std::string_view text);

// An empty width x height map in place of the one there, as one step. A side
// outside 1 to kLargestMapSide is refused: false, and nothing changes. A map
// too large for memory throws std::bad_alloc, also with nothing changed.
bool NewMap(MapDocument& document, History& history, int32_t width, int32_t height);
// A loaded or imported map in place of the one there, as one step.
void ReplaceMap(MapDocument& document, History& history, CellArray tiles, CellArray col);

// A press at canvas pixel (X, Y): the left button paints the selected tile (a
// 2 x 2 block of the sheet in 16 x 16 mode), the right one inverts the cell's
// col flag and the middle one clears it. It starts a stroke. Ignored while
// Zoom is 0.
void CanvasMouseDown(MapDocument& document, MapView& view, Stroke& stroke, TileMode mode, int Button, int X, int Y);

// A pointer move to canvas pixel (X, Y) with the buttons Button held: moves the
// cursor cell, clamped to the map, and with exactly one button held does to
// every cell on the line from the last position what a press does to one (one
// cell at a time; the right button only on entering a cell other than
// LastColX, LastColY, which the press sets too). Ignored while Zoom is 0.
void CanvasMouseMove(MapDocument& document, MapView& view, Stroke& stroke, int Button, int X, int Y);

// The release ends the stroke: what it changed is one step.
void FinishStroke(const MapDocument& document, Stroke& stroke, History& history);

// Covers the map with the 16 x 16 tile of sheet tiles 0, 1, 16 and 17, as one
// step. Blocks that reach past an odd-sized map keep only their cells on the
// map. A map whose every cell would not fit in the history fills all the same
// and empties it.
void FillWith16x16Tile(MapDocument& document, History& history);

// A stroke in progress ends first.
void Undo(MapDocument& document, Stroke& stroke, History& history);
void Redo(MapDocument& document, Stroke& stroke, History& history);

}  // namespace tilora
