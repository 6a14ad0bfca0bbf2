// The bytes of a whole input file, held for as long as something reads them.
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <optional>
#include <span>
#include <string>
#include <vector>

class FileBytes {
public:
    FileBytes() = default;
    explicit FileBytes(std::vector<uint8_t> bytes) : bytes_(std::move(bytes)) {}
    ~FileBytes();
    FileBytes(FileBytes&& other) noexcept;
    FileBytes& operator=(FileBytes&& other) noexcept;
    FileBytes(const FileBytes&) = delete;
    FileBytes& operator=(const FileBytes&) = delete;

    // How many bytes a file holds in all, judged from its first bytes.
    using SizeFromStart = std::function<size_t(std::span<const uint8_t> start)>;

    // The file's first bytes, as many as `sizeFromStart` says it holds, or all
    // when it ends sooner; none when it cannot be opened or read. A regular
    // file is mapped rather than copied, which saves a pass over memory for
    // large bitmaps. Anything else (a pipe, a device) is read only as far as
    // `sizeFromStart`, asked again as bytes arrive, announces: an endless
    // source ends the read, a header announcing more than arrives does not
    // claim the memory it announces, and what was read takes memory of its
    // own length (rounded up to whole pages) at every moment of the read.
    // Memory running out throws std::bad_alloc.
    static std::optional<FileBytes> Load(const std::string& path, const SizeFromStart& sizeFromStart);
    // The whole file, or its first `limit` bytes.
    static std::optional<FileBytes> Load(const std::string& path, size_t limit = SIZE_MAX);

    std::span<const uint8_t> Span() const {
        return mapped_ ? std::span<const uint8_t>(mapped_, mappedUsed_) : std::span<const uint8_t>(bytes_);
    }

private:
    // Reads a pipe or a device as `Load` says.
    static std::optional<FileBytes> ReadStream(int fd, const SizeFromStart& sizeFromStart);
    void Unmap();

    std::vector<uint8_t> bytes_;
    const uint8_t* mapped_ = nullptr;  // a mapped file, or the memory a stream was read into
    size_t mappedSize_ = 0;
    size_t mappedUsed_ = 0;  // what Span shows of the mapping: as much as was asked for
};
