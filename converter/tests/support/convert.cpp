#include "convert.h"

#include <sstream>
#include <stdexcept>

#include "command_line.h"
#include "driver.h"
#include "support/bmp_builder.h"

std::vector<uint8_t> Convert(std::initializer_list<std::string> options, const std::vector<uint8_t>& bmp,
                             const Palette& palette) {
    Settings settings;
    std::vector<std::string> args(options);
    std::ostringstream err;
    ParseArguments(args, settings, err, err);
    const BitmapResult result = ReadBitmap(bmp);
    if (!result.error.empty()) throw std::runtime_error(result.error);
    return BuildOutputFile(result.bitmap, settings, palette);
}

std::vector<uint8_t> Bmp(int32_t width, int32_t height, const std::vector<tagRGBTRIPLE>& pixels) {
    return BuildBmp({.width = width, .height = height, .pixels = pixels});
}

std::string Hex(const std::vector<uint8_t>& bytes) {
    static const char digits[] = "0123456789ABCDEF";
    std::string text;
    for (uint8_t b : bytes) {
        if (!text.empty()) text += ' ';
        text += digits[b >> 4];
        text += digits[b & 15];
    }
    return text;
}
