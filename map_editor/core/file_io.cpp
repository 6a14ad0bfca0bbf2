#include "file_io.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <csignal>
#include <climits>
#include <cstring>
#include <filesystem>
#include <memory>
#include <string_view>
#include <utility>
#include <vector>

namespace tilora {

namespace {

constexpr const char* kCannotOpen = "Cannot open";
constexpr const char* kCannotRead = "Cannot read";
constexpr const char* kCannotWrite = "Cannot write";
constexpr const char* kNotRegular = "not a regular file";
constexpr const char* kNoReader = "no program is reading from it";

constexpr size_t kLargestTransfer = size_t(1) << 30;  // one read or write call
constexpr size_t kWriteBufferBytes = size_t(1) << 16;
constexpr int kLargestLinkChain = 40;
constexpr const char* kTemporaryName = ".tilora-XXXXXX";
constexpr int kTerminationSignals[] = {SIGINT, SIGTERM, SIGHUP};

std::string Reason(int error) { return std::strerror(error); }

// The folder part of a path, with its slash; empty for a bare name.
std::string FolderOf(const std::string& path) {
    const size_t slash = path.rfind('/');
    return slash == std::string::npos ? std::string() : path.substr(0, slash + 1);
}

// The file that a path finally names, symbolic links followed (a relative
// link from the link's folder), so that a link is kept and its target
// replaced. Nothing, with errno set, for a chain that does not end.
std::optional<std::string> FinalTarget(std::string path) {
    for (int hop = 0; hop < kLargestLinkChain; ++hop) {
        struct stat info {};
        if (::lstat(path.c_str(), &info) != 0 || !S_ISLNK(info.st_mode)) return path;
        std::string target(PATH_MAX, '\0');
        const ssize_t length = ::readlink(path.c_str(), target.data(), target.size());
        if (length < 0) return std::nullopt;
        target.resize(size_t(length));
        path = target.starts_with('/') ? target : FolderOf(path) + target;
    }
    errno = ELOOP;
    return std::nullopt;
}

// Holds SIGINT, SIGTERM and SIGHUP back while the list of temporary files
// changes, so that a handler never sees a file without its name or a name
// whose file is gone.
class TerminationSignalsHeld {
public:
    TerminationSignalsHeld() {
        sigset_t held;
        sigemptyset(&held);
        for (int signal : kTerminationSignals) sigaddset(&held, signal);
        ::sigprocmask(SIG_BLOCK, &held, &previous_);
    }
    ~TerminationSignalsHeld() { ::sigprocmask(SIG_SETMASK, &previous_, nullptr); }
    TerminationSignalsHeld(const TerminationSignalsHeld&) = delete;
    TerminationSignalsHeld& operator=(const TerminationSignalsHeld&) = delete;

private:
    sigset_t previous_;
};

mode_t NewFileMode() {
    const mode_t mask = ::umask(0);
    ::umask(mask);
    return 0666 & ~mask;
}

// One file being written: a temporary file beside a regular target, or the
// target itself when it is no regular file. The temporary file goes with the
// object unless it was put in the target's place, or with the process when a
// termination signal ends it (see RemoveTemporaryFilesOnSignals).
class PendingFile {
public:
    explicit PendingFile(std::string path) : path_(std::move(path)) {}
    ~PendingFile() {
        if (fd_ >= 0) ::close(fd_);
        if (temporary_.empty()) return;
        TerminationSignalsHeld held;
        ::unlink(temporary_.c_str());
        Unlist();
    }
    PendingFile(const PendingFile&) = delete;
    PendingFile& operator=(const PendingFile&) = delete;

    std::optional<FileFailure> Open() {
        struct stat info {};
        if (::stat(path_.c_str(), &info) == 0 && !S_ISREG(info.st_mode)) return OpenDirectly(info);
        return OpenTemporary();
    }

