#include "raw_map.h"

#include <algorithm>

namespace tilora {

namespace {

// Rows of the screen-repeat form are handed on in bands of about this size.
constexpr size_t kBandBytes = 64 * 1024;

size_t RepeatRowBytes(const CellArray& tiles) { return size_t(tiles.Width()) + kScreenRepeatCells; }

}  // namespace

bool WriteRawMapWithRepeat(const CellArray& tiles, const ByteSink& sink) {
    if (tiles.Width() < 1) return true;
    const size_t rowBytes = RepeatRowBytes(tiles);
    std::vector<uint8_t> band;
    band.reserve(std::max(kBandBytes, rowBytes));
    for (int32_t y = 0; y < tiles.Height(); ++y) {
        for (size_t i = 0; i < rowBytes; ++i) band.push_back(tiles(int32_t(i % size_t(tiles.Width())), y));
        if (band.size() + rowBytes > band.capacity() || y + 1 == tiles.Height()) {
            if (!sink(band)) return false;
            band.clear();
        }
    }
    return true;
}

std::vector<uint8_t> WriteRawMapWithRepeat(const CellArray& tiles) {
    std::vector<uint8_t> out;
    WriteRawMapWithRepeat(tiles, AppendTo(out));
    return out;
}

void ReadRawMap(const ByteSource& source, bool screenRepeat, CellArray& tiles) {
    if (tiles.Width() < 1) return;
    if (!screenRepeat) {
        source(tiles.MutableBytes());
        return;
    }
    std::vector<uint8_t> row(RepeatRowBytes(tiles));
    for (int32_t y = 0; y < tiles.Height(); ++y) {
        const size_t count = source(row);
        for (size_t i = 0; i < count; ++i) tiles(int32_t(i % size_t(tiles.Width())), y) = row[i];
        if (count < row.size()) return;
    }
}

void ReadRawMap(std::span<const uint8_t> file, bool screenRepeat, CellArray& tiles) {
    ReadRawMap(ReadFrom(file), screenRepeat, tiles);
}

}  // namespace tilora
