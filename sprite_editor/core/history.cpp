#include "history.h"

#include <algorithm>
#include <utility>

namespace {

size_t BytesOf(const Change& change) {
    const auto* library = std::get_if<LibraryChange>(&change);
    return sizeof(Change) + (library ? library->other.Bytes() : 0);
}

size_t BytesOf(const Step& step) {
    size_t bytes = sizeof(Step);
    for (const Change& change : step.changes) bytes += BytesOf(change);
    return bytes;
}

void Swap(SpriteChange& change, SpriteLibrary& library, int& curSprite) {
    std::swap(change.other, library[change.index]);
    const bool deleted = library.Deleted(change.index);
    library.SetDeleted(change.index, change.otherDeleted);
    change.otherDeleted = deleted;
    curSprite = change.index;
}

void Swap(LibraryChange& change, SpriteLibrary& library, int& curSprite) {
    std::swap(change.other, library);
    std::swap(change.otherCurSprite, curSprite);
}

enum class Direction { Undo, Redo };

// The room that the undo leaves in the library is there for the redo, so
// that a redo never needs memory.
void Apply(AddedSprite& change, SpriteLibrary& library, int& curSprite, Direction direction) {
    if (direction == Direction::Redo) {
        library.Insert(size_t(change.index), change.sprite, change.deleted);
        curSprite = change.index;
        return;
    }
    change.sprite = library[size_t(change.index)];
    change.deleted = library.Deleted(size_t(change.index));
    library.Remove(size_t(change.index));
    curSprite = std::min(change.currentBefore, library.SpriteLast());
}

// The moved sprite stays current wherever the step puts it.
void Apply(MovedSprite& change, SpriteLibrary& library, int& curSprite, Direction direction) {
    library.Swap(size_t(change.from), size_t(change.to));
    curSprite = direction == Direction::Redo ? change.to : change.from;
}

template <typename SwappedChange>
void Apply(SwappedChange& change, SpriteLibrary& library, int& curSprite, Direction) {
    Swap(change, library, curSprite);
}

// Undo takes the changes back in reverse order.
void Apply(Step& step, SpriteLibrary& library, int& curSprite, Direction direction) {
    const auto apply = [&](Change& change) {
        std::visit([&](auto& c) { Apply(c, library, curSprite, direction); }, change);
    };
    if (direction == Direction::Redo) {
        std::for_each(step.changes.begin(), step.changes.end(), apply);
    } else {
        std::for_each(step.changes.rbegin(), step.changes.rend(), apply);
    }
}

}  // namespace

void History::Push(Step&& step) {
    while (steps_.size() > done_) {
        bytes_ -= steps_.back().bytes;
        steps_.pop_back();
    }
    if (clean_ && *clean_ > Position()) clean_.reset();  // it was among the undone steps
    const size_t bytes = BytesOf(step);
    if (bytes > kByteLimit) {
        dropped_ += steps_.size() + 1;
        steps_.clear();
        done_ = 0;
        bytes_ = 0;
        if (clean_ && *clean_ != Position()) clean_.reset();
    } else {
        // The entry is made before the step moves into it.
        steps_.emplace_back();
        steps_.back() = {std::move(step), bytes};
        bytes_ += bytes;
        ++done_;
        DropOldestBeyondLimit();
    }
    Changed();
}

void History::AddToLast(Change change) {
    if (done_ == 0) return;
    Entry& last = steps_[done_ - 1];
    const size_t bytes = BytesOf(change);
    last.step.changes.push_back(std::move(change));
    last.bytes += bytes;
    bytes_ += bytes;
    DropOldestBeyondLimit();
}

bool History::Undo(SpriteLibrary& library, int& curSprite) {
    if (!CanUndo()) return false;
    ApplyEntry(steps_[--done_], library, curSprite, false);
    return true;
}

bool History::Redo(SpriteLibrary& library, int& curSprite) {
    if (!CanRedo()) return false;
    ApplyEntry(steps_[done_++], library, curSprite, true);
    return true;
}

// What a step holds changes as it swaps sides with the library.
void History::ApplyEntry(Entry& entry, SpriteLibrary& library, int& curSprite, bool redo) {
    Apply(entry.step, library, curSprite, redo ? Direction::Redo : Direction::Undo);
    bytes_ -= entry.bytes;
    entry.bytes = BytesOf(entry.step);
    bytes_ += entry.bytes;
    Changed();
}

void History::MarkClean() {
    clean_ = Position();
    Changed();
}

void History::Reset() {
    steps_.clear();
    done_ = dropped_ = bytes_ = 0;
    clean_ = 0;
    Changed();
}

// The newest step always stays, so that it can be undone.
void History::DropOldestBeyondLimit() {
    while (bytes_ > kByteLimit && steps_.size() > 1 && done_ > 1) {
        bytes_ -= steps_.front().bytes;
        steps_.pop_front();
        --done_;
        ++dropped_;
    }
    if (clean_ && *clean_ < dropped_) clean_.reset();
}

void History::Changed() const {
    if (changed) changed();
}
