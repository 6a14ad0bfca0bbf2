// The pixels of a bitmap whose headers passed their checks, decoded into rows
// of 3-byte pixels, top row first. 24-bit rows need no decoding.
#pragma once

#include <cstdint>
#include <span>

#include "bitmap.h"
#include "bmp_format.h"

namespace bmp {

// 1, 2, 4 and 8 bits per pixel: indices into the colour table.
void DecodeIndexedRows(std::span<const uint8_t> file, const Headers& h, const RowLayout& rows, tagRGBTRIPLE* image);

// 16 and 32 bits per pixel: each channel where its mask says, 5-5-5 and
// 8-8-8 without masks.
void DecodeMaskedRows(std::span<const uint8_t> file, const Headers& h, const RowLayout& rows, tagRGBTRIPLE* image);

// RLE8 and RLE4. Pixels the stream leaves unset take colour index 0; runs past
// a row's end or the last row are dropped. False when the file ends before
// the stream its headers announce does, and the stream had not finished the
// picture by then.
bool DecodeRunLength(std::span<const uint8_t> file, const Headers& h, const RowLayout& rows, tagRGBTRIPLE* image);

}  // namespace bmp
