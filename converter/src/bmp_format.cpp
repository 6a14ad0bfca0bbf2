#include "bmp_format.h"

#include <algorithm>

#include "bitmap.h"

namespace bmp {

namespace {

constexpr size_t kMasksSize = 12;  // red, green and blue, after the 40 fields of the info header

bool IsKnownHeaderSize(uint32_t biSize) { return biSize == kCoreHeaderSize || biSize >= kInfoHeaderSize; }

bool IsSupportedDepth(uint32_t depth) {
    switch (depth) {
        case 1: case 2: case 4: case 8: case 16: case 24: case 32: return true;
        default: return false;
    }
}

// Each run-length coding fits one depth, the masks fit 16 and 32 bits. JPEG
// and PNG inside a bitmap (4 and 5), and OS/2's Huffman coding (its 3) are not
// supported.
bool CompressionFits(const Headers& h) {
    switch (h.biCompression) {
        case kRgb: return true;
        case kRle8: return h.biBitCount == 8;
        case kRle4: return h.biBitCount == 4;
        case kBitfields: return h.biSize != kOs2HeaderSize && (h.biBitCount == 16 || h.biBitCount == 32);
        default: return false;
    }
}

uint32_t Height(const Headers& h) { return h.biHeight < 0 ? uint32_t(-int64_t(h.biHeight)) : uint32_t(h.biHeight); }

}  // namespace

// Little-endian fields, assembled byte by byte so the host's order never matters.
uint32_t ReadU16(std::span<const uint8_t> b, size_t at) { return b[at] | b[at + 1] << 8; }
uint32_t ReadU32(std::span<const uint8_t> b, size_t at) {
    return uint32_t(b[at]) | uint32_t(b[at + 1]) << 8 | uint32_t(b[at + 2]) << 16 | uint32_t(b[at + 3]) << 24;
}

size_t HeaderFieldsEnd(uint32_t biSize) {
    return kFileHeaderSize + (biSize == kCoreHeaderSize ? kCoreHeaderSize : kInfoHeaderSize);
}

Headers ReadHeaders(std::span<const uint8_t> file) {
    const size_t info = kFileHeaderSize;
    Headers h{};
    h.bfSize = ReadU32(file, 2);
    h.bfOffBits = ReadU32(file, 10);
    h.biSize = ReadU32(file, info);
    if (h.biSize == kCoreHeaderSize) {
        h.biWidth = int32_t(ReadU16(file, info + 4));
        h.biHeight = int32_t(ReadU16(file, info + 6));
        h.biPlanes = ReadU16(file, info + 8);
        h.biBitCount = ReadU16(file, info + 10);
        h.biCompression = kRgb;
        return h;
    }
    h.biWidth = int32_t(ReadU32(file, info + 4));
    h.biHeight = int32_t(ReadU32(file, info + 8));
    h.biPlanes = ReadU16(file, info + 12);
    h.biBitCount = ReadU16(file, info + 14);
    h.biCompression = ReadU32(file, info + 16);
    h.biSizeImage = ReadU32(file, info + 20);
    return h;
}

const char* HeaderError(const Headers& h, uint64_t maxPixels) {
    if (!IsKnownHeaderSize(h.biSize)) return kErrorBitmapHeader;
    if (h.biPlanes != 1) return kErrorPlanes;
    if (!CompressionFits(h)) return kErrorCompression;
    if (!IsSupportedDepth(h.biBitCount)) return kErrorBitDepth;
    if (h.biWidth < 0 || h.biHeight == INT32_MIN) return kErrorBitmapSize;
    if (uint64_t(h.biWidth) * Height(h) > maxPixels) return kErrorBitmapSize;
    return nullptr;
}

RowLayout LayoutRows(const Headers& h) {
    RowLayout rows{};
    rows.width = uint32_t(h.biWidth);
    rows.topDown = h.biHeight < 0;
    rows.height = Height(h);
    rows.pixelBytes = (uint64_t(rows.width) * h.biBitCount + 7) / 8;
    rows.stride = (rows.pixelBytes + 3) / 4 * 4;
    return rows;
}

uint64_t HeadersEnd(const Headers& h) {
    if (h.biCompression == kBitfields) return kFileHeaderSize + kInfoHeaderSize + kMasksSize;
    return HeaderFieldsEnd(h.biSize);
}

// Fewer than 2^31 rows of under 4 x 2^31 + 4 bytes precede the last one:
// about 1.9 x 10^19 at most, within 64 bits.
uint64_t RowsEnd(const RowLayout& rows, uint32_t bfOffBits) {
    if (rows.width == 0 || rows.height == 0) return 0;
    return bfOffBits + (rows.height - 1) * rows.stride + rows.pixelBytes;
}

uint64_t RunLengthEnd(const Headers& h) {
    if (h.biSizeImage != 0) return uint64_t(h.bfOffBits) + h.biSizeImage;
    return std::max(h.bfSize, h.bfOffBits);
}

uint64_t ColourTableStart(const Headers& h) { return kFileHeaderSize + uint64_t(h.biSize); }
size_t ColourTableEntrySize(const Headers& h) { return h.biSize == kCoreHeaderSize ? 3 : 4; }

uint64_t AnnouncedEnd(const Headers& h) {
    uint64_t end = HeadersEnd(h);
    if (h.biBitCount <= 8) {
        end = std::max(end, ColourTableStart(h) + (uint64_t(ColourTableEntrySize(h)) << h.biBitCount));
    }
    return std::max(end, IsRunLength(h) ? RunLengthEnd(h) : RowsEnd(LayoutRows(h), h.bfOffBits));
}

}  // namespace bmp
