#include "output_target.h"

#include <gtest/gtest.h>

#include <csignal>
#include <filesystem>
#include <functional>
#include <new>

#include "driver.h"
#include "support/bmp_builder.h"
#include "support/run_program.h"

namespace {

// A run that ends while its output is half written: the old output stays, and
// the temporary file beside it goes.
class OutputTargetAbandoned : public testing::TestWithParam<int> {
protected:
    void SetUp() override { SaveFile(dir / "out.raw", {1, 2, 3}); }
    void TearDown() override {
        EXPECT_EQ(LoadFile(dir / "out.raw"), (std::vector<uint8_t>{1, 2, 3}));
        EXPECT_EQ(FileNames(dir.Path()), std::set<std::string>{"out.raw"});
    }
    bool HalfWritten(OutputTarget& target) const {
        return target.Opened() && target.Write(std::vector<uint8_t>(5000, 7)) && FileNames(dir.Path()).size() == 2;
    }

    TemporaryDirectory dir, inputs;
};

TEST_F(OutputTargetAbandoned, ByAnException) {
    try {
        OutputTarget target(dir / "out.raw");
        ASSERT_TRUE(HalfWritten(target));
        throw std::bad_alloc();
    } catch (const std::bad_alloc&) {
    }
}

using OutputTargetAbandonedDeathTest = OutputTargetAbandoned;

// By the signal of the parameter, or with 0 by SIGBUS from an input another
// program cuts short while it is mapped.
TEST_P(OutputTargetAbandonedDeathTest, ByASignal) {
    const int signal = GetParam();
    SaveFile(inputs / "in.bmp", std::vector<uint8_t>(3 * 4096, 1));
    const std::optional<FileBytes> input = FileBytes::Load(inputs / "in.bmp");
    const std::function<bool(int)> ended =
        signal ? std::function<bool(int)>(testing::KilledBySignal(signal)) : testing::ExitedWithCode(255);
    EXPECT_EXIT(
        {
            for (int terminating : {SIGINT, SIGTERM, SIGHUP}) std::signal(terminating, SIG_DFL);
            InstallSignalHandlers();
            OutputTarget target(dir / "out.raw");
            if (!HalfWritten(target)) std::_Exit(3);
            if (signal) std::raise(signal);
            std::filesystem::resize_file(inputs / "in.bmp", 0);
            volatile uint8_t byte = input->Span()[2 * 4096];
            (void)byte;
        },
        ended, signal ? "^$" : "^Error reading bitmap file!\n$");
}

INSTANTIATE_TEST_SUITE_P(Signals, OutputTargetAbandonedDeathTest, testing::Values(0, SIGINT, SIGTERM, SIGHUP));

}  // namespace
