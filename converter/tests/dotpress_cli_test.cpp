// Runs the built dotpress binary and checks what a user sees: standard output,
// standard error, the exit status and the files it leaves.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <numeric>

#include "bitmap.h"
#include "c_source.h"
#include "command_line.h"
#include "driver.h"
#include "support/bmp_builder.h"
#include "support/convert.h"
#include "support/run_program.h"
#include "support/test_images.h"

namespace {

namespace fs = std::filesystem;

constexpr int kFailureStatus = 255;
constexpr tagRGBTRIPLE kRed{0, 0, 255};
const std::vector<uint8_t> kRedAsE(32 * 16, 0x07);  // in.bmp with "-e"

class Dotpress : public testing::Test {
protected:
    void SetUp() override { SaveFile(dir / "in.bmp", SolidBmp(32, 16, kRed)); }

    ProgramRun Run(const std::vector<std::string>& args, RunOptions options = {}) {
        return RunProgram(DOTPRESS_BIN, args, dir.Path(), options);
    }
    // A shell script run in the folder, dotpress's path in "$0".
    ProgramRun Shell(const std::string& script) {
        return RunProgram("/bin/sh", {"-c", script, DOTPRESS_BIN}, dir.Path());
    }
    bool Exists(const std::string& name) const { return fs::exists(dir / name); }
    std::vector<uint8_t> Load(const std::string& name) const { return LoadFile(dir / name); }

