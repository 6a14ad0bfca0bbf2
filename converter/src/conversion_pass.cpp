#include "conversion_pass.h"

#include <algorithm>
#include <cstring>
#include <utility>

#include "palette.h"
#include "pixel_writers.h"
#include "pokemini.h"

size_t DestImageSize(uint32_t width, uint32_t height, uint32_t bpp) {
    if (bpp == 1) return size_t(width) * ((size_t(height) + 7) / 8);
    return size_t(width) * height * bpp / 8;
}

namespace {

// Output rows of a pass: source rows, or with "r" source columns.
struct Lines {
    bool rotate;
    uint32_t first;
    uint32_t count;
};

// Visits the pixels of the given output rows in output order: without "r" the
// image as it is, top row first; with "r" turned 90 degrees clockwise, each
// column read upwards becoming an output row.
template <typename Writer>
[[gnu::always_inline]] inline void VisitPixels(const Bitmap& bitmap, Lines lines, PassState& pass, Writer writePixel) {
    const int32_t first = int32_t(lines.first), end = int32_t(lines.first + lines.count);
    if (!lines.rotate) {
        const int32_t width = int32_t(bitmap.biWidth);
        for (pass.y = first; pass.y < end; ++pass.y) {
            const tagRGBTRIPLE* row = bitmap.Row(uint32_t(pass.y));
            for (pass.x = 0; pass.x < width; ++pass.x) writePixel(row[pass.x], pass);
        }
        return;
    }
    const int32_t height = int32_t(bitmap.biHeight);
    for (pass.x = first; pass.x < end; ++pass.x) {
        for (pass.y = height - 1; pass.y >= 0; --pass.y) writePixel(bitmap.Pixel(pass.x, pass.y), pass);
    }
}

using PixelLoop = void (*)(const Bitmap&, Lines, PassState&);

// Where the compiler can, each writer's loop is also built for processors with
// AVX2, picked when the program starts: wide registers let it treat several
// pixels at once, which doubles the speed of most layouts.
#if defined(__GNUC__) && !defined(__clang__) && defined(__x86_64__) && !defined(__SANITIZE_ADDRESS__)
#define PIXEL_LOOP_CLONES __attribute__((target_clones("avx2", "default")))
#else
#define PIXEL_LOOP_CLONES
#endif

// A loop of its own for one writer, with the writer's call inlined.
// The loop works on a copy of the pass state that nothing else can reach, so
// the compiler may keep it in registers across the writer's byte stores.
template <PixelWriter writer>
PIXEL_LOOP_CLONES void LoopWith(const Bitmap& bitmap, Lines lines, PassState& pass) {
    PassState local = pass;
    VisitPixels(bitmap, lines, local, [](const tagRGBTRIPLE& p, PassState& s) [[gnu::always_inline]] { writer(p, s); });
}

void LoopThroughSelectedWriter(const Bitmap& bitmap, Lines lines, PassState& pass) {
    VisitPixels(bitmap, lines, pass, pass.settings.writePixel);
}

// One call per pixel through an operation pointer costs more than most writers
// themselves, so each known writer has its own loop.
PixelLoop LoopFor(PixelWriter writePixel) {
    static constexpr std::pair<PixelWriter, PixelLoop> kLoops[] = {
        {WritePixel24, LoopWith<WritePixel24>},     {WritePixel8, LoopWith<WritePixel8>},
        {WritePixelGP8, LoopWith<WritePixelGP8>},   {WritePixelGB, LoopWith<WritePixelGB>},
        {WritePixelGP32, LoopWith<WritePixelGP32>}, {WritePixelGC, LoopWith<WritePixelGC>},
        {WritePixelPM, LoopWith<WritePixelPM>},     {WritePixelP1, LoopWith<WritePixelP1>},
    };
    for (const auto& [writer, loop] : kLoops) {
        if (writer == writePixel) return loop;
    }
    return LoopThroughSelectedWriter;
}

// Bands small enough to stay in the processor's cache until they are written.
constexpr size_t kBandBytes = size_t(512) << 10;

// Byte-stream writers append whole bytes, so their output rows can be built and
// handed on band by band.
void WriteInBands(OutputFile& fo, const Bitmap& bitmap, const Settings& settings, const Palette& palette) {
    const bool rotate = settings.Flag('r');
    const uint32_t lines = rotate ? bitmap.biWidth : bitmap.biHeight;
    const size_t lineBytes = size_t(rotate ? bitmap.biHeight : bitmap.biWidth) * settings.bpp / 8;
    const uint32_t linesPerBand = uint32_t(std::clamp<size_t>(kBandBytes / lineBytes, 1, lines));
    const PixelLoop loop = LoopFor(settings.writePixel);
    for (uint32_t first = 0; first < lines && !fo.Failed(); first += linesPerBand) {
        const uint32_t count = std::min(linesPerBand, lines - first);
        uint8_t* band = fo.Extend(count * lineBytes);
        PassState pass{settings, palette, bitmap.biWidth, band, band, 0, 0};
        loop(bitmap, Lines{rotate, first, count}, pass);
        fo.Flush();
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
    if (size == 0) return;
    if (chunk == 0 && settings.bpp % 8 == 0) {
        WriteInBands(fo, bitmap, settings, palette);
        return;
    }
    std::vector<uint8_t> chunked;
    uint8_t* destImage;
    if (chunk == 0) {
        destImage = fo.Extend(size);
    } else {
        chunked.assign(size, 0);
        destImage = chunked.data();
    }
    PassState pass{settings, palette, bitmap.biWidth, destImage, destImage, 0, 0};
    const uint32_t lines = settings.Flag('r') ? bitmap.biWidth : bitmap.biHeight;
    LoopFor(settings.writePixel)(bitmap, Lines{settings.Flag('r'), 0, lines}, pass);
    if (chunk != 0) WriteInChunks(fo, chunked, offset, chunk, stride);
}
