#pragma once
// Whole-file reading and atomic writing with the runtime's error texts.

#include <string>
#include <string_view>

namespace kombinator {

struct FileResult {
    bool ok = false;
    std::string error;  // the runtime's message when !ok
};

// Reads the whole file into `bytes`. On failure `bytes` is untouched and the error is
// "Cannot open file NAME" (missing, unreadable, a directory) or "I/O error N".
FileResult ReadWholeFile(const std::string& path, std::string& bytes);

// Writes `bytes` to a temporary file in the target's folder and renames it over the target,
// so a failed save never leaves a half-written file or destroys the previous one.
// On failure the error is "Cannot create file NAME" or "I/O error N".
FileResult WriteFileAtomically(const std::string& path, std::string_view bytes);

// Makes `path` the current directory. On failure the error is "I/O error N" with the system's
// error number (2 for a folder that is gone).
FileResult ChangeDirectory(const std::string& path);

}  // namespace kombinator
