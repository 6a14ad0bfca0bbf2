// A sprite of the library: 16 x 16 pixel codes.
#pragma once

#include <array>
#include <cstdint>

#include "pixel_codes.h"

inline constexpr int kSpriteSide = 16;

struct Sprite {
    // Row by row, top row first, left pixel first: the order the sprite files
    // copy verbatim.
    std::array<uint8_t, kSpriteSide * kSpriteSide> bytes{};

    uint8_t& Pixels(int x, int y) { return bytes[x + kSpriteSide * y]; }
    uint8_t Pixels(int x, int y) const { return bytes[x + kSpriteSide * y]; }

    bool operator==(const Sprite&) const = default;
};
