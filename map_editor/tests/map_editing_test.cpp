#include "map_editing.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "test_pictures.h"

using namespace tilora;

namespace {

using Cells = std::vector<std::string>;

Editor EmptyMap(int width, int height, int zoom) {
    Editor state;
    EXPECT_TRUE(NewMap(state, state.history, width, height));
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
        Editor state = EmptyMap(12, 8, c.zoom);
        state.SelTile = uint8_t(c.selTile);
        CanvasMouseDown(state, state, state.stroke, TileMode::Tiles16x16, kLeftButton, c.X, c.Y);
        EXPECT_EQ(Set(state.MapTiles), c.tiles) << c.X << "," << c.Y;
    }
}

TEST(FillWith16x16Tile, CoversTheMapWithTiles0_1_16_17InStorageOrder) {
    const struct {
        int width, height;
        std::vector<uint8_t> tiles;
    } cases[] = {{4, 2, {0, 1, 0, 1, 16, 17, 16, 17}}, {5, 3, {0, 1, 0, 1, 0, 16, 17, 16, 17, 16, 0, 1, 0, 1, 0}}};
    for (const auto& c : cases) {
        Editor state = EmptyMap(c.width, c.height, 8);
        state.MapTiles(0, 0) = 99;
        state.MapCol(1, 0) = 1;
        FillWith16x16Tile(state, state.history);
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

// Pixel position of the middle of a cell at zoom 1x.
constexpr int Mid(int cell) { return 8 * cell + 4; }

void Drag(Editor& state, int button, std::vector<std::pair<int, int>> cells, TileMode mode = TileMode::Tiles8x8) {
    CanvasMouseDown(state, state, state.stroke, mode, button, Mid(cells[0].first), Mid(cells[0].second));
    for (const auto& [x, y] : cells) CanvasMouseMove(state, state, state.stroke, button, Mid(x), Mid(y));
    FinishStroke(state, state.stroke, state.history);
}

struct StepCase {
    const char* name;
    std::function<void(Editor&)> edit;
};

class EveryEdit : public testing::TestWithParam<StepCase> {};

// One step each, undone to the document before it and redone to the one
// after it.
TEST_P(EveryEdit, IsOneStepUndoneAndRedone) {
    Editor state = EmptyMap(12, 8, 8);
    state.MapTiles(3, 3) = 7;
    state.MapCol(4, 4) = 1;
    state.SelTile = 5;
    const CellArray tiles = state.MapTiles, col = state.MapCol;
    const size_t steps = state.history.Steps();
    GetParam().edit(state);
    const CellArray tilesAfter = state.MapTiles, colAfter = state.MapCol;
    ASSERT_TRUE(tilesAfter != tiles || colAfter != col);
    EXPECT_EQ(state.history.Steps(), steps + 1);
    Undo(state, state.stroke, state.history);
    EXPECT_TRUE(state.MapTiles == tiles && state.MapCol == col);
    Redo(state, state.stroke, state.history);
    EXPECT_TRUE(state.MapTiles == tilesAfter && state.MapCol == colAfter);
}

INSTANTIATE_TEST_SUITE_P(
    Steps, EveryEdit,
    testing::Values(StepCase{"PaintStroke", [](Editor& s) { Drag(s, kLeftButton, {{1, 1}, {9, 5}, {3, 3}}); }},
                    StepCase{"BlockAndDrag",
                             [](Editor& s) { Drag(s, kLeftButton, {{2, 2}, {6, 2}}, TileMode::Tiles16x16); }},
                    StepCase{"ColStroke", [](Editor& s) { Drag(s, kRightButton, {{0, 4}, {8, 4}, {4, 0}}); }},
                    StepCase{"ClearStroke", [](Editor& s) { Drag(s, kMiddleButton, {{4, 4}, {4, 6}}); }},
                    StepCase{"Fill", [](Editor& s) { FillWith16x16Tile(s, s.history); }},
                    StepCase{"NewMap", [](Editor& s) { NewMap(s, s.history, 30, 20); }},
                    StepCase{"LoadedMap",
                             [](Editor& s) { ReplaceMap(s, s.history, CellArray(2, 2, std::vector<uint8_t>{1, 2, 3, 4}), CellArray(2, 2)); }}),
    [](const auto& info) { return std::string(info.param.name); });

// A right click that wobbles inside its cell toggles it once; a fast drag
// reaches every cell on its way, each toggled once.
TEST(CanvasDrag, ReachesEveryCellOnItsWayOnce) {
    Editor state = EmptyMap(12, 8, 8);
    CanvasMouseDown(state, state, state.stroke, TileMode::Tiles8x8, kRightButton, 17, 17);
    CanvasMouseMove(state, state, state.stroke, kRightButton, 18, 17);
    FinishStroke(state, state.stroke, state.history);
    EXPECT_EQ(Set(state.MapCol), Cells{"2,2=1"});
    Drag(state, kRightButton, {{0, 0}, {6, 3}});
    EXPECT_EQ(Set(state.MapCol), (Cells{"0,0=1", "1,0=1", "2,1=1", "3,1=1", "2,2=1", "4,2=1", "5,2=1", "6,3=1"}));
    state.SelTile = 9;
    Drag(state, kLeftButton, {{0, 7}, {4, 7}});
    EXPECT_EQ(Set(state.MapTiles), (Cells{"0,7=9", "1,7=9", "2,7=9", "3,7=9", "4,7=9"}));
}

// The oldest steps go once the history holds more than its bound; a fill too
// large for it empties it and stays done.
TEST(History, StaysWithinItsBound) {
    Editor state;
    state.history = History(4096);
    NewMap(state, state.history, 40, 40);
    state.Zoom = 8;
    for (int row = 0; row < 20; ++row) Drag(state, kRightButton, {{0, row}, {39, row}});  // 40 cells each
    EXPECT_LE(state.history.Bytes(), 4096u);
    EXPECT_LT(state.history.Steps(), 21u);
    FillWith16x16Tile(state, state.history);  // 1600 cells, 12800 bytes
    EXPECT_FALSE(state.history.CanUndo());
    EXPECT_EQ(state.MapTiles(1, 1), 17);
}

// The clean point is the document last loaded or saved; undo and redo reach
// it again until a new edit leaves it among the dropped redo steps.
TEST(History, CleanPointFollowsUndoAndRedo) {
    Editor state = EmptyMap(4, 4, 8);
    state.history.MarkClean();
    const struct {
        const char* name;
        std::function<void(Editor&)> act;
        bool clean;
    } sequence[] = {
        {"edit", [](Editor& s) { FillWith16x16Tile(s, s.history); }, false},
        {"undo", [](Editor& s) { Undo(s, s.stroke, s.history); }, true},
        {"redo", [](Editor& s) { Redo(s, s.stroke, s.history); }, false},
        {"save", [](Editor& s) { s.history.MarkClean(); }, true},
        {"undo past it", [](Editor& s) { Undo(s, s.stroke, s.history); }, false},
        {"other edit", [](Editor& s) { Drag(s, kRightButton, {{1, 1}}); }, false},
        {"undo", [](Editor& s) { Undo(s, s.stroke, s.history); }, false},
    };
    for (const auto& step : sequence) {
        step.act(state);
        EXPECT_EQ(state.history.IsClean(), step.clean) << step.name;
    }
}

}  // namespace
