#include "views.h"

#include <gtest/gtest.h>

namespace {

constexpr Colour kLight = RGB(190, 220, 160), kDark = RGB(55, 64, 47), kMagenta = RGB(255, 0, 255);

Sprite SpriteOf(uint8_t code) {
    Sprite s;
    s.bytes.fill(code);
    return s;
}

TEST(DrawCanvas, CellsOfSixteenPixelsAndAGridBetweenThem) {
    Sprite sprite;
    sprite.Pixels(3, 5) = CodeDark;
    sprite.Pixels(15, 15) = CodeMask;
    sprite.Pixels(0, 1) = CodeMarker;
    Image picture4(16, 16), d(256, 256);
    DrawSprite(picture4, sprite, kPixelColors);
    DrawCanvas(d, picture4);
    for (int y = 0; y < 256; ++y) {
        for (int x = 0; x < 256; ++x) {
            Colour expected = kPixelColors[sprite.Pixels(x / 16, y / 16)];
            if ((x % 16 == 0 && x > 0) || (y % 16 == 0 && y > 0)) expected = kGridColor;
            ASSERT_EQ(d.Pixel(x, y), expected) << x << "," << y;
        }
    }
    EXPECT_EQ(d.Pixel(3 * 16 + 5, 5 * 16 + 5), kDark);
    EXPECT_EQ(d.Pixel(250, 250), kMagenta);
    EXPECT_EQ(d.Pixel(8, 20), RGB(0, 255, 0));
}

// The guides run unbroken over the two middle grid lines; off again, the
// canvas is as one never drawn with them.
TEST(DrawCanvas, GuidesBetweenTheFourTiles) {
    Image picture4(16, 16, kDark), plain(256, 256), d(256, 256);
    DrawCanvas(plain, picture4);
    DrawCanvas(d, picture4, true);
    for (int y = 0; y < 256; ++y) {
        for (int x = 0; x < 256; ++x) {
            ASSERT_EQ(d.Pixel(x, y), x == 128 || y == 128 ? kGuideColor : plain.Pixel(x, y)) << x << "," << y;
        }
    }
    DrawCanvas(d, picture4, false);
    EXPECT_EQ(d, plain);
}

TEST(DrawAnimationFrame, SpriteAtFourTimesOverTheBackgroundDimWhenDeleted) {
    Sprite sprite = SpriteOf(CodeDark);
    sprite.Pixels(0, 0) = CodeMask;
    sprite.Pixels(15, 3) = CodeMid;
    for (const bool deleted : {false, true}) {
        Image frame(64, 64);
        DrawAnimationFrame(frame, sprite, deleted, kPixelColors, kDimColors);
        for (int i = 0; i < 64 * 64; ++i) {
            const uint8_t code = sprite.Pixels(i % 64 / 4, i / 64 / 4);
            const Colour expected = code == CodeMask ? kPreviewBackground : (deleted ? kDimColors : kPixelColors)[code];
            ASSERT_EQ(frame.Pixel(i % 64, i / 64), expected) << i << (deleted ? " deleted" : "");
        }
    }
}

TEST(DrawSpriteOverBackground, TransparentPixelsShowTheBackgroundEvenWhenPaintedBefore) {
    Image picture5(16, 16, kPreviewBackground);
    DrawSpriteOverBackground(picture5, SpriteOf(CodeDark), kPixelColors);
    EXPECT_EQ(picture5.Pixel(4, 4), kDark);
    Sprite sprite = SpriteOf(CodeDark);
    sprite.Pixels(4, 4) = CodeMask;
    DrawSpriteOverBackground(picture5, sprite, kPixelColors);
    EXPECT_EQ(picture5.Pixel(4, 4), kPreviewBackground);
    EXPECT_EQ(picture5.Pixel(5, 4), kDark);
}

TEST(CodeColours, UnknownCodesHaveAColourOfTheirOwn) {
    EXPECT_EQ(kPixelColors[4], RGB(0, 255, 0));
    EXPECT_EQ(kPixelColors[5], RGB(255, 128, 0));
    EXPECT_EQ(kPixelColors[255], RGB(255, 128, 0));
    EXPECT_EQ(kDimColors[200], RGB(128, 64, 0));
}

struct Library {
    std::vector<Sprite> sprites;
    std::vector<bool> deleted;
    explicit Library(int count) : deleted(count, false) {
        for (int i = 0; i < count; ++i) sprites.push_back(SpriteOf(uint8_t(i % 3)));
    }
    Image Draw(int current, int scrolled) const {
        Image pxl(112, 237, RGB(1, 2, 3));
        DrawSpriteList(pxl, SpriteListState{sprites, deleted, current, scrolled}, kPixelColors, kDimColors);
        return pxl;
    }
};

TEST(DrawSpriteList, OneBlankSpriteFramedInTheComplementOfLight) {
    const Image pxl = Library(1).Draw(0, 0);
    EXPECT_EQ(pxl.Pixel(0, 0), RGB(65, 35, 95));
    EXPECT_EQ(pxl.Pixel(15, 7), RGB(65, 35, 95));
    EXPECT_EQ(pxl.Pixel(7, 15), RGB(65, 35, 95));
    EXPECT_EQ(pxl.Pixel(1, 1), kLight);
    EXPECT_EQ(pxl.Pixel(16, 0), kListBackground);
    EXPECT_EQ(pxl.Pixel(50, 100), kListBackground);
}

TEST(DrawSpriteList, SevenToARowInReadingOrder) {
    Library library(8);
    library.deleted[2] = true;
    const Image pxl = library.Draw(5, 0);
    for (int s = 0; s < 8; ++s) {
        const int left = s % 7 * 16, top = s / 7 * 16;
        const Colour expected = (s == 2 ? kDimColors : kPixelColors)[s % 3];
        EXPECT_EQ(pxl.Pixel(left + 8, top + 8), expected) << s;
        EXPECT_EQ(pxl.Pixel(left, top + 8), s == 5 ? Complement(expected) : expected) << s;
    }
    EXPECT_EQ(pxl.Pixel(16 + 8, 16 + 8), kListBackground);  // after sprite 7
}

TEST(DrawSpriteList, ScrolledRowsLeaveTheTop) {
    Library library(30);
    const Image pxl = library.Draw(0, 1);
    EXPECT_EQ(pxl.Pixel(8, 8), kPixelColors[7 % 3]);       // sprite 7 at the top left
    EXPECT_EQ(pxl.Pixel(16 * 6 + 8, 16 * 2 + 8), kPixelColors[27 % 3]);
    EXPECT_EQ(pxl.Pixel(16 * 2 + 8, 16 * 3 + 8), kListBackground);  // after sprite 29
}

TEST(DrawSpriteList, BottomRowIsClipped) {
    Library library(7 * 20);
    const Image pxl = library.Draw(0, 0);
    EXPECT_EQ(pxl.Pixel(8, 236), kPixelColors[(14 * 7) % 3]);  // row 14 shows its top 13 pixels
}

TEST(SpriteAt, CountsScrolledRows) {
    EXPECT_EQ(SpriteAt(5, 20, 112, 237, 0, 7), 7);
    EXPECT_EQ(SpriteAt(5, 5, 112, 237, 1, 20), 7);
    EXPECT_EQ(SpriteAt(111.9f, 0, 112, 237, 0, 20), 6);
    EXPECT_EQ(SpriteAt(20, 20, 112, 237, 0, 7), -1);  // right of the last cell
    EXPECT_EQ(SpriteAt(5, 200, 112, 237, 0, 7), -1);  // below the last sprite
    // On the frame around the drawing area: none, not a cell of the next row.
    EXPECT_EQ(SpriteAt(112, 5, 112, 237, 0, 100), -1);
    EXPECT_EQ(SpriteAt(-0.5f, 5, 112, 237, 0, 100), -1);
    EXPECT_EQ(SpriteAt(5, 237, 112, 237, 0, 100), -1);
}

}  // namespace
