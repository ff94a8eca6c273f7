#pragma once
// Filter profiles: the whole FilterSettings as a small text file that the window's "Filtry"
// menu and kombinator-cli both read and write.
//
//   kombinator-filters 1
//   TypeMarks = 111 111 111 111 111 111
//   Scores1 = on
//   Scores1Allowed = 1-0 2-1
//
// Reading is strict: a file that breaks any rule is refused as a whole with "line N: reason",
// and keys that are missing keep their start-up values.

#include <string>
#include <string_view>

#include "model/filter_settings.h"
#include "io/file_util.h"

namespace kombinator {

inline constexpr std::string_view FilterProfileHeader = "kombinator-filters 1";

struct ProfileReadResult {
    bool ok = false;
    // The settings read when ok; start-up values otherwise, so nothing half-loaded can leak.
    FilterSettings settings;
    // "line N: reason" for a fault in the text, or the runtime's file error.
    std::string error;
    // The line of the fault (1-based), 0 when the file itself could not be read.
    int line = 0;
};

// Reads a profile from its bytes.
ProfileReadResult ReadFilterProfile(std::string_view text);

// Reads a profile file; an unreadable file gives the runtime's "Cannot open file NAME" or "I/O error N".
ProfileReadResult ReadFilterProfileFile(const std::string& path);

// The profile text of the settings: the header, then every key in the documented order,
// values in the order of the boxes on screen, each line ending with CR LF.
// Entries that have no box on screen (they always stay 0 in the window) are not written.
std::string WriteFilterProfile(const FilterSettings& settings);

// Writes the profile text atomically: a failed save leaves any previous file as it was.
FileResult SaveFilterProfile(const std::string& path, const FilterSettings& settings);

}  // namespace kombinator
