// Where the output file of a run goes, and how it is made to appear there
// whole or not at all.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>

// A regular file (one that exists, a path where none exists yet, or a symbolic
// link to either) is replaced only once the new one is complete: the bytes go
// to a temporary file in the folder of the final file, which is renamed over
// it when written whole, and removed otherwise; a link stays a link to the
// new file. The file is not synced: like a compiler's output, it is made
// again from its input should the system fail before writing it back, and
// waiting for the disk took several times as long as the whole run. An existing file keeps its permissions (and, where the
// system allows, its owner); a new one gets 0666 less the umask.
// Anything else (a pipe, a terminal, a device, a FIFO) is written directly.
class OutputTarget {
public:
    explicit OutputTarget(const std::string& path);
    // Removes the temporary file of an output that was not committed.
    ~OutputTarget();
    OutputTarget(const OutputTarget&) = delete;
    OutputTarget& operator=(const OutputTarget&) = delete;

    // False when neither the output nor a temporary file for it could be
    // created, or when an existing output may not be written to.
    bool Opened() const { return fd_ >= 0; }
    // False when the bytes could not be written.
    bool Write(std::span<const uint8_t> bytes);
    // Puts the bytes written at the path; false when the output does not hold
    // them all.
    bool Commit();

private:
    bool CommitDirect();
    bool CommitReplacement();

    int fd_ = -1;
    std::string finalPath_;      // the file a temporary file replaces; empty when written directly
    std::string temporaryPath_;  // empty once renamed or removed
    size_t written_ = 0;
};

// Removes the temporary file of the output being written, if there is one.
// Async-signal-safe: for handlers of signals that end the run.
void DiscardUnfinishedOutput();
