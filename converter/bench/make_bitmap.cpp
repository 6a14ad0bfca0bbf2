// Writes a synthetic 24-bit bitmap, or the same picture as an 8-bit RGB PNG
// when the name ends in ".png", and optionally a 768-byte palette file, for
// the whole-program timings.
//   make_bitmap <width> <height> noise|gradient <out.bmp|out.png> [palette.act]
#include <spng.h>

#include <cstdio>
#include <cstdlib>
#include <memory>
#include <stdexcept>
#include <string>

#include "support/bmp_builder.h"
#include "support/test_images.h"

namespace {

// libspng's encoder with its default compression and filter choice.
std::vector<uint8_t> EncodePng(int32_t width, int32_t height, const std::vector<tagRGBTRIPLE>& pixels) {
    std::vector<uint8_t> rgb;
    rgb.reserve(pixels.size() * 3);
    for (const tagRGBTRIPLE& p : pixels) rgb.insert(rgb.end(), {p.rgbtRed, p.rgbtGreen, p.rgbtBlue});
    const std::unique_ptr<spng_ctx, decltype(&spng_ctx_free)> ctx(spng_ctx_new(SPNG_CTX_ENCODER), spng_ctx_free);
    spng_set_option(ctx.get(), SPNG_ENCODE_TO_BUFFER, 1);
    spng_ihdr ihdr{uint32_t(width), uint32_t(height), 8, SPNG_COLOR_TYPE_TRUECOLOR, 0, 0, 0};
    spng_set_ihdr(ctx.get(), &ihdr);
    int error = spng_encode_image(ctx.get(), rgb.data(), rgb.size(), SPNG_FMT_PNG, SPNG_ENCODE_FINALIZE);
    size_t size = 0;
    const std::unique_ptr<void, decltype(&std::free)> png(error ? nullptr : spng_get_png_buffer(ctx.get(), &size, &error),
                                                         std::free);
    if (!png) throw std::runtime_error(std::string("cannot encode the PNG: ") + spng_strerror(error));
    const auto* bytes = static_cast<const uint8_t*>(png.get());
    return std::vector<uint8_t>(bytes, bytes + size);
}

bool EndsWith(const std::string& text, const std::string& end) {
    return text.size() >= end.size() && text.compare(text.size() - end.size(), end.size(), end) == 0;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 5 && argc != 6) {
        std::fprintf(stderr, "usage: make_bitmap <width> <height> noise|gradient <out.bmp|out.png> [palette.act]\n");
        return 2;
    }
    const int32_t width = std::atoi(argv[1]), height = std::atoi(argv[2]);
    const std::string kind = argv[3];
    const auto pixels = kind == "noise" ? NoisyPicture(width, height) : GradientPicture(width, height);
    const std::string out = argv[4];
    SaveFile(out, EndsWith(out, ".png") ? EncodePng(width, height, pixels)
                                        : BuildBmp({.width = width, .height = height, .pixels = pixels}));
    if (argc == 6) {
        std::vector<uint8_t> act;
        for (const tagRGBTRIPLE& e : ColourCubePalette()) act.insert(act.end(), {e.rgbtRed, e.rgbtGreen, e.rgbtBlue});
        SaveFile(argv[5], act);
    }
    return 0;
}
