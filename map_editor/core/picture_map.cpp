#include "picture_map.h"

#include <algorithm>
#include <array>
#include <optional>
#include <unordered_map>

#include "map_editing.h"
#include "tile_set.h"

namespace tilora {

namespace {

constexpr int kPixelBytes = 4;

// A cell's 64 pixels, row by row, each as the colour it counts as: red,
// green and blue in the low 24 bits, or for a transparent pixel a key no
// opaque colour has.
using Cell = std::array<uint32_t, kTileSize * kTileSize>;
constexpr uint32_t kTransparentKey = 0xFF000000;
constexpr uint32_t kMagentaKey = MakeRgb(kMagenta[0], kMagenta[1], kMagenta[2]);

// Cell (column, row) of the picture; its transparent pixels become transparentKey.
void ReadCell(const PicturePixels& picture, int32_t column, int32_t row, uint32_t transparentKey, Cell& cell) {
    const size_t stride = size_t(picture.width) * kPixelBytes;
    const uint8_t* line = picture.rgba.data() + size_t(row) * kTileSize * stride + size_t(column) * kTileSize * kPixelBytes;
    for (int y = 0; y < kTileSize; ++y, line += stride) {
        for (int x = 0; x < kTileSize; ++x) {
            const uint8_t* pixel = line + x * kPixelBytes;
            cell[size_t(y * kTileSize + x)] = pixel[3] < 128 ? transparentKey : MakeRgb(pixel[0], pixel[1], pixel[2]);
        }
    }
}

// FNV-1a over the pixels, its bits mixed at the end so that cells which
// differ only in their high bits still spread over the buckets.
uint64_t HashOf(const Cell& cell) {
    uint64_t hash = 0xcbf29ce484222325;
    for (const uint32_t pixel : cell) hash = (hash ^ pixel) * 0x100000001b3;
    hash ^= hash >> 33;
    hash *= 0xff51afd7ed558ccd;
    return hash ^ hash >> 33;
}

// The tiles met so far, by the hashes of their cells, so that a cell is
// compared with the few tiles of its hash and not with every tile.
class TileIndex {
public:
    // The tile with the cell's hash for which equal(tile) holds, if any.
    template <typename Equal>
    std::optional<uint32_t> Find(uint64_t hash, Equal equal) const {
        const auto [first, last] = tiles_.equal_range(hash);
        for (auto it = first; it != last; ++it) {
            if (equal(it->second)) return it->second;
        }
        return std::nullopt;
    }
    void Add(uint64_t hash, uint32_t tile) { tiles_.emplace(hash, tile); }

private:
    std::unordered_multimap<uint64_t, uint32_t> tiles_;
};

// Why a picture of this size makes no map; empty when it does.
std::string SizeRefusal(const PicturePixels& picture, std::string_view name) {
    const std::string size = std::string(name) + " is " + std::to_string(picture.width) + " x " +
                             std::to_string(picture.height) + " pixels: ";
    if (picture.width % kTileSize != 0 || picture.height % kTileSize != 0) {
        return size + "a map picture's sides are multiples of 8.";
    }
    if (!IsMapSize(picture.width / kTileSize, picture.height / kTileSize)) {
        return size + "a map's sides are 1 to " + std::to_string(kLargestMapSide) + " tiles.";
    }
    return {};
}

// Calls visit(column, row) for every cell of the picture, row by row.
template <typename Visit>
void ForEachCell(const CellArray& map, Visit visit) {
    for (int32_t row = 0; row < map.Height(); ++row) {
        for (int32_t column = 0; column < map.Width(); ++column) visit(column, row);
    }
}

}  // namespace

PictureMap CutPicture(const PicturePixels& picture, std::string_view name) {
    PictureMap map;
    map.refusal = SizeRefusal(picture, name);
    if (!map.refusal.empty()) return map;
    const int32_t columns = picture.width / kTileSize;
    map.tiles = CellArray(columns, picture.height / kTileSize);
    TileIndex index;
    Cell cell, tile;
    ForEachCell(map.tiles, [&](int32_t column, int32_t row) {
        ReadCell(picture, column, row, kTransparentKey, cell);
        const uint64_t hash = HashOf(cell);
        std::optional<uint32_t> number = index.Find(hash, [&](uint32_t k) {
            ReadCell(picture, int32_t(map.tileCells[k] % uint32_t(columns)), int32_t(map.tileCells[k] / uint32_t(columns)),
                     kTransparentKey, tile);
            return tile == cell;
        });
        if (!number) {
            number = uint32_t(map.tileCells.size());
            map.tileCells.push_back(uint32_t(row) * uint32_t(columns) + uint32_t(column));
            index.Add(hash, *number);
        }
        map.tiles(column, row) = uint8_t(*number);
    });
    if (map.tileCells.size() > size_t(kTileCount)) {
        map.refusal = std::string(name) + " needs " + std::to_string(map.tileCells.size()) +
                      " different tiles; a map can use " + std::to_string(kTileCount) + ".";
        map.tiles = {};
        map.tileCells.clear();
    }
    return map;
}

PictureMap MatchPicture(const PicturePixels& picture, const PicturePixels& tileSet, std::string_view name) {
    PictureMap map;
    map.refusal = SizeRefusal(picture, name);
    if (!map.refusal.empty()) return map;
    const int32_t setColumns = tileSet.width / kTileSize;
    const int32_t setTiles = std::min(setColumns * (tileSet.height / kTileSize), kTileCount);
    std::vector<Cell> tiles(size_t(std::max(setTiles, 0)));
    TileIndex index;
    for (int32_t k = 0; k < setTiles; ++k) {
        ReadCell(tileSet, k % setColumns, k / setColumns, kTransparentKey, tiles[size_t(k)]);
        const uint64_t hash = HashOf(tiles[size_t(k)]);
        if (!index.Find(hash, [&](uint32_t j) { return tiles[j] == tiles[size_t(k)]; })) index.Add(hash, uint32_t(k));
    }
    const uint32_t transparentKey = tileSet.transparency ? kTransparentKey : kMagentaKey;
    map.tiles = CellArray(picture.width / kTileSize, picture.height / kTileSize);
    size_t unmatched = 0;
    int32_t firstX = 0, firstY = 0;
    Cell cell;
    ForEachCell(map.tiles, [&](int32_t column, int32_t row) {
        ReadCell(picture, column, row, transparentKey, cell);
        const auto number = index.Find(HashOf(cell), [&](uint32_t k) { return tiles[k] == cell; });
        if (number) {
            map.tiles(column, row) = uint8_t(*number);
        } else if (unmatched++ == 0) {
            firstX = column * kTileSize;
            firstY = row * kTileSize;
        }
    });
    if (unmatched > 0) {
        map.refusal = std::to_string(unmatched) + " cells of " + std::string(name) +
                      " match no tile of the tile set; the first is at " + std::to_string(firstX) + ", " +
                      std::to_string(firstY) + ".";
        map.tiles = {};
    }
    return map;
}

int32_t TileSetHeight(size_t tiles) { return int32_t((tiles + kSheetColumns - 1) / kSheetColumns) * kTileSize; }

std::vector<uint8_t> DrawTileSet(const PicturePixels& picture, std::span<const uint32_t> tileCells, bool transparency) {
    const std::array<uint8_t, kPixelBytes> empty =
        transparency ? std::array<uint8_t, kPixelBytes>{0, 0, 0, 0}
                     : std::array<uint8_t, kPixelBytes>{kMagenta[0], kMagenta[1], kMagenta[2], 255};
    const size_t stride = size_t(kTileSetWidth) * kPixelBytes;
    std::vector<uint8_t> pixels(stride * size_t(TileSetHeight(tileCells.size())));
    for (size_t at = 0; at < pixels.size(); at += kPixelBytes) std::copy(empty.begin(), empty.end(), pixels.begin() + ptrdiff_t(at));
    const size_t columns = size_t(picture.width / kTileSize);
    const size_t pictureStride = size_t(picture.width) * kPixelBytes;
    for (size_t k = 0; k < tileCells.size(); ++k) {
        const size_t left = tileCells[k] % columns * kTileSize, top = tileCells[k] / columns * kTileSize;
        for (int y = 0; y < kTileSize; ++y) {
            const uint8_t* from = picture.rgba.data() + (top + size_t(y)) * pictureStride + left * kPixelBytes;
            uint8_t* to = pixels.data() + size_t(SheetY(int(k)) + y) * stride + size_t(SheetX(int(k))) * kPixelBytes;
            for (int x = 0; x < kTileSize; ++x, from += kPixelBytes, to += kPixelBytes) {
                if (from[3] < 128) {
                    std::copy(empty.begin(), empty.end(), to);
                } else {
                    std::copy(from, from + 3, to);
                    to[3] = 255;
                }
            }
        }
    }
    return pixels;
}

}  // namespace tilora
