#include "file_bytes.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>

#include "driver.h"
#include "support/bmp_builder.h"
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
