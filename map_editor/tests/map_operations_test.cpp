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

using namespace tilora;

namespace {

using Edit = std::function<void(MapDocument&, History&)>;
#define EDIT(...) [](MapDocument& d, History& h) { __VA_ARGS__; }

// Cells as a picture: their rows from the top separated by '/', a cell a hex
// digit.
std::string Picture(const CellArray& cells) {
    std::string picture;
    for (int32_t y = 0; y < cells.Height(); ++y) {
        for (int32_t x = 0; x < cells.Width(); ++x) picture += "0123456789abcdef"[cells(x, y) & 15];
        if (y + 1 < cells.Height()) picture += '/';
    }
    return picture;
}

CellArray FromPicture(const std::string& picture) {
    const int32_t width = int32_t(picture.find('/')), height = int32_t(picture.size() + 1) / (width + 1);
    CellArray cells(width, height);
    for (int32_t i = 0; i < width * height; ++i) cells(i % width, i / width) = uint8_t(picture[i + i / width] - '0');
    return cells;
}

// Three regions of tiles 1, 0 and 2 that bend round one another.
const std::string kTiles = "11200/12200/11120/00111", kCol = "10000/01000/00100/00011";
const MapBlock kBlock{FromPicture("98/76"), FromPicture("01/10")};

MapDocument Map(const std::string& tiles = kTiles, const std::string& col = kCol) {
    return {FromPicture(tiles), FromPicture(col), ""};
}

std::string Picture(const MapDocument& document) { return Picture(document.MapTiles) + " " + Picture(document.MapCol); }

// A square map of tile 1 where wall(x, y) holds and `open` elsewhere.
CellArray Walls(int side, bool (*wall)(int, int), uint8_t open) {
    CellArray cells(side, side);
    for (int i = 0; i < side * side; ++i) cells(i % side, i / side) = wall(i % side, i / side) ? 1 : open;
    return cells;
}

bool Comb(int x, int y) { return x % 2 == 1 && y != 0; }

// Each edit that changes the map is one step, undone to the map before it and
// redone to the one after it; the others change nothing and make no step.
TEST(MapOperations, ChangeTheMapInOneStep) {
    const struct {
        const char* name;
        Edit edit;
        std::string tiles = kTiles, col = kCol;  // after it
    } cases[] = {
        {"fill", EDIT(FillRegion(d, h, 0, 0, 7, {})), "77200/72200/77720/00777"},
        {"fill to corner", EDIT(FillRegion(d, h, 4, 1, 7, {})), "11277/12277/11127/00111"},
        {"fill to selection edge", EDIT(FillRegion(d, h, 0, 0, 7, CellRect{0, 0, 2, 3})), "77200/72200/77120/00111"},
        {"fill selection past map", EDIT(FillRegion(d, h, 2, 3, 7, CellRect{1, 2, 9, 9})), "11200/12200/17720/00777"},
        {"replace", EDIT(ReplaceTile(d, h, 1, 9, {})), "99200/92200/99920/00999"},
        {"replace in selection", EDIT(ReplaceTile(d, h, 0, 9, CellRect{3, 1, 5, 5})), "11200/12299/11129/00111"},
        {"clear bottom right", EDIT(ClearCells(d, h, {3, 2, 5, 5})), "11200/12200/11100/00100", "10000/01000/00100/00000"},
        {"clear top left", EDIT(ClearCells(d, h, {-2, -1, 3, 2})), "01200/12200/11120/00111", "00000/01000/00100/00011"},
        {"paste", EDIT(PlaceBlock(d, h, kBlock, 1, 1)), "11200/19800/17620/00111", "10000/00100/01000/00011"},
        {"paste above left", EDIT(PlaceBlock(d, h, kBlock, -1, -1)), "61200/12200/11120/00111", "00000/01000/00100/00011"},
        {"paste below right", EDIT(PlaceBlock(d, h, kBlock, 4, 3)), "11200/12200/11120/00119", "10000/01000/00100/00010"},
        {"insert top row", EDIT(InsertRow(d, h, 0)), "00000/" + kTiles, "00000/" + kCol},
        {"insert bottom row", EDIT(InsertRow(d, h, 4)), kTiles + "/00000", kCol + "/00000"},
        {"insert column", EDIT(InsertColumn(d, h, 2)), "110200/120200/110120/000111", "100000/010000/000100/000011"},
        {"insert last column", EDIT(InsertColumn(d, h, 5)), "112000/122000/111200/001110", "100000/010000/001000/000110"},
        {"delete row", EDIT(DeleteRow(d, h, 1)), "11200/11120/00111", "10000/00100/00011"},
        {"delete first column", EDIT(DeleteColumn(d, h, 0)), "1200/2200/1120/0111", "0000/1000/0100/0011"},
        {"delete last column", EDIT(DeleteColumn(d, h, 4)), "1120/1220/1112/0011", "1000/0100/0010/0001"},
        {"resize", EDIT(ResizeMap(d, h, 7, 2, Anchor::BottomRight)), "0011120/0000111", "0000100/0000011"},
        {"nothing to change", EDIT(FillRegion(d, h, 0, 0, 7, CellRect{1, 0, 4, 4}); FillRegion(d, h, 5, 0, 7, {});
                                   FillRegion(d, h, 0, 0, 1, {}); ReplaceTile(d, h, 5, 9, {});
                                   ClearCells(d, h, {3, 0, 2, 2}); ClearCells(d, h, {INT_MAX, 0, 5, 5});
                                   PlaceBlock(d, h, kBlock, -2, 4); PlaceBlock(d, h, CopyBlock(d, {1, 1, 3, 2}), 1, 1);
                                   EXPECT_TRUE(ResizeMap(d, h, 5, 4, Anchor::Centre)))},
        {"refused", EDIT(EXPECT_FALSE(InsertRow(d, h, -1) || InsertRow(d, h, 5) || InsertColumn(d, h, 6) ||
                                      DeleteRow(d, h, 4) || DeleteColumn(d, h, -1) || DeleteColumn(d, h, 5) ||
                                      ResizeMap(d, h, 0, 4, Anchor::Top) ||
                                      ResizeMap(d, h, 5, kLargestMapSide + 1, Anchor::Top)))},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        MapDocument document = Map();
        History history;
        c.edit(document, history);
        const bool changes = c.tiles != kTiles || c.col != kCol;
        EXPECT_EQ(Picture(document), c.tiles + " " + c.col);
        EXPECT_EQ(history.Steps(), changes ? 1u : 0u);
        history.Undo(document);
        EXPECT_EQ(Picture(document), kTiles + " " + kCol);
        history.Redo(document);
        EXPECT_EQ(Picture(document), c.tiles + " " + c.col);
    }
}

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
        MapDocument document = Map("123/456/789", "000/000/000");
        History history;
        ResizeMap(document, history, 5, 4, c.anchor);
        EXPECT_EQ(Picture(document.MapTiles), c.grown) << int(c.anchor);
        history.Undo(document);
        ResizeMap(document, history, 2, 1, c.anchor);
        EXPECT_EQ(Picture(document), c.shrunk + std::string(" 00")) << int(c.anchor);
    }
}

