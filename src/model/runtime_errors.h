#pragma once
// The runtime's error texts, so the window and the command line report the same words.

#include <cstdint>
#include <string>
#include <string_view>

namespace kombinator {

// How a message the core hands back is shown: the window puts each kind in its own box.
enum class MessageKind : std::uint8_t {
    ProgramMessage,  // one of the program's own sentences: a plain message box with OK
    RuntimeReport,   // the runtime's error report (conversion, file, I/O): a box with the error icon
    Question,        // a Yes/No confirmation
};

inline std::string ConversionErrorMessage(std::string_view text) {
    return "'" + std::string(text) + "' is not a valid integer value";
}
inline std::string CannotOpenFileMessage(std::string_view name) { return "Cannot open file " + std::string(name); }
inline std::string CannotCreateFileMessage(std::string_view name) { return "Cannot create file " + std::string(name); }
inline std::string IoErrorMessage(int code) { return "I/O error " + std::to_string(code); }
inline constexpr std::string_view FileNotFoundMessage = "File not found";

}  // namespace kombinator
