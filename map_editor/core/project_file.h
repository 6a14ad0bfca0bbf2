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

#include "byte_stream.h"
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

// The file for a map, into sink: the header, then the cells straight from the
// arrays. tiles and col have the same size; without a map (0 x 0) the file is
// the header alone. False when the sink refused bytes.
bool WriteProjectFile(std::string_view tilePath, const CellArray& tiles, const CellArray& col, const ByteSink& sink);
std::vector<uint8_t> WriteProjectFile(std::string_view tilePath, const CellArray& tiles, const CellArray& col);

// The document in a file of fileSize bytes, its cells read from source
// straight into their arrays; nothing when the file is no project: a magic
// other than "TLP" (case counts), a side outside 1 to kLargestMapSide, or a
// file that ends before both cell blocks are complete. All of that is known
// from the header and the size before the arrays are allocated; an allocation
// that fails all the same throws std::bad_alloc. Bytes after the cells are
// ignored.
std::optional<MapProject> ReadProjectFile(const ByteSource& source, uint64_t fileSize);
std::optional<MapProject> ReadProjectFile(std::span<const uint8_t> file);

}  // namespace tilora
