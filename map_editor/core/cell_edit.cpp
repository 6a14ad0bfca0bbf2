#include "cell_edit.h"

#include <span>
#include <utility>

namespace tilora {

CellEdit::CellEdit(History& history, size_t cells)
    : history_(history), keep_(cells <= history.ByteLimit() / sizeof(CellChange)) {
    if (keep_) changes_.reserve(cells);
}

void CellEdit::Finish(MapDocument& document) {
    if (!keep_) return history_.PushTooLarge();
    if (changes_.empty()) return;
    Step step;
    step.cells = std::move(changes_);
    try {
        history_.Push(std::move(step));
    } catch (...) {
        const std::span<uint8_t> tiles = document.MapTiles.MutableBytes();
        const std::span<uint8_t> col = document.MapCol.MutableBytes();
        for (const CellChange& change : step.cells) {
            tiles[change.index] = change.tile;
            col[change.index] = change.col;
        }
        throw;
    }
}

}  // namespace tilora
