// The cases of data/cases.txt, written by data/make_cases.py: each runs one
// conversion of a picture there as the command line does, in process, and
// compares the output file, the message and the exit code.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "driver.h"
#include "support/bmp_builder.h"
#include "support/run_program.h"

namespace {

const std::string kData = DOTPRESS_TEST_DATA;

struct Case {
    std::string input, options, expect, what;  // expect: bytes, like or fails
};

void PrintTo(const Case& c, std::ostream* os) { *os << c.input << ' ' << c.options << ' ' << c.expect << ' ' << c.what; }

std::vector<Case> ReadCases() {
    std::ifstream manifest(kData + "/cases.txt");
    std::vector<Case> cases;
    for (std::string line; std::getline(manifest, line);) {
        if (line.empty() || line[0] == '#') continue;
        std::istringstream fields(line);
        Case c;
        fields >> c.input >> c.options >> c.expect >> std::ws;
        std::getline(fields, c.what);
        cases.push_back(c);
    }
    return cases;
}

struct Outcome {
    int status;
    std::string out, err;
    std::optional<std::vector<uint8_t>> output;
};

Outcome Convert(const std::string& options, const std::string& input) {
    TemporaryDirectory dir;
    const std::vector<std::string> args{options, kData + "/" + input, dir / "out.raw"};
    std::ostringstream out, err;
    Outcome outcome{RunDotpress(args, out, err) & 0xFF, out.str(), err.str(), std::nullopt};
    if (std::filesystem::exists(dir / "out.raw")) outcome.output = LoadFile(dir / "out.raw");
    return outcome;
}

class DataCase : public testing::TestWithParam<Case> {};

TEST_P(DataCase, ConvertsAsExpected) {
    const Case& c = GetParam();
    const Outcome outcome = Convert(c.options, c.input);
    if (c.expect == "fails") {
        const size_t space = c.what.find(' ');
        EXPECT_EQ(std::to_string(outcome.status), c.what.substr(0, space));
        EXPECT_EQ(outcome.err, c.what.substr(space + 1) + "\n");
        EXPECT_FALSE(outcome.output);
        return;
    }
    ASSERT_EQ(outcome.err, "");
    ASSERT_EQ(outcome.status, 0);
    if (c.expect == "bytes") {
        EXPECT_EQ(outcome.output, LoadFile(kData + "/" + c.what));
        return;
    }
    const Outcome reference = Convert(c.options, c.what);
    EXPECT_EQ(outcome.output, reference.output);
    EXPECT_EQ(outcome.out, reference.out);
}

INSTANTIATE_TEST_SUITE_P(Manifest, DataCase, testing::ValuesIn(ReadCases()), [](const auto& info) {
    std::string name = info.param.input + info.param.options;
    for (char& ch : name) ch = std::isalnum(static_cast<unsigned char>(ch)) ? ch : '_';
    return name;
});

}  // namespace
