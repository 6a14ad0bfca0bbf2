#include "history.h"

#include <algorithm>
#include <utility>

namespace tilora {

namespace {

size_t BytesOf(const Step& step) {
    size_t bytes = sizeof(Step) + step.cells.capacity() * sizeof(CellChange);
    if (step.map) bytes += step.map->tiles.Bytes().size() + step.map->col.Bytes().size();
    return bytes;
}

void Swap(CellChange& change, MapDocument& document) {
    std::swap(change.tile, document.MapTiles.MutableBytes()[change.index]);
    std::swap(change.col, document.MapCol.MutableBytes()[change.index]);
}

void Swap(MapChange& change, MapDocument& document) {
    std::swap(change.tiles, document.MapTiles);
    std::swap(change.col, document.MapCol);
}

}  // namespace

void History::Push(Step&& step) {
    DropUndone();
    const size_t bytes = BytesOf(step);
    if (bytes > byteLimit_) return PushTooLarge();
    // The entry is made before the step moves into it.
    steps_.emplace_back();
    steps_.back() = {std::move(step), bytes};
    bytes_ += bytes;
    ++done_;
    // The newest step always stays, so that it can be undone.
    while (bytes_ > byteLimit_ && done_ > 1) {
        bytes_ -= steps_.front().bytes;
        steps_.pop_front();
        --done_;
        ++dropped_;
    }
    if (clean_ && *clean_ < dropped_) clean_.reset();
    Changed();
}

void History::PushTooLarge() {
    DropUndone();
    DropAll();
    ++dropped_;
    clean_.reset();
    Changed();
}

void History::DropUndone() {
    while (steps_.size() > done_) {
        bytes_ -= steps_.back().bytes;
        steps_.pop_back();
    }
    if (clean_ && *clean_ > Position()) clean_.reset();  // it was among them
}

void History::DropAll() {
    dropped_ += done_;
    steps_.clear();
    done_ = 0;
    bytes_ = 0;
}

bool History::Undo(MapDocument& document) {
    if (!CanUndo()) return false;
    Apply(steps_[--done_], document, false);
    return true;
}

bool History::Redo(MapDocument& document) {
    if (!CanRedo()) return false;
    Apply(steps_[done_++], document, true);
    return true;
}

// A cell a step lists twice is swapped back in the reverse order of the
// first swaps.
void History::Apply(Entry& entry, MapDocument& document, bool redo) {
    Step& step = entry.step;
    if (step.map) Swap(*step.map, document);
    if (redo) {
        for (CellChange& change : step.cells) Swap(change, document);
    } else {
        for (auto change = step.cells.rbegin(); change != step.cells.rend(); ++change) Swap(*change, document);
    }
    bytes_ -= entry.bytes;
    entry.bytes = BytesOf(step);
    bytes_ += entry.bytes;
    Changed();
}

void History::Reset() {
    steps_.clear();
    done_ = dropped_ = bytes_ = 0;
    clean_ = 0;
    Changed();
}

void History::MarkClean() {
    clean_ = Position();
    Changed();
}

void History::Changed() const {
    if (changed) changed();
}

}  // namespace tilora
