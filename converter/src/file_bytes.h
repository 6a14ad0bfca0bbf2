// The bytes of a whole input file, held for as long as something reads them.
#pragma once

#include <cstddef>
#include <cstdint>
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

    // The whole file, or its first `limit` bytes; none when it cannot be opened
    // or read. A regular file is mapped rather than copied, which saves a pass
    // over memory for large bitmaps.
    static std::optional<FileBytes> Load(const std::string& path, size_t limit = SIZE_MAX);

    std::span<const uint8_t> Span() const {
        return mapped_ ? std::span<const uint8_t>(mapped_, mappedSize_) : std::span<const uint8_t>(bytes_);
    }

private:
    void Unmap();

    std::vector<uint8_t> bytes_;
    const uint8_t* mapped_ = nullptr;
    size_t mappedSize_ = 0;
};
