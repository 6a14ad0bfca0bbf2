// The sprite library: the sprites and their deletion marks, kept in step so
// that every sprite has exactly one mark. Never empty.
#pragma once

#include <cstddef>
#include <vector>

#include "sprite.h"

class SpriteLibrary {
public:
    SpriteLibrary() : SpriteLibrary(std::vector<Sprite>(1)) {}
    // The sprites, none marked; no sprites at all give one blank sprite.
    explicit SpriteLibrary(std::vector<Sprite> sprites);

    size_t size() const { return sprites_.size(); }
    int SpriteLast() const { return int(sprites_.size()) - 1; }
    Sprite& operator[](size_t index) { return sprites_[index]; }
    const Sprite& operator[](size_t index) const { return sprites_[index]; }
    const std::vector<Sprite>& All() const { return sprites_; }

    const std::vector<bool>& SpriteDeleted() const { return deleted_; }
    bool Deleted(size_t index) const { return deleted_[index]; }
    void SetDeleted(size_t index, bool deleted) { deleted_[index] = deleted; }

    // Puts a sprite with its mark at index (size() appends), the ones from
    // there on moving one place back. Short of memory it throws
    // std::bad_alloc and the library stays as it was. The sprite is taken by
    // value, so that it may be one of the library's own.
    void Insert(size_t index, Sprite sprite, bool deleted);
    void Append(const Sprite& sprite, bool deleted) { Insert(size(), sprite, deleted); }
    // Removes the sprite at index with its mark, unless it is the only one.
    void Remove(size_t index);
    void RemoveLast() { Remove(size() - 1); }
    // The two sprites exchange places, each with its mark.
    void Swap(size_t first, size_t second);

    // The memory the library holds, about.
    size_t Bytes() const { return sprites_.capacity() * sizeof(Sprite) + deleted_.capacity() / 8; }

    friend bool operator==(const SpriteLibrary&, const SpriteLibrary&) = default;

private:
    std::vector<Sprite> sprites_;
    std::vector<bool> deleted_;
};
