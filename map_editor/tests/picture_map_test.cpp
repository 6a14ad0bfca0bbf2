// Pictures drawn here cut into maps and tile sets, and matched against tile
// sets, each checked against the map and every pixel of the tile set.
#include "picture_map.h"

#include <gtest/gtest.h>

#include <array>
#include <functional>
#include <numeric>

#include "tile_set.h"

using namespace tilora;

namespace {

using Pixel = std::array<uint8_t, 4>;

struct Drawn {
    int width, height;
    std::vector<uint8_t> rgba;
    bool transparency = true;
    PicturePixels Pixels() const { return {width, height, rgba, transparency}; }
    Pixel At(int x, int y) const {
        const auto p = rgba.begin() + (ptrdiff_t(y) * width + x) * 4;
        return {p[0], p[1], p[2], p[3]};
    }
};

Drawn Draw(int width, int height, const std::function<Pixel(int x, int y)>& pixel, bool transparency = true) {
    Drawn drawn{width, height, std::vector<uint8_t>(size_t(width) * size_t(height) * 4), transparency};
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) std::ranges::copy(pixel(x, y), drawn.rgba.begin() + (ptrdiff_t(y) * width + x) * 4);
    }
    return drawn;
}

// A cell of its own for each number: the number in the top-left pixel's red
// and green, the other pixels a pattern that no mirror keeps.
Pixel Numbered(int number, int x, int y) {
    if (x == 0 && y == 0) return {uint8_t(number), uint8_t(number >> 8), 7, 255};
    return {uint8_t(x * 30), uint8_t(y * 30), uint8_t(x * y), 255};
}

// Every cell's tile in the tile set as the cell is, a transparent pixel as
// the tile set's form keeps it, which the place after the last tile holds too.
void ExpectTileSet(const Drawn& picture, const PictureMap& map, bool transparency) {
    const Drawn set{128, TileSetHeight(map.tileCells.size()), DrawTileSet(picture.Pixels(), map.tileCells, transparency)};
    ASSERT_EQ(set.rgba.size(), size_t(128 * set.height * 4));
    const Pixel empty = transparency ? Pixel{0, 0, 0, 0} : Pixel{255, 0, 255, 255};
    for (int y = 0; y < picture.height; ++y) {
        for (int x = 0; x < picture.width; ++x) {
            const Pixel p = picture.At(x, y), expected = p[3] < 128 ? empty : Pixel{p[0], p[1], p[2], 255};
            const int tile = map.tiles(x / 8, y / 8);
            ASSERT_EQ(set.At(SheetX(tile) + x % 8, SheetY(tile) + y % 8), expected) << x << ", " << y;
        }
    }
    const int last = set.height / 8 * 16 - 1;
    if (size_t(last) >= map.tileCells.size()) {
        EXPECT_EQ(set.At(SheetX(last) + 7, SheetY(last) + 7), empty);
    }
}

