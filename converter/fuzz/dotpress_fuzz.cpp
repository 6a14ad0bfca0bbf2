// Decodes the input as a BMP or PNG and converts it with the options its
// first byte picks. Beyond crashes, leaks and undefined behaviour it checks
// what the output must be: its exact size, for the palette layout the
// exhaustive search's answer for every pixel, and for a PNG the pixels
// libspng decodes in one call. A PNG's chunk checksums are made right first,
// so that mutations reach past them.
#include <spng.h>
#include <zlib.h>

#include <cstdlib>
#include <cstring>
#include <sstream>

#include "command_line.h"
#include "driver.h"
#include "fuzz_input.h"
#include "png_input.h"

namespace {

// Small enough that no allocation reaches libFuzzer's malloc limit.
constexpr DecodeLimits kLimits{.pixels = 1 << 16, .pngChunkBytes = 1 << 16, .pngChunkCache = 1 << 18};

const Palette& FuzzPalette() {
    static const Palette palette = [] {
        PaletteEntries entries{};
        for (int i = 0; i < 256; ++i) entries[i] = {uint8_t(i * 7), uint8_t(i * 13 / 5), uint8_t(255 - i / 3)};
        return Palette(entries);
    }();
    return palette;
}

size_t ExpectedSize(const Bitmap& bitmap, const Settings& settings) {
    const size_t header = settings.Flag('n') ? 8 : 0;
    if (!(settings.Flag('k') && settings.Flag('K'))) {
        return header + DestImageSize(bitmap.biWidth, bitmap.biHeight, settings.bpp);
    }
    // Two screens in groups of 8 bytes, interleaved; the last group may be short.
    const size_t screen = DestImageSize(bitmap.biWidth, bitmap.biHeight, 1);
    if (screen == 0) return header;
    const size_t lastGroup = (screen - 1) / 8;
    return header + 8 + 16 * lastGroup + (screen - 8 * lastGroup);
}

void Check(bool condition) {
    if (!condition) std::abort();
}

uint32_t BigEndian32(const uint8_t* p) { return uint32_t(p[0]) << 24 | p[1] << 16 | p[2] << 8 | p[3]; }

void FixChunkChecksums(std::vector<uint8_t>& png) {
    for (size_t at = 8; png.size() - at >= 12;) {
        const uint32_t length = BigEndian32(&png[at]);
        if (png.size() - at - 12 < length) return;
        const uint32_t crc = uint32_t(crc32(0, &png[at + 4], length + 4));
        for (int i = 0; i < 4; ++i) png[at + 8 + length + i] = uint8_t(crc >> (24 - 8 * i));
        at += 12 + size_t(length);
    }
}

// libspng's one-call decode into 8-bit RGB, or 16-bit RGBA rounded; like
// dotpress, it leaves the compressed stream's Adler-32 unchecked.
std::vector<tagRGBTRIPLE> DecodeInOneCall(const std::vector<uint8_t>& png) {
    spng_ctx* ctx = spng_ctx_new(SPNG_CTX_IGNORE_ADLER32);
    spng_set_png_buffer(ctx, png.data(), png.size());
    spng_set_chunk_limits(ctx, kLimits.pngChunkBytes, kLimits.pngChunkCache);
    spng_ihdr ihdr{};
    spng_get_ihdr(ctx, &ihdr);
    const bool wide = ihdr.bit_depth == 16;
    const int format = wide ? SPNG_FMT_RGBA16 : SPNG_FMT_RGB8;
    size_t size = 0;
    spng_decoded_image_size(ctx, format, &size);
    std::vector<uint16_t> samples(size / 2 + 1);
    Check(spng_decode_image(ctx, samples.data(), size, format, 0) == 0);
    spng_ctx_free(ctx);
    const auto* bytes = reinterpret_cast<const uint8_t*>(samples.data());
    std::vector<tagRGBTRIPLE> pixels(size_t(ihdr.width) * ihdr.height);
    for (size_t i = 0; i < pixels.size(); ++i) {
        const auto eight = [&](size_t c) { return wide ? uint8_t((2 * samples[4 * i + c] + 257) / 514) : bytes[3 * i + c]; };
        pixels[i] = tagRGBTRIPLE{eight(2), eight(1), eight(0)};
    }
    return pixels;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size < 1) return 0;
    const std::vector<std::string>& options = FuzzOptionSets()[data[0] % FuzzOptionSets().size()];
    Settings settings;
    std::ostringstream err;
    ParseArguments(options, settings, err, err);
    std::vector<uint8_t> file(data + 1, data + size);
    const bool png = IsPng(file);
    if (png) FixChunkChecksums(file);
    const BitmapResult result = ReadBitmap(file, kLimits);
    if (!result.error.empty()) return 0;
    const Bitmap& bitmap = result.bitmap;
    if (png) {
        const std::vector<tagRGBTRIPLE> ours = bitmap.Pixels(), reference = DecodeInOneCall(file);
        Check(ours.size() == reference.size() && std::memcmp(ours.data(), reference.data(), 3 * ours.size()) == 0);
    }
    const bool palette = settings.writePixel == &WritePixelP1;
    const size_t expected = ExpectedSize(bitmap, settings);

    const std::vector<uint8_t> out = BuildOutputFile(bitmap, settings, FuzzPalette());
    Check(out.size() == expected);
    if (palette && !settings.Flag('r') && bitmap.biWidth > 0) {
        for (uint32_t y = 0; y < bitmap.biHeight; ++y) {
            for (uint32_t x = 0; x < bitmap.biWidth; ++x) {
                const size_t at = size_t(y) * bitmap.biWidth + x;
                Check(out[at] == NearestIndexExhaustive(FuzzPalette().Entries(), bitmap.Pixel(x, y)));
            }
        }
    }
    return 0;
}
