#include "sprite_library.h"

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

void SpriteLibrary::Append(const Sprite& sprite, bool deleted) {
    // Room for both first: a push_back into reserved room cannot fail.
    MakeRoomForOne(sprites_);
    MakeRoomForOne(deleted_);
    sprites_.push_back(sprite);
    deleted_.push_back(deleted);
}

void SpriteLibrary::RemoveLast() {
    if (sprites_.size() < 2) return;
    sprites_.pop_back();
    deleted_.pop_back();
}
