// The program run as a build script runs it: headless, with no display in
// its environment, for every export kind and every mistake, short of memory
// and ended by a signal; the arguments as they are read before any window;
// and a file named on the command line opened in the window.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QDeadlineTimer>
#include <QDir>
#include <QProcess>
#include <QTemporaryDir>
#include <QThread>
#include <csignal>
#include <fstream>
#include <iterator>
#include <sstream>

#include "command_line.h"
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
    // Without a display, in the test's folder; a shell command given runs
    // first in the program's process ("ulimit -v ...").
    void Start(QProcess& process, const QStringList& arguments, const QString& before = {}) {
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        for (const char* name : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"}) environment.remove(name);
        process.setProcessEnvironment(environment);
        process.setWorkingDirectory(dir.path());
        if (before.isEmpty()) {
            process.start(PIXOLIN_BIN, arguments);
        } else {
            process.start("sh", QStringList{"-c", before + R"(; exec "$0" "$@")", PIXOLIN_BIN} + arguments);
        }
    }
    ProgramRun Pixolin(const QStringList& arguments, const QString& before = {}) {
        QProcess process;
        Start(process, arguments, before);
        EXPECT_TRUE(process.waitForFinished(60000));
        return {process.exitCode(), process.readAllStandardOutput().toStdString(),
                process.readAllStandardError().toStdString()};
    }
    // The temporary files left in the folder, if any.
    std::string TemporaryFiles() const {
        return QDir(dir.path()).entryList({".pixolin-*"}, QDir::Files | QDir::Hidden).join(' ').toStdString();
    }
    // The folder's path in the file system's bytes, with its slash.
    std::string Folder() const { return QFile::encodeName(dir.path()).toStdString() + '/'; }
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
        {{"--export", "raw1", "lib.pxl", "o1", "--c-source", "1x"}, 2, "--c-source takes a C identifier, not '1x'."},
        {{"--export", "raw9", "lib.pxl", "o1"}, 2, "Unknown export kind: raw9"},
        {{"--export", "raw2", "lib.pxl", "o1"}, 2, "raw2 takes INPUT and 2 output file(s)."},
        {{"--export", "raw1-all", "lib.pxl", "o1", "--sprite", "1"}, 2, "--sprite takes a sprite number, for one sprite."},
        {{"--exprot", "raw1", "lib.pxl", "o1"}, 2, "Unknown option '--exprot'."},
        {{"--bogus"}, 2, "Unknown option '--bogus'."},
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

// The action, then its file names, or what is printed first and the exit code.
std::string Described(const ::CommandLine& line) {
    if (line.action == ::CommandLine::Action::Print) {
        return "exit " + std::to_string(line.exitCode) + ": " + line.text.substr(0, line.text.find('\n'));
    }
    std::string described = line.action == ::CommandLine::Action::Window ? "window " + line.file : "export " + line.kind;
    for (const std::string& file : line.files) described += ' ' + file;
    if (line.cSource) described += " c-source " + *line.cSource;
    return described + (line.sprite ? " sprite " + std::to_string(*line.sprite) : "");
}

// Every argument is read before any window: the toolkit's options with their
// values are passed over, and names keep their bytes.
TEST(ParseCommandLine, ReadsEveryArgumentBeforeTheWindow) {
    const struct {
        std::vector<std::string> arguments;  // after the program's name
        std::string described;
    } cases[] = {
        {{}, "window "},
        {{"-platform", "offscreen", "--style", "fusion", "-stylesheet=a.qss", "--reverse", "lib.pxl"}, "window lib.pxl"},
        {{"-qwindowtitle", "--export", "--session", "-s", "sp\xff.pxl"}, "window sp\xff.pxl"},
        {{"--", "--export"}, "window --export"},
        {{"--export=raw1", "a.pxl", "o\xe9.raw", "--sprite=2"}, "export raw1 a.pxl o\xe9.raw sprite 2"},
        {{"-export", "raw1", "a.pxl", "o.raw"}, "exit 2: Unknown option '-export'."},
        {{"--platform=offscreen"}, "exit 2: Unknown option '--platform=offscreen'."},
        {{"a.pxl", "-style"}, "exit 2: Missing value after '-style'."},
        {{"--version=2"}, "exit 2: Unexpected value after '--version'."},
        {{"--export", "raw1", "a", "b", "--sprite", "-1"}, "exit 2: --sprite takes a sprite number, for one sprite."},
        {{"a.pxl", "-h"}, "exit 0: Usage: pixolin [options] [FILE]"},
        {{"--export", "raw2", "a.pxl", "o.c", "--c-source", "hero"}, "export raw2 a.pxl o.c c-source hero"},
        {{"--export", "raw2", "a.pxl", "o", "o2", "--c-source", "hero"}, "exit 2: raw2 takes INPUT and 1 output file(s)."},
        {{"--export", "sheet", "a.pxl", "o.c", "--c-source", "hero"}, "exit 2: --c-source is for raw1, raw1-all, raw2 and raw2-all."},
        {{"--export", "pxs", "a.pxl", "o.c", "--c-source", "hero"}, "exit 2: --c-source is for raw1, raw1-all, raw2 and raw2-all."},
        {{"--c-source", "hero", "a.pxl"}, "exit 2: --c-source goes with --export."},
        // Names that are no C identifier, or that C or the file keep for themselves
        {{"--export", "raw1", "a", "b", "--c-source", "hero-1"}, "exit 2: --c-source takes a C identifier, not 'hero-1'."},
        {{"--export", "raw1", "a", "b", "--c-source=char"}, "exit 2: --c-source takes a C identifier, not 'char'."},
        {{"--export", "raw1", "a", "b", "--c-source=__hero"}, "exit 2: --c-source takes a C identifier, not '__hero'."},
        {{"--export", "raw1", "a", "b", "--c-source", "PM_ROM"}, "exit 2: --c-source takes a C identifier, not 'PM_ROM'."},
        {{"--export", "raw1", "a", "b", "--c-source="}, "exit 2: --c-source takes a C identifier, not ''."},
    };
    for (const auto& c : cases) {
        std::vector<std::string> arguments{"pixolin"};
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

// Each raw kind as C source, compiled as strictly as the build's C compiler
// goes into a program that writes each array back out, gives the bytes of
// the raw export; the first line names the kind and the input.
TEST_F(CommandLine, CSourceOfEveryRawKindCompilesToItsRawBytes) {
    const struct {
        QStringList arguments;  // the kind, then what follows the outputs
        QString name;
        int frames;
        std::string firstLine;
    } cases[] = {
        {{"raw1", "--sprite", "1"}, "one", 1, "/* one: 64 bytes, made by pixolin --export raw1 --sprite 1 from lib.pxl */"},
        {{"raw1-all"}, "all", 1, "/* all: 192 bytes, made by pixolin --export raw1-all from lib.pxl */"},
        {{"raw2", "--sprite", "2"}, "frames", 2, "/* frames: 64 bytes, made by pixolin --export raw2 --sprite 2 from lib.pxl */"},
        {{"raw2-all"}, "screens", 2, "/* screens: 192 bytes, made by pixolin --export raw2-all from lib.pxl */"},
    };
    QStringList files, arrays;
    for (const auto& c : cases) {
        const QStringList options = c.arguments.mid(1);
        QStringList frames{c.name};
        if (c.frames == 2) frames << c.name + "_2";
        QStringList outputs;
        for (const QString& frame : frames) outputs << frame + ".raw";
        const QStringList export_ = {"--export", c.arguments[0], dir.filePath("lib.pxl")};
        ASSERT_EQ(Pixolin(export_ + outputs + options).status, 0);
        const ProgramRun run = Pixolin(export_ + QStringList{c.name + ".c", "--c-source", c.name} + options);
        ASSERT_EQ(run.status, 0) << run.err;
        const Bytes source = Load(c.name + ".c");
        EXPECT_EQ(std::string(source.begin(), std::find(source.begin(), source.end(), '\n')), c.firstLine);
        files << c.name;
        arrays << frames;
    }
    const QByteArray program = ArraysBackOut(files, arrays);
    Save("main.c", Bytes(program.begin(), program.end()));
    QProcess process;
    process.setWorkingDirectory(dir.path());
    process.start(PMTOOLS_C_COMPILER, {"-std=c89", "-pedantic", "-Wall", "-Wextra", "-Werror", "main.c", "-o", "main"});
    ASSERT_TRUE(process.waitForFinished(60000));
    ASSERT_EQ(process.exitCode(), 0) << process.readAllStandardError().toStdString();
    process.start(dir.filePath("main"), {});
    ASSERT_TRUE(process.waitForFinished(60000));
    ASSERT_EQ(process.exitCode(), 0);
    for (const QString& array : arrays) EXPECT_EQ(Load(array + ".out"), Load(array + ".raw")) << array.toStdString();
}

// As main passes them on: to the export, and to the window.
TEST_F(CommandLine, NamesThatAreNoUtf8KeepTheirBytes) {
    const std::string library = Folder() + "sp\xff.pxl", output = Folder() + "o\xe9.raw";
    ASSERT_EQ(::rename((Folder() + "lib.pxl").c_str(), library.c_str()), 0);
    std::ostringstream out, err;
    EXPECT_EQ(RunWithoutWindow(ParseCommandLine({"pixolin", "--export", "raw1-all", library, output}), out, err), 0)
        << err.str();
    std::ifstream written(output, std::ios::binary);
    EXPECT_EQ(Bytes(std::istreambuf_iterator<char>(written), {}), Raw(kLibrary, kRaw1AllImage));
    TestWindow w;
    w->OpenFile(QByteArray::fromStdString(ParseCommandLine({"pixolin", library}).file));
    EXPECT_EQ(w->Sprites.All(), kLibrary);
    for (const std::string& name : {library, output}) ::unlink(name.c_str());  // QTemporaryDir cannot name them
}

// The files are sparse, so their size costs neither disk nor time.
TEST_F(CommandLine, AnExportShortOfMemorySaysSoAndKeepsTheOldOutput) {
#if defined(__SANITIZE_ADDRESS__)
    GTEST_SKIP() << "the address sanitizer needs more address space than the limit";
#endif
    const auto sparseLibrary = [&](const QString& name, int32_t sprites) {
        const int32_t last = sprites - 1;
        Save(name, {'P', 'X', 'L', uint8_t(last), uint8_t(last >> 8), uint8_t(last >> 16), uint8_t(last >> 24)});
        QFile(dir.filePath(name)).resize(7 + qint64(sprites) * 256);
    };
    sparseLibrary("huge.pxl", 1 << 22);     // 1 GiB: the library itself does not fit
    sparseLibrary("large.pxl", 3 << 16);    // 48 MiB fit, its picture of 192 MiB does not
    const struct {
        QStringList arguments;
        std::string err;
    } cases[] = {
        {{"raw1-all", "huge.pxl", "o1"}, "pixolin: Not enough memory to export huge.pxl.\n"},
        {{"sheet", "large.pxl", "o1.png"}, "pixolin: Not enough memory to export large.pxl.\n"},
    };
    for (const auto& c : cases) {
        Save(c.arguments[2], {'o', 'l', 'd'});
        const ProgramRun run = Pixolin(QStringList{"--export"} << c.arguments, "ulimit -v 300000");
        EXPECT_EQ(std::pair(run.status, run.err), std::pair(1, c.err));
        EXPECT_EQ(Load(c.arguments[2]), (Bytes{'o', 'l', 'd'}));
        EXPECT_EQ(TemporaryFiles(), "");
    }
}

// The second output is a FIFO that is never read, so the export waits in it
// with the first output's temporary file made.
TEST_F(CommandLine, ASignalEndsAnExportWithoutItsTemporaryFile) {
    Save("many.pxl", WriteLibraryFile(std::vector<Sprite>(4096), std::vector<bool>(4096, false)));  // more than a pipe holds
    const std::string fifo = Folder() + "o2";
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    const int reader = ::open(fifo.c_str(), O_RDONLY | O_NONBLOCK);
    const struct {
        int sent;
        bool ignored;  // from the start, as nohup does with SIGHUP
    } cases[] = {{SIGINT, false}, {SIGTERM, false}, {SIGHUP, false}, {SIGHUP, true}};
    for (const auto& c : cases) {
        Save("o1", {'o', 'l', 'd'});
        QProcess process;
        process.setChildProcessModifier([c] {
            for (const int signal : {SIGINT, SIGTERM, SIGHUP}) {
                std::signal(signal, c.ignored && signal == c.sent ? SIG_IGN : SIG_DFL);
            }
        });
        Start(process, {"--export", "raw2-all", "many.pxl", "o1", "o2"});
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
        EXPECT_EQ(Load("o1"), (Bytes{'o', 'l', 'd'}));
    }
    ::close(reader);
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
