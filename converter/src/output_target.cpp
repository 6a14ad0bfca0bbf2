#include "output_target.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <climits>
#include <csignal>
#include <cstring>
#include <optional>
#include <utility>

namespace {

// Linux follows at most 40 links while resolving one path.
constexpr int kMaxLinkHops = 40;
// Fixed and short: one made from the final name could pass the limit on a
// name's length.
constexpr const char* kTemporaryName = ".dotpress-XXXXXX";

// The temporary file to remove should a signal end the run, or "". Changed
// only while TerminationSignalsHeld, so a handler never sees a file without
// its name or a name whose file is gone.
char gUnfinishedPath[PATH_MAX];

class TerminationSignalsHeld {
public:
    TerminationSignalsHeld() {
        sigset_t held;
        sigemptyset(&held);
        for (int signal : {SIGINT, SIGTERM, SIGHUP}) sigaddset(&held, signal);
        ::sigprocmask(SIG_BLOCK, &held, &previous_);
    }
    ~TerminationSignalsHeld() { ::sigprocmask(SIG_SETMASK, &previous_, nullptr); }
    TerminationSignalsHeld(const TerminationSignalsHeld&) = delete;
    TerminationSignalsHeld& operator=(const TerminationSignalsHeld&) = delete;

private:
    sigset_t previous_;
};

bool WriteAll(int fd, std::span<const uint8_t> bytes) {
    size_t done = 0;
    while (done < bytes.size()) {
        const ssize_t n = ::write(fd, bytes.data() + done, bytes.size() - done);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) return false;
        done += size_t(n);
    }
    return true;
}

// The folder part of a path with its trailing slash, "" for a bare name.
std::string FolderOf(const std::string& path) {
    const size_t slash = path.rfind('/');
    return slash == std::string::npos ? std::string() : path.substr(0, slash + 1);
}

std::optional<std::string> ReadLink(const std::string& path) {
    std::string target(PATH_MAX, '\0');
    const ssize_t n = ::readlink(path.c_str(), target.data(), target.size());
    if (n < 0 || size_t(n) == target.size()) return std::nullopt;
    target.resize(size_t(n));
    return target;
}

// Where a chain of symbolic links ends, and what is there (none: nothing).
struct PathEnd {
    std::string path;
    std::optional<struct stat> info;
};

std::optional<PathEnd> FollowLinks(std::string path) {
    for (int hop = 0; hop <= kMaxLinkHops; ++hop) {
        struct stat info {};
        if (::lstat(path.c_str(), &info) != 0) {
            if (errno == ENOENT) return PathEnd{path, std::nullopt};
            return std::nullopt;
        }
        if (!S_ISLNK(info.st_mode)) return PathEnd{path, info};
        const std::optional<std::string> target = ReadLink(path);
        if (!target) return std::nullopt;
        path = target->starts_with('/') ? *target : FolderOf(path) + *target;
    }
    return std::nullopt;
}

// The regular file the path names, or the path where a new one would be
// created; none for anything else. Links under /proc can name what no path
// reaches (/dev/stdout of a deleted file, or of a pipe: "pipe:[1234]"), so the
// end of the chain must be the very file the system finds at the path.
std::optional<PathEnd> FindRegularFile(const std::string& path) {
    if (path.empty()) return std::nullopt;
    const std::optional<PathEnd> end = FollowLinks(path);
    if (!end) return std::nullopt;
    struct stat named {};
    if (::stat(path.c_str(), &named) != 0) {
        if (errno == ENOENT && !end->info) return end;
        return std::nullopt;
    }
    if (!end->info || !S_ISREG(end->info->st_mode)) return std::nullopt;
    if (end->info->st_dev != named.st_dev || end->info->st_ino != named.st_ino) return std::nullopt;
    return end;
}

// A file the user may not write to is refused, even where its folder would let
// a new file take its place.
bool MayWriteTo(const std::string& path) {
    const int fd = ::open(path.c_str(), O_WRONLY | O_CLOEXEC);
    if (fd < 0) return false;
    ::close(fd);
    return true;
}

int CreateTemporaryFile(std::string& path) {
    if (path.size() >= sizeof gUnfinishedPath) {
        errno = ENAMETOOLONG;
        return -1;
    }
    TerminationSignalsHeld held;
    const int fd = ::mkostemp(path.data(), O_CLOEXEC);
    if (fd >= 0) std::memcpy(gUnfinishedPath, path.c_str(), path.size() + 1);
    return fd;
}

// Best effort: a file system without owners or modes still takes the output,
// and only root may give a file to another user.
void GivePermissions(int fd, const std::optional<struct stat>& replaced) {
    if (!replaced) {
        const mode_t mask = ::umask(0);
        ::umask(mask);
        ::fchmod(fd, 0666 & ~mask);
        return;
    }
    // The owner first: changing it clears the set-user-ID and set-group-ID bits.
    const bool ownerKept = ::fchown(fd, replaced->st_uid, replaced->st_gid) == 0;
    (void)ownerKept;
    ::fchmod(fd, replaced->st_mode & 07777);
}

}  // namespace

OutputTarget::OutputTarget(const std::string& path) {
    const std::optional<PathEnd> regular = FindRegularFile(path);
    if (!regular) {
        fd_ = ::open(path.c_str(), O_WRONLY | O_CREAT | O_CLOEXEC, 0666);
        return;
    }
    if (regular->info && !MayWriteTo(regular->path)) return;
    std::string temporary = FolderOf(regular->path) + kTemporaryName;
    fd_ = CreateTemporaryFile(temporary);
    if (fd_ < 0) return;
    finalPath_ = regular->path;
    temporaryPath_ = std::move(temporary);
    GivePermissions(fd_, regular->info);
}

OutputTarget::~OutputTarget() {
    if (fd_ >= 0) ::close(fd_);
    if (temporaryPath_.empty()) return;
    TerminationSignalsHeld held;
    ::unlink(temporaryPath_.c_str());
    gUnfinishedPath[0] = '\0';
}

bool OutputTarget::Write(std::span<const uint8_t> bytes) {
    if (!WriteAll(fd_, bytes)) return false;
    written_ += bytes.size();
    return true;
}

bool OutputTarget::Commit() { return finalPath_.empty() ? CommitDirect() : CommitReplacement(); }

// A regular file written directly is one reached through /proc (see
// FindRegularFile); it is cut to the length written, so that none of its old
// bytes stay behind the new ones.
bool OutputTarget::CommitDirect() {
    struct stat info {};
    const bool regular = ::fstat(fd_, &info) == 0 && S_ISREG(info.st_mode);
    const bool cut = !regular || ::ftruncate(fd_, off_t(written_)) == 0;
    const bool closed = ::close(std::exchange(fd_, -1)) == 0;
    return cut && closed;
}

bool OutputTarget::CommitReplacement() {
    if (::close(std::exchange(fd_, -1)) != 0) return false;
    TerminationSignalsHeld held;
    if (::rename(temporaryPath_.c_str(), finalPath_.c_str()) != 0) return false;
    temporaryPath_.clear();
    gUnfinishedPath[0] = '\0';
    return true;
}

void DiscardUnfinishedOutput() {
    if (gUnfinishedPath[0] != '\0') ::unlink(gUnfinishedPath);
}
