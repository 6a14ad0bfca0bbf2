#include "bitmap.h"

#include <algorithm>
#include <array>

namespace {

constexpr size_t kFileHeaderSize = 14;  // "BM", bfSize, two reserved fields, bfOffBits
constexpr size_t kInfoHeaderSize = 40;  // the fields every later header version starts with
constexpr size_t kHeadersSize = kFileHeaderSize + kInfoHeaderSize;

// Little-endian fields, assembled byte by byte so the host's order never matters.
uint32_t ReadU16(std::span<const uint8_t> b, size_t at) { return b[at] | b[at + 1] << 8; }
uint32_t ReadU32(std::span<const uint8_t> b, size_t at) {
    return uint32_t(b[at]) | uint32_t(b[at + 1]) << 8 | uint32_t(b[at + 2]) << 16 |
           uint32_t(b[at + 3]) << 24;
}
int32_t ReadS32(std::span<const uint8_t> b, size_t at) { return int32_t(ReadU32(b, at)); }

struct Headers {
    uint32_t bfOffBits;
    uint32_t biSize;
    int32_t biWidth;
    int32_t biHeight;
    uint32_t biPlanes;
    uint32_t biBitCount;
    uint32_t biCompression;
};

Headers ReadHeaders(std::span<const uint8_t> file) {
    const size_t info = kFileHeaderSize;
    return Headers{
        .bfOffBits = ReadU32(file, 10),
        .biSize = ReadU32(file, info + 0),
        .biWidth = ReadS32(file, info + 4),
        .biHeight = ReadS32(file, info + 8),
        .biPlanes = ReadU16(file, info + 12),
        .biBitCount = ReadU16(file, info + 14),
        .biCompression = ReadU32(file, info + 16),
    };
}

bool IsSupportedDepth(uint32_t depth) {
    return depth == 1 || depth == 2 || depth == 4 || depth == 8 || depth == 24;
}

// The message of the first check the headers fail, or none.
const char* HeaderError(const Headers& h) {
    if (h.biSize < kInfoHeaderSize) return kErrorBitmapHeader;
    if (h.biPlanes != 1) return kErrorPlanes;
    if (h.biCompression != 0) return kErrorCompression;
    if (!IsSupportedDepth(h.biBitCount)) return kErrorBitDepth;
    if (h.biWidth < 0 || h.biHeight == INT32_MIN) return kErrorBitmapSize;
    return nullptr;
}

// Where the pixel rows lie in the file.
struct RowLayout {
    uint32_t width;
    uint32_t height;
    bool topDown;
    uint64_t pixelBytes;  // bytes of one row without its padding
    uint64_t stride;      // bytes of one row with its padding to a multiple of 4
};

RowLayout LayoutRows(const Headers& h) {
    RowLayout rows{};
    rows.width = uint32_t(h.biWidth);
    rows.topDown = h.biHeight < 0;
    rows.height = rows.topDown ? uint32_t(-int64_t(h.biHeight)) : uint32_t(h.biHeight);
    rows.pixelBytes = (uint64_t(rows.width) * h.biBitCount + 7) / 8;
    rows.stride = (rows.pixelBytes + 3) / 4 * 4;
    return rows;
}

// Where the last row ends; its padding may be missing from the file. Fewer
// than 2^31 rows of under 3 x 2^31 + 4 bytes precede it: about 1.4 x 10^19 at
// most, within 64 bits.
uint64_t RowsEnd(const RowLayout& rows, uint32_t bfOffBits) {
    if (rows.width == 0 || rows.height == 0) return 0;
    return bfOffBits + (rows.height - 1) * rows.stride + rows.pixelBytes;
}

bool FileHoldsRows(const RowLayout& rows, uint32_t bfOffBits, size_t fileSize) {
    return RowsEnd(rows, bfOffBits) <= fileSize;
}

using ColourTable = std::array<tagRGBTRIPLE, 256>;

// The table follows the info header, whatever its version.
uint64_t ColourTableStart(uint32_t biSize) { return kFileHeaderSize + uint64_t(biSize); }
uint64_t ColourTableEnd(uint32_t biSize, uint32_t depth) {
    return ColourTableStart(biSize) + 4 * (uint64_t(1) << depth);
}

// Entries beyond the end of the file are black.
ColourTable ReadColourTable(std::span<const uint8_t> file, uint32_t biSize, uint32_t depth) {
    ColourTable table{};
    const uint64_t start = ColourTableStart(biSize);
    const size_t entries = size_t(1) << depth;
    for (size_t i = 0; i < entries; ++i) {
        const uint64_t at = start + 4 * i;
        if (at + 3 > file.size()) break;
        table[i] = tagRGBTRIPLE{file[at], file[at + 1], file[at + 2]};
    }
    return table;
}

// Packed indices, the leftmost pixel in the most significant bits of a byte.
void DecodeIndexedRow(const uint8_t* row, uint32_t width, uint32_t depth, const ColourTable& table,
                      tagRGBTRIPLE* out) {
    if (depth == 8) {
        for (uint32_t x = 0; x < width; ++x) out[x] = table[row[x]];
        return;
    }
    const uint32_t perByte = 8 / depth;
    const uint32_t mask = (1u << depth) - 1;
    for (uint32_t x = 0; x < width; ++x) {
        const uint32_t shift = (perByte - 1 - x % perByte) * depth;
        out[x] = table[(row[x / perByte] >> shift) & mask];
    }
}

void DecodeIndexedRows(std::span<const uint8_t> file, const Headers& h, const RowLayout& rows,
                       tagRGBTRIPLE* image) {
    const ColourTable table = ReadColourTable(file, h.biSize, h.biBitCount);
    for (uint32_t fileRow = 0; fileRow < rows.height; ++fileRow) {
        const uint8_t* in = file.data() + h.bfOffBits + fileRow * rows.stride;
        const uint32_t imageRow = rows.topDown ? fileRow : rows.height - 1 - fileRow;
        DecodeIndexedRow(in, rows.width, h.biBitCount, table, image + size_t(imageRow) * rows.width);
    }
}

BitmapResult Refuse(const char* message) { return BitmapResult{{}, message}; }

}  // namespace

