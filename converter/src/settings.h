// The settings of one dotpress run, set once by the argument parser and read
// by every later step.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>

#include "bitmap.h"

struct PassState;

// Encodes one source pixel into the output buffer of the running pass.
using PixelWriter = void (*)(const tagRGBTRIPLE& pixel, PassState& pass);

struct Settings {
    Settings();  // selects WritePixel24, the default layout

    // One counter per option character; repeats count and wrap modulo 256.
    std::array<uint8_t, 256> flags{};
    std::optional<std::string> inputFile;
    std::optional<std::string> outputFile;
    std::optional<std::string> paletteFile;
    // "--c-source NAME": the output is C source, an array of this name
    // (empty when the name is missing).
    std::optional<std::string> cSourceName;
    PixelWriter writePixel;
    uint32_t bpp = 24;  // output bits per pixel of writePixel
    uint8_t output_big = 0;
    // Threshold selector of the Pokemon Mini writer.
    int32_t pm_dither_xor = 0;
    int32_t pm_dither_and = 0;
    int32_t pm_dither_or = 0;

    bool Flag(char option) const { return flags[static_cast<unsigned char>(option)] != 0; }
};
