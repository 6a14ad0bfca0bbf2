// Pokemon Mini monochrome output: 8 vertically stacked pixels per byte, bit 0
// the top one, a set bit dark; strips of 8 rows, top strip first, each strip a
// byte per column from the left.
#pragma once

#include "conversion_pass.h"

// Sets the pixel's bit when its green byte lies below the threshold that the
// three pm_dither parameters choose at (x, y): 85 or 170.
void WritePixelPM(const tagRGBTRIPLE& pixel, PassState& pass);

// Sprite data with mask ("-kK"): for every group of 8 screen bytes, the group of
// the non-dithered 1st screen followed by the same group of the 2nd screen,
// starting at file position `start` (behind the header, if there is one).
void SpriteConversion(OutputFile& fo, const Bitmap& bitmap, Settings& settings,
                      const Palette& palette, uint32_t start);
