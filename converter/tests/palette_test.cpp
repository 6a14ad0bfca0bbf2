#include "palette.h"

#include <gtest/gtest.h>

#include <random>

#include "support/bmp_builder.h"
#include "support/convert.h"
#include "support/test_images.h"

namespace {

constexpr tagRGBTRIPLE kBlack{0, 0, 0}, kWhite{255, 255, 255};
constexpr tagRGBTRIPLE kRed{0, 0, 255}, kGreen{0, 255, 0}, kBlue{255, 0, 0};

PaletteEntries Filled(tagRGBTRIPLE colour) {
    PaletteEntries entries;
    entries.fill(colour);
    return entries;
}

TEST(Dist1, WeightsTheChannels) {
    EXPECT_EQ(Dist1(kBlack, kRed), 1820700u);
    EXPECT_EQ(Dist1(kBlack, kGreen), 5917275u);
    EXPECT_EQ(Dist1(kBlack, kBlue), 585225u);
    EXPECT_EQ(Dist1(kRed, kBlack), 1820700u);
    EXPECT_EQ(Dist1(kBlack, kWhite), 128u * 255 * 255);
}

TEST(PaletteFile, ThreeOrFourBytesPerEntry) {
    std::vector<uint8_t> rgb(768), rgbx(1024);
    for (int i = 0; i < 256; ++i) {
        rgb[3 * i] = rgbx[4 * i] = uint8_t(i);
        rgb[3 * i + 1] = rgbx[4 * i + 1] = uint8_t(i + 1);
        rgb[3 * i + 2] = rgbx[4 * i + 2] = uint8_t(i + 2);
        rgbx[4 * i + 3] = 0xEE;
    }
    for (const auto* file : {&rgb, &rgbx}) {
        const std::optional<Palette> palette = Palette::FromFile(*file);
        ASSERT_TRUE(palette);
        for (int i = 0; i < 256; ++i) {
            const tagRGBTRIPLE& e = palette->Entries()[i];
            EXPECT_EQ(e.rgbtRed, uint8_t(i));
            EXPECT_EQ(e.rgbtGreen, uint8_t(i + 1));
            EXPECT_EQ(e.rgbtBlue, uint8_t(i + 2));
        }
    }
}

TEST(PaletteFile, OtherSizesAreRefused) {
    for (size_t size : {0, 1, 767, 769, 772, 1023, 1025, 2048}) {
        EXPECT_FALSE(Palette::FromFile(std::vector<uint8_t>(size))) << size;
    }
}

TEST(NearestIndex, ExactColourAndItsFirstOccurrence) {
    PaletteEntries entries = Filled(kWhite);
    entries[7] = kGreen;
    entries[9] = kGreen;
    entries[3] = {10, 20, 30};
    const Palette palette(entries);
    EXPECT_EQ(palette.NearestIndex(kGreen), 7);
    EXPECT_EQ(palette.NearestIndex({10, 20, 30}), 3);
    EXPECT_EQ(palette.NearestIndex(kWhite), 0);
}

TEST(NearestIndex, BlackIsNearerToBlueThanToRed) {
    PaletteEntries entries = Filled(kWhite);
    entries[0] = kRed;
    entries[1] = kBlue;
    EXPECT_EQ(Palette(entries).NearestIndex(kBlack), 1);
    EXPECT_EQ(Hex(Convert({"-1"}, Bmp(2, 1, {kBlack, kRed}), Palette(entries))), "01 00");
}

TEST(NearestIndex, NoPaletteMapsEverythingToZero) {
    EXPECT_EQ(Hex(Convert({"-1"}, Bmp(3, 1, {kRed, kWhite, kBlack}))), "00 00 00");
}

PaletteEntries RandomEntries(uint32_t seed, int levels) {
    std::mt19937 random(seed);
    PaletteEntries entries;
    for (auto& e : entries) {
        const auto level = [&] { return uint8_t(random() % levels * (255 / (levels - 1))); };
        e = {level(), level(), level()};
    }
    return entries;
}

// The cell search must give the exhaustive search's answer, ties included, on
// palettes of every kind: spread out, coarse with many duplicates, degenerate.
TEST(NearestIndex, SameAsExhaustiveSearch) {
    std::vector<std::pair<std::string, PaletteEntries>> palettes = {
        {"random", RandomEntries(1, 256)},
        {"coarse", RandomEntries(2, 3)},
        {"two levels", RandomEntries(3, 2)},
        {"colour cube", ColourCubePalette()},
        {"black", Filled(kBlack)},
        {"white but one", [] { auto e = Filled(kWhite); e[200] = kRed; return e; }()},
        {"greys", [] { PaletteEntries e; for (int i = 0; i < 256; ++i) e[i] = Grey(uint8_t(255 - i)); return e; }()},
    };
    std::mt19937 random(42);
    for (const auto& [name, entries] : palettes) {
        SCOPED_TRACE(name);
        const Palette palette(entries);
        for (int n = 0; n < 60000; ++n) {
            const tagRGBTRIPLE pixel{uint8_t(random()), uint8_t(random()), uint8_t(random())};
            ASSERT_EQ(palette.NearestIndex(pixel), NearestIndexExhaustive(entries, pixel))
                << int(pixel.rgbtRed) << "," << int(pixel.rgbtGreen) << "," << int(pixel.rgbtBlue);
        }
        // Colours on cell borders and on ties between entries.
        for (int v = 0; v < 256; v += 1) {
            for (const tagRGBTRIPLE& pixel : {Grey(uint8_t(v)), tagRGBTRIPLE{uint8_t(v), 0, 255},
                                              tagRGBTRIPLE{127, uint8_t(v), 128}}) {
                ASSERT_EQ(palette.NearestIndex(pixel), NearestIndexExhaustive(entries, pixel)) << v;
            }
        }
    }
}

}  // namespace
