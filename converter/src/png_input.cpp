#include "png_input.h"

#include <spng.h>

#include <algorithm>
#include <array>
#include <memory>
#include <new>
#include <string>
#include <vector>

namespace {

constexpr std::array<uint8_t, 8> kSignature = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
constexpr size_t kWidestPixelBytes = 8;  // 16-bit RGBA

using Context = std::unique_ptr<spng_ctx, decltype(&spng_ctx_free)>;

// libspng's refusal as dotpress reports it: the limits it was given are the
// picture size's, memory it lacks is the run's.
std::string PngError(int code) {
    if (code == SPNG_EMEM) throw std::bad_alloc();
    if (code == SPNG_EUSER_WIDTH || code == SPNG_EUSER_HEIGHT) return kErrorBitmapSize;
    return std::string(kErrorReadingPng) + spng_strerror(code) + "\n";
}

BitmapResult Refuse(std::string message) { return BitmapResult{{}, std::move(message)}; }

// The columns one decoded row holds: every column, or those of one pass of
// Adam7 interlacing.
struct Columns {
    uint32_t first;
    uint32_t step;
};

Columns RowColumns(const spng_ihdr& ihdr, int pass) {
    static constexpr uint8_t kFirst[7] = {0, 4, 0, 2, 0, 1, 0};
    static constexpr uint8_t kStep[7] = {8, 8, 4, 4, 2, 2, 1};
    if (ihdr.interlace_method == SPNG_INTERLACE_NONE) return {0, 1};
    return {kFirst[pass], kStep[pass]};
}

uint8_t EightBits(uint8_t channel) { return channel; }
// round(v / 257), which maps 0..65535 onto 0..255 as 8-bit values scale up;
// v / 257 is never halfway between two integers.
uint8_t EightBits(uint16_t channel) { return uint8_t((2 * uint32_t(channel) + 257) / 514); }

// libspng gives red, green, blue (and alpha, which is left out).
template <typename Sample, size_t kChannels>
void ConvertRow(const Sample* in, Columns columns, uint32_t width, tagRGBTRIPLE* out) {
    for (uint32_t x = columns.first; x < width; x += columns.step) {
        const Sample* pixel = in + size_t(x) * kChannels;
        out[x] = tagRGBTRIPLE{EightBits(pixel[2]), EightBits(pixel[1]), EightBits(pixel[0])};
    }
}

// Decodes row by row, so that beside the picture only one row of libspng's
// output is held. An interlaced row holds the pixels of its pass alone.
template <typename Sample, size_t kChannels>
std::string DecodeRows(spng_ctx* ctx, const spng_ihdr& ihdr, tagRGBTRIPLE* image) {
    std::vector<Sample> row(size_t(ihdr.width) * kChannels);
    for (int code = 0; code != SPNG_EOI;) {
        spng_row_info info{};
        if (const int error = spng_get_row_info(ctx, &info)) return PngError(error);
        code = spng_decode_row(ctx, row.data(), row.size() * sizeof(Sample));
        if (code != 0 && code != SPNG_EOI) return PngError(code);
        ConvertRow<Sample, kChannels>(row.data(), RowColumns(ihdr, info.pass), ihdr.width,
                                      image + size_t(info.row_num) * ihdr.width);
    }
    return {};
}

uint32_t BitsPerPixel(const spng_ihdr& ihdr) {
    switch (ihdr.color_type) {
        case SPNG_COLOR_TYPE_TRUECOLOR: return 3u * ihdr.bit_depth;
        case SPNG_COLOR_TYPE_GRAYSCALE_ALPHA: return 2u * ihdr.bit_depth;
        case SPNG_COLOR_TYPE_TRUECOLOR_ALPHA: return 4u * ihdr.bit_depth;
        default: return ihdr.bit_depth;
    }
}

// No decode flags: neither transparency nor gamma is applied. 16-bit samples
// come whole (libspng's 8-bit output keeps only their high byte), as RGBA
// whatever the colour type.
std::string DecodePixels(spng_ctx* ctx, const spng_ihdr& ihdr, tagRGBTRIPLE* image) {
    const bool wide = ihdr.bit_depth == 16;
    if (const int code = spng_decode_image(ctx, nullptr, 0, wide ? SPNG_FMT_RGBA16 : SPNG_FMT_RGB8,
                                           SPNG_DECODE_PROGRESSIVE)) {
        return PngError(code);
    }
    std::string error = wide ? DecodeRows<uint16_t, 4>(ctx, ihdr, image) : DecodeRows<uint8_t, 3>(ctx, ihdr, image);
    if (!error.empty()) return error;
    // The chunks after the pixel data, up to the end mark: a file cut short
    // there is refused as well.
    if (const int code = spng_decode_chunks(ctx)) return PngError(code);
    return {};
}

Context NewContext(std::span<const uint8_t> file, const DecodeLimits& limits) {
    Context ctx(spng_ctx_new(0), spng_ctx_free);
    if (!ctx) throw std::bad_alloc();
    const auto side = uint32_t(std::min<uint64_t>(limits.pixels, INT32_MAX));
    spng_set_png_buffer(ctx.get(), file.data(), file.size());
    spng_set_image_limits(ctx.get(), side, side);
    spng_set_chunk_limits(ctx.get(), limits.pngChunkBytes, limits.pngChunkCache);
    return ctx;
}

}  // namespace

bool IsPng(std::span<const uint8_t> start) {
    return start.size() >= kSignature.size() && std::equal(kSignature.begin(), kSignature.end(), start.begin());
}

size_t PngReadLimit(const DecodeLimits& limits) {
    const uint64_t pixelData = limits.pixels * (kWidestPixelBytes + 1);
    // Room for the compression's and the chunks' own bytes, and other chunks.
    const uint64_t limit = pixelData + pixelData / 64 + limits.pngChunkCache;
    return size_t(std::min<uint64_t>(limit, SIZE_MAX - 1));
}

BitmapResult ReadPng(std::span<const uint8_t> file, const DecodeLimits& limits) {
    if (file.size() > PngReadLimit(limits)) return Refuse(kErrorBitmapSize);
    const Context ctx = NewContext(file, limits);
    spng_ihdr ihdr{};
    if (const int code = spng_get_ihdr(ctx.get(), &ihdr)) return Refuse(PngError(code));
    if (uint64_t(ihdr.width) * ihdr.height > limits.pixels) return Refuse(kErrorBitmapSize);

    std::shared_ptr<tagRGBTRIPLE[]> pixels = NewPixels(size_t(ihdr.width) * ihdr.height);
    if (std::string error = DecodePixels(ctx.get(), ihdr, pixels.get()); !error.empty()) return Refuse(error);
    return BitmapResult{Bitmap::Decoded(ihdr.width, ihdr.height, BitsPerPixel(ihdr), std::move(pixels)), ""};
}
