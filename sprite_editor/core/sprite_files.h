// Pixolin's files, as pure functions between bytes and sprites: the library
// file (.pxl), the single sprite file (.pxs) and the raw Pokemon Mini sprite
// data with mask.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <span>
#include <vector>

#include "byte_stream.h"
#include "sprite.h"

// --- Library file: "PXL", the last index L (32-bit signed, little-endian), then
// L + 1 sprite records of 256 bytes. Deleted sprites are left out.

// Into sink, the records straight from the sprites; false when the sink
// refused bytes.
bool WriteLibraryFile(const std::vector<Sprite>& sprites, const std::vector<bool>& deleted, const ByteSink& sink);
std::vector<uint8_t> WriteLibraryFile(const std::vector<Sprite>& sprites, const std::vector<bool>& deleted);

// The sprites of a library file of fileSize bytes, read from source straight
// into the library; none when the magic is wrong or the file is too short for
// the records its last index announces, which is known before the sprites are
// allocated. A last index of -1 (a library whose every sprite was deleted)
// reads as one blank sprite, so a library is never empty.
std::optional<std::vector<Sprite>> ReadLibraryFile(const ByteSource& source, uint64_t fileSize);
std::optional<std::vector<Sprite>> ReadLibraryFile(std::span<const uint8_t> file);

// --- Single sprite file: "PMSPR" and one sprite record.

inline constexpr size_t kSpriteFileSize = 5 + 256;  // what follows is not read

std::vector<uint8_t> WriteSpriteFile(const Sprite& sprite);
// None when the magic is wrong or the file ends before the record does.
std::optional<Sprite> ReadSpriteFile(std::span<const uint8_t> file);

// --- Raw sprite data: RawSpriteBlocks back to back, no header.

inline constexpr size_t kRawSpriteBlockSize = 64;
using RawSpriteBlock = std::array<uint8_t, kRawSpriteBlockSize>;

// Which pixels set their bit in a group: the code and place of a pixel.
using PixelTest = bool (*)(uint8_t code, int x, int y);

bool IsMask(uint8_t code, int x, int y);            // transparent
bool IsDark(uint8_t code, int x, int y);            // dark only: grey is light
bool IsDarkOrGrey(uint8_t code, int x, int y);      // grey counts as dark
bool IsDarkOrOddGrey(uint8_t code, int x, int y);   // grey where x + y is odd
bool IsDarkOrEvenGrey(uint8_t code, int x, int y);  // grey where x + y is even

// The image tests of the raw exports. The single sprite counts grey as light;
// every sprite together counts it as dark. Of the two 2-bit frames the
// single sprite's first has the odd checkerboard, the first of all sprites'
// the even one.
inline constexpr PixelTest kRaw1Image = IsDark;
inline constexpr PixelTest kRaw1AllImage = IsDarkOrGrey;
inline constexpr std::array<PixelTest, 2> kRaw2Frames = {IsDarkOrOddGrey, IsDarkOrEvenGrey};
inline constexpr std::array<PixelTest, 2> kRaw2AllScreens = {IsDarkOrEvenGrey, IsDarkOrOddGrey};

// Four pieces of 16 bytes: left mask, left image, right mask, right image.
// Byte k of a group is the strip of column x0 + k; bit b is row y0 + b.
RawSpriteBlock EncodeRawSpriteBlock(const Sprite& sprite, PixelTest image);

// The blocks of the given sprites, in order, one image test for all; into
// sink a block at a time, false when the sink refused one.
bool EncodeRawSprites(std::span<const Sprite> sprites, PixelTest image, const ByteSink& sink);
std::vector<uint8_t> EncodeRawSprites(std::span<const Sprite> sprites, PixelTest image);

// A mask bit gives a transparent pixel, else an image bit a dark one, else the
// pixel is light.
Sprite DecodeRawSpriteBlock(std::span<const uint8_t, kRawSpriteBlockSize> block);
