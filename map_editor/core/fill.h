// Filling: a region of equal tiles, or every cell of one tile, gets another.
#pragma once

#include <cstdint>
#include <optional>

#include "editor_state.h"
#include "history.h"

namespace tilora {

// The 4-connected region of cells that hold the tile of cell (x, y) gets
// tile; with `within`, only the part of the region inside it (a cell outside
// stops the region). Col flags stay. One undo step, none when nothing
// changes or (x, y) lies off the map or outside `within`. It keeps no
// recursion and no call per cell: a 32767 x 32767 map fills in seconds
// without growing the stack. A fill of more cells than the history can hold
// is done all the same and empties the history.
void FillRegion(MapDocument& document, History& history, int32_t x, int32_t y, uint8_t tile,
                const std::optional<CellRect>& within);

// Every cell that holds `from` (inside `within` when given) gets `to`; col
// flags stay. One undo step, as FillRegion.
void ReplaceTile(MapDocument& document, History& history, uint8_t from, uint8_t to,
                 const std::optional<CellRect>& within);

}  // namespace tilora
