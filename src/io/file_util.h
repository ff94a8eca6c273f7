#pragma once
// Bounded reading of regular files and atomic writing, with the runtime's error texts.

#include <cstddef>
#include <string>
#include <string_view>

namespace kombinator {

struct FileResult {
    bool ok = false;
    std::string error;  // the runtime's message when !ok
};

// Upper bounds for the files the program reads: far above anything it writes itself
// (a profile is a few kilobytes, a system of 30,000 lines under a megabyte).
inline constexpr std::size_t ProfileFileLimit = std::size_t{1} << 20;
inline constexpr std::size_t SystemFileLimit = std::size_t{256} << 20;

struct FileRead {
    int error = 0;  // 0, or the errno of the failure (EINVAL for a file that is not a regular one,
                    // EFBIG for one longer than the limit when the whole file was asked for)
    std::string bytes;
};

// Reads a regular file, never more than `limit` bytes. With `wholeFile` a longer file is the
// error EFBIG; without it the first `limit` bytes are the result. A FIFO, a device or a
// directory is refused before anything is read, so nothing can block or run without end.
FileRead ReadRegularFile(const std::string& path, std::size_t limit, bool wholeFile);

// Reads the whole file (at most `limit` bytes) into `bytes`. On failure `bytes` is untouched and
// the error is "Cannot open file NAME" (missing, unreadable, not a regular file) or "I/O error N".
FileResult ReadWholeFile(const std::string& path, std::string& bytes, std::size_t limit = SystemFileLimit);

// Saves `bytes` as the file `path`, the way an editor does:
// - a regular file (or a new one) is replaced atomically: the bytes go to a short hidden
//   temporary ".kombinator-..." in the same folder, which is renamed over the target, so a
//   failed save never leaves a half-written file or destroys the previous one; the target keeps
//   its permissions; temporaries left by an earlier killed save of the same target are removed;
// - a symbolic link is followed and its final target replaced;
// - a FIFO or a character device (/dev/null, /dev/stdout) is written through as a stream;
// - a target the user may not write (read-only, also for root) is refused, and so is any other
//   kind of file.
// On failure the error is "Cannot create file NAME" or "I/O error N".
FileResult WriteFileAtomically(const std::string& path, std::string_view bytes);

// Makes `path` the current directory. On failure the error is "I/O error N" with the system's
// error number (2 for a folder that is gone).
FileResult ChangeDirectory(const std::string& path);
// The prefix of the temporaries of one target name (its last path component).
std::string TemporaryPrefix(std::string_view targetName);

}  // namespace kombinator
