// A file's bytes in order, piece by piece, so that a large document goes to or
// comes from its file without a second copy of it in memory.
#pragma once

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <span>
#include <vector>

// Takes the next bytes of a file; false when they could not be written, which
// ends the writing.
using ByteSink = std::function<bool(std::span<const uint8_t>)>;

// Fills the bytes given with the next bytes of a file; returns how many there
// were, fewer than asked only at the end of the file.
using ByteSource = std::function<size_t(std::span<uint8_t>)>;

// A sink that appends to bytes.
inline ByteSink AppendTo(std::vector<uint8_t>& bytes) {
    return [&bytes](std::span<const uint8_t> piece) {
        bytes.insert(bytes.end(), piece.begin(), piece.end());
        return true;
    };
}

// A source that reads the bytes of a file held in memory.
inline ByteSource ReadFrom(std::span<const uint8_t> file) {
    return [file](std::span<uint8_t> into) mutable {
        const size_t count = std::min(into.size(), file.size());
        std::copy_n(file.begin(), count, into.begin());
        file = file.subspan(count);
        return count;
    };
}
