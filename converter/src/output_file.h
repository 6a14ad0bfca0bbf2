// The output file of a run, assembled in memory and handed on in order.
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <span>
#include <vector>

// Bytes are placed at absolute file positions, as writes after seeks place
// them in a file: writing past the end leaves zero bytes in the gap. Flush
// hands everything held so far to the sink and forgets it, so that a long
// stream of bytes needs little memory; positions before the end of what was
// handed on cannot be written any more.
class OutputFile {
public:
    // Takes the next bytes of the file; false when they could not be written.
    using Sink = std::function<bool(std::span<const uint8_t>)>;

    explicit OutputFile(Sink sink) : sink_(std::move(sink)) {}

    void Seek(size_t position);
    void Write(std::span<const uint8_t> data);
    // Clears `count` bytes at the current position, moves past them and
    // returns where they start, so a pass can build its bytes in place. The
    // pointer is good until the next call.
    uint8_t* Extend(size_t count);
    void Flush();
    // True once the sink has refused bytes; later bytes are dropped.
    bool Failed() const { return failed_; }
    // Bytes handed to the sink so far.
    size_t HandedOn() const { return handedOn_; }

private:
    // Where `position`, which must not lie in what was handed on, is held.
    size_t Held(size_t position) const;

    Sink sink_;
    std::vector<uint8_t> held_;  // the bytes from file position handedOn_ onwards
    size_t handedOn_ = 0;
    size_t position_ = 0;
    bool failed_ = false;
};
