#include "project_file.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using namespace tilora;

namespace {

using Bytes = std::vector<uint8_t>;

// Tile numbers and col flags that differ from cell to cell.
MapProject Numbered(int width, int height, std::string path) {
    MapProject project{std::move(path), CellArray(width, height), CellArray(width, height)};
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            project.tiles(x, y) = uint8_t(x + 16 * y + 1);
            project.col(x, y) = (x + y) % 3 == 0;
        }
    }
    return project;
}

Bytes Write(const MapProject& project) { return WriteProjectFile(project.tilePath, project.tiles, project.col); }

Bytes Int32(uint32_t value) {
    return {uint8_t(value), uint8_t(value >> 8), uint8_t(value >> 16), uint8_t(value >> 24)};
}

TEST(ProjectFile, TwelveByEightMapIs459BytesInTheFileOrder) {
    const MapProject project = Numbered(12, 8, "tiles/set.bmp");
    Bytes expected = {'T', 'L', 'P', 12, 0, 0, 0, 8, 0, 0, 0};
    for (const char c : project.tilePath) expected.push_back(uint8_t(c));
    expected.resize(267, ' ');
    for (int y = 0; y < 8; ++y) {
        for (int x = 0; x < 12; ++x) expected.push_back(uint8_t(x + 16 * y + 1));
    }
    for (int y = 0; y < 8; ++y) {
        for (int x = 0; x < 12; ++x) expected.push_back((x + y) % 3 == 0);
    }
    ASSERT_EQ(expected.size(), 459u);
    EXPECT_EQ(Write(project), expected);
    EXPECT_EQ(ReadProjectFile(expected), project);
    // Bytes after the cells, as an older and longer file left them, are not read.
    expected.insert(expected.end(), 40, 0xEE);
    EXPECT_EQ(ReadProjectFile(expected), project);
    // Without a map only the header is written.
    EXPECT_EQ(WriteProjectFile("", {}, {}).size(), 267u);
}

TEST(ProjectFile, PathsComeBackWithoutPaddingCutTo256BytesOnACharacterBoundary) {
    const std::string a255(255, 'a'), a254(254, 'a');
    const struct {
        std::string path, stored;
    } cases[] = {
        {"", ""},  // no tile set yet: 256 spaces
        {"/home/me/tiles.bmp", "/home/me/tiles.bmp"},
        {"/home/me/Kacheln \xC3\xA4\xE2\x82\xAC.bmp", "/home/me/Kacheln \xC3\xA4\xE2\x82\xAC.bmp"},
        {"tiles.bmp   ", "tiles.bmp"},  // trailing spaces read as padding
        {std::string(256, 'x'), std::string(256, 'x')},
        {std::string(300, 'y'), std::string(256, 'y')},
        {a255 + "\xC3\xA9", a255},                  // a 2-byte character across the end
        {a254 + "\xF0\x9F\x98\x80" "b", a254},     // a 4-byte one
        {a255 + "z\xC3\xA9", a255 + "z"},           // one that starts just after it
        {a255 + "\x80\x80\x80\x80\x80", a255 + "\x80"},  // no UTF-8: cut where it lies
    };
    for (const auto& c : cases) {
        const MapProject project = Numbered(3, 2, c.path);
        const Bytes file = Write(project);
        ASSERT_EQ(file.size(), 267u + 12u) << c.path;
        const std::string field(file.begin() + 11, file.begin() + 267);
        EXPECT_EQ(field, c.stored + std::string(256 - c.stored.size(), ' '));
        const auto read = ReadProjectFile(file);
        ASSERT_TRUE(read) << c.path;
        EXPECT_EQ(read->tilePath, c.stored);
        EXPECT_EQ(read->tiles, project.tiles);
        EXPECT_EQ(read->col, project.col);
    }
}

TEST(ProjectFile, RefusesWrongMagicSidesOutside1To32767AndShortFiles) {
    const Bytes good = Write(Numbered(4, 3, "t.bmp"));
    const auto with = [](Bytes file, size_t offset, const Bytes& bytes) {
        std::copy(bytes.begin(), bytes.end(), file.begin() + offset);
        return file;
    };
    // Sides beyond what the view can show, in files that hold every cell.
    const auto wide = [&](size_t offset, uint32_t side) {
        Bytes file = with(good, offset, Int32(side));
        file.resize(267 + 2 * size_t(side) * 4);
        return file;
    };
    const struct {
        const char* name;
        Bytes file;
    } cases[] = {
        {"empty", {}},
        {"magic only", {'T', 'L', 'P'}},
        {"lower case", with(good, 0, {'t', 'l', 'p'})},
        {"other magic", with(good, 0, {'T', 'L', 'Q'})},
        {"width 0", with(good, 3, Int32(0))},
        {"height 0", with(good, 7, Int32(0))},
        {"negative width", with(good, 3, Int32(0xFFFFFFFF))},
        {"negative height", with(good, 7, Int32(0x80000000))},
        {"one col byte short", Bytes(good.begin(), good.end() - 1)},
        {"header only", Bytes(good.begin(), good.begin() + 267)},
        {"cells beyond memory", with(with(good, 3, Int32(0x7FFFFFFF)), 7, Int32(0x7FFFFFFF))},
        {"more cells than bytes", with(good, 3, Int32(5))},
        {"width 32768", wide(3, 32768)},
        {"height 32768", wide(7, 32768)},
    };
    for (const auto& c : cases) EXPECT_FALSE(ReadProjectFile(c.file)) << c.name;
    EXPECT_TRUE(ReadProjectFile(wide(3, 32767)));
    // A file cut short while it is read, after its size was taken.
    EXPECT_FALSE(ReadProjectFile(ReadFrom(Bytes(good.begin(), good.end() - 1)), good.size()));
}

}  // namespace
