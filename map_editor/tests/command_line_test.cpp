// The program run as a build script runs it: headless, with no display in
// its environment, for both export kinds and every mistake; and a project
// named on the command line opened in the window.
#include <gtest/gtest.h>

#include <QDir>
#include <QProcess>

#include "project_file.h"
#include "raw_map.h"
#include "test_pictures.h"
#include "test_window.h"

using namespace tilora;

namespace {

struct ProgramRun {
    int status;
    std::string out, err;
};

class CommandLine : public WindowTest {
protected:
    CommandLine() {
        for (int i = 0; i < 300 * 200; ++i) {
            tiles.MutableBytes()[size_t(i)] = uint8_t(i * 7);
            col.MutableBytes()[size_t(i)] = i % 3 == 0;
        }
        SaveFile("level.tlp", WriteProjectFile("tiles.bmp", tiles, col));
        SaveFile("bad.tlp", {'T', 'L', 'P'});
    }
    ProgramRun Tilora(const QStringList& arguments) {
        QProcess process;
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        for (const char* name : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"}) environment.remove(name);
        process.setProcessEnvironment(environment);
        process.setWorkingDirectory(directory.path());
        process.start(TILORA_BIN, arguments);
        EXPECT_TRUE(process.waitForFinished(60000));
        return {process.exitCode(), process.readAllStandardOutput().toStdString(),
                process.readAllStandardError().toStdString()};
    }
    QStringList Files() const { return QDir(directory.path()).entryList(QDir::Files); }

    CellArray tiles{300, 200}, col{300, 200};
};

TEST_F(CommandLine, BothKindsWriteTheBytesOfTheirMenuCommands) {
    ProgramRun run = Tilora({"--export", "map", "level.tlp", "level.map"});
    EXPECT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(run.out + run.err, "");
    EXPECT_EQ(Load(Path("level.map")), tiles.Bytes());
    EXPECT_EQ(Load(Path("level.map.col")), col.Bytes());
    run = Tilora({"--export", "map-repeat", "level.tlp", "repeat.map"});
    EXPECT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(Load(Path("repeat.map")), WriteRawMapWithRepeat(tiles));
}

// Each mistake: its message and exit code, and no file written; the map and
// its col file are written both or neither.
TEST_F(CommandLine, MistakesAreNamedAndWriteNothing) {
    QDir(directory.path()).mkdir("out.map.col");
    const QStringList before = Files();
    const struct {
        QStringList arguments;
        int status;
        std::string err;  // its first line
    } cases[] = {
        {{"--export", "map", "missing.tlp", "out.map"}, 1, "tilora: missing.tlp: No such file or directory"},
        {{"--export", "map", "bad.tlp", "out.map"}, 1, "tilora: bad.tlp: not a Tilora project"},
        {{"--export", "map", "level.tlp", "out.map"}, 1, "tilora: out.map.col: Is a directory"},
        {{"--export", "maps", "level.tlp", "out.map"}, 2, "Unknown export kind: maps"},
        {{"--export", "map", "level.tlp"}, 2, "map takes INPUT.tlp and OUTPUT."},
    };
    for (const auto& c : cases) {
        const ProgramRun run = Tilora(c.arguments);
        EXPECT_EQ(run.status, c.status) << c.arguments.join(' ').toStdString();
        EXPECT_EQ(run.err.substr(0, run.err.find('\n')), c.err);
        EXPECT_EQ(Files(), before);
    }
    const ProgramRun version = Tilora({"--version"});
    EXPECT_EQ(std::pair(version.status, version.out), std::pair(0, std::string("tilora 0.9\n")));
}

TEST_F(CommandLine, AProjectNamedOnTheCommandLineOpensInTheWindow) {
    form->OpenFile(QFile::encodeName(Path("level.tlp")));
    EXPECT_TRUE(form->MapTiles == tiles && form->MapCol == col);
    EXPECT_EQ(dialog->calls, QStringList{kTileDialog});  // tiles.bmp is not there
    EXPECT_TRUE(form->history.IsClean());
    EXPECT_FALSE(form->undo->isEnabled());
}

// Opened by a relative path, the tile set found beside the project is kept,
// and saved, by its absolute path.
TEST_F(CommandLine, ATileSetFoundByARelativePathIsKeptAbsolute) {
    QDir(directory.path()).mkdir("moved");
    const QString tileSet = SaveTiles(PatternBitmap(16, 8), "moved/tiles.bmp");
    SaveFile("moved/level.tlp", WriteProjectFile("elsewhere/tiles.bmp", CellArray(3, 2), CellArray(3, 2)));
    const QString started = QDir::currentPath();
    QDir::setCurrent(directory.path());
    form->OpenFile("moved/level.tlp");
    form->Form1_quicksave_Click();
    QDir::setCurrent(started);
    EXPECT_EQ(ReadProjectFile(Load(Path("moved/level.tlp")))->tilePath, QFile::encodeName(tileSet).toStdString());
    EXPECT_EQ(dialog->calls, QStringList{});
}

}  // namespace
