// A picture drawn elsewhere as a map: cut into 8 x 8 cells, row by row, each
// cell a tile number. Two cells are the same tile when their 64 pixels are
// the same colours, where every pixel of alpha below 128 is one colour,
// transparent, whatever its red, green and blue; the others count by their
// 8-bit red, green and blue alone.
#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "editor_state.h"

namespace tilora {

// A picture's pixels as picture files hold them: 4 bytes each, red, green,
// blue and alpha, row by row from the top row.
struct PicturePixels {
    int32_t width = 0;
    int32_t height = 0;
    std::span<const uint8_t> rgba;  // width x height x 4 bytes
    // False for a format that keeps no transparency (BMP), whose pixels are
    // all opaque and where magenta stands for transparent.
    bool transparency = true;
};

constexpr int kTileSetWidth = kSheetSize;  // a written tile set, 16 tiles to a row
constexpr uint8_t kMagenta[] = {255, 0, 255};

// The map of a picture, or why there is none.
struct PictureMap {
    CellArray tiles;  // (width / 8) x (height / 8)
    // From CutPicture: tile k is the picture's cell number tileCells[k],
    // counting cells row by row.
    std::vector<uint32_t> tileCells;
    std::string refusal;  // the message, naming the picture; empty when there is a map
};

// The different cells become tiles 0, 1, 2, ... in the order they first
// appear. Refused: sides that are no multiples of 8 or more than
// kLargestMapSide cells long, and more than 256 different cells. name is the
// picture as the messages call it. Throws std::bad_alloc when the map does
// not fit in memory.
PictureMap CutPicture(const PicturePixels& picture, std::string_view name);

// Each cell as the number of the tile it equals in a tile set (numbered as
// "Load tiles" numbers them: whole tiles in reading order, the first 256),
// the lowest when several are equal. Against a tile set without
// transparency a transparent pixel is the magenta that stands for it there.
// Refused as CutPicture, and when a cell equals no tile.
PictureMap MatchPicture(const PicturePixels& picture, const PicturePixels& tileSet, std::string_view name);

// The tile set of a cut picture, 128 pixels wide and as high as its rows of
// tiles: tile k at column k mod 16 and row k div 16, in the pixels' form
// (transparent pixels (0, 0, 0, 0), the others opaque). Transparent pixels,
// and the places no tile takes, are magenta without transparency.
std::vector<uint8_t> DrawTileSet(const PicturePixels& picture, std::span<const uint32_t> tileCells,
                                 bool transparency);
int32_t TileSetHeight(size_t tiles);

}  // namespace tilora
