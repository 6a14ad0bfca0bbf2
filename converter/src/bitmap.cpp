#include "bitmap.h"

#include <sys/mman.h>

#include <algorithm>
#include <string>
#include <string_view>
#include <utility>

#include "bmp_format.h"
#include "bmp_pixels.h"
#include "png_input.h"

namespace {

using namespace std::string_view_literals;

BitmapResult Refuse(std::string message) { return BitmapResult{{}, std::move(message)}; }

// Pictures of other formats are named by their signature rather than read as
// a bitmap whose headers make no sense.
struct Signature {
    const char* format;
    std::string_view start;
    std::string_view atEight{};  // a RIFF container's form type
};

constexpr Signature kOtherFormats[] = {
    {"JPEG", "\xFF\xD8\xFF"sv},
    {"GIF", "GIF87a"sv},
    {"GIF", "GIF89a"sv},
    {"TIFF", "II*\0"sv},
    {"TIFF", "MM\0*"sv},
    {"TIFF", "II+\0"sv},  // BigTIFF
    {"TIFF", "MM\0+"sv},
    {"WebP", "RIFF"sv, "WEBP"sv},
};

bool HoldsAt(std::span<const uint8_t> bytes, size_t at, std::string_view expected) {
    return bytes.size() >= at + expected.size() &&
           std::equal(expected.begin(), expected.end(), bytes.begin() + at,
                      [](char e, uint8_t b) { return uint8_t(e) == b; });
}

const Signature* OtherFormat(std::span<const uint8_t> start) {
    for (const Signature& signature : kOtherFormats) {
        const bool form = signature.atEight.empty() || HoldsAt(start, 8, signature.atEight);
        if (form && HoldsAt(start, 0, signature.start)) return &signature;
    }
    return nullptr;
}

size_t SignatureEnd(const Signature& signature) {
    return signature.atEight.empty() ? signature.start.size() : 8 + signature.atEight.size();
}

// A decoder writes a large picture once, page after page; in pages of 2 MiB
// where the system allows them, a 48 MiB picture takes 24 page faults
// instead of 12,000, which here saves a sixth to a third of a PNG's decoding
// time.
void AdviseHugePages(void* memory, size_t bytes) {
    constexpr uintptr_t kHugePage = uintptr_t(2) << 20;
    const auto begin = reinterpret_cast<uintptr_t>(memory);
    const uintptr_t first = (begin + kHugePage - 1) & ~(kHugePage - 1), end = (begin + bytes) & ~(kHugePage - 1);
    if (end > first) ::madvise(reinterpret_cast<void*>(first), end - first, MADV_HUGEPAGE);
}

// How many bytes the header fields take, judged from the file's first bytes:
// biSize tells which header they are.
size_t HeaderFieldsNeeded(std::span<const uint8_t> start) {
    if (start.size() < bmp::kHeaderKindEnd) return bmp::kHeaderKindEnd;
    return bmp::HeaderFieldsEnd(bmp::ReadU32(start, bmp::kFileHeaderSize));
}

// The headers with their masks, and every uncompressed row; run-length
// streams are followed as far as the file goes.
bool HoldsHeadersAndRows(const bmp::Headers& h, size_t fileSize) {
    if (bmp::HeadersEnd(h) > fileSize) return false;
    return bmp::IsRunLength(h) || bmp::RowsEnd(bmp::LayoutRows(h), h.bfOffBits) <= fileSize;
}

// 24-bit rows are the pixels already; only their order may differ.
Bitmap RowsInFile(std::shared_ptr<const FileBytes> fileBytes, const bmp::Headers& h, const bmp::RowLayout& rows) {
    const uint8_t* first = fileBytes->Span().data() + h.bfOffBits;
    const ptrdiff_t stride = ptrdiff_t(rows.stride);
    const uint8_t* top = rows.topDown ? first : first + (rows.height - 1) * stride;
    return Bitmap::InPlace(rows.width, rows.height, h.biBitCount, std::move(fileBytes), top,
                           rows.topDown ? stride : -stride);
}

BitmapResult DecodeBmpPixels(std::span<const uint8_t> file, const bmp::Headers& h, const bmp::RowLayout& rows) {
    std::shared_ptr<tagRGBTRIPLE[]> pixels = NewPixels(size_t(rows.width) * rows.height);
    if (bmp::IsRunLength(h)) {
        if (!bmp::DecodeRunLength(file, h, rows, pixels.get())) return Refuse(kErrorBitmapTruncated);
    } else if (h.biBitCount <= 8) {
        bmp::DecodeIndexedRows(file, h, rows, pixels.get());
    } else {
        bmp::DecodeMaskedRows(file, h, rows, pixels.get());
    }
    return BitmapResult{Bitmap::Decoded(rows.width, rows.height, h.biBitCount, std::move(pixels)), ""};
}

BitmapResult ReadBmp(std::shared_ptr<const FileBytes> fileBytes, const DecodeLimits& limits) {
    const std::span<const uint8_t> file = fileBytes->Span();
    if (file.size() < HeaderFieldsNeeded(file)) return Refuse(kErrorBitmapTruncated);
    const bmp::Headers h = bmp::ReadHeaders(file);
    if (const char* error = bmp::HeaderError(h, limits.pixels)) return Refuse(error);
    if (!HoldsHeadersAndRows(h, file.size())) return Refuse(kErrorBitmapTruncated);

    const bmp::RowLayout rows = bmp::LayoutRows(h);
    if (rows.width == 0 || rows.height == 0) {
        return BitmapResult{Bitmap::Decoded(rows.width, rows.height, h.biBitCount), ""};
    }
    if (h.biBitCount == 24) return BitmapResult{RowsInFile(std::move(fileBytes), h, rows), ""};
    return DecodeBmpPixels(file, h, rows);
}

size_t BmpFileSize(std::span<const uint8_t> start, uint64_t maxPixels) {
    const size_t fieldsEnd = HeaderFieldsNeeded(start);
    if (start.size() < fieldsEnd) return fieldsEnd;
    const bmp::Headers h = bmp::ReadHeaders(start);
    if (bmp::HeaderError(h, maxPixels)) return fieldsEnd;
    return size_t(std::min<uint64_t>(bmp::AnnouncedEnd(h), SIZE_MAX));
}

}  // namespace

