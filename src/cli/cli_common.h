#pragma once
// What every kombinator-cli command shares: exit codes, argument parsing, reporting.

#include <string>
#include <string_view>
#include <vector>

#include "engine/filter_settings.h"

namespace kombinator {

inline constexpr int ExitOk = 0;
inline constexpr int ExitCannotWrite = 1;       // an output file could not be written
inline constexpr int ExitBadProfile = 2;        // the profile is unreadable or breaks its format
inline constexpr int ExitInvalidSettings = 3;   // the FilterRun's validation refused the settings
inline constexpr int ExitUsage = 64;            // bad arguments

inline constexpr std::string_view ProgramName = "kombinator-cli";

struct CommandArgs {
    std::vector<std::string> positional;
    std::vector<std::pair<std::string, std::string>> options;  // name (with "--") and value
    bool help = false;
    std::string error;  // the first problem with the arguments, empty when none

    // The value of an option, or nullptr when it was not given.
    const std::string* Option(std::string_view name) const;
};

// Parses argv[1..argc-1] of a command: options that take a value (`--name VALUE` or
// `--name=VALUE`), "-h"/"--help", and "--" after which everything is positional.
// An unknown option, a missing value or an option given twice is an error.
CommandArgs ParseCommandArgs(int argc, char** argv, const std::vector<std::string_view>& valueOptions);

// Prints "kombinator-cli COMMAND: PROBLEM" and the command's usage line on standard error;
// returns ExitUsage.
int UsageError(std::string_view command, std::string_view problem, std::string_view usage);

// Reads a filter profile. On failure prints the file name with "line N: reason" (or the
// file error) on standard error and returns false; `settings` is then left as it was.
bool LoadProfile(const std::string& path, FilterSettings& settings);

// Whether two names lead to the same existing file.
bool SameFile(const std::string& a, const std::string& b);

// Writes a whole line (text plus LF) to standard output or standard error.
void PrintOut(std::string_view text);
void PrintError(std::string_view text);

}  // namespace kombinator
