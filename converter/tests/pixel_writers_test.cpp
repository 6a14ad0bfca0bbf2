#include "pixel_writers.h"

#include <gtest/gtest.h>

#include <cfloat>

#include "support/bmp_builder.h"
#include "support/convert.h"

namespace {

constexpr tagRGBTRIPLE kBlack{0, 0, 0}, kWhite{255, 255, 255};
constexpr tagRGBTRIPLE kRed{0, 0, 255}, kGreen{0, 255, 0}, kBlue{255, 0, 0};

struct PixelCase {
    std::string option;
    tagRGBTRIPLE pixel;
    std::string bytes;
};

void PrintTo(const PixelCase& c, std::ostream* os) {
    *os << c.option << " on (" << int(c.pixel.rgbtRed) << "," << int(c.pixel.rgbtGreen) << ","
        << int(c.pixel.rgbtBlue) << ")";
}

class WriterBytes : public testing::TestWithParam<PixelCase> {};

TEST_P(WriterBytes, OnePixel) {
    const PixelCase& c = GetParam();
    EXPECT_EQ(Hex(Convert({c.option}, Bmp(1, 1, {c.pixel}))), c.bytes);
}

INSTANTIATE_TEST_SUITE_P(
    Layouts, WriterBytes,
    testing::Values(
        PixelCase{"-t", kRed, "FF 00 00"}, PixelCase{"-t", {1, 2, 3}, "03 02 01"},
        PixelCase{"-x", {1, 2, 3}, "03 02 01"},  // an unlisted letter keeps the default
        PixelCase{"-e", kWhite, "FF"}, PixelCase{"-e", kRed, "07"}, PixelCase{"-e", kGreen, "38"},
        PixelCase{"-e", kBlue, "C0"}, PixelCase{"-e", {0x40, 0x20, 0x1F}, "48"},
        PixelCase{"-i", kRed, "E0"}, PixelCase{"-i", kGreen, "1C"}, PixelCase{"-i", kBlue, "03"},
        PixelCase{"-i", kWhite, "FF"}, PixelCase{"-i", {0x7F, 0x20, 0x20}, "25"},
        PixelCase{"-g", kRed, "1F 00"}, PixelCase{"-g", kBlue, "00 7C"}, PixelCase{"-g", kWhite, "FF 7F"},
        PixelCase{"-g", kGreen, "E0 03"},
        PixelCase{"-bg", kRed, "00 1F"}, PixelCase{"-bg", kBlue, "7C 00"}, PixelCase{"-gb", kWhite, "7F FF"},
        PixelCase{"-p", kRed, "00 F8"}, PixelCase{"-p", kWhite, "FF FF"}, PixelCase{"-p", Grey(248), "FE FF"},
        PixelCase{"-p", kGreen, "C1 07"}, PixelCase{"-p", {7, 7, 7}, "01 00"}, PixelCase{"-p", {4, 4, 4}, "01 00"},
        PixelCase{"-p", {3, 4, 4}, "00 00"},
        PixelCase{"-pb", kRed, "F8 00"}, PixelCase{"-pb", Grey(248), "FF FE"},
        PixelCase{"-c", kBlack, "00 80 00 80"}, PixelCase{"-c", kWhite, "FE 80 FE 80"},
        PixelCase{"-c", kRed, "4C 54 4C FF"}, PixelCase{"-c", kGreen, "95 2B 95 15"},
        PixelCase{"-c", kBlue, "1D FF 1D 6B"}, PixelCase{"-cb", kBlue, "1D FF 1D 6B"},
        PixelCase{"-c", Grey(1), "00 80 00 80"}, PixelCase{"-c", Grey(128), "7F 80 7F 80"}));

TEST(Writers, TwentyFourBitPairOfPixels) {
    EXPECT_EQ(Hex(Convert({}, Bmp(2, 1, {kRed, kBlue}))), "FF 00 00 00 00 FF");
}

TEST(Writers, LastWriterLetterWins) {
    EXPECT_EQ(Hex(Convert({"-t", "-g"}, Bmp(1, 1, {kRed}))), "1F 00");
    EXPECT_EQ(Hex(Convert({"-gt"}, Bmp(1, 1, {kRed}))), "FF 00 00");
}

#if defined(__x86_64__) && LDBL_MANT_DIG == 64
// The YCbCr bytes are defined by an evaluation in 64-bit-significand floating
// point; the fixed-point writer must agree with it for every colour.
uint8_t Extended(long double a, long double b, long double c, long double d, int r, int g, int bl) {
    const long double sum = (long double)(double)a * r + (long double)(double)b * g + (long double)(double)c * bl + d;
    return uint8_t(int(sum));
}

TEST(Writers, YCbCrMatchesExtendedPrecisionForEveryColour) {
    std::vector<tagRGBTRIPLE> pixels;
    for (int r = 0; r < 256; ++r)
        for (int g = 0; g < 256; ++g)
            for (int b = 0; b < 256; b += 1 + (r + g) % 7) pixels.push_back({uint8_t(b), uint8_t(g), uint8_t(r)});
    const std::vector<uint8_t> out = Convert({"-c"}, Bmp(int32_t(pixels.size()), 1, pixels));
    ASSERT_EQ(out.size(), pixels.size() * 4);
    for (size_t i = 0; i < pixels.size(); ++i) {
        const int r = pixels[i].rgbtRed, g = pixels[i].rgbtGreen, b = pixels[i].rgbtBlue;
        const uint8_t y = Extended(0.299, 0.587, 0.114, 0, r, g, b);
        const uint8_t cb = Extended(-0.16874, -0.33126, 0.5, 128, r, g, b);
        const uint8_t cr = Extended(0.5, -0.41869, -0.08131, 128, r, g, b);
        ASSERT_EQ(out[4 * i], y) << r << "," << g << "," << b;
        ASSERT_EQ(out[4 * i + 1], cb) << r << "," << g << "," << b;
        ASSERT_EQ(out[4 * i + 2], y);
        ASSERT_EQ(out[4 * i + 3], cr) << r << "," << g << "," << b;
    }
}
#endif

TEST(Writers, GreyLosesOneInY) {
    for (int v = 1; v < 256; ++v) {
        EXPECT_EQ(Convert({"-c"}, Bmp(1, 1, {Grey(uint8_t(v))}))[0], v - 1) << v;
    }
}

// With "r" each source column, read upwards, becomes an output row.
TEST(Rotation, TurnsClockwise) {
    const tagRGBTRIPLE a{1, 1, 1}, b{2, 2, 2}, c{3, 3, 3}, d{4, 4, 4};
    EXPECT_EQ(Hex(Convert({"-er"}, Bmp(2, 2, {a, b, c, d}))), Hex(Convert({"-e"}, Bmp(4, 1, {c, a, d, b}))));
    EXPECT_EQ(Hex(Convert({"-r"}, Bmp(1, 2, {a, b}))), "02 02 02 01 01 01");
    const tagRGBTRIPLE e{5, 5, 5}, f{6, 6, 6};
    // 3 wide, 2 high: columns (a,d) (b,e) (c,f) read upwards.
    EXPECT_EQ(Hex(Convert({"-t", "-r"}, Bmp(3, 2, {a, b, c, d, e, f}))),
              "04 04 04 01 01 01 05 05 05 02 02 02 06 06 06 03 03 03");
}

TEST(Header, WidthThenHeightOrHeightThenWidth) {
    const auto bmp = SolidBmp(3, 2, kRed);
    EXPECT_EQ(Hex(Convert({"-nw", "-e"}, bmp)), "03 00 00 00 02 00 00 00 07 07 07 07 07 07");
    EXPECT_EQ(Hex(Convert({"-n", "-h", "-e"}, bmp)), "02 00 00 00 03 00 00 00 07 07 07 07 07 07");
    EXPECT_EQ(Hex(Convert({"-nwh", "-e"}, bmp)), "03 00 00 00 02 00 00 00 07 07 07 07 07 07");
    // The header keeps the source size when the image is turned.
    EXPECT_EQ(Hex(Convert({"-nwr", "-e"}, bmp)), "03 00 00 00 02 00 00 00 07 07 07 07 07 07");
    EXPECT_EQ(Hex(Convert({"-nwb", "-e"}, bmp)), "00 00 00 03 00 00 00 02 07 07 07 07 07 07");
    EXPECT_EQ(Hex(Convert({"-nw"}, SolidBmp(0, 7, kRed))), "00 00 00 00 07 00 00 00");
}

TEST(DoGfxThing, ChunkedPassWritesOnlyTheBytesThatRemain) {
    // 3 x 1 pixels of 24 bits: 9 bytes in chunks of 4, 10 bytes apart.
    BitmapResult bmp = ReadBitmap(Bmp(3, 1, {{1, 2, 3}, {4, 5, 6}, {7, 8, 9}}));
    Settings settings;
    std::vector<uint8_t> file;
    OutputFile fo([&](std::span<const uint8_t> b) { file.insert(file.end(), b.begin(), b.end()); return true; });
    DoGfxThing(fo, bmp.bitmap, settings, Palette(), 2, 4, 10);
    fo.Flush();
    EXPECT_EQ(Hex(file),
              "00 00 03 02 01 06 00 00 00 00 00 00 05 04 09 08 00 00 00 00 00 00 07");
}

// Output bigger than a band goes out in several pieces; the bytes must be
// those of the image in one piece, turned or not, for every byte width.
TEST(DoGfxThing, BandsJoinUpSeamlessly) {
    std::vector<tagRGBTRIPLE> pixels(700 * 300);
    for (size_t i = 0; i < pixels.size(); ++i) pixels[i] = {uint8_t(i), uint8_t(i >> 8), uint8_t(i >> 16)};
    const std::vector<uint8_t> bmp = Bmp(700, 300, pixels);
    for (const char* option : {"-t", "-c", "-g", "-e"}) {
        for (bool rotate : {false, true}) {
            SCOPED_TRACE(testing::Message() << option << (rotate ? " rotated" : ""));
            const std::vector<uint8_t> out = rotate ? Convert({option, "-r"}, bmp) : Convert({option}, bmp);
            const std::vector<uint8_t> one = Convert({option}, Bmp(1, 1, {pixels[0]}));
            const size_t bytesPerPixel = one.size();
            ASSERT_EQ(out.size(), pixels.size() * bytesPerPixel);
            for (size_t k = 0; k < pixels.size(); k += 997) {
                // Output pixel k: without "r" row k / 700; with "r" column k / 300, read upwards.
                const size_t source = rotate ? (299 - k % 300) * 700 + k / 300 : k;
                const std::vector<uint8_t> expected = Convert({option}, Bmp(1, 1, {pixels[source]}));
                ASSERT_EQ(std::vector<uint8_t>(out.begin() + k * bytesPerPixel, out.begin() + (k + 1) * bytesPerPixel),
                          expected) << "output pixel " << k;
            }
        }
    }
}

}  // namespace
