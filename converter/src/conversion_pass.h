// The conversion pass: every source pixel through the selected writer into a
// fresh output buffer, then the buffer into the output file.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

#include "bitmap.h"
#include "output_file.h"
#include "settings.h"

class Palette;

// What a pixel writer sees while a pass runs.
struct PassState {
    const Settings& settings;
    const Palette& palette;
    uint32_t biWidth;
    uint8_t* destImage;     // zero-filled at the start of the pass
    uint8_t* destImagePtr;  // append position of the byte-stream writers
    int32_t x;              // source column and row of the pixel being written
    int32_t y;
};

// Size of a pass's buffer. The Pokemon Mini layout (1 bit per pixel) stores
// whole strips of 8 rows, so a partial last strip still gets its bytes.
size_t DestImageSize(uint32_t width, uint32_t height, uint32_t bpp);

// One pass. chunk 0 writes the buffer at the file's current position; otherwise
// the buffer goes out in pieces of `chunk` bytes, piece n at file position
// offset + n * stride (a last piece that runs past the buffer is cut short).
// With chunk 0, the byte-stream writers' output is built and handed on in
// bands of whole output rows, so it never needs memory of its full size.
void DoGfxThing(OutputFile& fo, const Bitmap& bitmap, const Settings& settings,
                const Palette& palette, uint32_t offset, uint32_t chunk, uint32_t stride);
