// The record of an edit that changes cells of the map in place: each changed
// cell with the tile and col flag it had before, which becomes one undo step.
// The room for the record is taken before the first cell changes, so that a
// failed allocation leaves the document as it was.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "editor_state.h"
#include "history.h"

namespace tilora {

// A cell's tile and col flag.
struct Cell {
    uint8_t tile;
    uint8_t col;
};

// Every cell of the map.
inline CellRect MapRect(const MapDocument& document) {
    return {0, 0, document.MapWidth(), document.MapHeight()};
}

class CellEdit {
public:
    // Room for `cells` changed cells; none when they would pass the history's
    // limit, in which case the edit is done all the same and empties the
    // history. Throws std::bad_alloc when the room does not fit in memory.
    CellEdit(History& history, size_t cells);

    // Cell `index` had `before` until the edit changed it. Never allocates.
    void Record(uint32_t index, Cell before) {
        if (keep_) changes_.push_back({index, before.tile, before.col});
    }

    // The edit, done now, as one step (none when no cell changed). Should the
    // history have no memory for it, the cells get their values back and
    // std::bad_alloc propagates.
    void Finish(MapDocument& document);

private:
    History& history_;
    bool keep_;
    std::vector<CellChange> changes_;
};

// Gives every cell of rect, which lies on the map, the value that
// newCell(x, y, cell) returns for it, as one step. It counts the cells that
// change before it changes one, so that the record is no larger than they
// need.
template <typename NewCell>
void EditCells(MapDocument& document, History& history, const CellRect& rect, NewCell newCell) {
    const int32_t width = document.MapWidth();
    uint8_t* tiles = document.MapTiles.MutableBytes().data();
    uint8_t* col = document.MapCol.MutableBytes().data();
    // Calls visit(index, cell, new cell) for each cell that changes.
    auto forEachChange = [&](auto visit) {
        for (int32_t y = rect.y; y < rect.y + rect.height; ++y) {
            const size_t row = size_t(y) * size_t(width);
            for (int32_t x = rect.x; x < rect.x + rect.width; ++x) {
                const size_t i = row + size_t(x);
                const Cell before{tiles[i], col[i]};
                const Cell after = newCell(x, y, before);
                if (after.tile != before.tile || after.col != before.col) visit(i, before, after);
            }
        }
    };
    size_t changed = 0;
    forEachChange([&](size_t, Cell, Cell) { ++changed; });
    if (changed == 0) return;
    CellEdit edit(history, changed);
    forEachChange([&](size_t i, Cell before, Cell after) {
        edit.Record(uint32_t(i), before);
        tiles[i] = after.tile;
        col[i] = after.col;
    });
    edit.Finish(document);
}

}  // namespace tilora
