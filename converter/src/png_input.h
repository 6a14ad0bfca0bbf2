// PNG input through libspng: every colour type, bit depth and interlacing,
// decoded into the same rows of 3-byte pixels a bitmap gives.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>

#include "bitmap.h"

inline constexpr const char* kErrorReadingPng = "Error reading PNG file: ";

// Whether the bytes start with the 8 bytes every PNG starts with.
bool IsPng(std::span<const uint8_t> start);

// The most bytes of a PNG that ReadPng takes; a longer file is refused as too
// large. A PNG does not announce its length, but its pixel data, even stored
// without compression, holds at most a filter byte and 8 bytes (16-bit RGBA)
// a pixel, and other chunks are bounded by `limits` too.
size_t PngReadLimit(const DecodeLimits& limits);

// Every pixel keeps its stored colour: alpha, transparency and colour
// management chunks (gAMA, iCCP, sRGB) are not applied; 16-bit channels are
// rounded to 8 bits, fewer bits are repeated up to 8 (palette colours are 8
// bits already). A refused file gives "Error reading PNG file: " with
// libspng's reason, or the size message for a picture over the limit.
BitmapResult ReadPng(std::span<const uint8_t> file, const DecodeLimits& limits);
