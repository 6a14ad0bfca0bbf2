// Raw Pokemon Mini maps: one byte per cell, the tile number, row by row from
// the top row, with no header, so the size has to come from elsewhere. The
// col flags go to a companion file of the same layout. The screen-repeat form
// has rows of width + 12 bytes: each row, then its first 12 cells again (one
// screen width), wrapping round a row narrower than that.
#pragma once

#include <cstdint>
#include <span>
#include <vector>

#include "byte_stream.h"
#include "editor_state.h"

namespace tilora {

constexpr int32_t kScreenRepeatCells = 12;

// The plain forms of the map and of its col file are the cells' bytes as they
// are stored (CellArray::Bytes).

// The screen-repeat form, into sink a band of rows at a time. False when the
// sink refused bytes.
bool WriteRawMapWithRepeat(const CellArray& tiles, const ByteSink& sink);
std::vector<uint8_t> WriteRawMapWithRepeat(const CellArray& tiles);

// Reads a raw map into tiles, whose size says how the file is laid out. The
// repeated cells of the screen-repeat form land once more on the cells they
// repeat, the byte read last winning. Cells for which a short file has no
// byte keep what they hold; bytes past the map's last cell are not read.
void ReadRawMap(const ByteSource& source, bool screenRepeat, CellArray& tiles);
void ReadRawMap(std::span<const uint8_t> file, bool screenRepeat, CellArray& tiles);

}  // namespace tilora
