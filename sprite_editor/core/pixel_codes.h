// Pixel codes of a sprite and the colours they are shown in.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>

enum PixelCode : uint8_t {
    CodeLight = 0,   // lightest shade, pixel off
    CodeMid = 1,     // middle shade
    CodeDark = 2,    // darkest shade, pixel on
    CodeMask = 3,    // transparent, outside the sprite's mask
    CodeMarker = 4,  // first point of a pending line or rectangle
};

// A 24-bit colour, red in the lowest byte, then green, then blue.
using Colour = uint32_t;

constexpr Colour RGB(uint32_t red, uint32_t green, uint32_t blue) { return red | green << 8 | blue << 16; }
constexpr uint32_t Red(Colour c) { return c & 0xFF; }
constexpr uint32_t Green(Colour c) { return c >> 8 & 0xFF; }
constexpr uint32_t Blue(Colour c) { return c >> 16 & 0xFF; }
// Each of red, green and blue replaced by 255 minus its value.
constexpr Colour Complement(Colour c) { return c ^ 0xFFFFFF; }

// Display colour of every code. Codes above CodeMarker can only come from a
// file written elsewhere; they are kept as they are and shown in one colour of
// their own, so every byte value has an entry.
using CodeColours = std::array<Colour, 256>;

constexpr CodeColours MakeCodeColours(std::array<Colour, 5> known, Colour unknown) {
    CodeColours colours{};
    for (size_t code = 0; code < colours.size(); ++code) colours[code] = code < known.size() ? known[code] : unknown;
    return colours;
}

inline constexpr CodeColours kPixelColors = MakeCodeColours(
    {RGB(190, 220, 160), RGB(123, 142, 104), RGB(55, 64, 47), RGB(255, 0, 255), RGB(0, 255, 0)}, RGB(255, 128, 0));
// About half of each of kPixelColors: sprites marked deleted, in the sprite list.
inline constexpr CodeColours kDimColors = MakeCodeColours(
    {RGB(95, 110, 80), RGB(61, 71, 52), RGB(27, 32, 24), RGB(128, 0, 128), RGB(0, 128, 0)}, RGB(128, 64, 0));
