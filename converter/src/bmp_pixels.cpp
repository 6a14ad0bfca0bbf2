#include "bmp_pixels.h"

#include <algorithm>
#include <array>
#include <bit>

namespace bmp {

namespace {

using ColourTable = std::array<tagRGBTRIPLE, 256>;

// Entries beyond the end of the file are black.
ColourTable ReadColourTable(std::span<const uint8_t> file, const Headers& h) {
    ColourTable table{};
    const uint64_t start = ColourTableStart(h);
    const size_t entrySize = ColourTableEntrySize(h);
    const size_t entries = size_t(1) << h.biBitCount;
    for (size_t i = 0; i < entries; ++i) {
        const uint64_t at = start + entrySize * i;
        if (at + 3 > file.size()) break;
        table[i] = tagRGBTRIPLE{file[at], file[at + 1], file[at + 2]};
    }
    return table;
}

// Pixel i of packed indices, the leftmost pixel in the most significant bits
// of a byte.
uint8_t PackedIndex(const uint8_t* bytes, size_t i, uint32_t depth) {
    if (depth == 8) return bytes[i];
    const uint32_t perByte = 8 / depth;
    const uint32_t shift = (perByte - 1 - uint32_t(i % perByte)) * depth;
    return uint8_t((bytes[i / perByte] >> shift) & ((1u << depth) - 1));
}

uint32_t ImageRow(const RowLayout& rows, uint32_t fileRow) {
    return rows.topDown ? fileRow : rows.height - 1 - fileRow;
}

// Hands each uncompressed file row to `decodeRow` with the image row it becomes.
template <typename DecodeRow>
void ForEachRow(std::span<const uint8_t> file, const Headers& h, const RowLayout& rows, tagRGBTRIPLE* image,
                DecodeRow decodeRow) {
    for (uint32_t fileRow = 0; fileRow < rows.height; ++fileRow) {
        const uint8_t* in = file.data() + h.bfOffBits + fileRow * rows.stride;
        decodeRow(in, image + size_t(ImageRow(rows, fileRow)) * rows.width);
    }
}

// One colour channel of a 16- or 32-bit pixel: the bits of its mask, made 8
// bits wide by repeating them when there are fewer (a 5-bit v gives
// v << 3 | v >> 2), so that the brightest value is 255, or their top 8 bits
// when there are more. An empty mask gives 0.
class Channel {
public:
    explicit Channel(uint32_t mask) : mask_(mask) {
        if (mask == 0) return;
        const int shift = std::countr_zero(mask);
        const int bits = std::bit_width(mask) - shift;
        drop_ = shift + std::max(bits - 8, 0);
        for (uint32_t v = 0; v < 256; ++v) widened_[v] = Widen(v, std::min(bits, 8));
    }
    uint8_t operator()(uint32_t pixel) const { return widened_[(pixel & mask_) >> drop_]; }

private:
    static uint8_t Widen(uint32_t v, int bits) {
        uint32_t out = v << (8 - bits);
        for (int filled = bits; filled < 8; filled *= 2) out |= out >> filled;
        return uint8_t(out);
    }

    uint32_t mask_;
    int drop_ = 0;
    std::array<uint8_t, 256> widened_{};
};

struct Masks {
    uint32_t red, green, blue;
};

// BI_BITFIELDS masks follow the 40 fields of the info header, inside the
// later header versions; without them 16 bits are 5-5-5, 32 bits 8-8-8 with
// the top byte unused.
Masks PixelMasks(std::span<const uint8_t> file, const Headers& h) {
    if (h.biCompression == kBitfields) {
        const size_t at = kFileHeaderSize + kInfoHeaderSize;
        return {ReadU32(file, at), ReadU32(file, at + 4), ReadU32(file, at + 8)};
    }
    if (h.biBitCount == 16) return {0x7C00, 0x03E0, 0x001F};
    return {0xFF0000, 0x00FF00, 0x0000FF};
}

uint32_t LittleEndian(const uint8_t* bytes, uint32_t count) {
    uint32_t value = 0;
    for (uint32_t i = 0; i < count; ++i) value |= uint32_t(bytes[i]) << (8 * i);
    return value;
}

// Where a run-length stream puts its next pixel: a column, and a row counted
// in file order. Both stop at the picture's edge, where pixels are dropped.
class RunLengthCursor {
public:
    RunLengthCursor(const RowLayout& rows, const ColourTable& table, tagRGBTRIPLE* image)
        : rows_(rows), table_(table), image_(image) {}

