// Input pictures, Windows bitmaps (BMP) and PNG: checks and decoding into
// rows of 3-byte pixels, top row first.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <span>
#include <string>
#include <vector>

#include "file_bytes.h"

// One pixel or colour-table entry, bytes in file order.
struct tagRGBTRIPLE {
    uint8_t rgbtBlue;
    uint8_t rgbtGreen;
    uint8_t rgbtRed;
};
static_assert(sizeof(tagRGBTRIPLE) == 3);

// What one run decodes at most. The program keeps these; the fuzz target
// lowers them, so that no allocation of its runs grows large.
struct DecodeLimits {
    // The most pixels of a picture: 16384 x 16384, 768 MiB decoded.
    uint64_t pixels = uint64_t(1) << 28;
    // The largest PNG chunk besides the pixel data (a text or colour profile
    // decompressed counts), and all such chunks together. dotpress uses none
    // of them, and these bounds keep a compressed text from taking memory.
    size_t pngChunkBytes = size_t(16) << 20;
    size_t pngChunkCache = size_t(64) << 20;
};

// The decoded picture, biWidth x biHeight pixels, read top row first whatever
// the row order in the file. Most pictures are decoded into memory of their
// own; 24-bit bitmap rows are read where they lie in the file, which the
// bitmap keeps.
class Bitmap {
public:
    uint32_t biWidth = 0;
    uint32_t biHeight = 0;
    uint32_t biBitCount = 0;  // bits per pixel in the file

    // A picture of no pixels, or of pixels of its own, rows without gaps.
    static Bitmap Decoded(uint32_t width, uint32_t height, uint32_t bitCount,
                          std::shared_ptr<const tagRGBTRIPLE[]> pixels = nullptr);
    // Rows that lie in memory `storage` keeps: the top row at `top`, each
    // next one `rowStep` bytes further.
    static Bitmap InPlace(uint32_t width, uint32_t height, uint32_t bitCount, std::shared_ptr<const void> storage,
                          const uint8_t* top, ptrdiff_t rowStep);

    const tagRGBTRIPLE* Row(uint32_t row) const {
        return reinterpret_cast<const tagRGBTRIPLE*>(top_ + ptrdiff_t(row) * rowStep_);
    }
    const tagRGBTRIPLE& Pixel(uint32_t column, uint32_t row) const { return Row(row)[column]; }
    // A copy of all pixels, rows without gaps, the top row first.
    std::vector<tagRGBTRIPLE> Pixels() const;

private:
    std::shared_ptr<const void> storage_;  // what the rows lie in
    const uint8_t* top_ = nullptr;          // the top row
    ptrdiff_t rowStep_ = 0;                 // from one row to the next one down
};

inline constexpr const char* kErrorOpeningBitmap = "Error opening bitmap file!\n";
inline constexpr const char* kErrorPlanes = "Unsupported number of planes!\n";
inline constexpr const char* kErrorCompression = "Unsupported compression type!\n";
inline constexpr const char* kErrorBitDepth = "Unsupported bit depth!\n";
inline constexpr const char* kErrorBitmapHeader = "Unsupported bitmap header!\n";
inline constexpr const char* kErrorBitmapSize = "Unsupported bitmap size!\n";
inline constexpr const char* kErrorBitmapTruncated = "Bitmap file is truncated!\n";

// Either a bitmap or the one-line message (with its line break) that explains
// why the file was refused.
struct BitmapResult {
    Bitmap bitmap;
    std::string error;
};

// Memory for `count` pixels that a decoder fills, left as it comes.
std::shared_ptr<tagRGBTRIPLE[]> NewPixels(size_t count);

// Decodes a whole file: a PNG when it starts with the PNG signature, else a
// BMP (whose file type mark is not checked). A JPEG, GIF, TIFF or WebP,
// known by its signature, is refused as "Unsupported file format (JPEG):
// only BMP and PNG are read!", its format in the brackets. BMPs: 1, 2, 4, 8,
// 16, 24 and 32 bits per pixel, RLE8 and RLE4, masks, bottom-up or top-down,
// with the OS/2 core header or any info header of 40 bytes or more. Nothing
// large is allocated before the file is known to hold every pixel row, or,
// for run-length and PNG data, before the picture's size passes its checks.
BitmapResult ReadBitmap(std::shared_ptr<const FileBytes> file, const DecodeLimits& limits = {});
BitmapResult ReadBitmap(std::vector<uint8_t> file, const DecodeLimits& limits = {});

// How many bytes an input file holds in all, judged from its first bytes.
// A BMP: the headers, the colour table and the pixel rows or run-length
// stream they announce, the last row's padding left out; headers that
// ReadBitmap refuses announce nothing beyond themselves. A PNG, which does
// not announce its length: all of it, up to a bound past which ReadBitmap
// refuses it. A picture of another format: its signature.
// ReadBitmap decides the same on these bytes as on the whole file.
size_t BitmapFileSize(std::span<const uint8_t> start);
