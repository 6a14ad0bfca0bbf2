// The program run as a build script runs it: headless, with no display in
// its environment, for both export kinds and every mistake, short of memory
// and ended by a signal; the arguments as they are read before any window;
// and a project named on the command line opened in the window.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QDeadlineTimer>
#include <QDir>
#include <QImage>
#include <QProcess>
#include <QThread>
#include <csignal>
#include <fstream>
#include <iterator>
#include <sstream>

#include "command_line.h"
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
    // Without a display, in the test's folder; a shell command given runs
    // first in the program's process ("ulimit -v ...").
    void Start(QProcess& process, const QStringList& arguments, const QString& before = {}) {
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        for (const char* name : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"}) environment.remove(name);
        process.setProcessEnvironment(environment);
        process.setWorkingDirectory(directory.path());
        if (before.isEmpty()) {
            process.start(TILORA_BIN, arguments);
        } else {
            process.start("sh", QStringList{"-c", before + R"(; exec "$0" "$@")", TILORA_BIN} + arguments);
        }
    }
    ProgramRun Tilora(const QStringList& arguments, const QString& before = {}) {
        QProcess process;
        Start(process, arguments, before);
        EXPECT_TRUE(process.waitForFinished(60000));
        return {process.exitCode(), process.readAllStandardOutput().toStdString(),
                process.readAllStandardError().toStdString()};
    }
    QStringList Files() const { return QDir(directory.path()).entryList(QDir::Files); }
    // The temporary files left in the folder, if any.
    std::string TemporaryFiles() const {
        return QDir(directory.path()).entryList({".tilora-*"}, QDir::Files | QDir::Hidden).join(' ').toStdString();
    }
    // The folder's path in the file system's bytes, with its slash.
    std::string Folder() const { return QFile::encodeName(directory.path()).toStdString() + '/'; }

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
    QImage(12, 8, QImage::Format_RGB32).save(Path("odd.png"));
    QImage(16, 8, QImage::Format_RGB32).save(Path("pic.png"));
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
        {{"-export", "map", "level.tlp", "out.map"}, 2, "Unknown option '-export'."},
        {{"--import-picture", "odd.png", "o.tlp", "t.png"}, 1,
         "tilora: odd.png is 12 x 8 pixels: a map picture's sides are multiples of 8."},
        {{"--import-picture", "level.tlp", "o.tlp", "t.png"}, 1, "tilora: level.tlp: not a picture"},
        {{"--import-picture", "pic.png", "o.tlp", "out.map.col"}, 1, "tilora: out.map.col: Is a directory"},
        {{"--import-picture", "pic.png", "o.tlp", "--tiles", "t.bmp"}, 1, "tilora: t.bmp: No such file or directory"},
        {{"--import-picture", "pic.png", "o.tlp"}, 2, "--import-picture takes PICTURE, OUT.tlp and TILES.png."},
        {{"--tiles", "t.bmp", "pic.png", "o.tlp"}, 2, "--tiles goes with --import-picture."},
        {{"--export", "map", "level.tlp", "out.c", "--c-source", "1x"}, 2, "--c-source takes a C identifier, not '1x'."},
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

// The action, then its file names, or what is printed first and the exit code.
std::string Described(const ::CommandLine& line) {
    if (line.action == ::CommandLine::Action::Print) {
        return "exit " + std::to_string(line.exitCode) + ": " + line.text.substr(0, line.text.find('\n'));
    }
    std::string described = line.action == ::CommandLine::Action::Window   ? "window " + line.file
                            : line.action == ::CommandLine::Action::Export ? "export " + line.kind
                                                                           : line.matchTiles ? "match" : "import";
    for (const std::string& file : line.files) described += ' ' + file;
    return described + (line.cSource ? " c-source " + *line.cSource : "");
}

// Every argument is read before any window: the toolkit's options with their
// values are passed over, and names keep their bytes.
TEST(ParseCommandLine, ReadsEveryArgumentBeforeTheWindow) {
    const struct {
        std::vector<std::string> arguments;  // after the program's name
        std::string described;
    } cases[] = {
        {{}, "window "},
        {{"--platform", "offscreen", "-style=fusion", "-geometry", "--export", "-widgetcount", "b\xff.tlp"},
         "window b\xff.tlp"},
        {{"--", "-reverse"}, "window -reverse"},
        {{"--export=map-repeat", "a.tlp", "o\xe9.map"}, "export map-repeat a.tlp o\xe9.map"},
        {{"a.tlp", "--qwindowtitle"}, "exit 2: Missing value after '--qwindowtitle'."},
        {{"--help=all"}, "exit 2: Unexpected value after '--help'."},
        {{"a.tlp", "b.tlp"}, "exit 2: Only one file can be opened."},
        {{"--version", "a.tlp"}, "exit 0: tilora 0.9"},
        {{"--import-picture=p\xff.png", "o.tlp", "t.png"}, "import p\xff.png o.tlp t.png"},
        {{"--tiles", "t.bmp", "--import-picture", "p.png", "o.tlp"}, "match p.png o.tlp t.bmp"},
        {{"--import-picture", "p.png", "--export", "map", "o.tlp", "t.png"},
         "exit 2: --export and --import-picture go separately."},
        {{"--export", "map", "a.tlp", "o.c", "--c-source=level"}, "export map a.tlp o.c c-source level"},
        {{"--c-source", "level", "a.tlp"}, "exit 2: --c-source goes with --export."},
        // Names that are no C identifier, or that C or the file keep for themselves
        {{"--export", "map", "a", "b", "--c-source", "level 1"}, "exit 2: --c-source takes a C identifier, not 'level 1'."},
        {{"--export", "map", "a", "b", "--c-source", "static"}, "exit 2: --c-source takes a C identifier, not 'static'."},
        {{"--export", "map", "a", "b", "--c-source", "_Map"}, "exit 2: --c-source takes a C identifier, not '_Map'."},
        {{"--export", "map", "a", "b", "--c-source", "PM_ROM"}, "exit 2: --c-source takes a C identifier, not 'PM_ROM'."},
        {{"--export", "map", "a", "b", "--c-source="}, "exit 2: --c-source takes a C identifier, not ''."},
    };
    for (const auto& c : cases) {
        std::vector<std::string> arguments{"tilora"};
        arguments.insert(arguments.end(), c.arguments.begin(), c.arguments.end());
        EXPECT_EQ(Described(ParseCommandLine(arguments)), c.described);
    }
}

// A C program that includes FILE.c for each of `files` and writes each of
// `arrays` back out, to NAME.out.
QByteArray ArraysBackOut(const QStringList& files, const QStringList& arrays) {
    QByteArray program = "#include <stdio.h>\n";
    for (const QString& file : files) program += "#include \"" + file.toUtf8() + ".c\"\n";
    program += "static int put(const char *path, const unsigned char *bytes, size_t size) {\n"
               "    FILE *file = fopen(path, \"wb\");\n"
               "    return !file || fwrite(bytes, 1, size, file) != size || fclose(file) != 0;\n"
               "}\n"
               "int main(void) {\n"
               "    int failed = 0;\n";
    for (const QString& name : arrays) {
        const QByteArray array = name.toUtf8();
        program += "    failed |= put(\"" + array + ".out\", " + array + ", " + array.toUpper() + "_SIZE);\n";
    }
    return program + "    return failed;\n}\n";
}

// Both kinds as C source, compiled as strictly as the build's C compiler goes
// into a program that writes each array back out, give the bytes of the raw
// export; the first line names the kind and the input.
TEST_F(CommandLine, CSourceOfBothKindsCompilesToTheirRawBytes) {
    const std::vector<uint8_t> repeat = WriteRawMapWithRepeat(tiles);
    const struct {
        QString kind, name;
        std::vector<std::pair<QString, const std::vector<uint8_t>*>> arrays;
        std::string firstLine;
    } cases[] = {
        {"map", "level", {{"level", &tiles.Bytes()}, {"level_col", &col.Bytes()}},
         "/* level: 60000 bytes, made by tilora --export map from level.tlp */"},
        {"map-repeat", "wide", {{"wide", &repeat}}, "/* wide: 62400 bytes, made by tilora --export map-repeat from level.tlp */"},
    };
    QStringList files, arrays;
    for (const auto& c : cases) {
        const ProgramRun run = Tilora({"--export", c.kind, Path("level.tlp"), c.name + ".c", "--c-source", c.name});
        ASSERT_EQ(run.status, 0) << run.err;
        const std::vector<uint8_t> source = Load(Path(c.name + ".c"));
        EXPECT_EQ(std::string(source.begin(), std::find(source.begin(), source.end(), '\n')), c.firstLine);
        files << c.name;
        for (const auto& array : c.arrays) arrays << array.first;
    }
    const QByteArray program = ArraysBackOut(files, arrays);
    SaveFile("main.c", {program.begin(), program.end()});
    QProcess process;
    process.setWorkingDirectory(directory.path());
    process.start(PMTOOLS_C_COMPILER, {"-std=c89", "-pedantic", "-Wall", "-Wextra", "-Werror", "main.c", "-o", "main"});
    ASSERT_TRUE(process.waitForFinished(60000));
    ASSERT_EQ(process.exitCode(), 0) << process.readAllStandardError().toStdString();
    process.start(Path("main"), {});
    ASSERT_TRUE(process.waitForFinished(60000));
    ASSERT_EQ(process.exitCode(), 0);
    for (const auto& c : cases) {
        for (const auto& [name, bytes] : c.arrays) EXPECT_EQ(Load(Path(name + ".out")), *bytes) << name.toStdString();
    }
}

// As main passes them on: to the export, and to the window.
TEST_F(CommandLine, NamesThatAreNoUtf8KeepTheirBytes) {
    const std::string project = Folder() + "b\xff.tlp", output = Folder() + "o\xe9.map";
    ASSERT_EQ(::rename((Folder() + "level.tlp").c_str(), project.c_str()), 0);
    std::ostringstream out, err;
    EXPECT_EQ(RunWithoutWindow(ParseCommandLine({"tilora", "--export", "map", project, output}), out, err), 0)
        << err.str();
    for (const auto& [name, cells] : {std::pair(output, &tiles), std::pair(output + ".col", &col)}) {
        std::ifstream written(name, std::ios::binary);
        EXPECT_EQ(std::vector<uint8_t>(std::istreambuf_iterator<char>(written), {}), cells->Bytes());
    }
    form->OpenFile(QByteArray::fromStdString(ParseCommandLine({"tilora", project}).file));
    EXPECT_TRUE(form->MapTiles == tiles && form->MapCol == col);
    for (const std::string& name : {project, output, output + ".col"}) ::unlink(name.c_str());  // QTemporaryDir cannot name them
}

// The project is sparse, so its size costs neither disk nor time.
TEST_F(CommandLine, AnExportShortOfMemorySaysSoAndKeepsTheOldOutput) {
#if defined(__SANITIZE_ADDRESS__)
    GTEST_SKIP() << "the address sanitizer needs more address space than the limit";
#endif
    std::vector<uint8_t> header = WriteProjectFile("tiles.bmp", CellArray(1, 1), CellArray(1, 1));
    header.resize(kProjectHeaderBytes);
    for (const size_t at : {3, 7}) {  // width and height 16384
        header[at] = 0x00;
        header[at + 1] = 0x40;
    }
    QFile(SaveFile("huge.tlp", header)).resize(qint64(kProjectHeaderBytes) + 2 * qint64(16384 * 16384));
    SaveFile("out.map", {'o', 'l', 'd'});
    const ProgramRun run = Tilora({"--export", "map", "huge.tlp", "out.map"}, "ulimit -v 300000");
    EXPECT_EQ(std::pair(run.status, run.err), std::pair(1, std::string("tilora: Not enough memory to export huge.tlp.\n")));
    EXPECT_EQ(Load(Path("out.map")), (std::vector<uint8_t>{'o', 'l', 'd'}));
    EXPECT_EQ(Files(), (QStringList{"bad.tlp", "huge.tlp", "level.tlp", "out.map"}));
    EXPECT_EQ(TemporaryFiles(), "");
}

// The col file is a FIFO that is never read, so the export waits in it with
// the map's temporary file made.
TEST_F(CommandLine, ASignalEndsAnExportWithoutItsTemporaryFile) {
    SaveFile("wide.tlp", WriteProjectFile("tiles.bmp", CellArray(1024, 256), CellArray(1024, 256)));  // more than a pipe holds
    const std::string fifo = Folder() + "out.map.col";
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    const int reader = ::open(fifo.c_str(), O_RDONLY | O_NONBLOCK);
    const struct {
        int sent;
        bool ignored;  // from the start, as nohup does with SIGHUP
    } cases[] = {{SIGINT, false}, {SIGTERM, false}, {SIGHUP, false}, {SIGHUP, true}};
    for (const auto& c : cases) {
        SaveFile("out.map", {'o', 'l', 'd'});
        QProcess process;
        process.setChildProcessModifier([c] {
            for (const int signal : {SIGINT, SIGTERM, SIGHUP}) {
                std::signal(signal, c.ignored && signal == c.sent ? SIG_IGN : SIG_DFL);
            }
        });
        Start(process, {"--export", "map", "wide.tlp", "out.map"});
        const QDeadlineTimer deadline(20000);
        while (TemporaryFiles().empty() && !deadline.hasExpired()) QThread::msleep(5);
        ::kill(pid_t(process.processId()), c.sent);
        if (c.ignored) {
            EXPECT_FALSE(process.waitForFinished(100));  // still waiting for the FIFO's reader
            ::kill(pid_t(process.processId()), SIGTERM);
        }
        EXPECT_TRUE(process.waitForFinished(20000));
        const int ending = c.ignored ? SIGTERM : c.sent;
        EXPECT_EQ(std::pair(process.exitStatus(), process.exitCode()), std::pair(QProcess::CrashExit, ending));
        EXPECT_EQ(TemporaryFiles(), "");
        EXPECT_EQ(Load(Path("out.map")), (std::vector<uint8_t>{'o', 'l', 'd'}));
    }
    ::close(reader);
}

// Both imports from the command line write what the window writes, the
// tile set in PNG or BMP by its name; tile k of either converts with
// dotpress -k into the 8 bytes at offset 8k.
TEST_F(CommandLine, AnImportWritesTheWindowsBytesAndATileSetDotpressConverts) {
    QImage picture(8 * 20, 16, QImage::Format_ARGB32);  // 20 tiles and a transparent one
    const auto dark = [](int n, int x, int y) { return y == 0 ? (n >> x & 1) == 1 : (x + y + n) % 3 == 0; };
    for (int y = 0; y < 16; ++y) {
        for (int x = 0; x < 8 * 20; ++x) picture.setPixel(x, y, y < 8 ? (dark(x / 8, x % 8, y) ? 0xFF000000 : 0xFFFFFFFF) : 0);
    }
    picture.save(Path("title.png"));
    dialog->answers = {Path("title.png"), Path("tiles.png"), Path("title.tlp")};
    form->findChild<QAction*>("importpicture")->trigger();
    form->Form1_tlpsave_Click();
    const std::vector<uint8_t> project = Load(Path("title.tlp")), tileSet = Load(Path("tiles.png"));
    ASSERT_TRUE(QFile::remove(Path("title.tlp")) && QFile::remove(Path("tiles.png")));
    for (const QStringList& arguments : {QStringList{"--import-picture", "title.png", "title.tlp", "tiles.png"},
                                         QStringList{"--import-picture", "title.png", "title.tlp", "--tiles", "tiles.png"}}) {
        const ProgramRun run = Tilora(arguments);
        EXPECT_EQ(std::pair(run.status, run.out + run.err), std::pair(0, std::string()));
        EXPECT_EQ(Load(Path("title.tlp")), project);
        EXPECT_EQ(Load(Path("tiles.png")), tileSet);
    }
    EXPECT_EQ(Tilora({"--import-picture", "title.png", "bmp.tlp", "tiles.bmp"}).status, 0);
    EXPECT_EQ(Load(Path("tiles.bmp"))[0], 'B');
    for (const QString tiles : {"tiles.png", "tiles.bmp"}) {
        QProcess dotpress;
        dotpress.setWorkingDirectory(directory.path());
        dotpress.start(DOTPRESS_BIN, {"-k", tiles, tiles + ".raw"});
        ASSERT_TRUE(dotpress.waitForFinished(60000) && dotpress.exitCode() == 0);
        const std::vector<uint8_t> raw = Load(Path(tiles + ".raw"));
        ASSERT_EQ(raw.size(), 2 * 128u);
        for (int n = 0; n < 20; ++n) {
            for (int x = 0; x < 8; ++x) {
                int expected = 0;
                for (int y = 0; y < 8; ++y) expected |= dark(n, x, y) << y;
                EXPECT_EQ(raw[size_t(8 * n + x)], expected) << tiles.toStdString() << " tile " << n;
            }
        }
    }
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