TEST(CutPicture, DifferentCellsBecomeTilesInTheOrderTheyFirstAppear) {
    const auto mirrored = [](int x, int y) {
        const int cell = x / 8;  // a pattern, its left-right and its up-down mirror
        return Numbered(1, cell == 1 ? 7 - x % 8 : x % 8, cell == 2 ? 7 - y : y);
    };
    const auto alpha = [](int x, int) -> Pixel {
        // 0 and 127 are transparent whatever the colour; from 128 on only the colour counts.
        const uint8_t reds[] = {0, 50, 100, 100, 200}, alphas[] = {0, 127, 128, 255, 200};
        return {reds[x / 8 % 5], 9, 9, alphas[x / 8 % 5]};
    };
    std::vector<uint8_t> every(256);
    std::iota(every.begin(), every.end(), 0);
    const struct {
        const char* name;
        Drawn picture;
        std::vector<uint8_t> tiles;  // the map's, row by row
        size_t tileCount;
        std::string refusal = {};
    } cases[] = {
        {"equal", Draw(24, 16, [](int x, int y) { return Numbered(3, x % 8, y % 8); }), std::vector<uint8_t>(6, 0), 1},
        {"256", Draw(128, 128, [](int x, int y) { return Numbered(x / 8 + y / 8 * 16, x % 8, y % 8); }), every, 256},
        {"257", Draw(8, 8 * 257, [](int x, int y) { return Numbered(y / 8, x, y % 8); }), {}, 0,
         "p.png needs 257 different tiles; a map can use 256."},
        {"repeats", Draw(32, 8, [](int x, int y) { return Numbered(x / 8 % 2, x % 8, y); }), {0, 1, 0, 1}, 2},
        {"mirrors", Draw(24, 8, mirrored), {0, 1, 2}, 3},
        {"alpha", Draw(40, 8, alpha), {0, 0, 1, 1, 2}, 3},
        {"width", Draw(12, 8, alpha), {}, 0, "p.png is 12 x 8 pixels: a map picture's sides are multiples of 8."},
        {"height", Draw(8, 20, alpha), {}, 0, "p.png is 8 x 20 pixels: a map picture's sides are multiples of 8."},
        {"wide", Draw(8 * 32768, 8, alpha), {}, 0, "p.png is 262144 x 8 pixels: a map's sides are 1 to 32767 tiles."},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const PictureMap map = CutPicture(c.picture.Pixels(), "p.png");
        EXPECT_EQ(map.refusal, c.refusal);
        EXPECT_EQ(map.tileCells.size(), c.tileCount);
        if (!c.refusal.empty()) continue;
        EXPECT_EQ(std::pair(map.tiles.Width(), map.tiles.Height()), std::pair(c.picture.width / 8, c.picture.height / 8));
        EXPECT_EQ(map.tiles.Bytes(), c.tiles);
        ExpectTileSet(c.picture, map, true);
        ExpectTileSet(c.picture, map, false);
    }
}

// Tile set: 0 and 2 equal, 1 another, 3 transparent, or magenta in a form
// without transparency; right of them a partial tile, which does not count.
// Cell k of a picture is drawn like tile k, cell 2 matching nothing.
TEST(MatchPicture, EachCellTakesTheLowestEqualTile) {
    const auto tileSet = [](bool transparency) {
        return Draw(20, 16, [=](int x, int y) -> Pixel {
            if (x < 16 && x / 8 + y / 8 * 2 == 3) return transparency ? Pixel{1, 2, 3, 100} : Pixel{255, 0, 255, 255};
            return Numbered(x / 8 % 2, x % 8, y % 8);
        }, transparency);
    };
    const auto picture = [](std::vector<int> cells) {
        return Draw(8 * int(cells.size()), 8, [=](int x, int y) {
            const int k = cells[size_t(x / 8)];
            return k == 3 ? Pixel{200, 0, 0, 0} : Numbered(k, x % 8, y);
        });
    };
    const struct {
        Drawn picture;
        bool transparency;
        std::vector<uint8_t> tiles;
        std::string refusal = {};
    } cases[] = {
        {picture({1, 0, 3, 0}), true, {1, 0, 3, 0}},
        {picture({1, 0, 3, 0}), false, {1, 0, 3, 0}},
        {picture({0, 2, 1, 2, 2}), true, {}, "3 cells of p.png match no tile of the tile set; the first is at 8, 0."},
        {picture({0, 0, 2}), false, {}, "1 cells of p.png match no tile of the tile set; the first is at 16, 0."},
        {Draw(8, 12, [](int, int) { return Pixel{}; }), true, {},
         "p.png is 8 x 12 pixels: a map picture's sides are multiples of 8."},
    };
    for (const auto& c : cases) {
        const PictureMap map = MatchPicture(c.picture.Pixels(), tileSet(c.transparency).Pixels(), "p.png");
        EXPECT_EQ(map.refusal, c.refusal);
        EXPECT_EQ(map.tiles.Bytes(), c.tiles) << c.refusal;
    }
}

}  // namespace