    TemporaryDirectory dir;
};

TEST_F(Dotpress, NoArgumentsWritesHelpAndFails) {
    const ProgramRun run = Run({});
    EXPECT_EQ(run.status, kFailureStatus);
    EXPECT_EQ(run.err, kHelpText);
    EXPECT_EQ(run.out, "");
}

TEST_F(Dotpress, QuestionMarkWritesHelpAndSucceedsWithoutLookingFurther) {
    const ProgramRun run = Run({"-?", "missing.bmp", "-1"});
    EXPECT_EQ(run.status, 0);
    EXPECT_EQ(run.err, kHelpText);
    EXPECT_EQ(run.out, "");
}

TEST_F(Dotpress, LongOptionsAnswerOnStandardOutputAndConvertNothing) {
    ProgramRun run = Run({"--help", "in.bmp", "out.raw"});
    EXPECT_EQ(run.status, 0);
    EXPECT_EQ(run.out, std::string(kHelpText) + std::string(kLongOptionsHelpText));
    EXPECT_EQ(run.err, "");
    run = Run({"-e", "in.bmp", "out.raw", "--version"});
    EXPECT_EQ(run.status, 0);
    EXPECT_EQ(run.out, "dotpress 1.11\n");
    EXPECT_FALSE(Exists("out.raw"));
}

TEST_F(Dotpress, AfterTwoDashesEveryArgumentIsAFileName) {
    fs::copy_file(dir / "in.bmp", dir / "-in.bmp");
    const ProgramRun run = Run({"-e", "--", "-in.bmp", "--help"});
    EXPECT_EQ(run.out + run.err, "");
    EXPECT_EQ(Load("--help"), kRedAsE);
}

TEST_F(Dotpress, SizeReportWithoutOutputFile) {
    struct Case {
        std::vector<std::string> args;
        std::string out;
    };
    for (const Case& c : {Case{{"-w", "in.bmp"}, "32 16"}, Case{{"in.bmp", "-h"}, "16 32"},
                          Case{{"-hw", "in.bmp"}, "32 16"}}) {
        const ProgramRun run = Run(c.args);
        EXPECT_EQ(run.status, 0);
        EXPECT_EQ(run.out, c.out);
        EXPECT_EQ(run.err, "");
    }
    EXPECT_EQ(std::distance(fs::directory_iterator(dir.Path()), fs::directory_iterator()), 1);
}

TEST_F(Dotpress, InputAloneReadsTheBitmapThenWritesHelp) {
    ProgramRun run = Run({"in.bmp"});
    EXPECT_EQ(run.status, kFailureStatus);
    EXPECT_EQ(run.err, kHelpText);

    run = Run({"missing.bmp"});
    EXPECT_EQ(run.status, kFailureStatus);
    EXPECT_EQ(run.err, kErrorOpeningBitmap);
}

TEST_F(Dotpress, ConvertsIntoTheOutputFile) {
    const ProgramRun run = Run({"-e", "in.bmp", "out.raw"});
    EXPECT_EQ(run.status, 0);
    EXPECT_EQ(run.out + run.err, "");
    EXPECT_EQ(Load("out.raw"), std::vector<uint8_t>(32 * 16, 0x07));
}

TEST_F(Dotpress, AnExistingLongerOutputIsReplacedWhole) {
    SaveFile(dir / "out.raw", std::vector<uint8_t>(100000, 0xAA));
    EXPECT_EQ(Run({"-e", "in.bmp", "out.raw"}).status, 0);
    EXPECT_EQ(Load("out.raw"), std::vector<uint8_t>(32 * 16, 0x07));
}

TEST_F(Dotpress, UnlistedLetterKeepsTheDefaultLayout) {
    EXPECT_EQ(Run({"-x", "in.bmp", "out.raw"}).status, 0);
    EXPECT_EQ(Load("out.raw"), Convert({"-t"}, SolidBmp(32, 16, kRed)));
}

TEST_F(Dotpress, HeaderWithSizeReport) {
    const ProgramRun run = Run({"-nw", "-k", "in.bmp", "out.raw"});
    EXPECT_EQ(run.status, 0);
    EXPECT_EQ(run.out, "32 16");
    const std::vector<uint8_t> out = Load("out.raw");
    ASSERT_EQ(out.size(), 8 + 64u);
    EXPECT_EQ(Hex({out.begin(), out.begin() + 8}), "20 00 00 00 10 00 00 00");
}

TEST_F(Dotpress, HeaderWithoutWOrHLeavesTheOutputAlone) {
    ProgramRun run = Run({"-n", "in.bmp", "out.raw"});
    EXPECT_EQ(run.status, kFailureStatus);
    EXPECT_EQ(run.out, kPleaseSpecifyWOrH);
    EXPECT_EQ(run.err, "");
    EXPECT_FALSE(Exists("out.raw"));

    SaveFile(dir / "old.raw", {1, 2, 3});
    run = Run({"-n", "in.bmp", "old.raw"});
    EXPECT_EQ(run.status, kFailureStatus);
    EXPECT_EQ(Load("old.raw"), (std::vector<uint8_t>{1, 2, 3}));
}

TEST_F(Dotpress, SurplusFileNameIsReportedAndSkipped) {
    const ProgramRun run = Run({"in.bmp", "out.raw", "third.raw"});
    EXPECT_EQ(run.status, 0);
    EXPECT_EQ(run.err, kErrorTooManyFilenames);
    EXPECT_EQ(Load("out.raw").size(), 32 * 16 * 3u);
    EXPECT_FALSE(Exists("third.raw"));
}

TEST_F(Dotpress, PaletteQuantization) {
    std::vector<uint8_t> palette(768, 0xFF);
    palette[3 * 5] = 255;  // entry 5 is pure red
    palette[3 * 5 + 1] = palette[3 * 5 + 2] = 0;
    SaveFile(dir / "pal.act", palette);
    EXPECT_EQ(Run({"-1", "pal.act", "in.bmp", "out.raw"}).status, 0);
    EXPECT_EQ(Load("out.raw"), std::vector<uint8_t>(32 * 16, 5));
}

struct Failure {
    std::string name;
    std::vector<std::string> args;
    std::string err;
};

class DotpressFails : public Dotpress, public testing::WithParamInterface<Failure> {
protected:
    void SetUp() override {
        Dotpress::SetUp();
        std::vector<uint8_t> bmp = SolidBmp(8, 8, kRed);
        bmp[26] = 2;  // planes
        SaveFile(dir / "planes.bmp", bmp);
        bmp = SolidBmp(8, 8, kRed);
        bmp[30] = 1;  // compression
        SaveFile(dir / "rle.bmp", bmp);
        bmp = SolidBmp(8, 8, kRed);
        bmp[28] = 15;  // depth
        SaveFile(dir / "15bit.bmp", bmp);
        bmp = SolidBmp(8, 8, kRed);
        bmp.resize(100);
        SaveFile(dir / "short.bmp", bmp);
        SaveFile(dir / "odd.act", std::vector<uint8_t>(772));
        SaveFile(dir / "empty.act", {});
        fs::create_directory(dir / "folder");
        SaveFile(dir / "empty.bmp", SolidBmp(0, 8, kRed));
    }
};

// Each failure: its one line on standard error, status 255, no output file.
TEST_P(DotpressFails, WithItsMessageAndNoOutputFile) {
    std::vector<std::string> args = GetParam().args;
    const ProgramRun run = Run(args);
    EXPECT_EQ(run.err, GetParam().err);
    EXPECT_EQ(run.status, kFailureStatus);
    EXPECT_EQ(run.out, "");
    EXPECT_FALSE(Exists("out.raw"));
}

INSTANTIATE_TEST_SUITE_P(
    Messages, DotpressFails,
    testing::Values(
        Failure{"MissingPalette", {"-1", "missing.act", "in.bmp", "out.raw"}, kErrorOpeningPalette},
        Failure{"PaletteOfOddSize", {"-1", "odd.act", "in.bmp", "out.raw"}, kErrorPaletteFormat},
        Failure{"EmptyPalette", {"-1", "empty.act", "in.bmp", "out.raw"}, kErrorPaletteFormat},
        Failure{"OtherDigitChecksThePalette", {"-7", "odd.act", "in.bmp", "out.raw"}, kErrorPaletteFormat},
        Failure{"PaletteBeforeBitmap", {"-1", "odd.act", "missing.bmp", "out.raw"}, kErrorPaletteFormat},
        Failure{"MissingBitmap", {"missing.bmp", "out.raw"}, kErrorOpeningBitmap},
        Failure{"FolderAsBitmap", {"folder", "out.raw"}, kErrorOpeningBitmap},
        Failure{"Planes", {"planes.bmp", "out.raw"}, kErrorPlanes},
        Failure{"Compression", {"rle.bmp", "out.raw"}, kErrorCompression},
        Failure{"Depth", {"15bit.bmp", "out.raw"}, kErrorBitDepth},
        Failure{"Truncated", {"short.bmp", "out.raw"}, kErrorBitmapTruncated},
        Failure{"OutputInMissingFolder", {"in.bmp", "nowhere/out.raw"}, kErrorOpeningOutput},
        Failure{"OutputIsAFolder", {"in.bmp", "folder"}, kErrorOpeningOutput},
        Failure{"FullDisk", {"in.bmp", "/dev/full"}, kErrorWritingOutput},
        Failure{"CSourceNameStartsWithADigit", {"--c-source", "1st", "in.bmp", "out.raw"}, kErrorCSourceName},
        Failure{"CSourceNameWithADash", {"--c-source", "a-b", "in.bmp", "out.raw"}, kErrorCSourceName},
        Failure{"CSourceNameIsAKeyword", {"--c-source", "int", "in.bmp", "out.raw"}, kErrorCSourceName},
        Failure{"CSourceNameIsReserved", {"--c-source", "_Bool", "in.bmp", "out.raw"}, kErrorCSourceName},
        Failure{"CSourceNameIsTheRomMacro", {"--c-source=PM_ROM", "in.bmp", "out.raw"}, kErrorCSourceName},
        Failure{"CSourceNameEmpty", {"--c-source=", "in.bmp", "out.raw"}, kErrorCSourceName},
        Failure{"CSourceNameMissing", {"in.bmp", "out.raw", "--c-source"}, kErrorCSourceName},
        Failure{"CSourceOfNoBytes", {"--c-source", "none", "empty.bmp", "out.raw"}, kErrorEmptyCArray},
        Failure{"CSourceOnFullDisk", {"--c-source", "full", "in.bmp", "/dev/full"}, kErrorWritingOutput}),
    [](const auto& info) { return info.param.name; });

TEST_F(DotpressFails, BadBitmapLeavesAnExistingOutputAlone) {
    SaveFile(dir / "old.raw", {9, 9});
    EXPECT_EQ(Run({"planes.bmp", "old.raw"}).status, kFailureStatus);
    EXPECT_EQ(Load("old.raw"), (std::vector<uint8_t>{9, 9}));
}

TEST_F(Dotpress, SizeIsReportedEvenWhenTheOutputCannotBeOpened) {
    const ProgramRun run = Run({"-h", "in.bmp", "nowhere/out.raw"});
    EXPECT_EQ(run.out, "16 32");
    EXPECT_EQ(run.err, kErrorOpeningOutput);
    EXPECT_EQ(run.status, kFailureStatus);
}

TEST_F(Dotpress, OutputMayReplaceTheInput) {
    EXPECT_EQ(Run({"-e", "in.bmp", "in.bmp"}).status, 0);
    EXPECT_EQ(Load("in.bmp"), std::vector<uint8_t>(32 * 16, 0x07));
}

// A file that grows past the size limit fails like a full disk would, and the
// old output stays as it was.
TEST_F(Dotpress, FailedWriteLeavesNoHalfWrittenFile) {
    SaveFile(dir / "old.raw", {1, 2, 3});
    const ProgramRun run = Run({"in.bmp", "old.raw"}, {.fileSizeLimit = 1000});
    EXPECT_EQ(run.err, kErrorWritingOutput);
    EXPECT_EQ(run.status, kFailureStatus);
    EXPECT_EQ(Load("old.raw"), (std::vector<uint8_t>{1, 2, 3}));
    EXPECT_EQ(FileNames(dir.Path()), (std::set<std::string>{"in.bmp", "old.raw"}));
}

// Run as root, a script runs dotpress as "$AS_USER" "$0" to meet permission
// bits; it skips where that user cannot run dotpress.
const std::string kAsUser =
    "AS_USER=env; [ $(id -u) = 0 ] && AS_USER='setpriv --reuid=65534 --regid=65534 --clear-groups'; chmod 755 .; "
    "$AS_USER test -x \"$0\" || exit 77; ";

struct FailedWrite {
    std::string name;
    std::string script;  // fails to write sub/old.raw, a copy of in.bmp; exits with 77 to skip
    std::string err;
};

class DotpressFailedWrite : public Dotpress, public testing::WithParamInterface<FailedWrite> {};

// The old output keeps every byte, and no temporary file is left beside it.
TEST_P(DotpressFailedWrite, LeavesTheOldOutputWhole) {
    fs::create_directory(dir / "sub");
    fs::copy_file(dir / "in.bmp", dir / "sub/old.raw");
    const ProgramRun run = Shell(GetParam().script);
    if (run.status == 77) GTEST_SKIP() << run.err;
    EXPECT_EQ(run.err, GetParam().err);
    EXPECT_EQ(run.status, kFailureStatus);
    EXPECT_EQ(Load("sub/old.raw"), Load("in.bmp"));
    EXPECT_EQ(FileNames(dir / "sub"), std::set<std::string>{"old.raw"});
}

INSTANTIATE_TEST_SUITE_P(
    Causes, DotpressFailedWrite,
    testing::Values(
        FailedWrite{"PastTheSizeLimit", "ulimit -f 2; \"$0\" in.bmp sub/old.raw", kErrorWritingOutput},
        FailedWrite{"InputIsOutput", "ulimit -f 2; \"$0\" -c sub/old.raw sub/old.raw", kErrorWritingOutput},
        // The link's target is relative to the link's folder.
        FailedWrite{"ThroughALink",
                    "mkdir links; ln -s ../sub/old.raw links/out.raw; ulimit -f 2; \"$0\" in.bmp links/out.raw",
                    kErrorWritingOutput},
        // On a 4 KiB tmpfs that the old output fills, mounted where only this
        // script sees it; what is left there is copied back into sub/.
        FailedWrite{"FullFileSystem",
                    "unshare -rm true 2>/dev/null || exit 77; unshare -rm sh -c 'mkdir full && mount -t tmpfs "
                    "-o size=4k tmpfs full || exit 77; cp sub/old.raw full/; \"$0\" in.bmp full/old.raw; s=$?; "
                    "rm sub/old.raw; cp -a full/. sub/; exit $s' \"$0\"",
                    kErrorWritingOutput},
        FailedWrite{"FolderNotWritable",
                    kAsUser + "chmod 666 sub/old.raw; chmod 555 sub; $AS_USER \"$0\" in.bmp sub/old.raw; s=$?; "
                              "chmod 755 sub; exit $s",
                    kErrorOpeningOutput},
        FailedWrite{"FileNotWritable", kAsUser + "chmod 444 sub/old.raw; $AS_USER \"$0\" in.bmp sub/old.raw",
                    kErrorOpeningOutput}),
    [](const auto& info) { return info.param.name; });

struct Written {
    std::string name;
    std::string script;  // checks what dotpress left with `check`
    std::vector<std::string> files;  // each holds in.bmp converted with "-e"
};

class DotpressWrites : public Dotpress, public testing::WithParamInterface<Written> {};

TEST_P(DotpressWrites, WhereTheOutputLeads) {
    const ProgramRun run = Shell("check() { \"$@\" || echo \"failed: $*\" >&2; }; " + GetParam().script);
    EXPECT_EQ(run.err, "");
    EXPECT_EQ(run.status, 0);
    for (const std::string& file : GetParam().files) EXPECT_EQ(Load(file), kRedAsE) << file;
}

INSTANTIATE_TEST_SUITE_P(
    Outputs, DotpressWrites,
    testing::Values(
        Written{"KeepingTheModeOrFollowingTheUmask",
                "echo old > old.raw; chmod 604 old.raw; umask 027; \"$0\" -e in.bmp old.raw; \"$0\" -e in.bmp new.raw; "
                "check [ $(stat -c %a old.raw) = 604 ]; check [ $(stat -c %a new.raw) = 640 ]",
                {"old.raw", "new.raw"}},
        // A relative link is read from its own folder; links stay links.
        Written{"ThroughLinks",
                "mkdir -p a/b; echo old > a/b/old.raw; ln -s b/old.raw a/relative.raw; "
                "ln -s \"$PWD/a/relative.raw\" absolute.raw; ln -s a/b/new.raw dangling.raw; "
                "\"$0\" -e in.bmp absolute.raw; \"$0\" -e in.bmp dangling.raw; "
                "check test -L absolute.raw -a -L a/relative.raw -a -L dangling.raw; "
                "check [ \"$(ls -A a/b)\" = \"$(printf 'new.raw\\nold.raw')\" ]",
                {"a/b/old.raw", "a/b/new.raw"}},
        Written{"DirectlyToDevicesAndFifos",
                "\"$0\" in.bmp /dev/null; mkfifo out.fifo; timeout 10 cat out.fifo > got & \"$0\" -e in.bmp out.fifo; "
                "wait; check test -c /dev/null -a -p out.fifo",
                {"got"}},
        // /proc names an open file that was deleted "<its old path> (deleted)";
        // a file of that name is another file. The output is cut to its length.
        Written{"DirectlyToADeletedFileOpenElsewhere",
                "head -c 4000 /dev/zero > gone.raw; exec 3<>gone.raw; rm gone.raw; echo keep > 'gone.raw (deleted)'; "
                "\"$0\" -e in.bmp /proc/$$/fd/3; cat <&3 > got; check [ \"$(cat 'gone.raw (deleted)')\" = keep ]",
                {"got"}}),
    [](const auto& info) { return info.param.name; });

TEST_F(Dotpress, AnEndlessDeviceIsReadOnlyAsFarAsItsHeader) {
    const ProgramRun run = Run({"/dev/zero", "out.raw"});
    EXPECT_EQ(run.err, kErrorBitmapHeader);
    EXPECT_EQ(run.status, kFailureStatus);
}

struct StreamedInput {
    std::string name;
    std::vector<uint8_t> bmp;
    std::string feed;  // a command that writes stream.bmp, holding `bmp`, to standard output
    std::string err;
    std::string unread;  // the first bytes dotpress left in the pipe
};

class DotpressReadsAPipe : public Dotpress, public testing::WithParamInterface<StreamedInput> {};

TEST_P(DotpressReadsAPipe, AsFarAsItsHeadersAnnounce) {
    const StreamedInput& c = GetParam();
    SaveFile(dir / "stream.bmp", c.bmp);
    const ProgramRun run =
        Shell(c.feed + " | { timeout 10 \"$0\" -e /dev/stdin out.raw; s=$?; head -c 4 > unread; exit $s; }");
    EXPECT_EQ(run.err, c.err);
    EXPECT_EQ(Load("unread"), std::vector<uint8_t>(c.unread.begin(), c.unread.end()));
    if (c.err.empty()) {
        EXPECT_EQ(run.status, 0);
        EXPECT_EQ(Load("out.raw"), Convert({"-e"}, c.bmp));
    } else {
        EXPECT_EQ(run.status, kFailureStatus);
        EXPECT_FALSE(Exists("out.raw"));
    }
}

// The bitmap, then bytes without end, the first of which tell where dotpress stopped.
const std::string kEndless = "{ cat stream.bmp; printf MARK; yes; }";

std::vector<uint8_t> FifteenBitHeaders() {  // refused before anything past them is read
    std::vector<uint8_t> bmp = SolidBmp(256, 128, kRed);
    bmp[28] = 15;
    return {bmp.begin(), bmp.begin() + 54};
}

const std::vector<uint8_t> kPng = LoadFile(DOTPRESS_TEST_DATA "/png-rgba16-i.png");

INSTANTIATE_TEST_SUITE_P(
    Inputs, DotpressReadsAPipe,
    testing::Values(StreamedInput{"Endless24Bit", SolidBmp(256, 128, kRed), kEndless, "", "MARK"},
                    StreamedInput{"RunLength", LoadFile(DOTPRESS_TEST_DATA "/rle8.bmp"), kEndless, "", "MARK"},
                    StreamedInput{"PngWhole", kPng, "cat stream.bmp", "", ""},
                    StreamedInput{"PngEndsEarly", kPng, "head -c 300 stream.bmp",
                                  "Error reading PNG file: end of stream\n", ""},
                    StreamedInput{"EndlessIndexed",
                                  BuildBmp({.width = 4, .height = 2, .depth = 8, .colourTable = std::vector(256, kRed),
                                            .indices = {0, 7, 255, 9, 1, 128, 3, 3}}),
                                  kEndless, "", "MARK"},
                    StreamedInput{"EndlessAfterRefusedHeaders", FifteenBitHeaders(), kEndless, kErrorBitDepth, "MARK"},
                    // Read as far as a bitmap's first 18 bytes, where the signature is known.
                    StreamedInput{"EndlessAfterAJpegSignature", LoadFile(DOTPRESS_TEST_DATA "/jpeg.jpg"), kEndless,
                                  "Unsupported file format (JPEG): only BMP and PNG are read!\n",
                                  std::string("\0\0MA", 4)},
                    StreamedInput{"EndsEarly", SolidBmp(256, 128, kRed), "head -c 5000 stream.bmp",
                                  kErrorBitmapTruncated, ""}),
    [](const auto& info) { return info.param.name; });

TEST_F(Dotpress, ClosedPipeIsAFailedWrite) {
    const ProgramRun run = Run({"in.bmp", "/dev/stdout"}, {.closedStandardOutput = true});
    EXPECT_EQ(run.err, kErrorWritingOutput);
    EXPECT_EQ(run.status, kFailureStatus);
}

// A C program that includes the C files `arrays` name and writes each array
// back out, to NAME.out.
std::string ArraysBackOut(const std::vector<std::string>& arrays) {
    std::string program = "#include <stdio.h>\n";
    for (const std::string& name : arrays) program += "#include \"" + name + ".c\"\n";
    program += "static int put(const char *path, const unsigned char *bytes, size_t size) {\n"
               "    FILE *file = fopen(path, \"wb\");\n"
               "    return !file || fwrite(bytes, 1, size, file) != size || fclose(file) != 0;\n"
               "}\n"
               "int main(void) {\n"
               "    int failed = 0;\n";
    for (const std::string& name : arrays) {
        std::string upper = name;
        for (char& c : upper) c = char(std::toupper(c));
        program += "    failed |= put(\"" + name + ".out\", " + name + ", " + upper + "_SIZE);\n";
    }
    return program + "    return failed;\n}\n";
}

std::string FirstLine(const std::string& path) {
    std::ifstream file(path);
    std::string line;
    std::getline(file, line);
    return line;
}

// The C source of every layout, compiled as strictly as the build's C
// compiler goes into a program that writes each array back out, gives the
// raw output's bytes; its first line names the options and the input.
TEST_F(Dotpress, CSourceOfEveryLayoutCompilesToTheRawBytes) {
    const struct {
        std::vector<std::string> options;
        std::string layout;  // as the comment names it
    } layouts[] = {
        {{"-t"}, "-t"},   {{"-e"}, "-e"},   {{"-i"}, "-i"},   {{"-1", "pal.act"}, "-1"},  {{"-g"}, "-g"},
        {{"-pb"}, "-pb"}, {{"-c"}, "-c"},   {{"-m"}, "-m"},   {{"-M"}, "-M"},             {{"-Mk"}, "-k"},
        {{"-K"}, "-K"},   {{"-kK"}, "-kK"}, {{"-tr"}, "-tr"}, {{"-nw", "-k"}, "-knw"},    {{"-nhkKb"}, "-kKbnh"},
    };
    fs::create_directory(dir / "pics");
    SaveFile(dir / "pics/in.bmp", Bmp(19, 13, NoisyPicture(19, 13)));  // odd sizes: partial lines and groups
    std::vector<uint8_t> palette(768);
    std::iota(palette.begin(), palette.end(), 0);
    SaveFile(dir / "pal.act", palette);
    std::vector<std::string> arrays;
    for (const auto& [options, layout] : layouts) {
        const std::string name = "layout" + std::to_string(arrays.size());
        std::vector<std::string> args = options;
        args.insert(args.end(), {"pics/in.bmp", name + ".raw"});
        ASSERT_EQ(Run(args).status, 0);
        args.back() = name + ".c";
        args.insert(args.begin(), {"--c-source", name});
        ASSERT_EQ(Run(args).status, 0) << layout;
        EXPECT_EQ(FirstLine(dir / (name + ".c")), "/* " + name + ": " + std::to_string(Load(name + ".raw").size()) +
                                                      " bytes, made by dotpress " + layout + " from in.bmp */");
        arrays.push_back(name);
    }
    std::ofstream(dir / "main.c") << ArraysBackOut(arrays);
    const ProgramRun built = RunProgram(PMTOOLS_C_COMPILER,
                                        {"-std=c89", "-pedantic", "-Wall", "-Wextra", "-Werror", "main.c", "-o", "main"},
                                        dir.Path());
    ASSERT_EQ(built.status, 0) << built.err;
    ASSERT_EQ(RunProgram(dir / "main", {}, dir.Path()).status, 0);
    for (const std::string& name : arrays) EXPECT_EQ(Load(name + ".out"), Load(name + ".raw")) << name;
}

}  // namespace
