#pragma once
// The system text file: the SystemList, one line per text line, every line ending with CR LF.

#include <string>
#include <string_view>
#include <vector>

#include "io/file_util.h"

namespace kombinator {

// The file's bytes: each line followed by CR LF, the last one included.
std::string SystemFileText(const std::vector<std::string>& lines);

// Cuts text into lines: a line ends at CR LF, LF alone or CR alone; a last line without an
// end counts; a NUL byte ends the text; lines are kept unchanged, empty ones included.
std::vector<std::string> SplitSystemText(std::string_view bytes);

// Writes the lines atomically: a failed save leaves any previous file as it was.
// The error is "Cannot create file NAME" (or "I/O error N").
FileResult WriteSystemFile(const std::string& path, const std::vector<std::string>& lines);

// Reads a whole file into `lines`. `lines` is replaced only when the read succeeded; on
// failure it keeps the current system and the error is "Cannot open file NAME" (or "I/O error N").
FileResult ReadSystemFile(const std::string& path, std::vector<std::string>& lines);

}  // namespace kombinator
