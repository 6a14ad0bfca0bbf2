#include "transforms.h"

namespace {

constexpr int kLast = kSpriteSide - 1;

// The sprite whose pixel (x, y) is the source's pixel at source(x, y).
template <typename Source>
Sprite Remapped(const Sprite& sprite, Source source) {
    Sprite result;
    for (int y = 0; y < kSpriteSide; ++y) {
        for (int x = 0; x < kSpriteSide; ++x) {
            const auto [sx, sy] = source(x, y);
            result.Pixels(x, y) = sprite.Pixels(sx, sy);
        }
    }
    return result;
}

// A position moved by any number of whole sprites back into the sprite.
int Wrapped(int position) { return (position % kSpriteSide + kSpriteSide) % kSpriteSide; }

struct Position {
    int x, y;
};

}  // namespace

Sprite FlippedHorizontally(const Sprite& sprite) {
    return Remapped(sprite, [](int x, int y) { return Position{kLast - x, y}; });
}

Sprite FlippedVertically(const Sprite& sprite) {
    return Remapped(sprite, [](int x, int y) { return Position{x, kLast - y}; });
}

// The top row becomes the right column, top to bottom.
Sprite RotatedClockwise(const Sprite& sprite) {
    return Remapped(sprite, [](int x, int y) { return Position{y, kLast - x}; });
}

// The top row becomes the left column, bottom to top.
Sprite RotatedCounterClockwise(const Sprite& sprite) {
    return Remapped(sprite, [](int x, int y) { return Position{kLast - y, x}; });
}

Sprite Shifted(const Sprite& sprite, int dx, int dy) {
    return Remapped(sprite, [=](int x, int y) { return Position{Wrapped(x - dx), Wrapped(y - dy)}; });
}

Sprite LightAndDarkSwapped(const Sprite& sprite) {
    Sprite result = sprite;
    for (uint8_t& code : result.bytes) {
        if (code == CodeLight) {
            code = CodeDark;
        } else if (code == CodeDark) {
            code = CodeLight;
        }
    }
    return result;
}