TEST(DeleteRowAndColumn, KeepTheLastOne) {
    MapDocument document = Map();
    History history;
    for (int i = 0; i < 3; ++i) EXPECT_TRUE(DeleteRow(document, history, 0) && DeleteColumn(document, history, 1));
    EXPECT_TRUE(DeleteColumn(document, history, 0));
    EXPECT_FALSE(DeleteRow(document, history, 0) || DeleteColumn(document, history, 0));
    EXPECT_EQ(Picture(document), "1 1");
    while (history.Undo(document)) {}
    EXPECT_EQ(Picture(document.MapTiles), kTiles);
}

TEST(CopyBlock, TakesThePartOnTheMap) {
    const struct {
        CellRect rect, onMap;
        std::string tiles, col;
    } cases[] = {
        {{-1, -1, 3, 2}, {0, 0, 2, 1}, "11", "10"},
        {{3, 2, 5, 5}, {3, 2, 2, 2}, "20/11", "00/11"},
        {{0, 0, 5, 4}, {0, 0, 5, 4}, kTiles, kCol},
        {{INT_MAX - 1, INT_MIN, INT_MAX, INT_MAX}, {}, "", ""},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(OnMap(Map(), c.rect), c.onMap) << c.tiles;
        const MapBlock block = CopyBlock(Map(), c.rect);
        EXPECT_EQ(Picture(MapDocument{block.tiles, block.col, ""}), c.tiles + " " + c.col);
    }
}

