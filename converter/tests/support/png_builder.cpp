#include "png_builder.h"

#include <spng.h>

#include <cstdlib>
#include <memory>
#include <stdexcept>
#include <string>

std::vector<uint8_t> BuildPng(int32_t width, int32_t height, const std::vector<tagRGBTRIPLE>& pixels,
                              bool interlaced) {
    std::vector<uint8_t> rgb;
    rgb.reserve(pixels.size() * 3);
    for (const tagRGBTRIPLE& p : pixels) rgb.insert(rgb.end(), {p.rgbtRed, p.rgbtGreen, p.rgbtBlue});
    const std::unique_ptr<spng_ctx, decltype(&spng_ctx_free)> ctx(spng_ctx_new(SPNG_CTX_ENCODER), spng_ctx_free);
    spng_set_option(ctx.get(), SPNG_ENCODE_TO_BUFFER, 1);
    spng_ihdr ihdr{uint32_t(width), uint32_t(height), 8, SPNG_COLOR_TYPE_TRUECOLOR, 0, 0,
                   uint8_t(interlaced ? SPNG_INTERLACE_ADAM7 : SPNG_INTERLACE_NONE)};
    spng_set_ihdr(ctx.get(), &ihdr);
    int error = spng_encode_image(ctx.get(), rgb.data(), rgb.size(), SPNG_FMT_PNG, SPNG_ENCODE_FINALIZE);
    size_t size = 0;
    const std::unique_ptr<void, decltype(&std::free)> png(error ? nullptr : spng_get_png_buffer(ctx.get(), &size, &error),
                                                         std::free);
    if (!png) throw std::runtime_error(std::string("cannot encode the PNG: ") + spng_strerror(error));
    const auto* bytes = static_cast<const uint8_t*>(png.get());
    return std::vector<uint8_t>(bytes, bytes + size);
}
