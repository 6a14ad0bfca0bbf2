// Blocks of cells: what Copy takes from the map and Paste puts back, and their
// text form on the system clipboard, which other programs read and write.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "editor_state.h"
#include "history.h"

namespace tilora {

// Tiles and col flags of a rectangle of cells, as two arrays of its size.
struct MapBlock {
    CellArray tiles;
    CellArray col;

    int32_t Width() const { return tiles.Width(); }
    int32_t Height() const { return tiles.Height(); }
    friend bool operator==(const MapBlock&, const MapBlock&) = default;
};

// The part of rect that lies on the map; empty when none does.
CellRect OnMap(const MapDocument& document, const CellRect& rect);

// The cells of the part of rect on the map. Throws std::bad_alloc when the
// block does not fit in memory.
MapBlock CopyBlock(const MapDocument& document, const CellRect& rect);

// Tile 0 and col flag 0 in every cell of rect on the map (Cut, Delete): one
// undo step, none when no cell changes.
void ClearCells(MapDocument& document, History& history, const CellRect& rect);

// The block's tiles and col flags with its top-left cell at (x, y), which may
// lie off the map: cells past the map's edges are dropped. One undo step,
// none when no cell changes.
void PlaceBlock(MapDocument& document, History& history, const MapBlock& block, int32_t x, int32_t y);

// The block as text: one line a row, each ending in a newline, its tile
// numbers in decimal separated by commas ("0,1,2\n16,17,18\n"). Col flags
// are not part of it.
std::string BlockText(const MapBlock& block);

// The block a text from another program describes: one line a row (a "\r\n"
// line end or a missing last line end are taken too), tile numbers 0 to 255
// separated by commas, spaces and tabs around them ignored, and one comma
// ending a row allowed. Rows may differ in length: the block is as wide as
// its longest row, missing cells tile 0 (a blank line is a row of them);
// every col flag is 0. Nothing when the text is anything else: no number at
// all, a field that is no number or one above 255, or more than
// kLargestMapSide rows or columns.
std::optional<MapBlock> BlockFromText(std::string_view text);

}  // namespace tilora
