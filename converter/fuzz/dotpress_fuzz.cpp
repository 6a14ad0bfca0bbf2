// Decodes the input as a bitmap and converts it with the options its first
// byte picks. Beyond crashes, leaks and undefined behaviour it checks what the
// output must be: its exact size, and for the palette layout the exhaustive
// search's answer for every pixel.
#include <cstdlib>
#include <sstream>

#include "command_line.h"
#include "driver.h"
#include "fuzz_input.h"

namespace {

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

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size < 1) return 0;
    const std::vector<std::string>& options = FuzzOptionSets()[data[0] % FuzzOptionSets().size()];
    Settings settings;
    std::ostringstream err;
    ParseArguments(options, settings, err, err);
    const BitmapResult result = ReadBitmap(std::vector<uint8_t>(data + 1, data + size));
    if (!result.error.empty()) return 0;
    const Bitmap& bitmap = result.bitmap;
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
