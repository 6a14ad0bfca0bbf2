// Runs the in-memory part of a dotpress run: options parsed as on the command
// line, the bitmap decoded, the output file built.
#pragma once

#include <cstdint>
#include <initializer_list>
#include <string>
#include <vector>

#include "bitmap.h"
#include "palette.h"

std::vector<uint8_t> Convert(std::initializer_list<std::string> options, const std::vector<uint8_t>& bmp,
                             const Palette& palette = Palette());

// A 24-bit bitmap of the given pixels, top row first.
std::vector<uint8_t> Bmp(int32_t width, int32_t height, const std::vector<tagRGBTRIPLE>& pixels);

// A grey of the given green value (red and blue too).
inline tagRGBTRIPLE Grey(uint8_t v) { return {v, v, v}; }

std::string Hex(const std::vector<uint8_t>& bytes);
