#include "sprite_sheet.h"

namespace {

constexpr Rgba kTransparent{0, 0, 0, 0};
constexpr Rgba kMagenta{255, 0, 255, 255};

Rgba ToRgba(Colour colour) { return Rgba{uint8_t(Red(colour)), uint8_t(Green(colour)), uint8_t(Blue(colour)), 255}; }

// What a code shows as in the picture.
Rgba PixelOf(uint8_t code, const CodeColours& colours, const Rgba& mask) {
    if (code == CodeMask) return mask;
    if (code > CodeMask) code = ShadeOf(uint8_t(Green(colours[code])));
    return ToRgba(colours[code]);
}

Sprite WhollyMasked() {
    Sprite sprite;
    sprite.bytes.fill(CodeMask);
    return sprite;
}

}  // namespace

int SheetHeight(size_t sprites) { return int((sprites + kSheetSprites - 1) / kSheetSprites) * kSpriteSide; }

uint8_t ShadeOf(uint8_t green) {
    if (green < 85) return CodeDark;
    if (green < 170) return CodeMid;
    return CodeLight;
}

uint8_t CodeOfPixel(const Rgba& pixel) {
    if (pixel.alpha < 128 || pixel == kMagenta) return CodeMask;
    return ShadeOf(pixel.green);
}

std::vector<Rgba> DrawSpriteSheet(std::span<const Sprite> sprites, const CodeColours& colours, bool transparency) {
    const Rgba mask = transparency ? kTransparent : kMagenta;
    std::vector<Rgba> picture(size_t(kSheetWidth) * size_t(SheetHeight(sprites.size())), mask);
    for (size_t k = 0; k < sprites.size(); ++k) {
        const size_t left = k % kSheetSprites * kSpriteSide, top = k / kSheetSprites * kSpriteSide;
        for (int y = 0; y < kSpriteSide; ++y) {
            for (int x = 0; x < kSpriteSide; ++x) {
                picture[(top + size_t(y)) * kSheetWidth + left + size_t(x)] = PixelOf(sprites[k].Pixels(x, y), colours, mask);
            }
        }
    }
    return picture;
}

std::vector<Sprite> CutSpriteSheet(int width, int height, std::span<const Rgba> pixels) {
    std::vector<Sprite> sprites;
    size_t lastRowStart = 0;
    for (int top = 0; top + kSpriteSide <= height; top += kSpriteSide) {
        lastRowStart = sprites.size();
        for (int left = 0; left + kSpriteSide <= width; left += kSpriteSide) {
            Sprite& sprite = sprites.emplace_back();
            for (int y = 0; y < kSpriteSide; ++y) {
                for (int x = 0; x < kSpriteSide; ++x) {
                    sprite.Pixels(x, y) = CodeOfPixel(pixels[size_t(top + y) * size_t(width) + size_t(left + x)]);
                }
            }
        }
    }
    const Sprite unused = WhollyMasked();
    while (sprites.size() > lastRowStart && sprites.back() == unused) sprites.pop_back();
    return sprites;
}
