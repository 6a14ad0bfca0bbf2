// The undo history of the library. A step is what one edit changed; each of
// its changes holds the other side of what it changed, so undoing and redoing
// a step both swap that side with the library's own. Undoing a library
// replacement therefore moves the two libraries, it does not copy them.
#pragma once

#include <cstddef>
#include <deque>
#include <functional>
#include <optional>
#include <variant>
#include <vector>

#include "sprite_library.h"

// One sprite's pixels and mark.
struct SpriteChange {
    int index;
    Sprite other;
    bool otherDeleted;
};

// A sprite added at index, appended or put among the others: in the library
// after a redo, held here after an undo.
struct AddedSprite {
    Sprite sprite;
    bool deleted = false;
    int index;
    int currentBefore;  // the current sprite before it was added
};

// The sprite at from swapped places, mark and all, with its neighbour at to.
struct MovedSprite {
    int from;
    int to;
};

// The whole library, as a load or import replaced it, and the current sprite
// that went with it.
struct LibraryChange {
    SpriteLibrary other;
    int otherCurSprite;
};

using Change = std::variant<SpriteChange, AddedSprite, MovedSprite, LibraryChange>;

// Changes in the order the edit made them.
struct Step {
    std::vector<Change> changes;
};

class History {
public:
    // The most memory the steps may hold; the oldest go first.
    static constexpr size_t kByteLimit = size_t(64) << 20;

    // Records a step that is done already, taking what it holds. Steps that
    // were undone are dropped; a step larger than the limit empties the
    // history instead. Should there be no memory for the record
    // (std::bad_alloc), step is left as it was, so that the edit can be taken
    // back with it.
    void Push(Step&& step);
    // Adds a change to the last step recorded.
    void AddToLast(Change change);

    bool CanUndo() const { return done_ > 0; }
    bool CanRedo() const { return done_ < steps_.size(); }
    // Undoes or redoes one step on the library and makes the sprite it
    // changed current; false when there is none.
    bool Undo(SpriteLibrary& library, int& curSprite);
    bool Redo(SpriteLibrary& library, int& curSprite);

    // The library as it is now is the one in its file (loaded or saved).
    void MarkClean();
    // Forgets every step: the library as it is now is where the history
    // begins, and it is clean.
    void Reset();
    // Whether undo and redo have brought the library back to that point.
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
    void ApplyEntry(Entry& entry, SpriteLibrary& library, int& curSprite, bool redo);
    void DropOldestBeyondLimit();
    void Changed() const;

    std::deque<Entry> steps_;
    size_t done_ = 0;     // steps_[0, done_) are done, the rest undone
    size_t dropped_ = 0;  // steps dropped from the front
    size_t bytes_ = 0;
    std::optional<size_t> clean_ = 0;  // none once no undo or redo can reach it
};