TEST(BlockFromText, ReadsRowsOfTileNumbersAsBlockTextWritesThem) {
    const struct {
        std::string text;
        const char* tiles;  // nullptr: refused
    } cases[] = {
        {"1,2,3\n4,5\n", "123/450"}, {" 1 ,\t2,3,\r\n4,5", "123/450"}, {"1\n\n9\n", "1/0/9"}, {"007,255", "7f"},
        {"", nullptr},  {"\n", nullptr},     {" , ", nullptr}, {"256", nullptr},         {"1,,2", nullptr},
        {"1,2,,", nullptr}, {"-1", nullptr}, {"1;2", nullptr}, {"99999999999", nullptr},
    };
    for (const auto& c : cases) {
        const std::optional<MapBlock> block = BlockFromText(c.text);
        EXPECT_EQ(block ? Picture(block->tiles) : "refused", c.tiles ? c.tiles : "refused") << c.text;
        if (block) {
            EXPECT_EQ(block->col, CellArray(block->Width(), block->Height()));
        }
    }
    std::string row, column;
    for (int i = 0; i < kLargestMapSide; ++i) row += "1,", column += "1\n";
    EXPECT_EQ(BlockFromText(row)->Width(), kLargestMapSide);
    EXPECT_EQ(BlockFromText(column)->Height(), kLargestMapSide);
    EXPECT_FALSE(BlockFromText(row + "1") || BlockFromText(column + "1"));
    const MapBlock block{CellArray(3, 2, std::vector<uint8_t>{0, 1, 2, 16, 200, 255}), CellArray(3, 2)};
    EXPECT_EQ(BlockText(block), "0,1,2\n16,200,255\n");
    EXPECT_EQ(BlockFromText(BlockText(block)), block);
}

// A corridor that winds down the map, and a comb of one-cell teeth: regions
// of millions of cells, on which a fill that called itself for each cell
// would overflow the stack.
TEST(FillRegion, FillsWindingCorridors) {
    for (const auto wall : {Comb, +[](int x, int y) { return y % 2 == 1 && x != (y % 4 == 1 ? 2047 : 0); }}) {
        MapDocument document{Walls(2048, wall, 0), CellArray(2048, 2048), ""};
        History history;
        FillRegion(document, history, 0, 2047, 2, {});
        EXPECT_TRUE(document.MapTiles == Walls(2048, wall, 2));
        history.Undo(document);
        EXPECT_TRUE(document.MapTiles == Walls(2048, wall, 0));
    }
}

// A fill too large for the history is done and empties it; without memory
// for its record or the new map, each edit throws and changes nothing (the
// fill runs out of it half-way through the comb).
TEST(MapOperations, TooLargeForTheHistoryOrForMemory) {
    MapDocument document = Map();
    History history(64);
    FillRegion(document, history, 0, 0, 7, {});  // 9 cells of 8 bytes
    EXPECT_EQ(Picture(document.MapTiles), "77200/72200/77720/00777");
    EXPECT_FALSE(history.CanUndo());
    const MapBlock zeros{CellArray(64, 64), CellArray(64, 64)};
    const Edit edits[] = {
        EDIT(FillRegion(d, h, 0, 0, 5, {})), EDIT(ReplaceTile(d, h, 1, 5, {})), EDIT(ClearCells(d, h, {0, 0, 64, 64})),
        [&](auto& d, auto& h) { PlaceBlock(d, h, zeros, 0, 0); }, EDIT(InsertColumn(d, h, 3)),
        EDIT(ResizeMap(d, h, 32, 64, Anchor::Centre)),
    };
    for (const Edit& edit : edits) {
        MapDocument comb{Walls(64, Comb, 0), Walls(64, Comb, 0), ""};
        const MapDocument before = comb;
        History steps;
        {
            const FailingAllocations shortMemory(1024);
            EXPECT_THROW(edit(comb, steps), std::bad_alloc);
        }
        EXPECT_EQ(Picture(comb), Picture(before));
        EXPECT_FALSE(steps.CanUndo());
    }
}

}  // namespace
