// Writes a synthetic 24-bit bitmap, or the same picture as an 8-bit RGB PNG
// when the name ends in ".png", and optionally a 768-byte palette file, for
// the whole-program timings.
//   make_bitmap <width> <height> noise|gradient <out.bmp|out.png> [palette.act]
#include <cstdio>
#include <cstdlib>
#include <string>

#include "support/bmp_builder.h"
#include "support/png_builder.h"
#include "support/test_images.h"

namespace {

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
    SaveFile(out, EndsWith(out, ".png") ? BuildPng(width, height, pixels)
                                        : BuildBmp({.width = width, .height = height, .pixels = pixels}));
    if (argc == 6) {
        std::vector<uint8_t> act;
        for (const tagRGBTRIPLE& e : ColourCubePalette()) act.insert(act.end(), {e.rgbtRed, e.rgbtGreen, e.rgbtBlue});
        SaveFile(argv[5], act);
    }
    return 0;
}
