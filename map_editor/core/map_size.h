// Rows, columns and the size of the map. Each operation makes the new map
// whole before it replaces the old one, which goes into the undo step as a
// loaded map does, so that a map too large for memory (std::bad_alloc)
// leaves the document as it was.
#pragma once

#include <cstdint>

#include "editor_state.h"
#include "history.h"

namespace tilora {

// A row of tile 0 and col flag 0 above row y (0 to MapHeight: MapHeight adds
// one below the last), or a column left of column x. False, with nothing
// changed, when the map already has kLargestMapSide rows (columns) or the
// position is outside that range.
bool InsertRow(MapDocument& document, History& history, int32_t y);
bool InsertColumn(MapDocument& document, History& history, int32_t x);

// Removes row y or column x. False, with nothing changed, for the map's last
// remaining row (column) or a position off the map.
bool DeleteRow(MapDocument& document, History& history, int32_t y);
bool DeleteColumn(MapDocument& document, History& history, int32_t x);

// Where the old map lies in the resized one.
enum class Anchor { TopLeft, Top, TopRight, Left, Centre, Right, BottomLeft, Bottom, BottomRight };

// The map as width x height cells with the old map placed at the anchor: at
// the left, middle or right (top, middle or bottom) of the new size, a middle
// that cannot be exact lying half a cell to the left (top). New cells hold
// tile 0 and col flag 0; old cells outside the new size are dropped. False,
// with nothing changed, for a side outside 1 to kLargestMapSide; the size
// the map has already changes nothing either and makes no step.
bool ResizeMap(MapDocument& document, History& history, int32_t width, int32_t height, Anchor anchor);

}  // namespace tilora
