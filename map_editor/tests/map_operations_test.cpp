// The editing operations on blocks, regions, rows and columns and the map's
// size: each one step, undone and redone, at the edges of the map.
#include <gtest/gtest.h>

#include <climits>
#include <functional>
#include <string>

#include "failing_allocations.h"
#include "fill.h"
#include "map_block.h"
#include "map_size.h"
#include "test_pictures.h"

using namespace tilora;

namespace {

// A map as a picture: its rows top to bottom separated by '/', a cell a hex
// digit.
std::string Picture(const CellArray& cells) {
    std::string picture;
    for (int32_t y = 0; y < cells.Height(); ++y) {
        if (y > 0) picture += '/';
        for (int32_t x = 0; x < cells.Width(); ++x) picture += "0123456789abcdef"[cells(x, y) & 15];
    }
    return picture;
}

CellArray FromPicture(const std::string& picture) {
    const int32_t width = int32_t(picture.find('/'));
    const int32_t height = int32_t(picture.size() + 1) / (width + 1);
    CellArray cells(width, height);
    for (int32_t y = 0; y < height; ++y) {
        for (int32_t x = 0; x < width; ++x) cells(x, y) = uint8_t(std::stoi(picture.substr(y * (width + 1) + x, 1), nullptr, 16));
    }
    return cells;
}

Editor MapOf(const std::string& tiles, const std::string& col) {
    Editor editor;
    ReplaceMap(editor, editor.history, FromPicture(tiles), FromPicture(col));
    editor.history.Reset();
    return editor;
}

// Three regions of tile 1, 0 and 2 that bend round one another.
const std::string kTiles = "11200/12200/11120/00111", kCol = "10000/01000/00100/00011";
const MapBlock kBlock{CellArray(2, 2, std::vector<uint8_t>{9, 8, 7, 6}), FromPicture("01/10")};

struct OperationCase {
    const char* name;
    std::function<void(Editor&)> edit;
    std::string tiles = {}, col = {};  // after it; both empty when it changes nothing
};

class Operation : public testing::TestWithParam<OperationCase> {};

// Each operation that changes the map is one step, undone to the map before it
// and redone to the one after it; one that changes nothing makes no step.
TEST_P(Operation, ChangesTheMapInOneStep) {
    const OperationCase& c = GetParam();
    Editor editor = MapOf(kTiles, kCol);
    c.edit(editor);
    const bool changes = !c.tiles.empty();
    EXPECT_EQ(Picture(editor.MapTiles), changes ? c.tiles : kTiles);
    EXPECT_EQ(Picture(editor.MapCol), changes ? c.col : kCol);
    EXPECT_EQ(editor.history.Steps(), changes ? 1u : 0u);
    Undo(editor, editor.stroke, editor.history);
    EXPECT_EQ(Picture(editor.MapTiles) + " " + Picture(editor.MapCol), kTiles + " " + kCol);
    Redo(editor, editor.stroke, editor.history);
    if (changes) {
        EXPECT_EQ(Picture(editor.MapTiles) + " " + Picture(editor.MapCol), c.tiles + " " + c.col);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Map, Operation,
    testing::Values(
        OperationCase{"FillBendingRegion", [](Editor& e) { FillRegion(e, e.history, 0, 0, 7, {}); },
                      "77200/72200/77720/00777", kCol},
        OperationCase{"FillUpToTheCorner", [](Editor& e) { FillRegion(e, e.history, 4, 1, 7, {}); },
                      "11277/12277/11127/00111", kCol},
        OperationCase{"FillStopsAtSelectionEdge", [](Editor& e) { FillRegion(e, e.history, 0, 0, 7, CellRect{0, 0, 2, 3}); },
                      "77200/72200/77120/00111", kCol},
        OperationCase{"FillSelectionAtMapEdge", [](Editor& e) { FillRegion(e, e.history, 2, 3, 7, CellRect{1, 2, 9, 9}); },
                      "11200/12200/17720/00777", kCol},
        OperationCase{"FillOutsideSelection", [](Editor& e) { FillRegion(e, e.history, 0, 0, 7, CellRect{1, 0, 4, 4}); }},
        OperationCase{"FillOffMap", [](Editor& e) { FillRegion(e, e.history, 5, 0, 7, {}); }},
        OperationCase{"FillSameTile", [](Editor& e) { FillRegion(e, e.history, 0, 0, 1, {}); }},
        OperationCase{"ReplaceEverywhere", [](Editor& e) { ReplaceTile(e, e.history, 1, 9, {}); },
                      "99200/92200/99920/00999", kCol},
        OperationCase{"ReplaceInSelection", [](Editor& e) { ReplaceTile(e, e.history, 0, 9, CellRect{3, 1, 5, 5}); },
                      "11200/12299/11129/00111", kCol},
        OperationCase{"ReplaceMissingTile", [](Editor& e) { ReplaceTile(e, e.history, 5, 9, {}); }},
        OperationCase{"ClearBottomRight", [](Editor& e) { ClearCells(e, e.history, {3, 2, 5, 5}); },
                      "11200/12200/11100/00100", "10000/01000/00100/00000"},
        OperationCase{"ClearTopLeft", [](Editor& e) { ClearCells(e, e.history, {-2, -1, 3, 2}); },
                      "01200/12200/11120/00111", "00000/01000/00100/00011"},
        OperationCase{"ClearClearCells", [](Editor& e) { ClearCells(e, e.history, {3, 0, 2, 2}); }},
        OperationCase{"ClearOffMap", [](Editor& e) { ClearCells(e, e.history, {INT_MAX, 0, 5, 5}); }},
        OperationCase{"PasteInside", [](Editor& e) { PlaceBlock(e, e.history, kBlock, 1, 1); },
                      "11200/19800/17620/00111", "10000/00100/01000/00011"},
        OperationCase{"PasteAboveLeft", [](Editor& e) { PlaceBlock(e, e.history, kBlock, -1, -1); },
                      "61200/12200/11120/00111", "00000/01000/00100/00011"},
        OperationCase{"PasteBelowRight", [](Editor& e) { PlaceBlock(e, e.history, kBlock, 4, 3); },
                      "11200/12200/11120/00119", "10000/01000/00100/00010"},
        OperationCase{"PasteOffMap", [](Editor& e) { PlaceBlock(e, e.history, kBlock, -2, 4); }},
        OperationCase{"PasteWhatIsThere", [](Editor& e) { PlaceBlock(e, e.history, CopyBlock(e, {1, 1, 3, 2}), 1, 1); }},
        OperationCase{"InsertTopRow", [](Editor& e) { EXPECT_TRUE(InsertRow(e, e.history, 0)); },
                      "00000/" + kTiles, "00000/" + kCol},
        OperationCase{"InsertBottomRow", [](Editor& e) { EXPECT_TRUE(InsertRow(e, e.history, 4)); },
                      kTiles + "/00000", kCol + "/00000"},
        OperationCase{"InsertColumn", [](Editor& e) { EXPECT_TRUE(InsertColumn(e, e.history, 2)); },
                      "110200/120200/110120/000111", "100000/010000/000100/000011"},
        OperationCase{"InsertRightColumn", [](Editor& e) { EXPECT_TRUE(InsertColumn(e, e.history, 5)); },
                      "112000/122000/111200/001110", "100000/010000/001000/000110"},
        OperationCase{"DeleteRow", [](Editor& e) { EXPECT_TRUE(DeleteRow(e, e.history, 1)); },
                      "11200/11120/00111", "10000/00100/00011"},
        OperationCase{"DeleteLeftColumn", [](Editor& e) { EXPECT_TRUE(DeleteColumn(e, e.history, 0)); },
                      "1200/2200/1120/0111", "0000/1000/0100/0011"},
        OperationCase{"DeleteRightColumn", [](Editor& e) { EXPECT_TRUE(DeleteColumn(e, e.history, 4)); },
                      "1120/1220/1112/0011", "1000/0100/0010/0001"},
        OperationCase{"RowsAndColumnsOffMap",
                      [](Editor& e) {
                          EXPECT_FALSE(InsertRow(e, e.history, -1) || InsertRow(e, e.history, 5) ||
                                       InsertColumn(e, e.history, 6) || DeleteRow(e, e.history, 4) ||
                                       DeleteColumn(e, e.history, -1) || DeleteColumn(e, e.history, 5));
                      }},
        OperationCase{"ResizeWiderAndLower", [](Editor& e) { EXPECT_TRUE(ResizeMap(e, e.history, 7, 2, Anchor::BottomRight)); },
                      "0011120/0000111", "0000100/0000011"},
        OperationCase{"ResizeRefusedOrToItsSize",
                      [](Editor& e) {
                          EXPECT_FALSE(ResizeMap(e, e.history, 0, 4, Anchor::Centre) ||
                                       ResizeMap(e, e.history, 5, kLargestMapSide + 1, Anchor::Centre));
                          EXPECT_TRUE(ResizeMap(e, e.history, 5, 4, Anchor::Centre));
                      }}),
    [](const auto& info) { return std::string(info.param.name); });

// Grown to 5 x 4 and shrunk to 2 x 1: a middle that cannot be exact lies half
// a cell to the left or top.
TEST(ResizeMap, PlacesTheOldMapAtEachAnchor) {
    const struct {
        Anchor anchor;
        const char *grown, *shrunk;
    } cases[] = {
        {Anchor::TopLeft, "12300/45600/78900/00000", "12"},    {Anchor::Top, "01230/04560/07890/00000", "23"},
        {Anchor::TopRight, "00123/00456/00789/00000", "23"},   {Anchor::Left, "12300/45600/78900/00000", "45"},
        {Anchor::Centre, "01230/04560/07890/00000", "56"},     {Anchor::Right, "00123/00456/00789/00000", "56"},
        {Anchor::BottomLeft, "00000/12300/45600/78900", "78"}, {Anchor::Bottom, "00000/01230/04560/07890", "89"},
        {Anchor::BottomRight, "00000/00123/00456/00789", "89"},
    };
    for (const auto& c : cases) {
        Editor editor = MapOf("123/456/789", "000/000/000");
        ResizeMap(editor, editor.history, 5, 4, c.anchor);
        EXPECT_EQ(Picture(editor.MapTiles), c.grown) << int(c.anchor);
        Undo(editor, editor.stroke, editor.history);
        ResizeMap(editor, editor.history, 2, 1, c.anchor);
        EXPECT_EQ(Picture(editor.MapTiles), c.shrunk) << int(c.anchor);
        EXPECT_EQ(Picture(editor.MapCol), "00");
    }
}

TEST(DeleteRowAndColumn, KeepTheLastOne) {
    Editor editor = MapOf(kTiles, kCol);
    for (int i = 0; i < 3; ++i) EXPECT_TRUE(DeleteRow(editor, editor.history, 0) && DeleteColumn(editor, editor.history, 1));
    EXPECT_TRUE(DeleteColumn(editor, editor.history, 0));
    EXPECT_FALSE(DeleteRow(editor, editor.history, 0) || DeleteColumn(editor, editor.history, 0));
    EXPECT_EQ(Picture(editor.MapTiles) + " " + Picture(editor.MapCol), "1 1");
    while (editor.history.CanUndo()) Undo(editor, editor.stroke, editor.history);
    EXPECT_EQ(Picture(editor.MapTiles), kTiles);
}

TEST(CopyBlock, TakesThePartOnTheMap) {
    const Editor editor = MapOf(kTiles, kCol);
    const struct {
        CellRect rect, onMap;
        const char *tiles, *col;
    } cases[] = {
        {{-1, -1, 3, 2}, {0, 0, 2, 1}, "11", "10"},
        {{3, 2, 5, 5}, {3, 2, 2, 2}, "20/11", "00/11"},
        {{0, 0, 5, 4}, {0, 0, 5, 4}, kTiles.c_str(), kCol.c_str()},
        {{INT_MAX - 1, INT_MIN, INT_MAX, INT_MAX}, {}, "", ""},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(OnMap(editor, c.rect), c.onMap) << c.tiles;
        const MapBlock block = CopyBlock(editor, c.rect);
        EXPECT_EQ(Picture(block.tiles) + " " + Picture(block.col), std::string(c.tiles) + " " + c.col);
    }
}

TEST(BlockFromText, ReadsRowsOfTileNumbersAndRefusesAnythingElse) {
    const struct {
        std::string text;
        const char* tiles;  // nullptr: refused
    } cases[] = {
        {"1,2,3\n4,5\n", "123/450"},  {" 1 ,\t2,3,\r\n4,5", "123/450"}, {"255", "f"},  {"1\n\n12\n", "1/0/c"},
        {"007,0", "70"},              {"", nullptr},                    {"\n", nullptr}, {" , ", nullptr},
        {"256", nullptr},             {"1,,2", nullptr},                {"1,2,,", nullptr}, {"-1", nullptr},
        {"1;2", nullptr},             {"0x1", nullptr},                 {"99999999999", nullptr},
    };
    for (const auto& c : cases) {
        const std::optional<MapBlock> block = BlockFromText(c.text);
        EXPECT_EQ(block ? Picture(block->tiles) : "refused", c.tiles ? c.tiles : "refused") << c.text.substr(0, 20);
        if (block) {
            EXPECT_EQ(block->col, CellArray(block->Width(), block->Height()));
        }
    }
    std::string row, column;
    for (int i = 0; i < kLargestMapSide; ++i) row += "1,", column += "1\n";
    EXPECT_EQ(BlockFromText(row)->Width(), kLargestMapSide);
    EXPECT_EQ(BlockFromText(column)->Height(), kLargestMapSide);
    EXPECT_FALSE(BlockFromText(row + "1") || BlockFromText(column + "1"));
}

TEST(BlockText, IsReadBackAsTheSameTiles) {
    const MapBlock block{CellArray(3, 2, std::vector<uint8_t>{0, 1, 2, 16, 200, 255}), CellArray(3, 2)};
    EXPECT_EQ(BlockText(block), "0,1,2\n16,200,255\n");
    EXPECT_EQ(BlockFromText(BlockText(block)), block);
}

// Regions with a cell on every row or column end of their own: a corridor
// that winds down the map, and a comb of one-cell teeth. A fill that calls
// itself for each cell would overflow the stack on them.
TEST(FillRegion, FillsWindingCorridorsOfMillionsOfCells) {
    const std::function<bool(int, int)> walls[] = {
        [](int x, int y) { return y % 2 == 1 && x != (y % 4 == 1 ? 2047 : 0); },
        [](int x, int y) { return x % 2 == 1 && y != 0; },
    };
    for (const auto& wall : walls) {
        Editor editor;
        NewMap(editor, editor.history, 2048, 2048);
        for (int y = 0; y < 2048; ++y) {
            for (int x = 0; x < 2048; ++x) editor.MapTiles(x, y) = wall(x, y);
        }
        const CellArray before = editor.MapTiles;
        FillRegion(editor, editor.history, 0, 2047, 2, {});
        size_t filled = 0, open = 0;
        for (int y = 0; y < 2048; ++y) {
            for (int x = 0; x < 2048; ++x) {
                open += !wall(x, y);
                filled += editor.MapTiles(x, y) == 2;
            }
        }
        EXPECT_EQ(filled, open);
        Undo(editor, editor.stroke, editor.history);
        EXPECT_TRUE(editor.MapTiles == before);
    }
}

// A fill too large for the history is done and empties it; without memory
// for its record or the new map, each operation changes nothing.
TEST(Operations, TooLargeForTheHistoryOrForMemory) {
    Editor editor = MapOf(kTiles, kCol);
    editor.history = History(64);
    FillRegion(editor, editor.history, 0, 0, 7, {});  // 9 cells of 8 bytes
    EXPECT_EQ(Picture(editor.MapTiles), "77200/72200/77720/00777");
    EXPECT_FALSE(editor.history.CanUndo());
    const MapBlock zeros{CellArray(64, 64), CellArray(64, 64)};
    const std::function<void(Editor&)> edits[] = {
        [](Editor& e) { FillRegion(e, e.history, 0, 0, 5, {}); },
        [](Editor& e) { ReplaceTile(e, e.history, 1, 5, {}); },
        [](Editor& e) { ClearCells(e, e.history, {0, 0, 64, 64}); },
        [&](Editor& e) { PlaceBlock(e, e.history, zeros, 0, 0); },
        [](Editor& e) { InsertColumn(e, e.history, 3); },
        [](Editor& e) { ResizeMap(e, e.history, 32, 64, Anchor::Centre); },
    };
    for (const auto& edit : edits) {
        Editor comb;
        NewMap(comb, comb.history, 64, 64);
        for (int y = 0; y < 64; ++y) {
            for (int x = 0; x < 64; ++x) comb.MapTiles(x, y) = comb.MapCol(x, y) = x % 2 == 1 && y > 0;
        }
        const CellArray tiles = comb.MapTiles, col = comb.MapCol;
        {
            const FailingAllocations shortMemory(1024);
            EXPECT_THROW(edit(comb), std::bad_alloc);
        }
        EXPECT_TRUE(comb.MapTiles == tiles && comb.MapCol == col && comb.history.Steps() == 1);
    }
}

}  // namespace
