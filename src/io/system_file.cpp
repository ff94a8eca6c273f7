#include "io/system_file.h"

namespace kombinator {

std::string SystemFileText(const std::vector<std::string>& lines) {
    std::size_t size = 0;
    for (const std::string& line : lines) size += line.size() + 2;
    std::string text;
    text.reserve(size);
    for (const std::string& line : lines) {
        text += line;
        text += "\r\n";
    }
    return text;
}

std::vector<std::string> SplitSystemText(std::string_view bytes) {
    const std::size_t nul = bytes.find('\0');
    if (nul != std::string_view::npos) bytes = bytes.substr(0, nul);
    std::vector<std::string> lines;
    std::size_t start = 0;
    const std::size_t n = bytes.size();
    while (start < n) {
        std::size_t end = start;
        while (end < n && bytes[end] != '\r' && bytes[end] != '\n') ++end;
        lines.emplace_back(bytes.substr(start, end - start));
        if (end == n) break;
        start = end + 1;
        if (bytes[end] == '\r' && start < n && bytes[start] == '\n') ++start;
    }
    return lines;
}

FileResult WriteSystemFile(const std::string& path, const std::vector<std::string>& lines) {
    return WriteFileAtomically(path, SystemFileText(lines));
}

FileResult ReadSystemFile(const std::string& path, std::vector<std::string>& lines) {
    std::string bytes;
    FileResult result = ReadWholeFile(path, bytes);
    if (!result.ok) return result;
    lines = SplitSystemText(bytes);
    return result;
}

}  // namespace kombinator
