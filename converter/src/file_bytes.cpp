#include "file_bytes.h"

#include <fcntl.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <utility>

namespace {

// Reads until the end of the file or `limit` bytes, for pipes and devices.
std::optional<std::vector<uint8_t>> ReadAll(int fd, size_t limit) {
    std::vector<uint8_t> bytes;
    size_t used = 0;
    while (used < limit) {
        if (bytes.size() == used) bytes.resize(std::min(limit, std::max<size_t>(used * 2, 65536)));
        const ssize_t n = ::read(fd, bytes.data() + used, bytes.size() - used);
        if (n == 0) break;
        if (n < 0) {
            if (errno == EINTR) continue;
            return std::nullopt;
        }
        used += size_t(n);
    }
    bytes.resize(used);
    return bytes;
}

}  // namespace

FileBytes::~FileBytes() { Unmap(); }

FileBytes::FileBytes(FileBytes&& other) noexcept
    : bytes_(std::move(other.bytes_)), mapped_(other.mapped_), mappedSize_(other.mappedSize_) {
    other.mapped_ = nullptr;
    other.mappedSize_ = 0;
}

FileBytes& FileBytes::operator=(FileBytes&& other) noexcept {
    if (this != &other) {
        Unmap();
        bytes_ = std::move(other.bytes_);
        mapped_ = std::exchange(other.mapped_, nullptr);
        mappedSize_ = std::exchange(other.mappedSize_, 0);
    }
    return *this;
}

void FileBytes::Unmap() {
    if (mapped_) ::munmap(const_cast<uint8_t*>(mapped_), mappedSize_);
    mapped_ = nullptr;
    mappedSize_ = 0;
}

std::optional<FileBytes> FileBytes::Load(const std::string& path, size_t limit) {
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) return std::nullopt;
    std::optional<FileBytes> result;
    struct stat info {};
    if (::fstat(fd, &info) == 0 && S_ISREG(info.st_mode) && info.st_size > 0) {
        const size_t size = std::min(size_t(info.st_size), limit);
        void* map = ::mmap(nullptr, size, PROT_READ, MAP_PRIVATE, fd, 0);
        if (map != MAP_FAILED) {
            result.emplace();
            result->mapped_ = static_cast<const uint8_t*>(map);
            result->mappedSize_ = size;
        }
    }
    if (!result) {
        if (std::optional<std::vector<uint8_t>> bytes = ReadAll(fd, limit)) result.emplace(std::move(*bytes));
    }
    ::close(fd);
    return result;
}
