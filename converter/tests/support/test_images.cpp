#include "test_images.h"

#include <random>

std::vector<tagRGBTRIPLE> NoisyPicture(int32_t width, int32_t height) {
    std::vector<tagRGBTRIPLE> pixels(size_t(width) * height);
    std::minstd_rand random(1);
    for (auto& p : pixels) {
        const uint32_t r = random();
        p = {uint8_t(r), uint8_t(r >> 8), uint8_t(r >> 16)};
    }
    return pixels;
}

std::vector<tagRGBTRIPLE> GradientPicture(int32_t width, int32_t height) {
    std::vector<tagRGBTRIPLE> pixels(size_t(width) * height);
    for (int32_t y = 0; y < height; ++y) {
        for (int32_t x = 0; x < width; ++x) {
            pixels[size_t(y) * width + x] = {uint8_t(255 * (x + y) / (width + height)),
                                             uint8_t(255 * y / height), uint8_t(255 * x / width)};
        }
    }
    return pixels;
}

PaletteEntries ColourCubePalette() {
    PaletteEntries entries{};
    int i = 0;
    for (int r = 0; r < 6; ++r)
        for (int g = 0; g < 6; ++g)
            for (int b = 0; b < 6; ++b) entries[i++] = {uint8_t(b * 51), uint8_t(g * 51), uint8_t(r * 51)};
    for (int grey = 1; i < 256; ++i, ++grey) {
        const uint8_t v = uint8_t(grey * 6);
        entries[i] = {v, v, v};
    }
    return entries;
}