std::vector<tagRGBTRIPLE> Bitmap::Pixels() const {
    std::vector<tagRGBTRIPLE> pixels;
    pixels.reserve(size_t(biWidth) * biHeight);
    for (uint32_t row = 0; row < biHeight && biWidth > 0; ++row) {
        pixels.insert(pixels.end(), Row(row), Row(row) + biWidth);
    }
    return pixels;
}

size_t BitmapFileSize(std::span<const uint8_t> start) {
    if (start.size() < kHeadersSize) return kHeadersSize;
    const Headers h = ReadHeaders(start);
    if (HeaderError(h)) return kHeadersSize;
    uint64_t end = std::max<uint64_t>(kHeadersSize, RowsEnd(LayoutRows(h), h.bfOffBits));
    if (h.biBitCount <= 8) end = std::max(end, ColourTableEnd(h.biSize, h.biBitCount));
    return size_t(std::min<uint64_t>(end, SIZE_MAX));
}

BitmapResult ReadBitmap(std::vector<uint8_t> file) {
    return ReadBitmap(std::make_shared<const FileBytes>(std::move(file)));
}

BitmapResult ReadBitmap(std::shared_ptr<const FileBytes> fileBytes) {
    const std::span<const uint8_t> file = fileBytes->Span();
    if (file.size() < kHeadersSize) return Refuse(kErrorBitmapTruncated);
    const Headers h = ReadHeaders(file);
    if (const char* error = HeaderError(h)) return Refuse(error);

    const RowLayout rows = LayoutRows(h);
    if (!FileHoldsRows(rows, h.bfOffBits, file.size())) return Refuse(kErrorBitmapTruncated);

    BitmapResult result;
    Bitmap& bitmap = result.bitmap;
    bitmap.biWidth = rows.width;
    bitmap.biHeight = rows.height;
    bitmap.biBitCount = h.biBitCount;
    if (rows.width == 0 || rows.height == 0) return result;
    if (h.biBitCount == 24) {
        // The file's rows are the pixels already; only their order may differ.
        const uint8_t* first = file.data() + h.bfOffBits;
        const ptrdiff_t stride = ptrdiff_t(rows.stride);
        bitmap.top_ = rows.topDown ? first : first + (rows.height - 1) * stride;
        bitmap.rowStep_ = rows.topDown ? stride : -stride;
        bitmap.storage_ = std::move(fileBytes);
    } else {
        auto image = std::make_shared<std::vector<tagRGBTRIPLE>>(size_t(rows.width) * rows.height);
        DecodeIndexedRows(file, h, rows, image->data());
        bitmap.top_ = reinterpret_cast<const uint8_t*>(image->data());
        bitmap.rowStep_ = ptrdiff_t(rows.width) * 3;
        bitmap.storage_ = std::move(image);
    }
    return result;
}
