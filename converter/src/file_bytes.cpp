#include "file_bytes.h"

#include <fcntl.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <new>
#include <utility>

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
    if (!result) result = ReadStream(fd, sizeFromStart);
    ::close(fd);
    return result;
}

// The bytes go to anonymous memory that mremap grows by moving page tables:
// a vector's growth would hold the old bytes while copying them into memory
// twice as large, up to 1.5 times the bytes read. Here they take their own
// length and no more, and the address space held past them is given back.
std::optional<FileBytes> FileBytes::ReadStream(int fd, const SizeFromStart& sizeFromStart) {
    FileBytes file;
    uint8_t* bytes = nullptr;
    size_t used = 0;
    for (size_t wanted; used < (wanted = sizeFromStart(std::span(bytes, used)));) {
        if (file.mappedSize_ == used) {
            const size_t size = std::min(wanted, std::max<size_t>(used * 2, 65536));
            void* grown = bytes ? ::mremap(bytes, used, size, MREMAP_MAYMOVE)
                                : ::mmap(nullptr, size, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
            if (grown == MAP_FAILED) throw std::bad_alloc();
            file.mapped_ = bytes = static_cast<uint8_t*>(grown);
            file.mappedSize_ = size;
        }
        const ssize_t n = ::read(fd, bytes + used, std::min(file.mappedSize_, wanted) - used);
        if (n == 0) break;
        if (n < 0) {
            if (errno == EINTR) continue;
            return std::nullopt;
        }
        file.mappedUsed_ = used += size_t(n);
    }
    if (used > 0 && used < file.mappedSize_ && ::mremap(bytes, file.mappedSize_, used, 0) != MAP_FAILED) {
        file.mappedSize_ = used;
    }
    return file;
}

std::optional<FileBytes> FileBytes::Load(const std::string& path, size_t limit) {
    return Load(path, [limit](std::span<const uint8_t>) { return limit; });
}