    // Small pieces are gathered into a buffer, large ones written as they are.
    std::optional<FileFailure> Write(const FileContent& content) {
        std::vector<uint8_t> buffer;
        buffer.reserve(kWriteBufferBytes);
        const auto flush = [&] {
            const bool written = WriteAll(buffer);
            buffer.clear();
            return written;
        };
        const ByteSink sink = [&](std::span<const uint8_t> bytes) {
            if (buffer.size() + bytes.size() > buffer.capacity() && !flush()) return false;
            if (bytes.size() >= buffer.capacity()) return WriteAll(bytes);
            buffer.insert(buffer.end(), bytes.begin(), bytes.end());
            return true;
        };
        if (!content(sink) || !flush()) return Failed(writeError_);
        if (!temporary_.empty() && ::fsync(fd_) != 0) return Failed(errno);
        if (::close(std::exchange(fd_, -1)) != 0) return Failed(errno);
        return std::nullopt;
    }

    // Puts the temporary file in the target's place.
    std::optional<FileFailure> Commit() {
        if (temporary_.empty()) return std::nullopt;
        TerminationSignalsHeld held;
        if (::rename(temporary_.c_str(), target_.c_str()) != 0) return Failed(errno);
        Unlist();
        temporary_.clear();
        return std::nullopt;
    }

    // Removes every temporary file in existence. Safe in a signal handler:
    // the list is whole whenever the signals are not held.
    static void RemoveTemporaryFiles() {
        for (const PendingFile* file = unfinished_; file; file = file->next_) ::unlink(file->temporary_.c_str());
    }

private:
    FileFailure Failed(int error) const { return {kCannotWrite, path_, Reason(error)}; }

    bool WriteAll(std::span<const uint8_t> bytes) {
        while (!bytes.empty()) {
            const ssize_t n = ::write(fd_, bytes.data(), std::min(bytes.size(), kLargestTransfer));
            if (n < 0 && errno == EINTR) continue;
            if (n <= 0) {
                writeError_ = n < 0 ? errno : EIO;
                return false;
            }
            bytes = bytes.subspan(size_t(n));
        }
        return true;
    }

