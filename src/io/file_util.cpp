#include "io/file_util.h"

#include <cerrno>
#include <cstdio>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include "io/runtime_errors.h"

namespace kombinator {

FileResult ReadWholeFile(const std::string& path, std::string& bytes) {
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
    if (fd < 0) return {false, CannotOpenFileMessage(path)};
    struct stat st {};
    // Only regular files: a device or a pipe could feed the reader without end.
    if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
        ::close(fd);
        return {false, CannotOpenFileMessage(path)};
    }
    std::string data;
    if (st.st_size > 0) data.reserve(static_cast<std::size_t>(st.st_size));
    char buffer[65536];
    for (;;) {
        const ssize_t n = ::read(fd, buffer, sizeof buffer);
        if (n == 0) break;
        if (n < 0) {
            if (errno == EINTR) continue;
            const int code = errno;
            ::close(fd);
            return {false, code == EISDIR ? CannotOpenFileMessage(path) : IoErrorMessage(code)};
        }
        data.append(buffer, static_cast<std::size_t>(n));
    }
    ::close(fd);
    bytes.swap(data);
    return {true, {}};
}

FileResult WriteFileAtomically(const std::string& path, std::string_view bytes) {
    struct stat st {};
    if (::stat(path.c_str(), &st) == 0 && S_ISDIR(st.st_mode)) return {false, CannotCreateFileMessage(path)};
    std::string temp = path + ".XXXXXX";
    const int fd = ::mkstemp(temp.data());
    if (fd < 0) return {false, CannotCreateFileMessage(path)};
    const char* p = bytes.data();
    std::size_t left = bytes.size();
    while (left > 0) {
        const ssize_t n = ::write(fd, p, left);
        if (n < 0) {
            if (errno == EINTR) continue;
            const int code = errno;
            ::close(fd);
            ::unlink(temp.c_str());
            return {false, IoErrorMessage(code)};
        }
        p += n;
        left -= static_cast<std::size_t>(n);
    }
    // A new file gets the usual permissions, not mkstemp's private ones.
    const mode_t mask = ::umask(0);
    ::umask(mask);
    ::fchmod(fd, 0666 & ~mask);
    if (::fsync(fd) != 0 || ::close(fd) != 0) {
        const int code = errno;
        ::unlink(temp.c_str());
        return {false, IoErrorMessage(code)};
    }
    if (::rename(temp.c_str(), path.c_str()) != 0) {
        ::unlink(temp.c_str());
        return {false, CannotCreateFileMessage(path)};
    }
    return {true, {}};
}

FileResult ChangeDirectory(const std::string& path) {
    if (::chdir(path.c_str()) == 0) return {true, {}};
    return {false, IoErrorMessage(errno)};
}

}  // namespace kombinator
