#include "conversion_pass.h"

#include <algorithm>
#include <cstring>

void OutputFile::Write(std::span<const uint8_t> data) {
    if (bytes_.size() < position_ + data.size()) bytes_.resize(position_ + data.size());
    std::copy(data.begin(), data.end(), bytes_.begin() + position_);
    position_ += data.size();
}

uint8_t* OutputFile::Extend(size_t count) {
    if (bytes_.size() < position_ + count) bytes_.resize(position_ + count);
    uint8_t* start = bytes_.data() + position_;
    std::memset(start, 0, count);
    position_ += count;
    return start;
}

size_t DestImageSize(uint32_t width, uint32_t height, uint32_t bpp) {
    if (bpp == 1) return size_t(width) * ((size_t(height) + 7) / 8);
    return size_t(width) * height * bpp / 8;
}

namespace {

void VisitPixels(const Bitmap& bitmap, const Settings& settings, PassState& pass) {
    const int32_t width = int32_t(bitmap.biWidth);
    const int32_t height = int32_t(bitmap.biHeight);
    const PixelWriter writePixel = settings.writePixel;
    if (!settings.Flag('r')) {
        for (pass.y = 0; pass.y < height; ++pass.y) {
            const tagRGBTRIPLE* row = bitmap.srcImage.data() + size_t(pass.y) * width;
            for (pass.x = 0; pass.x < width; ++pass.x) writePixel(row[pass.x], pass);
        }
        return;
    }
    // Turned 90 degrees clockwise: each column, read upwards, becomes a row.
    for (pass.x = 0; pass.x < width; ++pass.x) {
        for (pass.y = height - 1; pass.y >= 0; --pass.y) {
            writePixel(bitmap.Pixel(pass.x, pass.y), pass);
        }
    }
}

void WriteInChunks(OutputFile& fo, std::span<const uint8_t> destImage, uint32_t offset,
                   uint32_t chunk, uint32_t stride) {
    for (size_t k = 0; k < destImage.size(); k += chunk) {
        fo.Seek(offset + (k / chunk) * stride);
        fo.Write(destImage.subspan(k, std::min<size_t>(chunk, destImage.size() - k)));
    }
}

}  // namespace

void DoGfxThing(OutputFile& fo, const Bitmap& bitmap, const Settings& settings,
                const Palette& palette, uint32_t offset, uint32_t chunk, uint32_t stride) {
    const size_t size = DestImageSize(bitmap.biWidth, bitmap.biHeight, settings.bpp);
    std::vector<uint8_t> chunked;
    uint8_t* destImage;
    if (chunk == 0) {
        destImage = fo.Extend(size);
    } else {
        chunked.assign(size, 0);
        destImage = chunked.data();
    }
    PassState pass{settings, palette, bitmap.biWidth, destImage, destImage, 0, 0};
    VisitPixels(bitmap, settings, pass);
    if (chunk != 0) WriteInChunks(fo, chunked, offset, chunk, stride);
}