Bitmap Bitmap::Decoded(uint32_t width, uint32_t height, uint32_t bitCount,
                       std::shared_ptr<const tagRGBTRIPLE[]> pixels) {
    const auto* top = reinterpret_cast<const uint8_t*>(pixels.get());
    return InPlace(width, height, bitCount, std::move(pixels), top, ptrdiff_t(width) * 3);
}

Bitmap Bitmap::InPlace(uint32_t width, uint32_t height, uint32_t bitCount, std::shared_ptr<const void> storage,
                       const uint8_t* top, ptrdiff_t rowStep) {
    Bitmap bitmap;
    bitmap.biWidth = width;
    bitmap.biHeight = height;
    bitmap.biBitCount = bitCount;
    bitmap.storage_ = std::move(storage);
    bitmap.top_ = top;
    bitmap.rowStep_ = rowStep;
    return bitmap;
}

std::vector<tagRGBTRIPLE> Bitmap::Pixels() const {
    std::vector<tagRGBTRIPLE> pixels;
    pixels.reserve(size_t(biWidth) * biHeight);
    for (uint32_t row = 0; row < biHeight && biWidth > 0; ++row) {
        pixels.insert(pixels.end(), Row(row), Row(row) + biWidth);
    }
    return pixels;
}

std::shared_ptr<tagRGBTRIPLE[]> NewPixels(size_t count) {
    auto* pixels = new tagRGBTRIPLE[count];
    AdviseHugePages(pixels, count * sizeof(tagRGBTRIPLE));
    return std::shared_ptr<tagRGBTRIPLE[]>(pixels);
}

size_t BitmapFileSize(std::span<const uint8_t> start) {
    const DecodeLimits limits;
    // One byte past the bound, so that a longer PNG is seen to be longer.
    if (IsPng(start)) return PngReadLimit(limits) + 1;
    if (const Signature* other = OtherFormat(start)) return SignatureEnd(*other);
    return BmpFileSize(start, limits.pixels);
}

BitmapResult ReadBitmap(std::vector<uint8_t> file, const DecodeLimits& limits) {
    return ReadBitmap(std::make_shared<const FileBytes>(std::move(file)), limits);
}

BitmapResult ReadBitmap(std::shared_ptr<const FileBytes> file, const DecodeLimits& limits) {
    if (IsPng(file->Span())) return ReadPng(file->Span(), limits);
    if (const Signature* other = OtherFormat(file->Span())) {
        return Refuse(std::string("Unsupported file format (") + other->format + "): only BMP and PNG are read!\n");
    }
    return ReadBmp(std::move(file), limits);
}
