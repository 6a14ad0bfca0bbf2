// Windows bitmap (BMP) input: headers, checks and decoding into a top-down
// array of 3-byte pixels.
#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <vector>

// One pixel or colour-table entry, bytes in file order.
struct tagRGBTRIPLE {
    uint8_t rgbtBlue;
    uint8_t rgbtGreen;
    uint8_t rgbtRed;
};
static_assert(sizeof(tagRGBTRIPLE) == 3);

// The decoded bitmap. srcImage holds biWidth x biHeight pixels, rows without
// gaps, the top image row first, whatever the row order in the file.
struct Bitmap {
    uint32_t biWidth = 0;
    uint32_t biHeight = 0;
    uint32_t biBitCount = 0;
    std::vector<tagRGBTRIPLE> srcImage;

    const tagRGBTRIPLE& Pixel(uint32_t column, uint32_t row) const {
        return srcImage[size_t(row) * biWidth + column];
    }
};

// Either a bitmap or the one-line message (with its line break) that explains
// why the file was refused.
struct BitmapResult {
    Bitmap bitmap;
    std::string error;
};

inline constexpr const char* kErrorOpeningBitmap = "Error opening bitmap file!\n";
inline constexpr const char* kErrorPlanes = "Unsupported number of planes!\n";
inline constexpr const char* kErrorCompression = "Unsupported compression type!\n";
inline constexpr const char* kErrorBitDepth = "Unsupported bit depth!\n";
inline constexpr const char* kErrorBitmapHeader = "Unsupported bitmap header!\n";
inline constexpr const char* kErrorBitmapSize = "Unsupported bitmap size!\n";
inline constexpr const char* kErrorBitmapTruncated = "Bitmap file is truncated!\n";

// Decodes a whole BMP file held in memory. Uncompressed 1, 2, 4, 8 and 24 bits
// per pixel, bottom-up or top-down, with any info header of 40 bytes or more.
// Nothing large is allocated before the file is known to hold every pixel row.
BitmapResult ReadBitmap(std::span<const uint8_t> file);