    std::optional<FileFailure> OpenDirectly(const struct stat& info) {
        // Without O_NONBLOCK, opening a FIFO that no program reads would wait
        // for one for ever.
        fd_ = ::open(path_.c_str(), O_WRONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
        if (fd_ < 0) return FileFailure{kCannotWrite, path_, errno == ENXIO && S_ISFIFO(info.st_mode) ? kNoReader : Reason(errno)};
        ::fcntl(fd_, F_SETFL, ::fcntl(fd_, F_GETFL) & ~O_NONBLOCK);
        return std::nullopt;
    }

    std::optional<FileFailure> OpenTemporary() {
        const std::optional<std::string> target = FinalTarget(path_);
        if (!target) return Failed(errno);
        target_ = *target;
        std::string temporary = FolderOf(target_) + kTemporaryName;
        {
            TerminationSignalsHeld held;
            fd_ = ::mkostemp(temporary.data(), O_CLOEXEC);
            if (fd_ < 0) return Failed(errno);
            temporary_ = temporary;
            List();
        }
        struct stat old {};
        if (::stat(target_.c_str(), &old) == 0) {
            // Best effort: only root may give a file to another owner.
            [[maybe_unused]] const int owned = ::fchown(fd_, old.st_uid, old.st_gid);
            ::fchmod(fd_, old.st_mode & 07777);
        } else {
            ::fchmod(fd_, NewFileMode());
        }
        return std::nullopt;
    }

    // The list of the temporary files in existence, changed only while
    // TerminationSignalsHeld.
    void List() {
        next_ = unfinished_;
        if (next_) next_->previous_ = this;
        unfinished_ = this;
    }
    void Unlist() {
        (previous_ ? previous_->next_ : unfinished_) = next_;
        if (next_) next_->previous_ = previous_;
    }

    static inline PendingFile* unfinished_ = nullptr;

    std::string path_;
    std::string target_;     // the file that is replaced
    std::string temporary_;  // until it is put in the target's place
    PendingFile* previous_ = nullptr;
    PendingFile* next_ = nullptr;
    int fd_ = -1;
    int writeError_ = 0;
};

}  // namespace

InputFile::InputFile(std::string path) : path_(std::move(path)) {
    struct stat info {};
    if (::stat(path_.c_str(), &info) != 0) {
        Fail(kCannotOpen, errno);
    } else if (S_ISREG(info.st_mode)) {
        // O_NONBLOCK: should the path have become a FIFO meanwhile, opening
        // it must not wait; fstat then refuses it.
        fd_ = ::open(path_.c_str(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
        if (fd_ < 0) {
            Fail(kCannotOpen, errno);
        } else if (::fstat(fd_, &info) != 0) {
            Fail(kCannotRead, errno);
        }
    }
    if (!failure_ && !S_ISREG(info.st_mode)) {
        failure_ = FileFailure{kCannotRead, path_, kNotRegular};
        Close();
    }
    if (fd_ >= 0) size_ = uint64_t(info.st_size);
}

InputFile::~InputFile() { Close(); }

void InputFile::Close() {
    if (fd_ >= 0) ::close(std::exchange(fd_, -1));
}

void InputFile::Fail(const char* action, int error) {
    failure_ = FileFailure{action, path_, Reason(error)};
    Close();
}

size_t InputFile::Read(std::span<uint8_t> bytes) {
    size_t done = 0;
    while (fd_ >= 0 && done < bytes.size()) {
        const ssize_t n = ::read(fd_, bytes.data() + done, std::min(bytes.size() - done, kLargestTransfer));
        if (n > 0) {
            done += size_t(n);
        } else if (n == 0) {
            break;
        } else if (errno != EINTR) {
            Fail(kCannotRead, errno);
        }
    }
    return done;
}

std::optional<FileFailure> WriteFiles(std::span<const FileToWrite> files) {
    std::vector<std::unique_ptr<PendingFile>> pending;
    for (const FileToWrite& file : files) {
        PendingFile& next = *pending.emplace_back(std::make_unique<PendingFile>(file.path));
        if (auto failure = next.Open()) return failure;
        if (auto failure = next.Write(file.content)) return failure;
    }
    for (const auto& file : pending) {
        if (auto failure = file->Commit()) return failure;
    }
    return std::nullopt;
}

std::string AbsolutePath(const std::string& path) {
    std::string whole = path;
    if (!path.starts_with('/')) {
        std::error_code error;
        const std::filesystem::path folder = std::filesystem::current_path(error);
        if (error) return path;
        whole = folder.string() + '/' + path;
    }
    std::string clean;
    for (size_t start = 0; start <= whole.size();) {
        const size_t end = std::min(whole.find('/', start), whole.size());
        const std::string_view part = std::string_view(whole).substr(start, end - start);
        if (!part.empty() && part != ".") clean.append("/").append(part);
        start = end + 1;
    }
    return clean.empty() ? "/" : clean;
}

void IgnoreWriteSignals() {
    std::signal(SIGPIPE, SIG_IGN);
    std::signal(SIGXFSZ, SIG_IGN);
}

void RemoveTemporaryFilesOnSignals() {
    struct sigaction action {};
    action.sa_handler = [](int signal) {
        PendingFile::RemoveTemporaryFiles();
        // Raised again with the default action, it ends the process once
        // this handler returns, so that whoever started it sees the signal.
        std::signal(signal, SIG_DFL);
        std::raise(signal);
    };
    sigemptyset(&action.sa_mask);
    for (int signal : kTerminationSignals) sigaddset(&action.sa_mask, signal);
    for (int signal : kTerminationSignals) {
        struct sigaction inherited {};
        // A signal ignored from the start, as nohup ignores SIGHUP, stays ignored.
        if (::sigaction(signal, nullptr, &inherited) == 0 && inherited.sa_handler == SIG_IGN) continue;
        ::sigaction(signal, &action, nullptr);
    }
}

}  // namespace tilora
