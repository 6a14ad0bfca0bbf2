#include "tile_set.h"

#include <gtest/gtest.h>

#include "test_pictures.h"

using namespace tilora;

namespace {

TEST(LoadTileSet, NumbersWholeTilesInReadingOrderIntoSixteenToARow) {
    const struct {
        int width, height, lastCol, lastRow;
    } cases[] = {{128, 64, 15, 7}, {64, 32, 7, 3},   {100, 20, 11, 1}, {7, 100, -1, 11},
                 {100, 7, 11, -1}, {256, 256, 31, 31}, {8, 8, 0, 0}};
    for (const auto& c : cases) {
        Editor state;
        const Rgb untouched = MakeRgb(9, 8, 7);  // cells no tile reaches keep it
        state.dumm = state.Picture5 = RgbImage(kSheetSize, kSheetSize, untouched);
        const RgbImage bitmap = PatternBitmap(c.width, c.height);
        LoadTileSet(state, bitmap);
        EXPECT_EQ(state.TileLastCol, c.lastCol);
        EXPECT_EQ(state.TileLastRow, c.lastRow);
        const int count = std::min((c.lastCol + 1) * (c.lastRow + 1), kTileCount);
        for (int n = 0; n < kTileCount; ++n) {
            for (int i = 0; i < 64; ++i) {
                const int x = SheetX(n) + i % 8, y = SheetY(n) + i / 8;
                const Rgb tile = n < count ? BitmapTilePixel(bitmap, c.lastCol + 1, n, i % 8, i / 8) : untouched;
                ASSERT_EQ(state.dumm.Pixel(x, y), tile) << c.width << " x " << c.height << " tile " << n;
                ASSERT_EQ(state.Picture5.Pixel(x, y), n < count ? RedOnly(tile) : untouched);
            }
        }
    }
    Editor state;
    LoadTileSet(state, RgbImage(8, 8, MakeRgb(200, 150, 100)));
    EXPECT_EQ(state.Picture5.Pixel(3, 5), MakeRgb(200, 0, 0));
}

// A smaller set leaves the earlier tiles beyond its count in the sheet, and
// the picker keeps showing them as it last drew them.
TEST(LoadTileSet, SmallerSetLeavesEarlierTilesInSheetAndPicker) {
    Editor state;
    const RgbImage first = PatternBitmap(64, 32);
    LoadTileSet(state, first);
    state.HoverTile = 9;
    RgbImage picker(kSheetSize, kSheetSize, kGrey);
    DrawPicker(state, state.HoverTile, picker);
    EXPECT_EQ(picker.Pixel(SheetX(8) + 2, 3), BitmapTilePixel(first, 8, 8, 2, 3));
    EXPECT_EQ(picker.Pixel(SheetX(9) + 2, 3), Inverted(BitmapTilePixel(first, 8, 9, 2, 3)));
    EXPECT_EQ(picker.Pixel(SheetX(32), SheetY(32)), kGrey);

    state.HoverTile = 0;
    LoadTileSet(state, RgbImage(8, 8, MakeRgb(5, 5, 5)));
    DrawPicker(state, state.HoverTile, picker);
    EXPECT_EQ(picker.Pixel(7, 7), Inverted(MakeRgb(5, 5, 5)));
    EXPECT_EQ(picker.Pixel(SheetX(9), 0), Inverted(BitmapTilePixel(first, 8, 9, 0, 0)));
    EXPECT_EQ(state.dumm.Pixel(SheetX(9) + 1, 1), BitmapTilePixel(first, 8, 9, 1, 1));
}

TEST(PickerTileAt, NumbersSixteenToARowAndClampsToThePicker) {
    const struct {
        int X, Y, tile;
    } cases[] = {{17, 9, 18},   {127, 127, 255}, {64, 0, 8},      {-5, -5, 0},
                 {200, 3, 15},  {3, 500, 240},   {128, 128, 255}, {-1, 127, 240}};
    for (const auto& c : cases) EXPECT_EQ(PickerTileAt(c.X, c.Y), c.tile) << c.X << "," << c.Y;
}

}  // namespace
