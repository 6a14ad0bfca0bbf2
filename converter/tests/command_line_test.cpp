#include "command_line.h"

#include <gtest/gtest.h>

#include <sstream>
#include <vector>

#include "palette.h"
#include "pixel_writers.h"
#include "pokemini.h"

namespace {

struct Parsed {
    Settings settings;
    ParseOutcome outcome;
    std::string out;
    std::string err;
};

Parsed Parse(std::vector<std::string> args) {
    Parsed p;
    std::ostringstream out, err;
    p.outcome = ParseArguments(args, p.settings, out, err);
    p.out = out.str();
    p.err = err.str();
    return p;
}

TEST(ParseArguments, Defaults) {
    const Parsed p = Parse({});
    EXPECT_EQ(p.outcome, ParseOutcome::Convert);
    EXPECT_EQ(p.settings.writePixel, &WritePixel24);
    EXPECT_EQ(p.settings.bpp, 24u);
    EXPECT_FALSE(p.settings.inputFile);
    EXPECT_FALSE(p.settings.outputFile);
    EXPECT_FALSE(p.settings.paletteFile);
    EXPECT_EQ(p.settings.output_big, 0);
}

struct WriterCase {
    std::vector<std::string> args;
    PixelWriter writer;
    uint32_t bpp;
};

void PrintTo(const WriterCase& c, std::ostream* os) {
    for (const std::string& a : c.args) *os << a << ' ';
}

class SelectsWriter : public testing::TestWithParam<WriterCase> {};

TEST_P(SelectsWriter, LastLetterWins) {
    const Parsed p = Parse(GetParam().args);
    EXPECT_EQ(p.settings.writePixel, GetParam().writer);
    EXPECT_EQ(p.settings.bpp, GetParam().bpp);
}

INSTANTIATE_TEST_SUITE_P(
    Letters, SelectsWriter,
    testing::Values(WriterCase{{"-m"}, WritePixelPM, 1}, WriterCase{{"-M"}, WritePixelPM, 1},
                    WriterCase{{"-k"}, WritePixelPM, 1}, WriterCase{{"-K"}, WritePixelPM, 1},
                    WriterCase{{"-i"}, WritePixelGP8, 8}, WriterCase{{"-e"}, WritePixel8, 8},
                    WriterCase{{"-1", "p.act"}, WritePixelP1, 8}, WriterCase{{"-g"}, WritePixelGB, 16},
                    WriterCase{{"-p"}, WritePixelGP32, 16}, WriterCase{{"-c"}, WritePixelGC, 32},
                    WriterCase{{"-ct"}, WritePixel24, 24}, WriterCase{{"-t", "-g"}, WritePixelGB, 16},
                    WriterCase{{"-gxyz"}, WritePixelGB, 16}, WriterCase{{"-e", "-5", "p.act"}, WritePixel8, 8},
                    WriterCase{{"-cr", "-"}, WritePixelGC, 32}));

TEST(ParseArguments, DitherParameters) {
    const auto dither = [](std::vector<std::string> args) {
        const Settings s = Parse(std::move(args)).settings;
        return std::tuple{s.pm_dither_xor, s.pm_dither_and, s.pm_dither_or};
    };
    EXPECT_EQ(dither({"-m"}), std::tuple(0, 1, 0));
    EXPECT_EQ(dither({"-M"}), std::tuple(1, 1, 0));
    EXPECT_EQ(dither({"-k"}), std::tuple(0, 0, 0));
    EXPECT_EQ(dither({"-K"}), std::tuple(0, 0, 1));
    EXPECT_EQ(dither({"-MK"}), std::tuple(1, 0, 1));  // k and K keep the xor
    EXPECT_EQ(dither({"-Kt"}), std::tuple(0, 0, 1));
}

TEST(ParseArguments, FileNamesAndSurplus) {
    const Parsed p = Parse({"in.bmp", "-t", "out.raw", "third", "fourth"});
    EXPECT_EQ(p.settings.inputFile, "in.bmp");
    EXPECT_EQ(p.settings.outputFile, "out.raw");
    EXPECT_EQ(p.err, std::string(kErrorTooManyFilenames) + kErrorTooManyFilenames);
    EXPECT_EQ(p.outcome, ParseOutcome::Convert);
}

TEST(ParseArguments, DigitTakesTheNextArgumentAndEndsItsOwn) {
    Parsed p = Parse({"-1k", "pal.act", "in.bmp"});
    EXPECT_EQ(p.settings.paletteFile, "pal.act");
    EXPECT_EQ(p.settings.writePixel, &WritePixelP1);
    EXPECT_FALSE(p.settings.Flag('k'));
    EXPECT_EQ(p.settings.inputFile, "in.bmp");
    EXPECT_EQ(p.settings.flags['1'], 1);

    p = Parse({"-1", "-w", "-3", "second.act"});  // the consumed "-w" is no option
    EXPECT_FALSE(p.settings.Flag('w'));
    EXPECT_EQ(p.settings.paletteFile, "second.act");
    EXPECT_FALSE(p.settings.inputFile);

    p = Parse({"-2", "pal.act", "-1"});  // a digit in the last argument names none
    EXPECT_FALSE(p.settings.paletteFile);
    EXPECT_EQ(p.settings.writePixel, &WritePixelP1);
}

TEST(ParseArguments, CountsWrapModulo256) {
    EXPECT_EQ(Parse({"-" + std::string(256, 'r')}).settings.Flag('r'), false);
    EXPECT_EQ(Parse({"-" + std::string(257, 'r')}).settings.flags['r'], 1);
    EXPECT_EQ(Parse({"-rr", "-r"}).settings.flags['r'], 3);
}

TEST(ParseArguments, LoneDashDoesNothing) {
    const Parsed p = Parse({"-", "a", "-", "b"});
    EXPECT_EQ(p.settings.inputFile, "a");
    EXPECT_EQ(p.settings.outputFile, "b");
    EXPECT_EQ(p.err, "");
}

TEST(ParseArguments, QuestionMarkWritesHelpAndStops) {
    const Parsed p = Parse({"-b?g", "x", "y", "z", "w"});
    EXPECT_EQ(p.outcome, ParseOutcome::HelpRequested);
    EXPECT_EQ(p.err, kHelpText);
    EXPECT_EQ(p.settings.writePixel, &WritePixel24);  // g is never reached
    EXPECT_FALSE(p.settings.inputFile);
}

TEST(ParseArguments, LongOptionsWriteToStandardOutputAndStop) {
    Parsed p = Parse({"-g", "--help", "in.bmp", "-?"});
    EXPECT_EQ(p.outcome, ParseOutcome::HelpRequested);
    EXPECT_EQ(p.out, std::string(kHelpText) + std::string(kLongOptionsHelpText));
    EXPECT_EQ(p.err, "");
    EXPECT_FALSE(p.settings.inputFile);
    p = Parse({"--version", "--help"});
    EXPECT_EQ(p.outcome, ParseOutcome::HelpRequested);
    EXPECT_EQ(p.out, "dotpress 1.11\n");
}

TEST(ParseArguments, TwoDashesEndTheOptions) {
    const Parsed p = Parse({"-k", "--", "-", "--help"});
    EXPECT_EQ(p.outcome, ParseOutcome::Convert);
    EXPECT_EQ(p.settings.inputFile, "-");
    EXPECT_EQ(p.settings.outputFile, "--help");
    EXPECT_EQ(p.settings.writePixel, &WritePixelPM);
    EXPECT_EQ(p.out + p.err, "");
}

// Any other argument starting with "--" is option letters, as before; so is
// an argument a digit takes as the palette file.
TEST(ParseArguments, OtherLongArgumentsKeepTheirLetters) {
    Parsed p = Parse({"--kK", "--helpx"});
    EXPECT_TRUE(p.settings.Flag('K') && p.settings.Flag('h'));
    EXPECT_EQ(p.settings.flags['-'], 2);
    EXPECT_EQ(p.settings.writePixel, &WritePixelGP32);  // the "p" of "help"
    p = Parse({"-1", "--help", "in.bmp"});
    EXPECT_EQ(p.outcome, ParseOutcome::Convert);
    EXPECT_EQ(p.settings.paletteFile, "--help");
}

// "-?" prints the 18 option lines that end with "-?"; "--help" adds one for
// each long option.
TEST(Help, TextLinesArePaddedToTwentyCharacters) {
    std::istringstream text{std::string(kHelpText) + std::string(kLongOptionsHelpText)};
    std::string line;
    std::vector<std::string> options;
    while (std::getline(text, line)) {
        if (line.rfind("  -", 0) != 0) continue;
        options.push_back(line.substr(2, line.find(' ', 2) - 2));
        EXPECT_EQ(line[21], ' ') << line;
        EXPECT_NE(line[22], ' ') << line;
    }
    ASSERT_EQ(options.size(), 22u);
    EXPECT_EQ(options[17], "-?");
    EXPECT_EQ(std::vector(options.begin() + 18, options.end()),
              (std::vector<std::string>{"--c-source", "--help", "--version", "--"}));
    EXPECT_TRUE(kHelpText.ends_with("This help\n"));
    EXPECT_EQ(kLongOptionsHelpText.back(), '\n');
}

}  // namespace
