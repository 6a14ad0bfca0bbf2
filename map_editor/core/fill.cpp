#include "fill.h"

#include <algorithm>
#include <vector>

#include "cell_edit.h"
#include "map_block.h"

namespace tilora {

namespace {

// The cells x0 to x1 of row y, both included.
struct Span {
    int32_t x0, x1, y;
};

// Cells x0 to x1 of row y that border filled cells of row y - dy: the region
// may go on there, and beyond them on the rows further in the direction dy.
struct Border {
    int32_t x0, x1, y, dy;
};

// A scanline fill: a run of the region's cells in one row is found and
// filled as a whole, and the rows above and below it go on a stack of borders
// still to search, so that neither the call stack nor the number of calls
// grows with the region. Every run is listed in `filled` before it changes,
// so that it can be taken back.
void Flood(CellArray& tiles, const CellRect& bounds, int32_t x, int32_t y, uint8_t from, uint8_t to,
           std::vector<Span>& filled) {
    const int32_t left = bounds.x, right = bounds.x + bounds.width - 1;
    const int32_t top = bounds.y, bottom = bounds.y + bounds.height - 1;
    std::vector<Border> borders{{x, x, y, 1}, {x, x, y - 1, -1}};
    while (!borders.empty()) {
        auto [x1, x2, row, dy] = borders.back();
        borders.pop_back();
        if (row < top || row > bottom) continue;
        uint8_t* cells = tiles.MutableBytes().data() + size_t(row) * size_t(tiles.Width());
        int32_t start = x1;
        if (cells[start] == from) {
            while (start > left && cells[start - 1] == from) --start;
            // A run that reaches left of the border may turn back round it.
            if (start < x1) borders.push_back({start, x1 - 1, row - dy, -dy});
        }
        while (x1 <= x2) {
            while (x1 <= right && cells[x1] == from) ++x1;
            if (x1 > start) {
                filled.push_back({start, x1 - 1, row});
                std::fill(cells + start, cells + x1, to);
                borders.push_back({start, x1 - 1, row + dy, dy});
                if (x1 - 1 > x2) borders.push_back({x2 + 1, x1 - 1, row - dy, -dy});
            }
            for (++x1; x1 < x2 && cells[x1] != from;) ++x1;
            start = x1;
        }
    }
}

}  // namespace

void FillRegion(MapDocument& document, History& history, int32_t x, int32_t y, uint8_t tile,
                const std::optional<CellRect>& within) {
    const CellRect bounds = within ? OnMap(document, *within) : MapRect(document);
    if (!bounds.Contains(x, y)) return;
    const uint8_t from = document.MapTiles(x, y);
    if (from == tile) return;
    std::vector<Span> filled;
    try {
        Flood(document.MapTiles, bounds, x, y, from, tile, filled);
        size_t cells = 0;
        for (const Span& span : filled) cells += size_t(span.x1 - span.x0 + 1);
        CellEdit edit(history, cells);
        for (const Span& span : filled) {
            for (int32_t cx = span.x0; cx <= span.x1; ++cx) {
                const uint32_t index = uint32_t(cx) + uint32_t(span.y) * uint32_t(document.MapWidth());
                edit.Record(index, {from, document.MapCol.Bytes()[index]});
            }
        }
        edit.Finish(document);
    } catch (...) {
        for (const Span& span : filled) {
            std::fill_n(&document.MapTiles(span.x0, span.y), span.x1 - span.x0 + 1, from);
        }
        throw;
    }
}

void ReplaceTile(MapDocument& document, History& history, uint8_t from, uint8_t to,
                 const std::optional<CellRect>& within) {
    const CellRect rect = within ? OnMap(document, *within) : MapRect(document);
    if (from == to) return;
    EditCells(document, history, rect, [&](int32_t, int32_t, Cell cell) {
        return Cell{cell.tile == from ? to : cell.tile, cell.col};
    });
}

}  // namespace tilora
