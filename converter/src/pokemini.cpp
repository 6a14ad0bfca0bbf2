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

void SpriteConversion(OutputFile& fo, const Bitmap& bitmap, Settings& settings,
                      const Palette& palette, uint32_t start) {
    SelectScreen(settings, 0);
    DoGfxThing(fo, bitmap, settings, palette, start, kGroupBytes, 2 * kGroupBytes);
    SelectScreen(settings, 1);
    DoGfxThing(fo, bitmap, settings, palette, start + kGroupBytes, kGroupBytes, 2 * kGroupBytes);
}

size_t SpriteDataSize(uint32_t width, uint32_t height) {
    const size_t screen = DestImageSize(width, height, 1);
    if (screen == 0) return 0;
    // The 2nd screen's last group ends the data.
    const size_t lastGroup = (screen - 1) / kGroupBytes;
    return lastGroup * 2 * kGroupBytes + kGroupBytes + (screen - lastGroup * kGroupBytes);
}
