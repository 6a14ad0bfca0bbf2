// Raw bytes as C source, for programs built with a C compiler:
//
//   /* NAME: 768 bytes, made by tilora --export map from level.tlp */
//   #ifndef PM_ROM
//   #define PM_ROM
//   #endif
//   #define NAME_SIZE 768
//   const unsigned char PM_ROM NAME[NAME_SIZE] = {
//       0x00, 0x1f, ... 16 values a line, each followed by a comma
//   };
//
// PM_ROM lets a compiler for the handheld place the array in ROM
// (-DPM_ROM=_rom); other compilers see nothing there. A further array of the
// same file has its own comment line, NAME_SIZE and opening, but no second
// PM_ROM guard. The text is C89, so every C compiler takes it.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "byte_stream.h"

namespace tilora {

// A C identifier (letters, digits and '_', not a digit first) that is no
// keyword of C, no name reserved to the compiler ('_' and a capital or a
// second '_'), and not PM_ROM, which the file defines itself.
bool IsCName(std::string_view name);

// What the comment above an array says besides its name and size: the
// program with the options that made it ("tilora --export map"), and the input
// file, whose folder is left out.
struct CArrayOrigin {
    std::string_view madeBy;
    std::string_view input;
};

// The lines before an array's values; `first` adds the PM_ROM guard. An
// array is never empty, since C has no array of no bytes.
std::string CArrayOpening(std::string_view name, size_t size, const CArrayOrigin& origin, bool first);

// The most characters FormatCValues writes for `count` values.
size_t CValuesRoom(size_t count);
// Writes the text of `values` at `out` and returns its end; `before` values
// of the array went before them, which places the first of them on its line.
// Each value's text comes from a table, so formatting costs little more than
// copying the text.
char* FormatCValues(std::span<const uint8_t> values, size_t before, char* out);

// The text that closes an array of `size` values.
std::string_view CArrayClosing(size_t size);

// One array of an export: NAME, or NAME_col for the col flags.
struct CArray {
    std::string name;
    std::vector<uint8_t> bytes;
};

// The C source of an export's arrays, one after the other, into the sink in
// pieces. False as soon as the sink refuses text.
bool WriteCSource(std::span<const CArray> arrays, const CArrayOrigin& origin, const ByteSink& sink);

}  // namespace tilora
