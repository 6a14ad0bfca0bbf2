// Pokemon Mini monochrome output: 8 vertically stacked pixels per byte, bit 0
// the top one, a set bit dark; strips of 8 rows, top strip first, each strip a
// byte per column from the left.
#pragma once

#include "conversion_pass.h"

// Sets the pixel's bit when its green byte lies below the threshold that the
// three pm_dither parameters choose at (x, y): 85 or 170.
inline void WritePixelPM(const tagRGBTRIPLE& pixel, PassState& pass) {
    const Settings& s = pass.settings;
    // A non-zero selector picks the low threshold: only the darker greys are dark.
    const int32_t selector = ((pass.x ^ s.pm_dither_xor ^ pass.y) & s.pm_dither_and) | s.pm_dither_or;
    const uint8_t threshold = selector ? 85 : 170;
    // Or-ing in a clear bit for a light pixel avoids a branch that photographs
    // with noise would mispredict half of the time.
    const uint32_t dark = pixel.rgbtGreen < threshold;
    const size_t strip = size_t(pass.y / 8);
    pass.destImage[strip * pass.biWidth + size_t(pass.x)] |= uint8_t(dark << (pass.y % 8));
}

// Sprite data with mask ("-kK"): for every group of 8 screen bytes, the group of
// the non-dithered 1st screen followed by the same group of the 2nd screen,
// starting at file position `start` (behind the header, if there is one).
void SpriteConversion(OutputFile& fo, const Bitmap& bitmap, Settings& settings,
                      const Palette& palette, uint32_t start);

// How many bytes SpriteConversion writes from `start` on. A last group of
// fewer than 8 bytes leaves zeros behind the 1st screen's part of it.
size_t SpriteDataSize(uint32_t width, uint32_t height);
