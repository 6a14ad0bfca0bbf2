// Sprites as one picture and back: sprite k is the 16 x 16 block at column
// k mod 8 and row k div 8, eight to a row, so the picture is 128 pixels wide,
// a tile set of 8 x 8 tiles in which sprite k is tiles 2 (k mod 8) +
// 32 (k div 8), + 1, + 16 and + 17.
#pragma once

#include <cstdint>
#include <span>
#include <vector>

#include "pixel_codes.h"
#include "sprite.h"

// A pixel as picture files hold it.
struct Rgba {
    uint8_t red = 0;
    uint8_t green = 0;
    uint8_t blue = 0;
    uint8_t alpha = 255;
    bool operator==(const Rgba&) const = default;
};
static_assert(sizeof(Rgba) == 4, "four bytes in the order red, green, blue, alpha, as pictures keep them");

inline constexpr int kSheetSprites = 8;  // sprites to a row of the picture
inline constexpr int kSheetWidth = kSheetSprites * kSpriteSide;

// The picture's height for this many sprites: rows past the last sprite are
// left out.
int SheetHeight(size_t sprites);

// The shade a colour counts as, by its green alone, as the handheld's
// screens take pictures: below 85 dark, below 170 mid, otherwise light.
uint8_t ShadeOf(uint8_t green);

// The code a picture's pixel gives: the mask where it is transparent (alpha
// below 128) or exactly (255, 0, 255), otherwise its shade.
uint8_t CodeOfPixel(const Rgba& pixel);

// Every sprite in its block, row by row, top row first. Codes 0 to 2 take
// their colours; the mask, and the blocks no sprite fills, are transparent,
// or (255, 0, 255) for a picture that holds no transparency; other codes take
// the colour of the shade their own colour counts as.
std::vector<Rgba> DrawSpriteSheet(std::span<const Sprite> sprites, const CodeColours& colours, bool transparency);

// The sprites of a picture of width x height pixels, row by row: its whole
// 16 x 16 blocks in reading order; a partial block at the right or bottom
// edge is left out, and so are the wholly transparent blocks that end the
// last row, where a picture of sprites has no sprite.
std::vector<Sprite> CutSpriteSheet(int width, int height, std::span<const Rgba> pixels);
