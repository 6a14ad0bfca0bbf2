#include "sprite_files.h"

#include <algorithm>
#include <cstring>
#include <string_view>

namespace {

constexpr std::string_view kLibraryMagic = "PXL";
constexpr std::string_view kSpriteMagic = "PMSPR";
constexpr size_t kRecordSize = sizeof(Sprite::bytes);
constexpr size_t kLibraryHeaderSize = kLibraryMagic.size() + 4;
// The library's records lie back to back in memory as in the file.
static_assert(sizeof(Sprite) == kRecordSize);

bool StartsWith(std::span<const uint8_t> file, std::string_view magic) {
    return file.size() >= magic.size() && std::equal(magic.begin(), magic.end(), file.begin());
}

// A file's bytes, starting with its magic.
std::vector<uint8_t> StartFile(std::string_view magic, size_t size) {
    std::vector<uint8_t> out(magic.begin(), magic.end());
    out.reserve(size);
    return out;
}

void Append(std::vector<uint8_t>& out, const Sprite& sprite) {
    out.insert(out.end(), sprite.bytes.begin(), sprite.bytes.end());
}

Sprite RecordAt(std::span<const uint8_t> file, size_t offset) {
    Sprite sprite;
    std::memcpy(sprite.bytes.data(), file.data() + offset, kRecordSize);
    return sprite;
}

}  // namespace

bool WriteLibraryFile(const std::vector<Sprite>& sprites, const std::vector<bool>& deleted, const ByteSink& sink) {
    const int32_t kept = int32_t(std::count(deleted.begin(), deleted.end(), false));
    std::vector<uint8_t> header(kLibraryMagic.begin(), kLibraryMagic.end());
    const uint32_t last = uint32_t(kept - 1);
    for (int i = 0; i < 4; ++i) header.push_back(uint8_t(last >> (8 * i)));
    if (!sink(header)) return false;
    for (size_t i = 0; i < sprites.size(); ++i) {
        if (!deleted[i] && !sink(sprites[i].bytes)) return false;
    }
    return true;
}

std::vector<uint8_t> WriteLibraryFile(const std::vector<Sprite>& sprites, const std::vector<bool>& deleted) {
    std::vector<uint8_t> out;
    out.reserve(kLibraryHeaderSize + sprites.size() * kRecordSize);
    WriteLibraryFile(sprites, deleted, AppendTo(out));
    return out;
}

std::optional<std::vector<Sprite>> ReadLibraryFile(const ByteSource& source, uint64_t fileSize) {
    std::array<uint8_t, kLibraryHeaderSize> header;
    if (fileSize < kLibraryHeaderSize || source(header) != header.size() || !StartsWith(header, kLibraryMagic)) {
        return std::nullopt;
    }
    const int32_t last = int32_t(uint32_t(header[3]) | uint32_t(header[4]) << 8 | uint32_t(header[5]) << 16 |
                                 uint32_t(header[6]) << 24);
    if (last == -1) return std::vector<Sprite>(1);
    // The file must hold every record it announces; this also bounds what is
    // allocated by the file's own size.
    const uint64_t records = (fileSize - kLibraryHeaderSize) / kRecordSize;
    if (last < 0 || uint64_t(last) + 1 > records) return std::nullopt;
    std::vector<Sprite> sprites(size_t(last) + 1);
    const std::span<uint8_t> bytes(reinterpret_cast<uint8_t*>(sprites.data()), sprites.size() * kRecordSize);
    if (source(bytes) != bytes.size()) return std::nullopt;  // cut short while it was read
    return sprites;
}

std::optional<std::vector<Sprite>> ReadLibraryFile(std::span<const uint8_t> file) {
    return ReadLibraryFile(ReadFrom(file), file.size());
}

std::vector<uint8_t> WriteSpriteFile(const Sprite& sprite) {
    std::vector<uint8_t> out = StartFile(kSpriteMagic, kSpriteMagic.size() + kRecordSize);
    Append(out, sprite);
    return out;
}

std::optional<Sprite> ReadSpriteFile(std::span<const uint8_t> file) {
    if (!StartsWith(file, kSpriteMagic) || file.size() < kSpriteMagic.size() + kRecordSize) return std::nullopt;
    return RecordAt(file, kSpriteMagic.size());
}

bool IsMask(uint8_t code, int, int) { return code == CodeMask; }
bool IsDark(uint8_t code, int, int) { return code == CodeDark; }
bool IsDarkOrGrey(uint8_t code, int, int) { return code == CodeDark || code == CodeMid; }
bool IsDarkOrOddGrey(uint8_t code, int x, int y) { return code == CodeDark || (code == CodeMid && (x + y) % 2 == 1); }
bool IsDarkOrEvenGrey(uint8_t code, int x, int y) { return code == CodeDark || (code == CodeMid && (x + y) % 2 == 0); }

namespace {

// One 16-byte piece: the group of rows 0 to 7 of columns x0 to x0 + 7, then
// the group of rows 8 to 15.
void EncodePiece(const Sprite& sprite, int x0, PixelTest test, uint8_t* piece) {
    for (int k = 0; k < 8; ++k) {
        uint8_t top = 0, bottom = 0;
        for (int b = 0; b < 8; ++b) {
            if (test(sprite.Pixels(x0 + k, b), x0 + k, b)) top |= uint8_t(1u << b);
            if (test(sprite.Pixels(x0 + k, 8 + b), x0 + k, 8 + b)) bottom |= uint8_t(1u << b);
        }
        piece[k] = top;
        piece[8 + k] = bottom;
    }
}

void DecodePiece(const uint8_t* piece, int x0, uint8_t code, Sprite& sprite) {
    for (int k = 0; k < 8; ++k) {
        for (int b = 0; b < 8; ++b) {
            for (const int y : {b, 8 + b}) {
                const uint8_t byte = piece[y < 8 ? k : 8 + k];
                uint8_t& pixel = sprite.Pixels(x0 + k, y);
                if (byte >> b & 1 && pixel != CodeMask) pixel = code;
            }
        }
    }
}

}  // namespace

RawSpriteBlock EncodeRawSpriteBlock(const Sprite& sprite, PixelTest image) {
    RawSpriteBlock block{};
    EncodePiece(sprite, 0, IsMask, block.data());
    EncodePiece(sprite, 0, image, block.data() + 16);
    EncodePiece(sprite, 8, IsMask, block.data() + 32);
    EncodePiece(sprite, 8, image, block.data() + 48);
    return block;
}

bool EncodeRawSprites(std::span<const Sprite> sprites, PixelTest image, const ByteSink& sink) {
    for (const Sprite& sprite : sprites) {
        if (!sink(EncodeRawSpriteBlock(sprite, image))) return false;
    }
    return true;
}

std::vector<uint8_t> EncodeRawSprites(std::span<const Sprite> sprites, PixelTest image) {
    std::vector<uint8_t> out;
    out.reserve(sprites.size() * kRawSpriteBlockSize);
    EncodeRawSprites(sprites, image, AppendTo(out));
    return out;
}

Sprite DecodeRawSpriteBlock(std::span<const uint8_t, kRawSpriteBlockSize> block) {
    Sprite sprite;  // every pixel light
    DecodePiece(block.data(), 0, CodeMask, sprite);
    DecodePiece(block.data() + 16, 0, CodeDark, sprite);
    DecodePiece(block.data() + 32, 8, CodeMask, sprite);
    DecodePiece(block.data() + 48, 8, CodeDark, sprite);
    return sprite;
}
