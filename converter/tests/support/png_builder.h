// Builds PNG files in memory for tests and benchmarks, with libspng's encoder.
#pragma once

#include <cstdint>
#include <vector>

#include "bitmap.h"

// An 8-bit RGB PNG of the given pixels, top row first, with libspng's default
// compression and filter choice; Adam7-interlaced when asked.
std::vector<uint8_t> BuildPng(int32_t width, int32_t height, const std::vector<tagRGBTRIPLE>& pixels,
                              bool interlaced = false);
