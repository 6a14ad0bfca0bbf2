// The program run as a build script runs it: headless, with no display in
// its environment, for every export kind and every mistake; and a file named
// on the command line opened in the window.
#include <gtest/gtest.h>

#include <QDir>
#include <QProcess>
#include <QTemporaryDir>

#include "sheet_image.h"
#include "sprite_editing.h"
#include "sprite_files.h"
#include "window_test_support.h"

namespace {

using Bytes = std::vector<uint8_t>;

Sprite Numbered(int seed) {
    Sprite s;
    for (int i = 0; i < 256; ++i) s.bytes[i] = uint8_t((i * 3 + seed) % 5);
    return s;
}

const std::vector<Sprite> kLibrary{Numbered(0), Numbered(1), Numbered(2)};

struct ProgramRun {
    int status;
    std::string out, err;
};

struct CommandLine : testing::Test {
    QTemporaryDir dir;
    CommandLine() {
        Save("lib.pxl", WriteLibraryFile(kLibrary, std::vector<bool>(3, false)));
        Save("one.pxs", WriteSpriteFile(Numbered(4)));
        Save("bad.pxl", {'P', 'X', 'Q'});
    }
    void Save(const QString& name, const Bytes& bytes) {
        QFile file(dir.filePath(name));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(reinterpret_cast<const char*>(bytes.data()), qint64(bytes.size()));
    }
    Bytes Load(const QString& name) {
        QFile file(dir.filePath(name));
        if (!file.open(QIODevice::ReadOnly)) return {};
        const QByteArray bytes = file.readAll();
        return Bytes(bytes.begin(), bytes.end());
    }
    ProgramRun Pixolin(const QStringList& arguments) {
        QProcess process;
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        for (const char* name : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"}) environment.remove(name);
        process.setProcessEnvironment(environment);
        process.setWorkingDirectory(dir.path());
        process.start(PIXOLIN_BIN, arguments);
        EXPECT_TRUE(process.waitForFinished(60000));
        return {process.exitCode(), process.readAllStandardOutput().toStdString(),
                process.readAllStandardError().toStdString()};
    }
};

Bytes Raw(std::span<const Sprite> sprites, PixelTest image) { return EncodeRawSprites(sprites, image); }

Bytes Sheet(std::span<const Sprite> sprites, const QString& name) {
    const QByteArray bytes = *SpriteSheetFile(sprites, kPixelColors, name);
    return Bytes(bytes.begin(), bytes.end());
}

TEST_F(CommandLine, EveryKindWritesTheBytesOfItsMenuCommand) {
    const struct {
        QStringList arguments;
        std::vector<Bytes> outputs;  // o1, o2
    } cases[] = {
        {{"raw1", "lib.pxl", "o1", "--sprite", "1"}, {Raw({&kLibrary[1], 1}, kRaw1Image)}},
        {{"raw1", "one.pxs", "o1"}, {Raw(std::vector{Numbered(4)}, kRaw1Image)}},
        {{"raw1-all", "lib.pxl", "o1"}, {Raw(kLibrary, kRaw1AllImage)}},
        {{"raw2", "lib.pxl", "o1", "o2", "--sprite", "2"},
         {Raw({&kLibrary[2], 1}, kRaw2Frames[0]), Raw({&kLibrary[2], 1}, kRaw2Frames[1])}},
        {{"raw2-all", "lib.pxl", "o1", "o2"}, {Raw(kLibrary, kRaw2AllScreens[0]), Raw(kLibrary, kRaw2AllScreens[1])}},
        {{"pxs", "lib.pxl", "o1", "--sprite", "1"}, {WriteSpriteFile(kLibrary[1])}},
        {{"sheet", "lib.pxl", "o1.png"}, {Sheet(kLibrary, "o1.png")}},
    };
    for (const auto& c : cases) {
        QFile::remove(dir.filePath(c.arguments[2]));
        QFile::remove(dir.filePath("o2"));
        const ProgramRun run = Pixolin(QStringList{"--export"} << c.arguments);
        EXPECT_EQ(run.status, 0) << run.err;
        EXPECT_EQ(run.out + run.err, "");
        EXPECT_EQ(Load(c.arguments[2]), c.outputs[0]) << c.arguments.join(' ').toStdString();
        if (c.outputs.size() > 1) {
            EXPECT_EQ(Load("o2"), c.outputs[1]);
        }
    }
}

// Each mistake: its message and exit code, and no file written.
TEST_F(CommandLine, MistakesAreNamedAndWriteNothing) {
    const QStringList before = QDir(dir.path()).entryList(QDir::Files);
    const struct {
        QStringList arguments;
        int status;
        std::string err;  // its first line
    } cases[] = {
        {{"--export", "raw1", "missing.pxl", "o1"}, 1, "pixolin: missing.pxl: No such file or directory"},
        {{"--export", "raw1", "bad.pxl", "o1"}, 1, "pixolin: bad.pxl: not a sprite library"},
        {{"--export", "raw1", "lib.pxl", "o1", "--sprite", "7"}, 1, "pixolin: --sprite 7: the library has 3 sprites"},
        {{"--export", "raw1", "lib.pxl", "nowhere/o1"}, 1, "pixolin: nowhere/o1: No such file or directory"},
        {{"--export", "raw9", "lib.pxl", "o1"}, 2, "Unknown export kind: raw9"},
        {{"--export", "raw2", "lib.pxl", "o1"}, 2, "raw2 takes INPUT and 2 output file(s)."},
        {{"--export", "raw1-all", "lib.pxl", "o1", "--sprite", "1"}, 2, "--sprite takes a sprite number, for one sprite."},
    };
    for (const auto& c : cases) {
        const ProgramRun run = Pixolin(c.arguments);
        EXPECT_EQ(run.status, c.status) << c.arguments.join(' ').toStdString();
        EXPECT_EQ(run.err.substr(0, run.err.find('\n')), c.err);
        if (c.status == 2) {
            EXPECT_NE(run.err.find("Usage: pixolin"), std::string::npos);
        }
        EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files), before);
    }
    const ProgramRun version = Pixolin({"--version"});
    EXPECT_EQ(std::pair(version.status, version.out), std::pair(0, std::string("pixolin 1.05\n")));
    EXPECT_NE(Pixolin({"--help"}).out.find("--export <KIND>"), std::string::npos);
}

// A library is loaded, a sprite imported into the current sprite, anything
// else refused with the library command's message. What is opened is where
// the history starts, and Ctrl+S saves a library back to its file.
TEST_F(CommandLine, AFileNamedOnTheCommandLineOpensInTheWindow) {
    TestWindow w;
    w->OpenFile(QFile::encodeName(dir.filePath("one.pxs")));
    EXPECT_EQ(w->Sprites.All(), std::vector{Numbered(4)});
    EXPECT_FALSE(w->undo->isEnabled());
    w->OpenFile(QFile::encodeName(dir.filePath("lib.pxl")));
    EXPECT_EQ(w->Sprites.All(), kLibrary);
    EXPECT_FALSE(LibraryModified(*w.form));
    EXPECT_FALSE(w->undo->isEnabled());
    w->Form1_Command1_Click();
    w->Form1_quicksave_Click();
    EXPECT_EQ(Load("lib.pxl").size(), 7 + 4 * 256u);
    EXPECT_TRUE(w.files->calls.empty());
    w->OpenFile(QFile::encodeName(dir.filePath("bad.pxl")));
    ASSERT_EQ(w.messages->shown.size(), 1u);
    EXPECT_EQ(w.messages->shown[0].text, "Invalid file");
}

}  // namespace
