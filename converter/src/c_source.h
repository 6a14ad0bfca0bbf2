// Raw bytes as C source, for programs built with a C compiler:
//
//   /* NAME: 768 bytes, made by dotpress -k from title.png */
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
#include <functional>
#include <memory>
#include <span>
#include <string>
#include <string_view>

// A C identifier (letters, digits and '_', not a digit first) that is no
// keyword of C, no name reserved to the compiler ('_' and a capital or a
// second '_'), and not PM_ROM, which the file defines itself.
bool IsCName(std::string_view name);

// What the comment above an array says besides its name and size: the
// program with the options that made it ("dotpress -k"), and the input
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

// One array written as its bytes come, in pieces through a buffer of a fixed
// size, so that a large output needs little memory: the opening, the values,
// and with Finish the closing. The size is announced before the first value,
// so it must be known in advance; the writer holds the bytes to it.
class CArrayWriter {
public:
    // Takes the next piece of text; false when it could not be written.
    using Sink = std::function<bool(std::span<const uint8_t>)>;

    CArrayWriter(std::string_view name, size_t size, const CArrayOrigin& origin, Sink sink);

    // False when the sink refused text, or the bytes run past the size.
    bool Write(std::span<const uint8_t> bytes);
    // False when the bytes written fall short of the size, or the sink
    // refused text.
    bool Finish();

private:
    bool HandOn();

    Sink sink_;
    std::unique_ptr<char[]> buffer_;
    size_t capacity_ = 0;
    size_t used_ = 0;
    size_t size_;
    size_t written_ = 0;
};
