#include "pokemini.h"

namespace {

constexpr uint32_t kGroupBytes = 8;

void SelectScreen(Settings& settings, int32_t secondScreen) {
    settings.writePixel = WritePixelPM;
    settings.bpp = 1;
    settings.pm_dither_and = 0;
    settings.pm_dither_or = secondScreen;
}

}  // namespace

void WritePixelPM(const tagRGBTRIPLE& pixel, PassState& pass) {
    const Settings& s = pass.settings;
    // A non-zero selector picks the low threshold: only the darker greys are dark.
    const int32_t selector = ((pass.x ^ s.pm_dither_xor ^ pass.y) & s.pm_dither_and) | s.pm_dither_or;
    const uint8_t threshold = selector ? 85 : 170;
    if (pixel.rgbtGreen < threshold) {
        const size_t strip = size_t(pass.y / 8);
        pass.destImage[strip * pass.biWidth + size_t(pass.x)] |= uint8_t(1u << (pass.y % 8));
    }
}

void SpriteConversion(OutputFile& fo, const Bitmap& bitmap, Settings& settings,
                      const Palette& palette, uint32_t start) {
    SelectScreen(settings, 0);
    DoGfxThing(fo, bitmap, settings, palette, start, kGroupBytes, 2 * kGroupBytes);
    SelectScreen(settings, 1);
    DoGfxThing(fo, bitmap, settings, palette, start + kGroupBytes, kGroupBytes, 2 * kGroupBytes);
}
