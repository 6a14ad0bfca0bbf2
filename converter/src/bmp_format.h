// The headers of a Windows bitmap (BMP): their fields, the checks a file must
// pass, and where its colour table and pixels lie.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>

namespace bmp {

constexpr size_t kFileHeaderSize = 14;  // "BM", bfSize, two reserved fields, bfOffBits
constexpr uint32_t kCoreHeaderSize = 12;  // OS/2 1.x: 16-bit sizes, 3-byte colour table entries
constexpr uint32_t kInfoHeaderSize = 40;  // the fields every later header version starts with
constexpr uint32_t kOs2HeaderSize = 64;   // OS/2 2.x, whose compression 3 is Huffman coding
// Enough bytes to read biSize and so tell which header follows.
constexpr size_t kHeaderKindEnd = kFileHeaderSize + 4;

enum Compression : uint32_t { kRgb = 0, kRle8 = 1, kRle4 = 2, kBitfields = 3 };

uint32_t ReadU16(std::span<const uint8_t> b, size_t at);
uint32_t ReadU32(std::span<const uint8_t> b, size_t at);

struct Headers {
    uint32_t bfSize;
    uint32_t bfOffBits;
    uint32_t biSize;
    int32_t biWidth;
    int32_t biHeight;
    uint32_t biPlanes;
    uint32_t biBitCount;
    uint32_t biCompression;
    uint32_t biSizeImage;  // the bytes of the run-length stream, when compressed
};

// Where the fields ReadHeaders reads end, for the header of size biSize.
size_t HeaderFieldsEnd(uint32_t biSize);
// Needs the first HeaderFieldsEnd(biSize) bytes.
Headers ReadHeaders(std::span<const uint8_t> file);

// The message of the first check the headers fail, or none: the header's
// size, the planes, the compression (and whether it fits the depth), the
// depth, and the picture's size, which may not exceed `maxPixels`.
const char* HeaderError(const Headers& h, uint64_t maxPixels);

// Where the pixel rows lie in the file, when they are not compressed.
struct RowLayout {
    uint32_t width;
    uint32_t height;
    bool topDown;
    uint64_t pixelBytes;  // bytes of one row without its padding
    uint64_t stride;      // bytes of one row with its padding to a multiple of 4
};
RowLayout LayoutRows(const Headers& h);

inline bool IsRunLength(const Headers& h) { return h.biCompression == kRle8 || h.biCompression == kRle4; }

// Where the fields of the headers end, the masks of BI_BITFIELDS included.
uint64_t HeadersEnd(const Headers& h);
// Where the last uncompressed row ends; its padding may be missing from the file.
uint64_t RowsEnd(const RowLayout& rows, uint32_t bfOffBits);
// Where the run-length stream ends: biSizeImage bytes from bfOffBits, or, when
// a writer left biSizeImage 0, where bfSize says the file ends.
uint64_t RunLengthEnd(const Headers& h);
// The table follows the info header, whatever its version; the core header's
// entries have 3 bytes, the others 4.
uint64_t ColourTableStart(const Headers& h);
size_t ColourTableEntrySize(const Headers& h);
// How far the file reaches by what its headers announce: headers, colour
// table, and the rows or the run-length stream.
uint64_t AnnouncedEnd(const Headers& h);

}  // namespace bmp
