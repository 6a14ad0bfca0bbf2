#include "file_bytes.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <memory>
#include <numeric>

#include "driver.h"
#include "png_input.h"
#include "support/bmp_builder.h"
#include "support/convert.h"
#include "support/run_program.h"

namespace {

TEST(FileBytes, WholeFileOrItsFirstBytes) {
    TemporaryDirectory dir;
    const std::vector<uint8_t> bytes{1, 2, 3, 4, 5};
    SaveFile(dir / "f", bytes);
    std::optional<FileBytes> file = FileBytes::Load(dir / "f");
    ASSERT_TRUE(file);
    EXPECT_EQ(std::vector<uint8_t>(file->Span().begin(), file->Span().end()), bytes);
    file = FileBytes::Load(dir / "f", 2);
    EXPECT_EQ(file->Span().size(), 2u);
    SaveFile(dir / "empty", {});
    EXPECT_EQ(FileBytes::Load(dir / "empty")->Span().size(), 0u);
}

TEST(FileBytes, MissingFileOrFolderIsNone) {
    TemporaryDirectory dir;
    EXPECT_FALSE(FileBytes::Load(dir / "missing"));
    EXPECT_FALSE(FileBytes::Load(dir.Path()));
}

TEST(FileBytes, DevicesAreReadToTheLimit) {
    std::optional<FileBytes> file = FileBytes::Load("/dev/zero", 100000);
    ASSERT_TRUE(file);
    EXPECT_EQ(file->Span().size(), 100000u);
}

TEST(FileBytes, MovedBytesStayReadable) {
    TemporaryDirectory dir;
    SaveFile(dir / "f", {9, 8});
    FileBytes moved = std::move(*FileBytes::Load(dir / "f"));
    FileBytes target;
    target = std::move(moved);
    EXPECT_EQ(target.Span()[1], 8);
    EXPECT_TRUE(moved.Span().empty());
}

// What ReadBitmap makes of a file: its message, or the size and the pixels.
std::string Decision(const BitmapResult& result) {
    const std::vector<tagRGBTRIPLE> pixels = result.bitmap.Pixels();
    const auto* bytes = reinterpret_cast<const uint8_t*>(pixels.data());
    return result.error + std::to_string(result.bitmap.biWidth) + "x" + std::to_string(result.bitmap.biHeight) +
           " " + Hex({bytes, bytes + 3 * pixels.size()});
}

std::string DecisionOn(std::optional<FileBytes> file) {
    if (!file) return "not loaded";
    return Decision(ReadBitmap(std::make_shared<const FileBytes>(std::move(*file))));
}

// Whatever a pipe delivers, cut anywhere or followed by more, ReadBitmap
// decides on what was read as on the same bytes in memory, and bytes after
// the announced ones stay in the pipe. A mapped file is cut there too.
TEST(FileBytes, InputIsReadAsFarAsTheBitmapHeadersAnnounce) {
    TemporaryDirectory dir;
    const std::vector<tagRGBTRIPLE> grey(256, tagRGBTRIPLE{9, 9, 9}), three{{1, 2, 3}, {4, 5, 6}, {7, 8, 9}};
    std::vector<uint8_t> indices(14);  // past the short table, into what follows it: a 4-bit table has 16 entries
    std::iota(indices.begin(), indices.end(), 0);
    for (std::vector<uint8_t> followed : {
             BuildBmp({.width = 3, .height = 2, .depth = 8, .colourTable = grey, .indices = {0, 1, 2, 3, 4, 5}}),
             BuildBmp({.width = 7, .height = 2, .depth = 4, .colourTable = three, .indices = indices}),
             BuildBmp({.width = 5, .height = 3, .topDown = true, .infoHeaderSize = 124,
                       .pixels = std::vector<tagRGBTRIPLE>(15, three[1])}),
             LoadFile(DOTPRESS_TEST_DATA "/rle4.bmp"), LoadFile(DOTPRESS_TEST_DATA "/core-4.bmp"),
             LoadFile(DOTPRESS_TEST_DATA "/b16-565.bmp"), LoadFile(DOTPRESS_TEST_DATA "/rle8-size0.bmp")}) {
        followed.insert(followed.end(), 100, 0xEE);
        for (size_t length = 0; length <= followed.size(); ++length) {
            const std::vector<uint8_t> bytes(followed.begin(), followed.begin() + length);
            int ends[2];
            ASSERT_EQ(::pipe2(ends, O_CLOEXEC), 0);
            ASSERT_EQ(::write(ends[1], bytes.data(), bytes.size()), ssize_t(length));
            ::close(ends[1]);
            EXPECT_EQ(DecisionOn(FileBytes::Load("/dev/fd/" + std::to_string(ends[0]), BitmapFileSize)),
                      Decision(ReadBitmap(bytes)))
                << length;
            if (length == followed.size()) {
                uint8_t unread;
                EXPECT_EQ(::read(ends[0], &unread, 1), 1);
            }
            ::close(ends[0]);
        }
        SaveFile(dir / "f", followed);
        std::optional<FileBytes> mapped = FileBytes::Load(dir / "f", BitmapFileSize);
        EXPECT_LT(mapped->Span().size(), followed.size());
        EXPECT_EQ(DecisionOn(std::move(mapped)), Decision(ReadBitmap(followed)));
    }
}

// A PNG does not announce its length: it is read whole, up to a bound past
// which it is refused.
TEST(FileBytes, PngIsReadWhole) {
    const std::vector<uint8_t> png = LoadFile(DOTPRESS_TEST_DATA "/png-rgb8.png");
    EXPECT_EQ(BitmapFileSize(std::span(png).first(8)), PngReadLimit({}) + 1);
    EXPECT_GT(PngReadLimit({}), (size_t(9) << 28));
    const DecodeLimits limits{.pixels = 21 * 13, .pngChunkCache = 1024};
    std::vector<uint8_t> file = png;
    file.resize(PngReadLimit(limits));  // bytes after the end mark are ignored
    EXPECT_EQ(ReadBitmap(file, limits).error, "");
    file.push_back(0);
    EXPECT_EQ(ReadBitmap(file, limits).error, kErrorBitmapSize);
}

// A file cut short by another program while it is mapped: the run ends with
// a message instead of a crash.
TEST(FileBytesDeathTest, FileCutShortWhileReadEndsTheRun) {
    TemporaryDirectory dir;
    SaveFile(dir / "f", std::vector<uint8_t>(3 * 4096, 1));
    const std::optional<FileBytes> file = FileBytes::Load(dir / "f");
    ASSERT_TRUE(file);
    EXPECT_EXIT(
        {
            InstallSignalHandlers();
            std::filesystem::resize_file(dir / "f", 0);
            volatile uint8_t byte = file->Span()[2 * 4096];
            (void)byte;
        },
        testing::ExitedWithCode(255), "Error reading bitmap file!");
}

}  // namespace
