#include "pokemini.h"

#include <gtest/gtest.h>

#include "support/bmp_builder.h"
#include "support/convert.h"

namespace {

std::string Repeat(const std::string& byte, int count) {
    std::string text;
    for (int i = 0; i < count; ++i) text += (i ? " " : "") + byte;
    return text;
}

struct ScreenCase {
    std::string option;
    uint8_t green;
    std::string bytes;
};

void PrintTo(const ScreenCase& c, std::ostream* os) { *os << c.option << " on grey " << int(c.green); }

class PokeMiniScreen : public testing::TestWithParam<ScreenCase> {};

TEST_P(PokeMiniScreen, EightByEightOfOneGrey) {
    const ScreenCase& c = GetParam();
    EXPECT_EQ(Hex(Convert({c.option}, SolidBmp(8, 8, Grey(c.green)))), c.bytes);
}

INSTANTIATE_TEST_SUITE_P(
    Modes, PokeMiniScreen,
    testing::Values(
        ScreenCase{"-m", 0, Repeat("FF", 8)}, ScreenCase{"-M", 0, Repeat("FF", 8)},
        ScreenCase{"-k", 0, Repeat("FF", 8)}, ScreenCase{"-K", 0, Repeat("FF", 8)},
        ScreenCase{"-m", 255, Repeat("00", 8)}, ScreenCase{"-M", 255, Repeat("00", 8)},
        ScreenCase{"-k", 255, Repeat("00", 8)}, ScreenCase{"-K", 255, Repeat("00", 8)},
        ScreenCase{"-m", 128, "55 AA 55 AA 55 AA 55 AA"}, ScreenCase{"-M", 128, "AA 55 AA 55 AA 55 AA 55"},
        ScreenCase{"-k", 128, Repeat("FF", 8)}, ScreenCase{"-K", 128, Repeat("00", 8)},
        ScreenCase{"-kK", 128, Repeat("FF", 8) + " " + Repeat("00", 8)},
        ScreenCase{"-Kk", 128, Repeat("FF", 8) + " " + Repeat("00", 8)},
        ScreenCase{"-tkK", 128, Repeat("FF", 8) + " " + Repeat("00", 8)},
        ScreenCase{"-kKg", 128, Repeat("FF", 8) + " " + Repeat("00", 8)},
        ScreenCase{"-K", 84, Repeat("FF", 8)}, ScreenCase{"-K", 85, Repeat("00", 8)},
        ScreenCase{"-k", 169, Repeat("FF", 8)}, ScreenCase{"-k", 170, Repeat("00", 8)},
        ScreenCase{"-mr", 128, "55 AA 55 AA 55 AA 55 AA"}, ScreenCase{"-Mr", 128, "AA 55 AA 55 AA 55 AA 55"}));

TEST(PokeMini, OnlyGreenCounts) {
    EXPECT_EQ(Hex(Convert({"-k"}, SolidBmp(1, 8, {255, 0, 255}))), "FF");
    EXPECT_EQ(Hex(Convert({"-k"}, SolidBmp(1, 8, {0, 255, 0}))), "00");
}

TEST(PokeMini, PixelBitFollowsStripAndColumn) {
    std::vector<tagRGBTRIPLE> pixels(16 * 16, Grey(255));
    pixels[10 * 16 + 3] = Grey(0);
    const std::vector<uint8_t> out = Convert({"-k"}, Bmp(16, 16, pixels));
    ASSERT_EQ(out.size(), 32u);
    for (size_t i = 0; i < out.size(); ++i) EXPECT_EQ(out[i], i == 19 ? 0x04 : 0x00) << i;
}

TEST(PokeMini, DitheredScreensAreComplementaryCheckerboards) {
    const auto grey = SolidBmp(16, 16, Grey(100));
    const std::vector<uint8_t> m = Convert({"-m"}, grey), M = Convert({"-M"}, grey);
    ASSERT_EQ(m.size(), M.size());
    for (size_t i = 0; i < m.size(); ++i) EXPECT_EQ(m[i] ^ M[i], 0xFF) << i;
    // Later letters that set no dither parameter keep the earlier ones.
    EXPECT_EQ(Convert({"-Mk", "-m"}, grey), m);
    EXPECT_EQ(Convert({"-M", "-x"}, grey), M);
}

TEST(PokeMini, RotationLeavesScreensUnchanged) {
    std::vector<tagRGBTRIPLE> pixels(24 * 16);
    for (size_t i = 0; i < pixels.size(); ++i) pixels[i] = Grey(uint8_t(i * 37));
    const auto bmp = Bmp(24, 16, pixels);
    for (const char* option : {"-m", "-M", "-k", "-K", "-kK"}) {
        EXPECT_EQ(Convert({option, "-r"}, bmp), Convert({option}, bmp)) << option;
    }
}

// A partial last strip still gets a byte per column; its missing rows stay clear.
TEST(PokeMini, HeightNotAMultipleOfEight) {
    EXPECT_EQ(Hex(Convert({"-k"}, SolidBmp(3, 10, Grey(0)))), "FF FF FF 03 03 03");
    EXPECT_EQ(Hex(Convert({"-k"}, SolidBmp(2, 1, Grey(0)))), "01 01");
    EXPECT_EQ(Hex(Convert({"-kK"}, SolidBmp(2, 1, Grey(100)))), "01 01 00 00 00 00 00 00 00 00");
}

TEST(SpriteConversion, GroupsOfEightInterleaveTheTwoScreens) {
    // Each 8 x 8 quarter of a 16 x 16 sprite has its own grey.
    std::vector<tagRGBTRIPLE> pixels(16 * 16);
    const uint8_t quarter[4] = {0, 100, 200, 100};  // top-left, top-right, bottom-left, bottom-right
    for (int y = 0; y < 16; ++y)
        for (int x = 0; x < 16; ++x) pixels[y * 16 + x] = Grey(quarter[(y / 8) * 2 + x / 8]);
    const std::string ff = Repeat("FF", 8), zero = Repeat("00", 8);
    EXPECT_EQ(Hex(Convert({"-kK"}, Bmp(16, 16, pixels))),
              ff + " " + ff + " " + ff + " " + zero + " " + zero + " " + zero + " " + ff + " " + zero);
}

TEST(SpriteConversion, FollowsTheHeader) {
    EXPECT_EQ(Hex(Convert({"-kKnw"}, SolidBmp(8, 8, Grey(128)))),
              "08 00 00 00 08 00 00 00 " + Repeat("FF", 8) + " " + Repeat("00", 8));
}

// 4 x 8 pixels make a screen of 4 bytes: a partial group for each screen.
TEST(SpriteConversion, PartialLastGroup) {
    EXPECT_EQ(Hex(Convert({"-kK"}, SolidBmp(4, 8, Grey(100)))), "FF FF FF FF 00 00 00 00 00 00 00 00");
    EXPECT_EQ(Hex(Convert({"-kK"}, SolidBmp(12, 8, Grey(0)))),
              Repeat("FF", 8) + " " + Repeat("FF", 8) + " " + Repeat("FF", 4) + " 00 00 00 00 " + Repeat("FF", 4));
}

}  // namespace
