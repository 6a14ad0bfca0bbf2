// Sprites as one picture: the colour rule both ways, and where each sprite
// lies, as a tile set takes its 8 x 8 tiles from it.
#include "sprite_sheet.h"

#include <gtest/gtest.h>

namespace {

TEST(SpriteSheet, APixelsCodeFollowsItsGreenUnlessItIsTransparent) {
    const struct {
        Rgba pixel;
        uint8_t code;
    } cases[] = {
        {{0, 84, 0, 255}, CodeDark},    {{255, 85, 255, 255}, CodeMid}, {{0, 169, 0, 255}, CodeMid},
        {{0, 170, 0, 255}, CodeLight},  {{0, 0, 0, 127}, CodeMask},     {{0, 0, 0, 128}, CodeDark},
        {{255, 0, 255, 255}, CodeMask}, {{255, 0, 254, 255}, CodeDark}, {{255, 1, 255, 255}, CodeDark},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(CodeOfPixel(c.pixel), c.code) << int(c.pixel.red) << "," << int(c.pixel.green) << ","
                                                << int(c.pixel.blue) << "," << int(c.pixel.alpha);
    }
}

// Every code as the picture shows it, with and without transparency; the
// codes past the mask as the shade their own colour counts as.
TEST(SpriteSheet, EveryCodeShowsAsItsShade) {
    Sprite sprite;
    for (int i = 0; i < 256; ++i) sprite.bytes[size_t(i)] = uint8_t(i);
    const Rgba light{190, 220, 160, 255}, mid{123, 142, 104, 255}, dark{55, 64, 47, 255};
    for (const bool transparency : {true, false}) {
        const std::vector<Rgba> picture = DrawSpriteSheet({&sprite, 1}, kPixelColors, transparency);
        ASSERT_EQ(picture.size(), size_t(kSheetWidth) * 16);
        const Rgba mask = transparency ? Rgba{0, 0, 0, 0} : Rgba{255, 0, 255, 255};
        const std::vector<Rgba> expected{light, mid, dark, mask, light /* marker */, mid /* codes 5 to 255 */};
        for (int code = 0; code < 256; ++code) {
            ASSERT_EQ(picture[size_t(code / 16 * kSheetWidth + code % 16)], expected[size_t(std::min(code, 5))]) << code;
        }
        EXPECT_EQ(picture[size_t(16)], mask);  // no sprite in the second block
    }
}

// Sprite k is the 16 x 16 block of tiles 2 (k mod 8) + 32 (k div 8), + 1, + 16
// and + 17 of an 8 x 8 tile set numbered 16 tiles to a row; whole rows only.
TEST(SpriteSheet, SpriteKIsTheBlockOfItsFourTiles) {
    std::vector<Sprite> sprites(19);
    for (size_t k = 0; k < sprites.size(); ++k) {
        for (int i = 0; i < 256; ++i) sprites[k].bytes[size_t(i)] = uint8_t((i + k) % 3);
    }
    const std::vector<Rgba> picture = DrawSpriteSheet(sprites, kPixelColors, true);
    ASSERT_EQ(SheetHeight(sprites.size()), 48);
    ASSERT_EQ(picture.size(), size_t(kSheetWidth) * 48);
    for (size_t k = 0; k < sprites.size(); ++k) {
        const int first = int(2 * (k % 8) + 32 * (k / 8));
        for (const int tile : {first, first + 1, first + 16, first + 17}) {
            const int tileX = tile % 16 * 8, tileY = tile / 16 * 8;
            const int inX = (tile - first) % 16 * 8, inY = (tile - first) / 16 * 8;
            for (int y = 0; y < 8; ++y) {
                for (int x = 0; x < 8; ++x) {
                    ASSERT_EQ(CodeOfPixel(picture[size_t((tileY + y) * kSheetWidth + tileX + x)]),
                              sprites[k].Pixels(inX + x, inY + y))
                        << "sprite " << k << " tile " << tile;
                }
            }
        }
    }
    EXPECT_EQ(CutSpriteSheet(kSheetWidth, 48, picture), sprites);  // the last row's unused blocks left out
    EXPECT_EQ(CutSpriteSheet(kSheetWidth + 15, 47, std::vector<Rgba>(size_t(143) * 47)).size(), 16u);
}

}  // namespace
