#pragma once
// The seven printer offsets (PrintSettings), their one-line text files and the check of their edits.

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "io/file_util.h"
#include "model/runtime_errors.h"

namespace kombinator {

inline constexpr int PrintOffsetCount = 7;
// The order in which the offsets are checked, read and written everywhere.
inline constexpr std::array<std::string_view, PrintOffsetCount> PrintOffsetNames = {"PX1", "X1X2", "PY1", "Y1Y2",
                                                                                      "PYK", "PYZ",  "PNR"};

// Printer device units; x grows to the right, y downwards.
struct PrintSettings {
    std::int32_t PX1 = 0;   // x of mark column 0
    std::int32_t X1X2 = 0;  // x distance between neighbouring mark columns
    std::int32_t PY1 = 0;   // y of goal row 0
    std::int32_t Y1Y2 = 0;  // y distance between neighbouring goal rows
    std::int32_t PYK = 0;   // extra y after each block of four goal rows
    std::int32_t PYZ = 0;   // y distance from the last goal row to the Z row
    std::int32_t PNR = 0;   // y of the coupon number
    friend bool operator==(const PrintSettings&, const PrintSettings&) = default;

    // Offset i in the order of PrintOffsetNames.
    std::int32_t& operator[](int i);
    std::int32_t operator[](int i) const;
};

// "PX1.txt", "X1X2.txt", ...
std::string PrintOffsetFileName(int i);

// The text of an offset file: the bytes up to, not including, the first CR, the first byte 26
// or the end. A LF does not end it, nor does a NUL byte.
std::string_view PrintOffsetText(std::string_view bytes);

struct PrintSettingsLoad {
    bool ok = false;      // all seven offsets loaded
    std::string error;    // the first fault's message when !ok
    std::string file;     // the path of the file at fault when !ok
    int loaded = 0;       // offsets converted, in order; the later ones stay unset
    // The text read for each edit; unset for the files not read. A file whose text does not
    // convert still gives its text, so its edit shows what was read.
    std::array<std::optional<std::string>, PrintOffsetCount> editTexts{};
    PrintSettings settings;  // the first `loaded` offsets
};

// Reads the seven files from `directory` (empty: the current one) in order, stopping at the
// first missing or unreadable file ("File not found", "I/O error N") or text that is not a
// whole number (the conversion message).
PrintSettingsLoad LoadPrintSettings(const std::string& directory);

struct PrintSettingsRead {
    bool ok = false;
    std::string message;  // the first failing edit's message when !ok
    MessageKind messageKind = MessageKind::ProgramMessage;
    PrintSettings settings;
};

// Checks and converts the seven edit texts in order: an edit empty after trimming blanks gives
// "Nie ustalona pozycja wydruku: NAME !", a text that is not a number the conversion message.
PrintSettingsRead ReadPrintSettings(const std::array<std::string, PrintOffsetCount>& editTexts);

// Writes each offset as its decimal value and CR LF into its file in `directory`, in order,
// each file atomically; stops at the first failure, the files written before keep their new content.
FileResult SavePrintSettings(const std::string& directory, const PrintSettings& settings);

// Coupon blanks needed for a list of n lines at five lines a coupon, rounded up.
std::int32_t BlanksNeeded(std::int64_t lineCount);

}  // namespace kombinator
