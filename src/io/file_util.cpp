#include "io/file_util.h"

#include <cerrno>
#include <climits>
#include <cstdint>
#include <cstdlib>
#include <dirent.h>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include "model/runtime_errors.h"

namespace kombinator {

namespace {

// Closes the descriptor when the scope ends.
class Descriptor {
public:
    explicit Descriptor(int fd) : fd_(fd) {}
    ~Descriptor() {
        if (fd_ >= 0) ::close(fd_);
    }
    Descriptor(const Descriptor&) = delete;
    Descriptor& operator=(const Descriptor&) = delete;
    int get() const { return fd_; }
    int release() {
        const int fd = fd_;
        fd_ = -1;
        return fd;
    }

private:
    int fd_;
};

// Writes all bytes; returns 0 or the errno of the failure.
int WriteAll(int fd, std::string_view bytes) {
    const char* p = bytes.data();
    std::size_t left = bytes.size();
    while (left > 0) {
        const ssize_t n = ::write(fd, p, left);
        if (n < 0) {
            if (errno == EINTR) continue;
            return errno;
        }
        p += n;
        left -= static_cast<std::size_t>(n);
    }
    return 0;
}

std::string FolderOf(const std::string& path) {
    const std::size_t slash = path.rfind('/');
    if (slash == std::string::npos) return ".";
    return slash == 0 ? "/" : path.substr(0, slash);
}

std::string NameOf(const std::string& path) {
    const std::size_t slash = path.rfind('/');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

// A link inside /proc (where /dev/stdout and /dev/fd/N lead) stands for an open file, not a
// name: it is written through. Returns the descriptor number for one of this process's own
// descriptors, -1 for any other /proc link, -2 when the link is not in /proc.
int ProcLinkDescriptor(const std::string& link) {
    char folder[PATH_MAX];
    if (::realpath(FolderOf(link).c_str(), folder) == nullptr) return -2;
    const std::string resolved = folder;
    if (resolved.rfind("/proc/", 0) != 0) return -2;
    const std::string own = "/proc/" + std::to_string(::getpid()) + "/fd";
    const std::string name = NameOf(link);
    if (resolved != own || name.empty() || name.size() > 9 || name.find_first_not_of("0123456789") != std::string::npos)
        return -1;
    return std::atoi(name.c_str());
}

FileResult WriteStream(int fd, std::string_view bytes) {
    if (const int code = WriteAll(fd, bytes)) return {false, IoErrorMessage(code)};
    return {true, {}};
}

FileResult WriteThrough(const std::string& target, const std::string& path, std::string_view bytes, bool append) {
    Descriptor fd(::open(target.c_str(), O_WRONLY | O_CLOEXEC | O_NOCTTY | (append ? O_APPEND : 0)));
    if (fd.get() < 0) return {false, CannotCreateFileMessage(path)};
    FileResult written = WriteStream(fd.get(), bytes);
    if (::close(fd.release()) != 0 && written.ok) written = {false, IoErrorMessage(errno)};
    return written;
}

// Removes temporaries of the target that no living save holds: every save keeps its temporary
// locked until the rename, so one whose lock can be taken was left by a killed save.
void RemoveStaleTemporaries(const std::string& folder, const std::string& prefix) {
    DIR* dir = ::opendir(folder.c_str());
    if (dir == nullptr) return;
    const int dirFd = ::dirfd(dir);
    while (const dirent* entry = ::readdir(dir)) {
        const std::string_view name = entry->d_name;
        if (name.size() != prefix.size() + 6 || name.compare(0, prefix.size(), prefix) != 0) continue;
        Descriptor fd(::openat(dirFd, entry->d_name, O_RDONLY | O_CLOEXEC | O_NOFOLLOW | O_NONBLOCK));
        struct stat st {};
        if (fd.get() < 0 || ::fstat(fd.get(), &st) != 0 || !S_ISREG(st.st_mode)) continue;
        if (::flock(fd.get(), LOCK_EX | LOCK_NB) != 0) continue;
        ::unlinkat(dirFd, entry->d_name, 0);
    }
    ::closedir(dir);
}

}  // namespace

FileRead ReadRegularFile(const std::string& path, std::size_t limit, bool wholeFile) {
    FileRead result;
    // O_NONBLOCK: opening a FIFO must not wait for a writer; it is refused just below.
    Descriptor fd(::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK | O_NOCTTY));
    if (fd.get() < 0) {
        result.error = errno;
        return result;
    }
    struct stat st {};
    if (::fstat(fd.get(), &st) != 0) {
        result.error = errno;
        return result;
    }
    if (!S_ISREG(st.st_mode)) {
        result.error = S_ISDIR(st.st_mode) ? EISDIR : EINVAL;
        return result;
    }
    if (wholeFile && st.st_size > 0 && static_cast<std::uintmax_t>(st.st_size) > limit) {
        result.error = EFBIG;
        return result;
    }
    std::string data;
    // One byte past the limit tells a file that grew while it was read.
    const std::size_t most = wholeFile ? limit + 1 : limit;
    if (st.st_size > 0) data.reserve(std::min(static_cast<std::size_t>(st.st_size), most));
    char buffer[65536];
    while (data.size() < most) {
        const ssize_t n = ::read(fd.get(), buffer, std::min(sizeof buffer, most - data.size()));
        if (n == 0) break;
        if (n < 0) {
            if (errno == EINTR) continue;
            result.error = errno;
            return result;
        }
        data.append(buffer, static_cast<std::size_t>(n));
    }
    if (wholeFile && data.size() > limit) {
        result.error = EFBIG;
        return result;
    }
    result.bytes.swap(data);
    return result;
}

FileResult ReadWholeFile(const std::string& path, std::string& bytes, std::size_t limit) {
    FileRead read = ReadRegularFile(path, limit, true);
    switch (read.error) {
    case 0:
        bytes.swap(read.bytes);
        return {true, {}};
    case EIO:
    case EFBIG:
    case ENOMEM:
        return {false, IoErrorMessage(read.error)};
    default:  // missing, refused, a directory, not a regular file
        return {false, CannotOpenFileMessage(path)};
    }
}

std::string TemporaryPrefix(std::string_view targetName) {
    // FNV-1a of the target's name: short, so the temporary fits any legal name's folder.
    std::uint32_t hash = 2166136261u;
    for (const char c : targetName) {
        hash ^= static_cast<unsigned char>(c);
        hash *= 16777619u;
    }
    static constexpr char Hex[] = "0123456789abcdef";
    std::string prefix = ".kombinator-";
    for (int shift = 28; shift >= 0; shift -= 4) prefix += Hex[(hash >> shift) & 15];
    return prefix + "-";
}

FileResult WriteFileAtomically(const std::string& path, std::string_view bytes) {
    // Follow symbolic links to the file they lead to.
    std::string target = path;
    struct stat st {};
    bool exists = false;
    for (int hops = 0;; ++hops) {
        if (::lstat(target.c_str(), &st) != 0) {
            if (errno != ENOENT) return {false, CannotCreateFileMessage(path)};
            break;
        }
        if (!S_ISLNK(st.st_mode)) {
            exists = true;
            break;
        }
        if (hops == 40) return {false, CannotCreateFileMessage(path)};
        const int own = ProcLinkDescriptor(target);
        if (own >= 0) return WriteStream(own, bytes);
        if (own == -1) return WriteThrough(target, path, bytes, true);
        char link[PATH_MAX];
        const ssize_t n = ::readlink(target.c_str(), link, sizeof link - 1);
        if (n < 0) return {false, CannotCreateFileMessage(path)};
        const std::string next(link, static_cast<std::size_t>(n));
        target = next.front() == '/' ? next : FolderOf(target) + "/" + next;
    }

    mode_t mode;
    if (exists) {
        if (S_ISFIFO(st.st_mode) || S_ISCHR(st.st_mode)) return WriteThrough(target, path, bytes, false);
        if (!S_ISREG(st.st_mode)) return {false, CannotCreateFileMessage(path)};
        // Refuse what the user could not write, even as root: a read-only file stays as it is.
        if ((st.st_mode & 0222) == 0 || ::access(target.c_str(), W_OK) != 0)
            return {false, CannotCreateFileMessage(path)};
        mode = st.st_mode & 07777;
    } else {
        const mode_t mask = ::umask(0);
        ::umask(mask);
        mode = 0666 & ~mask;
    }

    const std::string folder = FolderOf(target);
    const std::string prefix = TemporaryPrefix(NameOf(target));
    std::string temp = folder + "/" + prefix + "XXXXXX";
    Descriptor fd(::mkstemp(temp.data()));
    if (fd.get() < 0) return {false, CannotCreateFileMessage(path)};
    // Held until the rename, so another save can tell a living temporary from a stale one.
    ::flock(fd.get(), LOCK_EX | LOCK_NB);
    auto fail = [&temp](FileResult result) {
        ::unlink(temp.c_str());
        return result;
    };
    if (const int code = WriteAll(fd.get(), bytes)) return fail({false, IoErrorMessage(code)});
    // The target's permissions (a private file stays private) and, where allowed, its owner.
    ::fchmod(fd.get(), mode);
    if (exists && (st.st_uid != ::geteuid() || st.st_gid != ::getegid())) {
        if (::fchown(fd.get(), st.st_uid, st.st_gid) != 0) {
            // Not ours to give away: the file keeps the saver's ownership.
        }
    }
    if (::fsync(fd.get()) != 0) return fail({false, IoErrorMessage(errno)});
    if (::rename(temp.c_str(), target.c_str()) != 0) return fail({false, CannotCreateFileMessage(path)});
    ::close(fd.release());
    RemoveStaleTemporaries(folder, prefix);
    return {true, {}};
}

FileResult ChangeDirectory(const std::string& path) {
    if (::chdir(path.c_str()) == 0) return {true, {}};
    return {false, IoErrorMessage(errno)};
}

}  // namespace kombinator
