#include "file_bytes.h"

#include <fcntl.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <utility>

namespace {

// Reads until the end of the file or as far as `sizeFromStart` announces, for
// pipes and devices. The buffer grows with what arrives, never to an announced
// size up front.
std::optional<std::vector<uint8_t>> ReadAnnounced(int fd, const FileBytes::SizeFromStart& sizeFromStart) {
    std::vector<uint8_t> bytes;
    size_t used = 0;
    for (size_t wanted; used < (wanted = sizeFromStart(std::span(bytes.data(), used)));) {
        if (bytes.size() == used) bytes.resize(std::min(wanted, std::max<size_t>(used * 2, 65536)));
        const size_t room = std::min(bytes.size(), wanted) - used;
        const ssize_t n = ::read(fd, bytes.data() + used, room);
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
    : bytes_(std::move(other.bytes_)),
      mapped_(std::exchange(other.mapped_, nullptr)),
      mappedSize_(std::exchange(other.mappedSize_, 0)),
      mappedUsed_(std::exchange(other.mappedUsed_, 0)) {}

FileBytes& FileBytes::operator=(FileBytes&& other) noexcept {
    if (this != &other) {
        Unmap();
        bytes_ = std::move(other.bytes_);
        mapped_ = std::exchange(other.mapped_, nullptr);
        mappedSize_ = std::exchange(other.mappedSize_, 0);
        mappedUsed_ = std::exchange(other.mappedUsed_, 0);
    }
    return *this;
}

void FileBytes::Unmap() {
    if (mapped_) ::munmap(const_cast<uint8_t*>(mapped_), mappedSize_);
    mapped_ = nullptr;
    mappedSize_ = mappedUsed_ = 0;
}

std::optional<FileBytes> FileBytes::Load(const std::string& path, const SizeFromStart& sizeFromStart) {
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) return std::nullopt;
    std::optional<FileBytes> result;
    struct stat info {};
    if (::fstat(fd, &info) == 0 && S_ISREG(info.st_mode) && info.st_size > 0) {
        const size_t size = size_t(info.st_size);
        void* map = ::mmap(nullptr, size, PROT_READ, MAP_PRIVATE, fd, 0);
        if (map != MAP_FAILED) {
            result.emplace();
            result->mapped_ = static_cast<const uint8_t*>(map);
            result->mappedSize_ = size;
            result->mappedUsed_ = std::min(size, sizeFromStart(std::span(result->mapped_, size)));
        }
    }
    if (!result) {
        if (std::optional<std::vector<uint8_t>> bytes = ReadAnnounced(fd, sizeFromStart)) {
            result.emplace(std::move(*bytes));
        }
    }
    ::close(fd);
    return result;
}

std::optional<FileBytes> FileBytes::Load(const std::string& path, size_t limit) {
    return Load(path, [limit](std::span<const uint8_t>) { return limit; });
}
