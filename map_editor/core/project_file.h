// The Tilora project file (.tlp): the whole document in one file.
//
//   offset 0           "TLP"
//   offset 3           map width in cells, 32-bit signed, low byte first
//   offset 7           map height in cells, the same
//   offset 11          the tile-set path, 256 bytes, filled up with spaces
//   offset 267         the tile number of every cell, one byte each
//   offset 267 + W*H   the col flag of every cell, one byte each
//
// Both cell blocks are in storage order, row by row from the top row.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "editor_state.h"

namespace tilora {

constexpr size_t kTilePathBytes = 256;
constexpr size_t kProjectHeaderBytes = 3 + 4 + 4 + kTilePathBytes;

struct MapProject {
    std::string tilePath;  // the path's bytes, without the padding spaces
    CellArray tiles;       // its width and height are the map's
    CellArray col;

    friend bool operator==(const MapProject&, const MapProject&) = default;
};

// The path's bytes as the file keeps them: at most 256, a path that is longer
// cut before the UTF-8 character that would not fit whole.
std::string_view FitTilePath(std::string_view path);

// The file for a map; tiles and col have the same size. Without a map (0 x 0)
// it is the header alone.
std::vector<uint8_t> WriteProjectFile(std::string_view tilePath, const CellArray& tiles, const CellArray& col);

// The document in a file, or nothing when the file is no project: a magic
// other than "TLP" (case counts), a width or height below 1, or a file that
// ends before both cell blocks are complete. Bytes after them are ignored.
std::optional<MapProject> ReadProjectFile(std::span<const uint8_t> file);

}  // namespace tilora
