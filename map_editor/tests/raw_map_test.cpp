#include "raw_map.h"

#include <gtest/gtest.h>

#include <vector>

using namespace tilora;

namespace {

using Bytes = std::vector<uint8_t>;

CellArray Numbered(int width, int height) {
    CellArray tiles(width, height);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) tiles(x, y) = uint8_t(1 + x + 20 * y);
    }
    return tiles;
}

CellArray Read(const Bytes& file, int width, int height, bool screenRepeat) {
    CellArray tiles(width, height);
    ReadRawMap(file, screenRepeat, tiles);
    return tiles;
}

TEST(RawMap, ScreenRepeatAppendsTheFirst12CellsOfEveryRowWrappingRoundNarrowRows) {
    EXPECT_EQ(WriteRawMapWithRepeat(Numbered(3, 1)), (Bytes{1, 2, 3, 1, 2, 3, 1, 2, 3, 1, 2, 3, 1, 2, 3}));
    for (const auto& [width, height] : {std::pair{12, 8}, {14, 2}, {5, 3}, {1, 2}, {300, 250}}) {
        const CellArray tiles = Numbered(width, height);
        const Bytes file = WriteRawMapWithRepeat(tiles);
        ASSERT_EQ(file.size(), size_t((width + 12) * height));
        for (size_t i = 0; i < file.size(); ++i) {
            const int y = int(i) / (width + 12), x = int(i) % (width + 12) % width;
            ASSERT_EQ(file[i], tiles(x, y)) << width << " x " << height << " byte " << i;
        }
        // Read back at the same size with the repeat; without it, rows run on
        // into the repeated bytes.
        EXPECT_EQ(Read(file, width, height, true), tiles);
        EXPECT_NE(Read(file, width, height, false), tiles);
        EXPECT_EQ(Read(file, width, height, false), CellArray(width, height, file));
    }
    EXPECT_TRUE(WriteRawMapWithRepeat(CellArray()).empty());  // no map yet
}

// Of a repeat file, the byte read last for a cell wins; cells a short file has
// no byte for stay 0, and bytes past the map are not read.
TEST(RawMap, ShortFilesLeaveTheirMissingCellsAtZero) {
    const struct {
        int width, height;
        bool screenRepeat;
        Bytes file, cells;
    } cases[] = {
        {3, 2, false, {7, 8, 9, 4}, {7, 8, 9, 4, 0, 0}},
        {3, 2, false, {1, 2, 3, 4, 5, 6, 7, 8}, {1, 2, 3, 4, 5, 6}},
        {3, 1, true, {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15}, {13, 14, 15}},
        {2, 2, true, {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15}, {13, 14, 15, 0}},
        {14, 1, true, {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 16},
         {15, 16, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14}},
        {3, 1, false, {}, {0, 0, 0}},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(Read(c.file, c.width, c.height, c.screenRepeat).Bytes(), c.cells)
            << c.width << " x " << c.height << (c.screenRepeat ? " with repeat" : "");
    }
}

}  // namespace
