// Runs the built dotpress binary and checks what a user sees: standard output,
// standard error, the exit status and the files it leaves.
#include <gtest/gtest.h>

#include <filesystem>

#include "bitmap.h"
#include "command_line.h"
#include "driver.h"
#include "support/bmp_builder.h"
#include "support/convert.h"
#include "support/run_program.h"

namespace {

namespace fs = std::filesystem;

constexpr int kFailureStatus = 255;
constexpr tagRGBTRIPLE kRed{0, 0, 255};

class Dotpress : public testing::Test {
protected:
    void SetUp() override { SaveFile(dir / "in.bmp", SolidBmp(32, 16, kRed)); }

    ProgramRun Run(const std::vector<std::string>& args, RunOptions options = {}) {
        return RunProgram(DOTPRESS_BIN, args, dir.Path(), options);
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
        bmp[28] = 16;  // depth
        SaveFile(dir / "16bit.bmp", bmp);
        bmp = SolidBmp(8, 8, kRed);
        bmp.resize(100);
        SaveFile(dir / "short.bmp", bmp);
        SaveFile(dir / "odd.act", std::vector<uint8_t>(772));
        SaveFile(dir / "empty.act", {});
        fs::create_directory(dir / "folder");
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
        Failure{"Depth", {"16bit.bmp", "out.raw"}, kErrorBitDepth},
        Failure{"Truncated", {"short.bmp", "out.raw"}, kErrorBitmapTruncated},
        Failure{"OutputInMissingFolder", {"in.bmp", "nowhere/out.raw"}, kErrorOpeningOutput},
        Failure{"OutputIsAFolder", {"in.bmp", "folder"}, kErrorOpeningOutput},
        Failure{"FullDisk", {"in.bmp", "/dev/full"}, kErrorWritingOutput}),
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

// A file that grows past the size limit fails like a full disk would.
TEST_F(Dotpress, FailedWriteLeavesNoHalfWrittenFile) {
    SaveFile(dir / "old.raw", {1, 2, 3});
    const ProgramRun run = Run({"in.bmp", "old.raw"}, {.fileSizeLimit = 1000});
    EXPECT_EQ(run.err, kErrorWritingOutput);
    EXPECT_EQ(run.status, kFailureStatus);
    EXPECT_FALSE(Exists("old.raw"));
}

TEST_F(Dotpress, ClosedPipeIsAFailedWrite) {
    const ProgramRun run = Run({"in.bmp", "/dev/stdout"}, {.closedStandardOutput = true});
    EXPECT_EQ(run.err, kErrorWritingOutput);
    EXPECT_EQ(run.status, kFailureStatus);
}

}  // namespace