    bool Finished() const { return row_ >= rows_.height; }
    void Put(uint8_t index) {
        if (x_ == rows_.width) return;
        image_[size_t(ImageRow(rows_, row_)) * rows_.width + x_++] = table_[index];
    }
    void NextLine() {
        ++row_;
        x_ = 0;
    }
    void Move(uint8_t right, uint8_t down) {
        x_ = std::min(x_ + right, rows_.width);
        row_ = std::min(row_ + down, rows_.height);
    }

private:
    const RowLayout& rows_;
    const ColourTable& table_;
    tagRGBTRIPLE* image_;
    uint32_t x_ = 0;
    uint32_t row_ = 0;
};

// The commands of RLE8 and RLE4: a count and a value repeat the value's
// pixels; a 0 count escapes to the end of a line (0), of the bitmap (1), a
// move (2, then right and down), or that many pixels given one by one, padded
// to a multiple of 2 bytes.
class RunLengthStream {
public:
    RunLengthStream(std::span<const uint8_t> bytes, uint32_t depth) : bytes_(bytes), depth_(depth) {}

    // True when the stream ended with its end mark or filled the picture,
    // false when its bytes ran out first.
    bool PlayInto(RunLengthCursor& cursor) {
        while (!cursor.Finished()) {
            if (!Has(2)) return false;
            const uint8_t count = bytes_[at_], value = bytes_[at_ + 1];
            at_ += 2;
            if (count > 0) {
                for (uint32_t i = 0; i < count; ++i) cursor.Put(PackedIndex(&value, i % (8 / depth_), depth_));
            } else if (value == 1) {
                return true;
            } else if (!Escape(value, cursor)) {
                return false;
            }
        }
        return true;
    }

private:
    bool Has(size_t count) const { return bytes_.size() - at_ >= count; }

    // False when the bytes the escape needs are missing.
    bool Escape(uint8_t code, RunLengthCursor& cursor) {
        if (code == 0) {
            cursor.NextLine();
            return true;
        }
        const size_t bytes = code == 2 ? 2 : (size_t(code) * depth_ + 7) / 8;
        if (!Has(bytes)) return false;
        const uint8_t* data = bytes_.data() + at_;
        if (code == 2) {
            cursor.Move(data[0], data[1]);
        } else {
            for (uint32_t i = 0; i < code; ++i) cursor.Put(PackedIndex(data, i, depth_));
        }
        at_ = std::min(bytes_.size(), at_ + (bytes + 1) / 2 * 2);
        return true;
    }

    std::span<const uint8_t> bytes_;
    uint32_t depth_;
    size_t at_ = 0;
};

}  // namespace

void DecodeIndexedRows(std::span<const uint8_t> file, const Headers& h, const RowLayout& rows, tagRGBTRIPLE* image) {
    const ColourTable table = ReadColourTable(file, h);
    ForEachRow(file, h, rows, image, [&](const uint8_t* in, tagRGBTRIPLE* out) {
        for (uint32_t x = 0; x < rows.width; ++x) out[x] = table[PackedIndex(in, x, h.biBitCount)];
    });
}

void DecodeMaskedRows(std::span<const uint8_t> file, const Headers& h, const RowLayout& rows, tagRGBTRIPLE* image) {
    const Masks masks = PixelMasks(file, h);
    const Channel red(masks.red), green(masks.green), blue(masks.blue);
    const uint32_t bytes = h.biBitCount / 8;
    ForEachRow(file, h, rows, image, [&](const uint8_t* in, tagRGBTRIPLE* out) {
        for (uint32_t x = 0; x < rows.width; ++x) {
            const uint32_t pixel = LittleEndian(in + size_t(x) * bytes, bytes);
            out[x] = tagRGBTRIPLE{blue(pixel), green(pixel), red(pixel)};
        }
    });
}

bool DecodeRunLength(std::span<const uint8_t> file, const Headers& h, const RowLayout& rows, tagRGBTRIPLE* image) {
    const ColourTable table = ReadColourTable(file, h);
    std::fill_n(image, size_t(rows.width) * rows.height, table[0]);
    const uint64_t announcedEnd = RunLengthEnd(h);
    const size_t start = std::min<size_t>(h.bfOffBits, file.size());
    const size_t end = size_t(std::clamp<uint64_t>(announcedEnd, start, file.size()));
    RunLengthCursor cursor(rows, table, image);
    const bool complete = RunLengthStream(file.subspan(start, end - start), h.biBitCount).PlayInto(cursor);
    return complete || file.size() >= announcedEnd;
}

}  // namespace bmp
