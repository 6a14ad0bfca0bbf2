// The byte-stream pixel writers: each encodes one source pixel at
// destImagePtr and moves it past the bytes it stored. They are defined here,
// inline, so that the conversion pass can run each in a loop of its own.
#pragma once

#include <cstdint>

#include "conversion_pass.h"

// Byte order of 16- and 32-bit output values: with "-b" the value's bytes are
// swapped, so that storing it low byte first puts its high byte first.
inline uint16_t output_endian(uint16_t value, const Settings& settings) {
    return settings.output_big ? uint16_t(value >> 8 | value << 8) : value;
}

inline uint32_t output_endian(uint32_t value, const Settings& settings) {
    if (!settings.output_big) return value;
    return value >> 24 | (value >> 8 & 0xFF00) | (value << 8 & 0xFF0000) | value << 24;
}

namespace pixel_writers_detail {

// The top n bits of a byte.
constexpr uint32_t Top(uint8_t value, int n) { return uint32_t(value) >> (8 - n); }

inline void Store(PassState& pass, uint8_t byte) { *pass.destImagePtr++ = byte; }

inline void Store16(PassState& pass, uint16_t value) {
    value = output_endian(value, pass.settings);
    Store(pass, uint8_t(value));
    Store(pass, uint8_t(value >> 8));
}

// Y, Cb and Cr are sums of products of double constants with bytes. Every such
// constant is a multiple of 2^-56, and every partial sum stays below 256 in
// magnitude, so the products and sums are exact in a 64-bit significand: the
// extended-precision evaluation equals the exact value. Fixed point with 56
// fraction bits reproduces it exactly, and fast. Negative terms wrap modulo
// 2^64; the final sums lie in [0, 256) and come out right.
constexpr int kFractionBits = 56;
constexpr uint64_t Fixed(double constant) { return uint64_t(constant * 0x1p56); }
static_assert(double(Fixed(0.114)) == 0.114 * 0x1p56 && double(Fixed(0.08131)) == 0.08131 * 0x1p56,
              "the smallest constants must be exact in 56 fraction bits");

constexpr uint64_t kYR = Fixed(0.299), kYG = Fixed(0.587), kYB = Fixed(0.114);
constexpr uint64_t kCbR = Fixed(0.16874), kCbG = Fixed(0.33126), kCbB = Fixed(0.5);
constexpr uint64_t kCrR = Fixed(0.5), kCrG = Fixed(0.41869), kCrB = Fixed(0.08131);
constexpr uint64_t k128 = Fixed(128.0);

// Truncation toward zero of a non-negative value, low 8 bits.
constexpr uint8_t Truncated(uint64_t fixed) { return uint8_t(fixed >> kFractionBits); }

}  // namespace pixel_writers_detail

// R, G, B.
inline void WritePixel24(const tagRGBTRIPLE& pixel, PassState& pass) {
    using namespace pixel_writers_detail;
    Store(pass, pixel.rgbtRed);
    Store(pass, pixel.rgbtGreen);
    Store(pass, pixel.rgbtBlue);
}

// b2g3r3.
inline void WritePixel8(const tagRGBTRIPLE& pixel, PassState& pass) {
    using namespace pixel_writers_detail;
    Store(pass, uint8_t(Top(pixel.rgbtBlue, 2) << 6 | Top(pixel.rgbtGreen, 3) << 3 | Top(pixel.rgbtRed, 3)));
}

// r3g3b2.
inline void WritePixelGP8(const tagRGBTRIPLE& pixel, PassState& pass) {
    using namespace pixel_writers_detail;
    Store(pass, uint8_t(Top(pixel.rgbtRed, 3) << 5 | Top(pixel.rgbtGreen, 3) << 2 | Top(pixel.rgbtBlue, 2)));
}

// x1b5g5r5.
inline void WritePixelGB(const tagRGBTRIPLE& pixel, PassState& pass) {
    using namespace pixel_writers_detail;
    Store16(pass, uint16_t(Top(pixel.rgbtBlue, 5) << 10 | Top(pixel.rgbtGreen, 5) << 5 | Top(pixel.rgbtRed, 5)));
}

// r5g5b5i1. The intensity bit is 1 when the weighted mean of the three dropped
// 3-bit remainders is 4 or more; the weights add up to 65536.
inline void WritePixelGP32(const tagRGBTRIPLE& pixel, PassState& pass) {
    using namespace pixel_writers_detail;
    const uint32_t intensity =
        ((pixel.rgbtRed % 8) * 19662 + (pixel.rgbtGreen % 8) * 38665 + (pixel.rgbtBlue % 8) * 7209) >> 18;
    Store16(pass, uint16_t(Top(pixel.rgbtRed, 5) << 11 | Top(pixel.rgbtGreen, 5) << 6 |
                           Top(pixel.rgbtBlue, 5) << 1 | intensity));
}

// Y, Cb, Y, Cr.
inline void WritePixelGC(const tagRGBTRIPLE& pixel, PassState& pass) {
    using namespace pixel_writers_detail;
    const uint64_t r = pixel.rgbtRed, g = pixel.rgbtGreen, b = pixel.rgbtBlue;
    const uint8_t y = Truncated(kYR * r + kYG * g + kYB * b);
    const uint8_t cb = Truncated(k128 - kCbR * r - kCbG * g + kCbB * b);
    const uint8_t cr = Truncated(k128 + kCrR * r - kCrG * g - kCrB * b);
    Store(pass, y);
    Store(pass, cb);
    Store(pass, y);
    Store(pass, cr);
}
