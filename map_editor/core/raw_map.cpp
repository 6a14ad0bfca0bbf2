#include "raw_map.h"

namespace tilora {

namespace {

// Calls visit(offset, x, y) for every byte of a raw map file of a map of this
// size, in file order: row by row, each row of the screen-repeat form
// followed by its first 12 cells again, wrapping round a narrower row. A
// visit that returns false ends the walk.
template <typename Visit>
void ForEachFileByte(int32_t width, int32_t height, bool screenRepeat, Visit visit) {
    if (width < 1) return;
    const size_t cells = size_t(width);
    const size_t rowBytes = cells + (screenRepeat ? kScreenRepeatCells : 0);
    for (int32_t y = 0; y < height; ++y) {
        for (size_t i = 0; i < rowBytes; ++i) {
            if (!visit(size_t(y) * rowBytes + i, int32_t(i % cells), y)) return;
        }
    }
}

}  // namespace

std::vector<uint8_t> WriteRawMapWithRepeat(const CellArray& tiles) {
    std::vector<uint8_t> out;
    ForEachFileByte(tiles.Width(), tiles.Height(), true, [&](size_t, int32_t x, int32_t y) {
        out.push_back(tiles(x, y));
        return true;
    });
    return out;
}

void ReadRawMap(std::span<const uint8_t> file, bool screenRepeat, CellArray& tiles) {
    ForEachFileByte(tiles.Width(), tiles.Height(), screenRepeat, [&](size_t offset, int32_t x, int32_t y) {
        if (offset >= file.size()) return false;
        tiles(x, y) = file[offset];
        return true;
    });
}

}  // namespace tilora
