// Reading and writing files against the real file system: what is refused at
// once, what is replaced and what is written into, and that a failure leaves
// the old file and no temporary file.
#include "file_io.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QTemporaryDir>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <set>

namespace {

namespace fs = std::filesystem;
using Bytes = std::vector<uint8_t>;

struct FileIo : testing::Test {
    QTemporaryDir dir;
    std::string Path(const char* name) const { return dir.filePath(name).toStdString(); }
    Bytes Load(const std::string& path) const {
        std::ifstream in(path, std::ios::binary);
        return Bytes(std::istreambuf_iterator<char>(in), {});
    }
    size_t Entries() const { return size_t(std::distance(fs::directory_iterator(dir.path().toStdString()), {})); }
    static FileContent Content(const Bytes& bytes) {
        return [bytes](const ByteSink& sink) { return sink(bytes); };
    }
};

TEST_F(FileIo, RegularFilesAreReadAndReplacedOthersNever) {
    ASSERT_EQ(::mkfifo(Path("fifo").c_str(), 0600), 0);
    for (const std::string& path : {Path("fifo"), std::string("/dev/zero")}) {
        EXPECT_EQ(InputFile(path).Failure(), (FileFailure{"Cannot read", path, "not a regular file"}));
    }
    const int reader = ::open(Path("fifo").c_str(), O_RDONLY | O_NONBLOCK);
    std::ofstream(Path("old")) << "old and longer";
    const FileToWrite files[] = {{Path("old"), Content({1, 2})}, {Path("fifo"), Content({3})}};
    EXPECT_EQ(WriteFiles(files), std::nullopt);
    EXPECT_EQ(Load(Path("old")), (Bytes{1, 2}));
    uint8_t arrived = 0;
    EXPECT_EQ(::read(reader, &arrived, 1), 1);
    EXPECT_EQ(arrived, 3);
    ::close(reader);
    EXPECT_TRUE(fs::is_fifo(Path("fifo")));
    EXPECT_EQ(Entries(), 2u);
}

TEST_F(FileIo, FailedWritesLeaveTheOldFile) {
    std::ofstream(Path("old")) << "old";
    const FileContent large = Content(Bytes(4096, 1));
    rlimit saved{};
    ::getrlimit(RLIMIT_FSIZE, &saved);
    const rlimit limit{1000, saved.rlim_max};
    ::setrlimit(RLIMIT_FSIZE, &limit);
    const FileToWrite tooLarge[] = {{Path("old"), large}};
    const std::optional<FileFailure> failure = WriteFiles(tooLarge);
    ::setrlimit(RLIMIT_FSIZE, &saved);
    EXPECT_EQ(failure, (FileFailure{"Cannot write", Path("old"), "File too large"}));
    const FileToWrite full[] = {{"/dev/full", large}};
    EXPECT_EQ(WriteFiles(full), (FileFailure{"Cannot write", "/dev/full", "No space left on device"}));
    EXPECT_EQ(Load(Path("old")), (Bytes{'o', 'l', 'd'}));
    EXPECT_EQ(Entries(), 1u);
}

}  // namespace
