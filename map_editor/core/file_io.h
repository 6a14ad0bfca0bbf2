// Files in and out so that no failure loses what is on disk or hangs the
// program: only regular files are read, and a file is replaced only once its
// new content is whole on disk. Paths are the file system's own bytes.
#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <span>
#include <string>

#include "byte_stream.h"

namespace tilora {

// Why a file could not be read or written, in the words of the message
// "<action> <path>: <reason>".
struct FileFailure {
    std::string action;  // "Cannot open", "Cannot read" or "Cannot write"
    std::string path;
    std::string reason;  // the system's reason, or what is wrong with the file

    friend bool operator==(const FileFailure&, const FileFailure&) = default;
};

// A regular file opened for reading. Anything else is refused at once with
// "not a regular file", without opening it: a FIFO would wait for a writer
// and a device such as /dev/zero never ends.
class InputFile {
public:
    explicit InputFile(std::string path);
    ~InputFile();
    InputFile(const InputFile&) = delete;
    InputFile& operator=(const InputFile&) = delete;

    // Set when the file could not be opened, or once a read failed.
    const std::optional<FileFailure>& Failure() const { return failure_; }
    // The file's size when it was opened.
    uint64_t Size() const { return size_; }
    // Fills bytes with the file's next bytes; how many there were: fewer at
    // the end of the file, or when a read failed.
    size_t Read(std::span<uint8_t> bytes);
    // Read as a ByteSource.
    ByteSource Source() {
        return [this](std::span<uint8_t> bytes) { return Read(bytes); };
    }

private:
    void Fail(const char* action, int error);
    void Close();

    std::string path_;
    int fd_ = -1;
    uint64_t size_ = 0;
    std::optional<FileFailure> failure_;
};

// Writes the whole content of a file into the sink; false as soon as the sink
// refuses bytes.
using FileContent = std::function<bool(const ByteSink&)>;

struct FileToWrite {
    std::string path;
    FileContent content;
};

// Writes each file; nothing when all were written, else the first failure.
// A regular target, a new one, or the regular file a symbolic link leads to is
// written to a temporary file in its folder, with the old file's permissions,
// and flushed to disk; only when every file is whole are they renamed over
// their targets. A failure, a std::bad_alloc included, leaves every existing
// file as it was and no temporary file behind. A target that exists and is no
// regular file (a FIFO, a device) is written directly, never replaced; a FIFO
// that no program reads is refused at once rather than waited for.
std::optional<FileFailure> WriteFiles(std::span<const FileToWrite> files);

// The path from the root folder: a relative one is taken from the working
// folder. Empty and "." components are left out; ".." stays, since a symbolic
// link before it may lead elsewhere. The path as it was when the working
// folder cannot be known.
std::string AbsolutePath(const std::string& path);

// A write to a FIFO whose reader has gone, or past the file size limit, would
// end the process by a signal; with the signals ignored it fails like any
// other write. Called once at start-up.
void IgnoreWriteSignals();

// From now on SIGINT, SIGTERM and SIGHUP first remove the temporary files of
// the writes in progress and then end the process as they would have, so
// that an interrupted export leaves nothing behind. A signal ignored at the
// start stays ignored. For a program without threads of its own: called once
// before an export without a window.
void RemoveTemporaryFilesOnSignals();

}  // namespace tilora
