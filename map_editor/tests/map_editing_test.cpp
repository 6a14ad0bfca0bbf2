#include "map_editing.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using namespace tilora;

namespace {

using Cells = std::vector<std::string>;

EditorState EmptyMap(int width, int height, int zoom) {
    EditorState state;
    EXPECT_TRUE(NewMap(state, width, height));
    state.MapWidth = width;
    state.MapHeight = height;
    state.Zoom = zoom;
    return state;
}

// The cells that are not 0, as "x,y=value", in storage order.
Cells Set(const CellArray& cells) {
    Cells set;
    for (size_t i = 0; i < cells.Bytes().size(); ++i) {
        if (cells.Bytes()[i] == 0) continue;
        set.push_back(std::to_string(i % cells.Width()) + "," + std::to_string(i / cells.Width()) + "=" +
                      std::to_string(cells.Bytes()[i]));
    }
    return set;
}

// The window's tests drive presses and drags over the canvas; these are the
// cases at the edges of the rules.
TEST(CanvasMouseDown, PaintsOnlyTheBlockCellsOnTheMapAndWithinTheSheet) {
    const struct {
        int zoom, X, Y, selTile;
        Cells tiles;
    } cases[] = {
        {8, 95, 16, 5, {"11,2=5", "11,3=21"}},
        {16, 191, 127, 5, {"11,7=5"}},
        {8, 0, 0, 239, {"0,0=239", "1,0=240", "0,1=255"}},
        {8, 0, 0, 255, {"0,0=255"}},
        {0, 0, 0, 7, {}},  // no map yet
    };
    for (const auto& c : cases) {
        EditorState state = EmptyMap(12, 8, c.zoom);
        state.SelTile = uint8_t(c.selTile);
        CanvasMouseDown(state, TileMode::Tiles16x16, kLeftButton, c.X, c.Y);
        EXPECT_EQ(Set(state.MapTiles), c.tiles) << c.X << "," << c.Y;
    }
}

TEST(FillWith16x16Tile, CoversTheMapWithTiles0_1_16_17InStorageOrder) {
    const struct {
        int width, height;
        std::vector<uint8_t> tiles;
    } cases[] = {{4, 2, {0, 1, 0, 1, 16, 17, 16, 17}}, {5, 3, {0, 1, 0, 1, 0, 16, 17, 16, 17, 16, 0, 1, 0, 1, 0}}};
    for (const auto& c : cases) {
        EditorState state = EmptyMap(c.width, c.height, 8);
        state.MapTiles(0, 0) = 99;
        state.MapCol(1, 0) = 1;
        FillWith16x16Tile(state);
        EXPECT_EQ(state.MapTiles.Bytes(), c.tiles);
        EXPECT_EQ(Set(state.MapCol), Cells{"1,0=1"});
    }
}

TEST(MapSideFromText, TakesNumbersFrom1To32767RoundingHalfAwayFromZero) {
    const struct {
        const char* text;
        std::optional<int16_t> side;
    } cases[] = {
        {"12", 12},      {" 8 ", 8},       {"12.5", 13},       {"12.49", 12},    {"0.5", 1},
        {"1e2", 100},    {"32767", 32767}, {"32767.49", 32767}, {"32767.5", {}}, {"0.49", {}},
        {"0", {}},       {"-3", {}},       {"", {}},           {"  ", {}},       {"abc", {}},
        {"12abc", {}},   {"1 2", {}},      {"12,5", {}},       {"nan", {}},      {"inf", {}},
        {"1e999", {}},   {"70000", {}},
    };
    for (const auto& c : cases) EXPECT_EQ(MapSideFromText(c.text), c.side) << '"' << c.text << '"';
}

}  // namespace
