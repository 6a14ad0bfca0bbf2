// Reading and writing files against the real file system: what is refused at
// once, what replaces a file and what is written into it, and that no failure
// leaves an old file changed or a temporary file behind.
#include "file_io.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QDir>
#include <QTemporaryDir>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <new>

#include "project_file.h"

using namespace tilora;

namespace {

namespace fs = std::filesystem;
using Bytes = std::vector<uint8_t>;

class FileIo : public testing::Test {
protected:
    std::string Path(const std::string& name) const { return directory.path().toStdString() + "/" + name; }
    void Save(const std::string& name, const Bytes& bytes) const {
        std::ofstream(Path(name), std::ios::binary).write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
    }
    Bytes Load(const std::string& path) const {
        std::ifstream in(path, std::ios::binary);
        return Bytes(std::istreambuf_iterator<char>(in), {});
    }
    // The names in the folder: a temporary file left behind would show here.
    std::set<std::string> Names() const {
        std::set<std::string> names;
        for (const auto& entry : fs::directory_iterator(directory.path().toStdString())) names.insert(entry.path().filename());
        return names;
    }
    static FileContent Content(const Bytes& bytes) {
        return [bytes](const ByteSink& sink) { return sink(bytes); };
    }

    QTemporaryDir directory;
};

TEST_F(FileIo, OnlyRegularFilesAreReadAndOthersAreRefusedAtOnce) {
    Save("file", {1, 2, 3});
    fs::create_directory(Path("folder"));
    ASSERT_EQ(::mkfifo(Path("fifo").c_str(), 0600), 0);  // no writer: opening must not wait
    const struct {
        std::string path;
        std::optional<FileFailure> failure;
    } cases[] = {
        {Path("file"), std::nullopt},
        {Path("missing"), FileFailure{"Cannot open", Path("missing"), "No such file or directory"}},
        {Path("folder"), FileFailure{"Cannot read", Path("folder"), "not a regular file"}},
        {Path("fifo"), FileFailure{"Cannot read", Path("fifo"), "not a regular file"}},
        {"/dev/zero", FileFailure{"Cannot read", "/dev/zero", "not a regular file"}},
    };
    for (const auto& c : cases) {
        InputFile file(c.path);
        EXPECT_EQ(file.Failure(), c.failure) << c.path;
        Bytes bytes(5, 0);
        EXPECT_EQ(file.Read(bytes), c.failure ? 0u : 3u) << c.path;
    }
}

TEST_F(FileIo, RegularTargetsAreReplacedWholeKeepingModeAndLinks) {
    Save("old", Bytes(100, 0xAA));
    ::chmod(Path("old").c_str(), 0640);
    Save("target", {9});
    fs::create_symlink("target", Path("link"));
    const mode_t mask = ::umask(022);
    const Bytes bytes{1, 2, 3};
    const FileToWrite files[] = {{Path("old"), Content(bytes)}, {Path("new"), Content(bytes)}, {Path("link"), Content(bytes)}};
    EXPECT_EQ(WriteFiles(files), std::nullopt);
    ::umask(mask);
    for (const char* name : {"old", "new", "target"}) EXPECT_EQ(Load(Path(name)), bytes) << name;
    EXPECT_EQ(fs::status(Path("old")).permissions(), fs::perms(0640));
    EXPECT_EQ(fs::status(Path("new")).permissions(), fs::perms(0644));
    EXPECT_TRUE(fs::is_symlink(Path("link")));
    EXPECT_EQ(Names(), (std::set<std::string>{"link", "new", "old", "target"}));
}

// A FIFO or a device is written into, never replaced by a regular file.
TEST_F(FileIo, TargetsThatAreNoRegularFilesAreWrittenDirectly) {
    ASSERT_EQ(::mkfifo(Path("fifo").c_str(), 0600), 0);
    const int reader = ::open(Path("fifo").c_str(), O_RDONLY | O_NONBLOCK);
    ASSERT_GE(reader, 0);
    const FileToWrite files[] = {{Path("fifo"), Content({4, 5, 6})}, {"/dev/null", Content({7})}};
    EXPECT_EQ(WriteFiles(files), std::nullopt);
    Bytes arrived(10, 0);
    EXPECT_EQ(::read(reader, arrived.data(), arrived.size()), 3);
    EXPECT_EQ(Bytes(arrived.begin(), arrived.begin() + 3), (Bytes{4, 5, 6}));
    ::close(reader);
    EXPECT_TRUE(fs::is_fifo(Path("fifo")));
    EXPECT_TRUE(fs::is_character_file("/dev/null"));
    EXPECT_EQ(Names(), std::set<std::string>{"fifo"});
}

// Each failure: its message, every old file as it was, no temporary file.
TEST_F(FileIo, FailuresLeaveEveryOldFileAsItWas) {
    ASSERT_EQ(::mkfifo(Path("fifo").c_str(), 0600), 0);
    Save("old", Bytes(3, 0xAA));
    const std::set<std::string> before = Names();
    const FileContent large = Content(Bytes(4096, 1));
    const struct {
        const char* name;
        std::vector<FileToWrite> files;
        long fileSizeLimit;
        std::string reason;
    } cases[] = {
        {"full", {{Path("old"), large}}, 1000, "File too large"},
        {"second fails", {{Path("old"), large}, {Path("nowhere/x"), large}}, 0, "No such file or directory"},
        {"no reader", {{Path("fifo"), large}}, 0, "no program is reading from it"},
        {"device full", {{"/dev/full", large}}, 0, "No space left on device"},
    };
    for (const auto& c : cases) {
        rlimit saved{};
        ::getrlimit(RLIMIT_FSIZE, &saved);
        if (c.fileSizeLimit) {
            const rlimit limit{rlim_t(c.fileSizeLimit), saved.rlim_max};
            ::setrlimit(RLIMIT_FSIZE, &limit);
        }
        const std::optional<FileFailure> failure = WriteFiles(c.files);
        ::setrlimit(RLIMIT_FSIZE, &saved);
        ASSERT_TRUE(failure) << c.name;
        EXPECT_EQ(failure->action, "Cannot write");
        EXPECT_EQ(failure->path, c.files.back().path);
        EXPECT_EQ(failure->reason, c.reason) << c.name;
        EXPECT_EQ(Load(Path("old")), Bytes(3, 0xAA)) << c.name;
        EXPECT_EQ(Names(), before) << c.name;
    }
    const FileToWrite outOfMemory[] = {{Path("old"), [](const ByteSink&) -> bool { throw std::bad_alloc(); }}};
    EXPECT_THROW(WriteFiles(outOfMemory), std::bad_alloc);
    EXPECT_EQ(Load(Path("old")), Bytes(3, 0xAA));
    EXPECT_EQ(Names(), before);
}

// A map of 2048 x 2048 cells goes to its file and back through the streams.
TEST_F(FileIo, LargeMapIsSavedAndLoadedThroughTheStreams) {
    CellArray tiles(2048, 2048), col(2048, 2048);
    for (size_t i = 0; i < tiles.Bytes().size(); ++i) {
        tiles.MutableBytes()[i] = uint8_t(i * 7 / 3);
        col.MutableBytes()[i] = (i / 5) % 2;
    }
    const FileToWrite file[] = {{Path("big.tlp"), [&](const ByteSink& sink) { return WriteProjectFile("t.bmp", tiles, col, sink); }}};
    ASSERT_EQ(WriteFiles(file), std::nullopt);
    EXPECT_EQ(fs::file_size(Path("big.tlp")), kProjectHeaderBytes + 2 * 2048 * 2048);
    InputFile in(Path("big.tlp"));
    const std::optional<MapProject> project = ReadProjectFile(in.Source(), in.Size());
    ASSERT_TRUE(project);
    EXPECT_EQ(project->tilePath, "t.bmp");
    EXPECT_TRUE(project->tiles == tiles && project->col == col);
}

}  // namespace
