// The undo history of the map. A step records what one edit changed: the
// cells it changed, each with its other tile and col flag, or the whole map it
// replaced, moved into the step rather than copied. Undoing and redoing a step
// both swap its other side with the document's, so neither copies a map.
#pragma once

#include <cstddef>
#include <cstdint>
#include <deque>
#include <functional>
#include <optional>
#include <vector>

#include "editor_state.h"

namespace tilora {

// A cell at x + y * width, with the tile and col flag of the other side.
struct CellChange {
    uint32_t index;
    uint8_t tile;
    uint8_t col;
};

struct MapChange {
    CellArray tiles;
    CellArray col;
};

struct Step {
    std::vector<CellChange> cells;
    std::optional<MapChange> map;

    bool Empty() const { return cells.empty() && !map; }
};

class History {
public:
    // The most memory the steps may hold by default.
    static constexpr size_t kByteLimit = size_t(256) << 20;

    explicit History(size_t byteLimit = kByteLimit) : byteLimit_(byteLimit) {}
    // The most memory the steps may hold; the oldest go first.
    size_t ByteLimit() const { return byteLimit_; }

    // Records a step that is done already, taking what it holds. Steps that
    // were undone are dropped; a step larger than the limit empties the
    // history instead. Should there be no memory for the record
    // (std::bad_alloc), step is left as it was, so that the edit can be taken
    // back with it.
    void Push(Step&& step);
    // An edit done already that is too large to keep: the history is emptied.
    void PushTooLarge();

    bool CanUndo() const { return done_ > 0; }
    bool CanRedo() const { return done_ < steps_.size(); }
    // False when there is nothing to undo or redo.
    bool Undo(MapDocument& document);
    bool Redo(MapDocument& document);

    // The document as it is now is the one in its project file.
    void MarkClean();
    // Forgets every step: the document as it is now is where the history
    // begins, and it is clean.
    void Reset();
    // Whether undo and redo have brought the document back to that point.
    bool IsClean() const { return clean_ == Position(); }

    size_t Steps() const { return steps_.size(); }
    size_t Bytes() const { return bytes_; }

    // Called after every change of what can be undone or redone, or of the
    // clean point, so that a window can follow.
    std::function<void()> changed;

private:
    struct Entry {
        Step step;
        size_t bytes;
    };

    // Steps done since the history began, the dropped ones included.
    size_t Position() const { return dropped_ + done_; }
    void DropUndone();
    void DropAll();
    void Apply(Entry& entry, MapDocument& document, bool redo);
    void Changed() const;

    size_t byteLimit_;
    std::deque<Entry> steps_;
    size_t done_ = 0;     // steps_[0, done_) are done, the rest undone
    size_t dropped_ = 0;  // steps dropped from the front
    size_t bytes_ = 0;
    std::optional<size_t> clean_ = 0;  // none once no undo or redo can reach it
};

}  // namespace tilora
