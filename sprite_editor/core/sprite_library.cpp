#include "sprite_library.h"

#include <utility>

SpriteLibrary::SpriteLibrary(std::vector<Sprite> sprites) : sprites_(std::move(sprites)) {
    if (sprites_.empty()) sprites_.emplace_back();
    deleted_.assign(sprites_.size(), false);
}

namespace {

// Room for one more, growing by half again so that appending stays cheap.
template <typename Vector>
void MakeRoomForOne(Vector& vector) {
    if (vector.size() == vector.capacity()) vector.reserve(vector.size() + vector.size() / 2 + 1);
}

}  // namespace

void SpriteLibrary::Insert(size_t index, Sprite sprite, bool deleted) {
    // Room for both first: an insertion into reserved room cannot fail.
    MakeRoomForOne(sprites_);
    MakeRoomForOne(deleted_);
    sprites_.insert(sprites_.begin() + std::ptrdiff_t(index), sprite);
    deleted_.insert(deleted_.begin() + std::ptrdiff_t(index), deleted);
}

void SpriteLibrary::Remove(size_t index) {
    if (sprites_.size() < 2) return;
    sprites_.erase(sprites_.begin() + std::ptrdiff_t(index));
    deleted_.erase(deleted_.begin() + std::ptrdiff_t(index));
}

void SpriteLibrary::Swap(size_t first, size_t second) {
    std::swap(sprites_[first], sprites_[second]);
    std::vector<bool>::swap(deleted_[first], deleted_[second]);
}
