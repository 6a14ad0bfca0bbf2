#include "bitmap.h"

#include <gtest/gtest.h>

#include <random>

#include "support/bmp_builder.h"
#include "support/png_builder.h"

namespace {

constexpr tagRGBTRIPLE kRed{0, 0, 255}, kBlue{255, 0, 0}, kGreen{0, 255, 0};

void Put32(std::vector<uint8_t>& file, size_t at, uint32_t v) {
    for (int i = 0; i < 4; ++i) file[at + i] = uint8_t(v >> (8 * i));
}
void Put16(std::vector<uint8_t>& file, size_t at, uint32_t v) {
    file[at] = uint8_t(v);
    file[at + 1] = uint8_t(v >> 8);
}

std::vector<tagRGBTRIPLE> RandomPixels(size_t count, uint32_t seed) {
    std::mt19937 random(seed);
    std::vector<tagRGBTRIPLE> pixels(count);
    for (auto& p : pixels) p = {uint8_t(random()), uint8_t(random()), uint8_t(random())};
    return pixels;
}

TEST(ReadBitmap, TwentyFourBitRowsArePaddedToFourBytes) {
    for (int32_t width : {1, 2, 3, 4, 5, 7}) {
        SCOPED_TRACE(width);
        const auto pixels = RandomPixels(size_t(width) * 3, width);
        const auto file = BuildBmp({.width = width, .height = 3, .pixels = pixels});
        const size_t stride = (size_t(width) * 3 + 3) / 4 * 4;
        ASSERT_EQ(file.size(), 54 + 3 * stride);
        const BitmapResult result = ReadBitmap(file);
        ASSERT_EQ(result.error, "");
        EXPECT_EQ(result.bitmap.biWidth, uint32_t(width));
        EXPECT_EQ(result.bitmap.biHeight, 3u);
        EXPECT_EQ(result.bitmap.biBitCount, 24u);
        EXPECT_EQ(result.bitmap.Pixels(), pixels);
    }
}

TEST(ReadBitmap, FirstFileRowIsTheBottomRow) {
    std::vector<uint8_t> file = SolidBmp(2, 3, kBlue);
    for (size_t i = 0; i < 2; ++i) {  // the first row in the file, at offset 54
        file[54 + 3 * i] = kRed.rgbtBlue;
        file[54 + 3 * i + 1] = kRed.rgbtGreen;
        file[54 + 3 * i + 2] = kRed.rgbtRed;
    }
    const Bitmap bitmap = ReadBitmap(file).bitmap;
    EXPECT_EQ(bitmap.Pixel(0, 2), kRed);
    EXPECT_EQ(bitmap.Pixel(1, 2), kRed);
    EXPECT_EQ(bitmap.Pixel(0, 0), kBlue);
    EXPECT_EQ(bitmap.Pixel(1, 1), kBlue);
}

TEST(ReadBitmap, NegativeHeightIsTopDown) {
    const auto pixels = RandomPixels(5 * 4, 9);
    const BitmapResult result =
        ReadBitmap(BuildBmp({.width = 5, .height = 4, .topDown = true, .pixels = pixels}));
    ASSERT_EQ(result.error, "");
    EXPECT_EQ(result.bitmap.biHeight, 4u);
    EXPECT_EQ(result.bitmap.Pixels(), pixels);
}

// Every indexed depth, widths that leave partial bytes and row padding.
TEST(ReadBitmap, IndexedDepthsDecodeEveryPixel) {
    for (uint16_t depth : {1, 2, 4, 8}) {
        for (int32_t width : {1, 3, 7, 9, 12, 17, 33}) {
            for (bool topDown : {false, true}) {
                SCOPED_TRACE(testing::Message() << depth << " bpp, width " << width << ", topDown " << topDown);
                const size_t colours = size_t(1) << depth;
                const auto table = RandomPixels(colours, depth);
                std::mt19937 random(width);
                std::vector<uint8_t> indices(size_t(width) * 5);
                for (auto& i : indices) i = uint8_t(random() % colours);
                const BitmapResult result = ReadBitmap(BuildBmp({.width = width, .height = 5,
                    .depth = depth, .topDown = topDown, .colourTable = table, .indices = indices}));
                ASSERT_EQ(result.error, "");
                EXPECT_EQ(result.bitmap.biBitCount, depth);
                const std::vector<tagRGBTRIPLE> decoded = result.bitmap.Pixels();
                ASSERT_EQ(decoded.size(), indices.size());
                for (size_t i = 0; i < indices.size(); ++i) {
                    ASSERT_EQ(decoded[i], table[indices[i]]) << "pixel " << i;
                }
            }
        }
    }
}

TEST(ReadBitmap, OneBitRowByte80HasOnlyItsFirstPixelSet) {
    std::vector<uint8_t> file = BuildBmp({.width = 12, .height = 1, .depth = 1,
        .colourTable = {kBlue, kRed}, .indices = std::vector<uint8_t>(12, 0)});
    ASSERT_EQ(file.size(), 14 + 40 + 8 + 4u);  // 2 pixel bytes and 2 padding bytes
    file[62] = 0x80;
    const Bitmap bitmap = ReadBitmap(file).bitmap;
    EXPECT_EQ(bitmap.Pixel(0, 0), kRed);
    for (uint32_t x = 1; x < 12; ++x) EXPECT_EQ(bitmap.Pixel(x, 0), kBlue) << x;
}

TEST(ReadBitmap, FourBitHighNibbleIsTheLeftPixel) {
    std::vector<uint8_t> file = BuildBmp({.width = 2, .height = 1, .depth = 4,
        .colourTable = RandomPixels(16, 4), .indices = {0, 0}});
    file[14 + 40 + 64] = 0x3C;
    const BitmapResult result = ReadBitmap(file);
    const auto table = RandomPixels(16, 4);
    EXPECT_EQ(result.bitmap.Pixel(0, 0), table[3]);
    EXPECT_EQ(result.bitmap.Pixel(1, 0), table[12]);
}

// The colour table follows the info header, whatever its size.
TEST(ReadBitmap, ColourTableFollowsV4AndV5Headers) {
    for (uint32_t headerSize : {40u, 108u, 124u}) {
        SCOPED_TRACE(headerSize);
        const BitmapResult result = ReadBitmap(BuildBmp({.width = 3, .height = 1, .depth = 8,
            .infoHeaderSize = headerSize, .colourTable = {kRed, kGreen, kBlue}, .indices = {2, 0, 1}}));
        ASSERT_EQ(result.error, "");
        EXPECT_EQ(result.bitmap.Pixels(), (std::vector<tagRGBTRIPLE>{kBlue, kRed, kGreen}));
    }
}

TEST(ReadBitmap, V5HeaderTwentyFourBit) {
    const auto pixels = RandomPixels(6, 5);
    const BitmapResult result =
        ReadBitmap(BuildBmp({.width = 3, .height = 2, .infoHeaderSize = 124, .pixels = pixels}));
    ASSERT_EQ(result.error, "");
    EXPECT_EQ(result.bitmap.Pixels(), pixels);
}

// A colour table with fewer entries than the depth allows (biClrUsed set).
TEST(ReadBitmap, ShortColourTable) {
    const BitmapResult result = ReadBitmap(BuildBmp({.width = 5, .height = 2, .depth = 8,
        .colourTable = {kGreen, kRed}, .indices = {0, 1, 1, 0, 1, 1, 1, 0, 0, 0}}));
    ASSERT_EQ(result.error, "");
    EXPECT_EQ(result.bitmap.Pixel(1, 0), kRed);
    EXPECT_EQ(result.bitmap.Pixel(0, 0), kGreen);
    EXPECT_EQ(result.bitmap.Pixel(3, 1), kGreen);
}

TEST(ReadBitmap, ColourTableEntriesBeyondTheFileAreBlack) {
    // Pixel rows in the table's place: the table reaches past the end of the file.
    std::vector<uint8_t> file = BuildBmp({.width = 4, .height = 1, .depth = 8,
        .colourTable = {}, .indices = {0, 0, 0, 0}});
    file[54] = 200;  // the row's first index, and the first table byte
    const BitmapResult result = ReadBitmap(file);
    ASSERT_EQ(result.error, "");
    EXPECT_EQ(result.bitmap.Pixel(0, 0), (tagRGBTRIPLE{0, 0, 0}));
    EXPECT_EQ(result.bitmap.Pixel(1, 0), (tagRGBTRIPLE{200, 0, 0}));
}

TEST(ReadBitmap, FileTypeIsNotChecked) {
    std::vector<uint8_t> file = SolidBmp(1, 1, kRed);
    file[0] = 'X';
    file[1] = 'Y';
    EXPECT_EQ(ReadBitmap(file).error, "");
}

TEST(ReadBitmap, EmptyImages) {
    for (auto [width, height] : {std::pair{0, 5}, {5, 0}, {0, 0}, {0, 0x7FFFFFFF}, {0x7FFFFFFF, 0}}) {
        std::vector<uint8_t> file = SolidBmp(0, 0, kRed);
        Put32(file, 18, uint32_t(width));
        Put32(file, 22, uint32_t(height));
        const BitmapResult result = ReadBitmap(file);
        ASSERT_EQ(result.error, "") << width << " x " << height;
        EXPECT_EQ(result.bitmap.biWidth, uint32_t(width));
        EXPECT_EQ(result.bitmap.biHeight, uint32_t(height));
        EXPECT_TRUE(result.bitmap.Pixels().empty());
    }
}

TEST(ReadBitmap, LastRowMayLackItsPadding) {
    std::vector<uint8_t> file = SolidBmp(3, 2, kRed);  // rows of 9 bytes and 3 padding bytes
    file.resize(file.size() - 3);
    EXPECT_EQ(ReadBitmap(file).error, "");
    file.pop_back();
    EXPECT_EQ(ReadBitmap(file).error, kErrorBitmapTruncated);
}

// An RLE8 bitmap whose stream only ends: every pixel is left at index 0.
std::vector<uint8_t> EmptyRunLength(int32_t width, int32_t height) {
    std::vector<uint8_t> file = BuildBmp({.width = 1, .height = 1, .depth = 8, .colourTable = {kGreen}, .indices = {7}});
    Put32(file, 18, uint32_t(width));
    Put32(file, 22, uint32_t(height));
    Put32(file, 30, 1);
    Put32(file, 34, 4);
    Put16(file, 58, 0x0100);  // the row's bytes: the end of the bitmap
    return file;
}

TEST(ReadBitmap, PictureOfTwoToThe28PixelsIsTheLargest) {
    BitmapResult result = ReadBitmap(EmptyRunLength(16384, 16384));
    ASSERT_EQ(result.error, "");
    EXPECT_EQ(result.bitmap.Pixel(16383, 16383), kGreen);
    result = ReadBitmap(EmptyRunLength(16385, 16384));
    EXPECT_EQ(result.error, kErrorBitmapSize);
    EXPECT_EQ(ReadBitmap(EmptyRunLength(3, 2), {.pixels = 5}).error, kErrorBitmapSize);
}

struct Refusal {
    const char* name;
    void (*damage)(std::vector<uint8_t>&);
    const char* message;
};

class ReadBitmapRefuses : public testing::TestWithParam<Refusal> {};

TEST_P(ReadBitmapRefuses, WithItsMessage) {
    std::vector<uint8_t> file = SolidBmp(4, 4, kRed);
    GetParam().damage(file);
    const BitmapResult result = ReadBitmap(file);
    EXPECT_EQ(result.error, GetParam().message);
    EXPECT_TRUE(result.bitmap.Pixels().empty());
}

constexpr size_t kPlanes = 26, kDepth = 28, kCompression = 30;

INSTANTIATE_TEST_SUITE_P(
    Cases, ReadBitmapRefuses,
    testing::Values(
        Refusal{"TwoPlanes", [](auto& f) { Put16(f, kPlanes, 2); }, kErrorPlanes},
        Refusal{"PlanesBeforeCompression", [](auto& f) { Put16(f, kPlanes, 0); Put32(f, kCompression, 1); }, kErrorPlanes},
        Refusal{"RunLength", [](auto& f) { Put32(f, kCompression, 1); }, kErrorCompression},
        Refusal{"CompressionBeforeDepth", [](auto& f) { Put32(f, kCompression, 4); Put16(f, kDepth, 3); }, kErrorCompression},
        Refusal{"Depth12", [](auto& f) { Put16(f, kDepth, 12); }, kErrorBitDepth},
        Refusal{"Depth48", [](auto& f) { Put16(f, kDepth, 48); }, kErrorBitDepth},
        Refusal{"Depth0", [](auto& f) { Put16(f, kDepth, 0); }, kErrorBitDepth},
        Refusal{"Depth3", [](auto& f) { Put16(f, kDepth, 3); }, kErrorBitDepth},
        Refusal{"Depth5", [](auto& f) { Put16(f, kDepth, 5); }, kErrorBitDepth},
        Refusal{"Depth6", [](auto& f) { Put16(f, kDepth, 6); }, kErrorBitDepth},
        Refusal{"Depth7", [](auto& f) { Put16(f, kDepth, 7); }, kErrorBitDepth},
        Refusal{"HeaderOf16Bytes", [](auto& f) { Put32(f, 14, 16); }, kErrorBitmapHeader},
        Refusal{"HeaderBeforePlanes", [](auto& f) { Put32(f, 14, 39); Put16(f, kPlanes, 3); }, kErrorBitmapHeader},
        Refusal{"ShortHeaders", [](auto& f) { f.resize(53); }, kErrorBitmapTruncated},
        Refusal{"EmptyFile", [](auto& f) { f.clear(); }, kErrorBitmapTruncated},
        Refusal{"NegativeWidth", [](auto& f) { Put32(f, 18, uint32_t(-4)); }, kErrorBitmapSize},
        Refusal{"LowestHeight", [](auto& f) { Put32(f, 22, 0x80000000u); }, kErrorBitmapSize},
        Refusal{"MissingRow", [](auto& f) { f.resize(f.size() - 12); }, kErrorBitmapTruncated},
        Refusal{"HugeWidth", [](auto& f) { Put32(f, 18, 0x7FFFFFFF); }, kErrorBitmapSize},
        Refusal{"HugeDimensions", [](auto& f) { Put32(f, 18, 0x7FFFFFFF); Put32(f, 22, 0x7FFFFFFF); }, kErrorBitmapSize},
        Refusal{"HugeTopDown", [](auto& f) { Put32(f, 18, 0x7FFFFFFF); Put32(f, 22, 0x80000001u); }, kErrorBitmapSize},
        Refusal{"RowsBeyondTheFile", [](auto& f) { Put32(f, 10, 0xFFFFFFF0u); }, kErrorBitmapTruncated},
        Refusal{"DepthBeforeTruncation", [](auto& f) { Put16(f, kDepth, 15); f.resize(60); }, kErrorBitDepth}),
    [](const auto& info) { return std::string(info.param.name); });

// Where the last Adam7 passes hold no pixels (none in the seventh for a
// picture one pixel high, none in the sixth for one a pixel wide), the image
// ends with the last pass that has rows.
TEST(ReadPng, InterlacedEqualsNotInterlacedAtEverySmallSize) {
    for (int32_t width = 1; width <= 9; ++width) {
        for (int32_t height = 1; height <= 9; ++height) {
            SCOPED_TRACE(testing::Message() << width << " x " << height);
            const auto pixels = RandomPixels(size_t(width) * height, uint32_t(width * 10 + height));
            const std::vector<uint8_t> interlaced = BuildPng(width, height, pixels, true);
            ASSERT_EQ(interlaced[28], 1);  // IHDR's interlace method: Adam7
            const BitmapResult plain = ReadBitmap(BuildPng(width, height, pixels));
            const BitmapResult result = ReadBitmap(interlaced);
            ASSERT_EQ(result.error, "");
            EXPECT_EQ(result.bitmap.Pixels(), plain.bitmap.Pixels());
            EXPECT_EQ(plain.bitmap.Pixels(), pixels);
        }
    }
}

}  // namespace
