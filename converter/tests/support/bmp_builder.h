// Builds BMP files in memory for tests, benchmarks and fuzz seeds.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "bitmap.h"

struct BmpFields {
    int32_t width = 0;
    int32_t height = 0;  // the rows' count; written negated when topDown
    uint16_t depth = 24;
    bool topDown = false;
    uint32_t infoHeaderSize = 40;  // 108 and 124 for the V4 and V5 headers
    uint16_t planes = 1;
    uint32_t compression = 0;
    // Depth 24: the pixels, top row first. Depth 1 to 8: the colour table
    // (may be shorter than 2^depth) and one index per pixel, top row first.
    std::vector<tagRGBTRIPLE> pixels{};
    std::vector<tagRGBTRIPLE> colourTable{};
    std::vector<uint8_t> indices{};
};

std::vector<uint8_t> BuildBmp(const BmpFields& fields);

// A 24-bit bitmap of one colour.
std::vector<uint8_t> SolidBmp(int32_t width, int32_t height, tagRGBTRIPLE colour);

void SaveFile(const std::string& path, const std::vector<uint8_t>& bytes);
std::vector<uint8_t> LoadFile(const std::string& path);

inline bool operator==(const tagRGBTRIPLE& a, const tagRGBTRIPLE& b) {
    return a.rgbtBlue == b.rgbtBlue && a.rgbtGreen == b.rgbtGreen && a.rgbtRed == b.rgbtRed;
}
