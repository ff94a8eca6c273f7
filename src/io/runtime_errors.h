#pragma once
// The runtime's error texts, so the window and the command line report the same words.

#include <string>
#include <string_view>

namespace kombinator {

inline std::string ConversionErrorMessage(std::string_view text) {
    return "'" + std::string(text) + "' is not a valid integer value";
}
inline std::string CannotOpenFileMessage(std::string_view name) { return "Cannot open file " + std::string(name); }
inline std::string CannotCreateFileMessage(std::string_view name) { return "Cannot create file " + std::string(name); }
inline std::string IoErrorMessage(int code) { return "I/O error " + std::to_string(code); }
inline constexpr std::string_view FileNotFoundMessage = "File not found";

}  // namespace kombinator
