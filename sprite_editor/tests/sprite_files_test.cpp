#include "sprite_files.h"

#include <gtest/gtest.h>

#include <string>

namespace {

Sprite Filled(uint8_t code) {
    Sprite s;
    s.bytes.fill(code);
    return s;
}

Sprite Numbered(int seed) {
    Sprite s;
    for (int i = 0; i < 256; ++i) s.bytes[i] = uint8_t((i * 7 + seed) % 5);
    return s;
}

std::vector<uint8_t> Bytes(const std::string& text) { return std::vector<uint8_t>(text.begin(), text.end()); }

std::vector<uint8_t> Concat(std::vector<uint8_t> a, const std::vector<uint8_t>& b) {
    a.insert(a.end(), b.begin(), b.end());
    return a;
}

TEST(LibraryFile, DeletedSpritesAreLeftOut) {
    const std::vector<Sprite> sprites{Numbered(0), Numbered(1), Numbered(2)};
    const std::vector<uint8_t> file = WriteLibraryFile(sprites, {false, true, false});
    ASSERT_EQ(file.size(), 519u);
    EXPECT_EQ(std::vector<uint8_t>(file.begin(), file.begin() + 7), (std::vector<uint8_t>{'P', 'X', 'L', 1, 0, 0, 0}));
    EXPECT_EQ(file[7 + 5], sprites[0].bytes[5]);
    EXPECT_EQ(file[7 + 256 + 17], sprites[2].bytes[17]);
    EXPECT_EQ(ReadLibraryFile(file), (std::vector<Sprite>{sprites[0], sprites[2]}));
}

TEST(LibraryFile, EveryCodeComesBackUnchanged) {
    Sprite odd;
    for (int i = 0; i < 256; ++i) odd.bytes[i] = uint8_t(i);  // codes above 4 too
    const std::vector<Sprite> sprites{odd, Filled(CodeMarker)};
    EXPECT_EQ(ReadLibraryFile(WriteLibraryFile(sprites, {false, false})), sprites);
}

// A library whose every sprite is deleted saves as the header alone, with last
// index -1; it loads as one blank sprite.
TEST(LibraryFile, AllDeletedSavesAnEmptyLibraryThatLoadsAsOneBlankSprite) {
    const std::vector<uint8_t> file = WriteLibraryFile({Numbered(3), Numbered(4)}, {true, true});
    EXPECT_EQ(file, (std::vector<uint8_t>{'P', 'X', 'L', 0xFF, 0xFF, 0xFF, 0xFF}));
    EXPECT_EQ(ReadLibraryFile(file), std::vector<Sprite>(1));
}

TEST(LibraryFile, BytesAfterTheLastRecordAreIgnored) {
    const std::vector<uint8_t> file = Concat(WriteLibraryFile({Numbered(5)}, {false}), Bytes("trailing"));
    EXPECT_EQ(ReadLibraryFile(file), std::vector<Sprite>{Numbered(5)});
}

TEST(LibraryFile, Refusals) {
    const std::vector<uint8_t> good = WriteLibraryFile({Numbered(1), Numbered(2)}, {false, false});
    std::vector<uint8_t> lowerCase = good;
    lowerCase[0] = 'p';
    std::vector<uint8_t> oneRecordShort = good;
    oneRecordShort.resize(good.size() - 1);
    std::vector<uint8_t> huge = good;
    huge[3] = huge[4] = huge[5] = 0xFF;
    huge[6] = 0x7F;
    std::vector<uint8_t> belowMinusOne = good;
    belowMinusOne[3] = 0xFE;
    belowMinusOne[4] = belowMinusOne[5] = belowMinusOne[6] = 0xFF;
    for (const auto& file : {lowerCase, oneRecordShort, huge, belowMinusOne, Bytes("PXL\1\0"), Bytes("PX"),
                             std::vector<uint8_t>{}, WriteSpriteFile(Numbered(0))}) {
        EXPECT_FALSE(ReadLibraryFile(file)) << file.size() << " bytes";
    }
}

TEST(SpriteFile, MagicThenTheRecordRowByRow) {
    Sprite sprite;
    sprite.Pixels(0, 0) = 1;
    sprite.Pixels(15, 0) = 2;
    sprite.Pixels(0, 1) = 3;
    sprite.Pixels(15, 15) = 4;
    const std::vector<uint8_t> file = WriteSpriteFile(sprite);
    ASSERT_EQ(file.size(), 261u);
    EXPECT_EQ(std::string(file.begin(), file.begin() + 5), "PMSPR");
    EXPECT_EQ(file[5], 1);
    EXPECT_EQ(file[20], 2);
    EXPECT_EQ(file[21], 3);
    EXPECT_EQ(file[260], 4);
    EXPECT_EQ(ReadSpriteFile(file), sprite);
    EXPECT_EQ(ReadSpriteFile(Concat(file, Bytes("more"))), sprite);
}

TEST(SpriteFile, Refusals) {
    std::vector<uint8_t> lowerCase = WriteSpriteFile(Numbered(1));
    lowerCase[1] = 'm';
    std::vector<uint8_t> short_ = WriteSpriteFile(Numbered(1));
    short_.pop_back();
    for (const auto& file : {lowerCase, short_, Bytes("PMSPR"), WriteLibraryFile({Numbered(1)}, {false})}) {
        EXPECT_FALSE(ReadSpriteFile(file)) << file.size() << " bytes";
    }
}

std::string Hex(std::span<const uint8_t> bytes) {
    static const char digits[] = "0123456789ABCDEF";
    std::string text;
    for (uint8_t b : bytes) {
        if (!text.empty()) text += ' ';
        text += digits[b >> 4];
        text += digits[b & 15];
    }
    return text;
}

std::string Repeat(const std::string& group, int times) {
    std::string text;
    for (int i = 0; i < times; ++i) text += (i ? " " : "") + group;
    return text;
}

TEST(RawSpriteBlock, TransparentEverywhere) {
    const RawSpriteBlock block = EncodeRawSpriteBlock(Filled(CodeMask), IsDark);
    const std::string ff = Repeat("FF", 16), zero = Repeat("00", 16);
    EXPECT_EQ(Hex(block), ff + " " + zero + " " + ff + " " + zero);
}

TEST(RawSpriteBlock, OneDarkPixelSetsOneBit) {
    struct Case {
        int x, y;
        size_t byte;
        uint8_t value;
    };
    for (const Case& c : {Case{0, 0, 16, 0x01}, Case{15, 15, 63, 0x80}, Case{9, 3, 49, 0x08}, Case{2, 9, 26, 0x02},
                          Case{8, 8, 56, 0x01}}) {
        Sprite sprite;
        sprite.Pixels(c.x, c.y) = CodeDark;
        const RawSpriteBlock block = EncodeRawSpriteBlock(sprite, IsDark);
        for (size_t i = 0; i < block.size(); ++i) {
            EXPECT_EQ(block[i], i == c.byte ? c.value : 0) << c.x << "," << c.y << " byte " << i;
        }
    }
}

TEST(RawSpriteBlock, GreyIsDarkOnlyWhereTheTestSaysSo) {
    Sprite sprite;
    sprite.Pixels(0, 0) = CodeMid;
    sprite.Pixels(1, 0) = CodeMarker;
    sprite.Pixels(2, 0) = 9;  // an unknown code sets no bit
    EXPECT_EQ(EncodeRawSpriteBlock(sprite, IsDark), RawSpriteBlock{});
    RawSpriteBlock expected{};
    expected[16] = 0x01;
    EXPECT_EQ(EncodeRawSpriteBlock(sprite, IsDarkOrGrey), expected);
}

TEST(RawSpriteBlock, GreyCheckerboards) {
    const Sprite grey = Filled(CodeMid);
    const std::string odd = Repeat("AA 55", 4), even = Repeat("55 AA", 4), zero = Repeat("00", 8);
    const auto image = [](const std::string& group) { return Repeat(Repeat("00", 8), 2) + " " + Repeat(group, 2); };
    EXPECT_EQ(Hex(EncodeRawSpriteBlock(grey, IsDarkOrOddGrey)), image(odd) + " " + image(odd));
    EXPECT_EQ(Hex(EncodeRawSpriteBlock(grey, IsDarkOrEvenGrey)), image(even) + " " + image(even));
    // Dark is set in both frames; transparent only in the masks.
    Sprite sprite;
    sprite.Pixels(3, 4) = CodeDark;
    sprite.Pixels(12, 2) = CodeMask;
    for (PixelTest test : {IsDarkOrOddGrey, IsDarkOrEvenGrey}) {
        const RawSpriteBlock block = EncodeRawSpriteBlock(sprite, test);
        EXPECT_EQ(block[16 + 3], 0x10);
        EXPECT_EQ(block[32 + 4], 0x04);
        EXPECT_EQ(block[48 + 4], 0x00);
    }
}

TEST(RawSprites, BlocksBackToBackInOrder) {
    const std::vector<Sprite> sprites{Filled(CodeDark), Filled(CodeLight), Filled(CodeMask)};
    const std::vector<uint8_t> raw = EncodeRawSprites(sprites, IsDark);
    ASSERT_EQ(raw.size(), 192u);
    EXPECT_EQ(raw[16], 0xFF);
    EXPECT_EQ(raw[64 + 16], 0x00);
    EXPECT_EQ(raw[128], 0xFF);
}

TEST(RawSpriteBlock, Decoding) {
    RawSpriteBlock block{};
    std::fill(block.begin(), block.begin() + 16, 0xFF);
    Sprite expected;
    for (int y = 0; y < 16; ++y)
        for (int x = 0; x < 8; ++x) expected.Pixels(x, y) = CodeMask;
    EXPECT_EQ(DecodeRawSpriteBlock(block), expected);

    block = {};
    block[40 + 2] = 0x04;  // mask of (10, 10)
    block[56 + 2] = 0x06;  // image of (10, 9) and (10, 10)
    const Sprite both = DecodeRawSpriteBlock(block);
    EXPECT_EQ(both.Pixels(10, 10), CodeMask);
    EXPECT_EQ(both.Pixels(10, 9), CodeDark);
}

TEST(RawSpriteBlock, RoundTripKeepsLightDarkAndTransparent) {
    const Sprite sprite = Numbered(0);  // codes 0 to 4
    const RawSpriteBlock block = EncodeRawSpriteBlock(sprite, IsDark);
    const Sprite back = DecodeRawSpriteBlock(block);
    for (int i = 0; i < 256; ++i) {
        const uint8_t code = sprite.bytes[i];
        const uint8_t expected = code == CodeMid || code == CodeMarker ? uint8_t(CodeLight) : code;
        EXPECT_EQ(back.bytes[i], expected) << i;
    }
}

}  // namespace
