// The conversion pass: every source pixel through the selected writer into a
// fresh output buffer, then the buffer into the output file.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

#include "bitmap.h"
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

// The output file, built in memory and written to disk in one call. Like a
// file, writing past the end after a seek leaves zero bytes in the gap.
class OutputFile {
public:
    void Seek(size_t position) { position_ = position; }
    void Write(std::span<const uint8_t> data);
    // Zero-fills `count` bytes at the current position, moves past them and
    // returns where they start, so a pass can build its buffer in place.
    uint8_t* Extend(size_t count);
    const std::vector<uint8_t>& Bytes() const { return bytes_; }
    std::vector<uint8_t> TakeBytes() { return std::move(bytes_); }

private:
    std::vector<uint8_t> bytes_;
    size_t position_ = 0;
};

// Size of a pass's buffer. The Pokemon Mini layout (1 bit per pixel) stores
// whole strips of 8 rows, so a partial last strip still gets its bytes.
size_t DestImageSize(uint32_t width, uint32_t height, uint32_t bpp);

// One pass. chunk 0 writes the buffer at the file's current position; otherwise
// the buffer goes out in pieces of `chunk` bytes, piece n at file position
// offset + n * stride (a last piece that runs past the buffer is cut short).
void DoGfxThing(OutputFile& fo, const Bitmap& bitmap, const Settings& settings,
                const Palette& palette, uint32_t offset, uint32_t chunk, uint32_t stride);
