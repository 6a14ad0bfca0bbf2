#include "drawing.h"

#include <gtest/gtest.h>

#include <set>

namespace {

std::set<std::pair<int, int>> CellsOf(const Sprite& sprite, uint8_t code) {
    std::set<std::pair<int, int>> cells;
    for (int y = 0; y < kSpriteSide; ++y)
        for (int x = 0; x < kSpriteSide; ++x)
            if (sprite.Pixels(x, y) == code) cells.insert({x, y});
    return cells;
}

TEST(CellUnderPointer, SixteenPixelsACellClampedToTheSprite) {
    struct Case {
        float x, y;
        Cell cell;
    };
    for (const Case& c : {Case{0, 0, {0, 0}}, Case{15, 15, {0, 0}}, Case{16, 31.4f, {1, 1}},
                          Case{15.5f, 0, {1, 0}},    // to the nearest pixel, 16
                          Case{14.5f, 0, {0, 0}},    // a half goes to the even pixel, 14
                          Case{255, 255, {15, 15}}, Case{300, 40, {15, 2}}, Case{-20, -1, {0, 0}},
                          Case{-8.4f, 100, {0, 6}}}) {
        EXPECT_EQ(CellUnderPointer(c.x, c.y), c.cell) << c.x << "," << c.y;
    }
}

struct LineCase {
    Cell from, to;
    std::vector<std::pair<int, int>> cells;
};

class DrawLineCells : public testing::TestWithParam<LineCase> {};

TEST_P(DrawLineCells, ExactlyTheseCells) {
    Sprite sprite;
    const LineCase& c = GetParam();
    DrawLine(sprite, c.from.x, c.from.y, c.to.x, c.to.y, CodeDark);
    const std::set<std::pair<int, int>> expected(c.cells.begin(), c.cells.end());
    EXPECT_EQ(CellsOf(sprite, CodeDark), expected);
}

INSTANTIATE_TEST_SUITE_P(
    TieRule, DrawLineCells,
    testing::Values(LineCase{{0, 0}, {4, 2}, {{0, 0}, {1, 1}, {2, 1}, {3, 2}, {4, 2}}},
                    LineCase{{4, 2}, {0, 0}, {{4, 2}, {3, 1}, {2, 1}, {1, 0}, {0, 0}}},
                    LineCase{{0, 0}, {5, 2}, {{0, 0}, {1, 0}, {2, 1}, {3, 1}, {4, 2}, {5, 2}}},
                    LineCase{{2, 0}, {0, 4}, {{2, 0}, {1, 1}, {1, 2}, {0, 3}, {0, 4}}},  // y major
                    LineCase{{7, 7}, {7, 7}, {{7, 7}}}, LineCase{{0, 15}, {15, 0}, [] {
                        std::vector<std::pair<int, int>> d;
                        for (int i = 0; i < 16; ++i) d.push_back({i, 15 - i});
                        return d;
                    }()},
                    LineCase{{3, 9}, {3, 2}, {{3, 2}, {3, 3}, {3, 4}, {3, 5}, {3, 6}, {3, 7}, {3, 8}, {3, 9}}}));

TEST(FillRect, CornersInEitherOrder) {
    Sprite sprite;
    FillRect(sprite, 5, 7, 2, 3, CodeMid);
    const auto cells = CellsOf(sprite, CodeMid);
    EXPECT_EQ(cells.size(), 20u);
    EXPECT_TRUE(cells.count({2, 3}) && cells.count({5, 7}) && !cells.count({6, 7}) && !cells.count({2, 2}));
    Sprite one;
    FillRect(one, 9, 9, 9, 9, CodeDark);
    EXPECT_EQ(CellsOf(one, CodeDark), (std::set<std::pair<int, int>>{{9, 9}}));
}

TEST(FloodFill, StopsAtADiagonalBarrier) {
    Sprite sprite;
    for (auto [x, y] : {std::pair{3, 0}, {2, 1}, {1, 2}, {0, 3}}) sprite.Pixels(x, y) = CodeDark;
    FloodFill(sprite, 0, 0, CodeMid);
    EXPECT_EQ(CellsOf(sprite, CodeMid),
              (std::set<std::pair<int, int>>{{0, 0}, {1, 0}, {2, 0}, {0, 1}, {1, 1}, {0, 2}}));
}

TEST(FloodFill, WholeSpriteOrNothing) {
    Sprite sprite;
    FloodFill(sprite, 9, 4, CodeMask);
    EXPECT_EQ(CellsOf(sprite, CodeMask).size(), 256u);
    const Sprite before = sprite;
    FloodFill(sprite, 3, 3, CodeMask);  // the fill code is there already
    EXPECT_EQ(sprite, before);
}

// A maze of one-cell corridors: every cell reachable through 4-neighbours is
// filled, and nothing else, however the runs wind.
TEST(FloodFill, FillsWindingRegionsAndOnlyThem) {
    Sprite sprite;
    for (int y = 0; y < 16; ++y)
        for (int x = 0; x < 16; ++x)
            if ((y % 4 == 1 && x != (y % 8 == 1 ? 15 : 0)) || (x == 8 && y == 14)) sprite.Pixels(x, y) = CodeDark;
    sprite.Pixels(14, 14) = CodeMid;  // an island of another code stays
    Sprite expected = sprite;
    for (int y = 0; y < 16; ++y)
        for (int x = 0; x < 16; ++x)
            if (expected.Pixels(x, y) == CodeLight) expected.Pixels(x, y) = CodeMask;
    FloodFill(sprite, 5, 0, CodeMask);
    EXPECT_EQ(sprite, expected);
}

}  // namespace
