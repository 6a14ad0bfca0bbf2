#include "png_input.h"

#include <spng.h>

#include <algorithm>
#include <array>
#include <cstring>
#include <memory>
#include <new>
#include <string>
#include <utility>
#include <vector>

#if defined(__x86_64__)
#include <tmmintrin.h>
#endif

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

// round(v / 257), which maps 0..65535 onto 0..255 as 8-bit values scale up;
// v / 257 is never halfway between two integers.
uint8_t EightBits(uint16_t channel) { return uint8_t((2 * uint32_t(channel) + 257) / 514); }

// 16-bit red, green, blue and alpha (which is left out) into a picture row.
void ConvertWideRow(const uint16_t* in, Columns columns, uint32_t width, tagRGBTRIPLE* out) {
    for (uint32_t x = columns.first; x < width; x += columns.step) {
        const uint16_t* pixel = in + size_t(x) * 4;
        out[x] = tagRGBTRIPLE{EightBits(pixel[2]), EightBits(pixel[1]), EightBits(pixel[0])};
    }
}

void SwapRedAndBlue(uint8_t* pixel) { std::swap(pixel[0], pixel[2]); }

#if defined(__x86_64__)
// Four pixels a step: 16 bytes are loaded and the first 12 reordered and
// stored, as 8 and 4 bytes; a 16-byte store would overlap the next step's
// load, which then waits for it.
__attribute__((target("ssse3"))) void SwapRedAndBlueInRowSsse3(uint8_t* row, uint32_t width) {
    const __m128i order = _mm_setr_epi8(2, 1, 0, 5, 4, 3, 8, 7, 6, 11, 10, 9, 12, 13, 14, 15);
    uint32_t x = 0;
    for (; x + 6 <= width; x += 4) {
        uint8_t* at = row + 3 * size_t(x);
        const __m128i swapped = _mm_shuffle_epi8(_mm_loadu_si128(reinterpret_cast<const __m128i*>(at)), order);
        _mm_storel_epi64(reinterpret_cast<__m128i*>(at), swapped);
        const int32_t last = _mm_cvtsi128_si32(_mm_srli_si128(swapped, 8));
        std::memcpy(at + 8, &last, 4);
    }
    for (; x < width; ++x) SwapRedAndBlue(row + 3 * size_t(x));
}
#endif

// libspng's red, green, blue become a picture's blue, green, red in place.
// A whole row, the common case, goes through a byte shuffle where the
// processor has one: the swap costs a tenth of what it would byte by byte.
void SwapRedAndBlue(uint8_t* row, Columns columns, uint32_t width) {
#if defined(__x86_64__)
    static const bool shuffle = __builtin_cpu_supports("ssse3");
    if (columns.step == 1 && shuffle) return SwapRedAndBlueInRowSsse3(row, width);
#endif
    for (uint32_t x = columns.first; x < width; x += columns.step) SwapRedAndBlue(row + 3 * size_t(x));
}

// Decodes row by row: `rowAt(info)` tells where libspng writes a row of
// `rowBytes`, `finish(info)` makes picture pixels of it. An interlaced row
// holds the pixels of its pass alone. The end of the image comes with the
// last row, or, when the last Adam7 passes have no rows (a picture one pixel
// high has none in pass 7), as the state libspng is in after the last row
// there is.
template <typename RowAt, typename Finish>
std::string DecodeRows(spng_ctx* ctx, size_t rowBytes, RowAt rowAt, Finish finish) {
    for (int code = 0; code != SPNG_EOI;) {
        spng_row_info info{};
        if (const int state = spng_get_row_info(ctx, &info)) return state == SPNG_EOI ? "" : PngError(state);
        code = spng_decode_row(ctx, rowAt(info), rowBytes);
        if (code != 0 && code != SPNG_EOI) return PngError(code);
        finish(info);
    }
    return {};
}

// 8-bit samples are written into the picture rows themselves; 16-bit ones
// into one row of their own, from where they are rounded into the picture.
std::string DecodeAllRows(spng_ctx* ctx, const spng_ihdr& ihdr, tagRGBTRIPLE* image) {
    const auto pictureRow = [&](const spng_row_info& info) { return image + size_t(info.row_num) * ihdr.width; };
    const auto columns = [&](const spng_row_info& info) { return RowColumns(ihdr, info.pass); };
    if (ihdr.bit_depth != 16) {
        const auto bytes = [&](const spng_row_info& info) { return reinterpret_cast<uint8_t*>(pictureRow(info)); };
        return DecodeRows(ctx, size_t(ihdr.width) * 3, bytes, [&](const spng_row_info& info) {
            SwapRedAndBlue(bytes(info), columns(info), ihdr.width);
        });
    }
    std::vector<uint16_t> samples(size_t(ihdr.width) * 4);
    return DecodeRows(ctx, samples.size() * 2, [&](const spng_row_info&) { return samples.data(); },
                      [&](const spng_row_info& info) {
                          ConvertWideRow(samples.data(), columns(info), ihdr.width, pictureRow(info));
                      });
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
    if (std::string error = DecodeAllRows(ctx, ihdr, image); !error.empty()) return error;
    // The chunks after the pixel data, up to the end mark: a file cut short
    // there is refused as well.
    if (const int code = spng_decode_chunks(ctx)) return PngError(code);
    return {};
}

// The Adler-32 of the compressed stream is not checked: the chunks' CRC-32,
// which is, already covers every compressed byte, and the Adler-32 costs a
// tenth of the decoding time.
Context NewContext(std::span<const uint8_t> file, const DecodeLimits& limits) {
    Context ctx(spng_ctx_new(SPNG_CTX_IGNORE_ADLER32), spng_ctx_free);
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
