#pragma once
// What every kombinator-cli command shares: the command table entry, one option parser, one way
// to report bad arguments and faulty files, and the exit codes.
//
// Adding a command: write NAME_command.cpp defining `const Command NameCommand`, declare it in
// commands.h and list it in main.cpp's table. Its options are parsed before it runs.

#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "model/filter_settings.h"

namespace kombinator::cli {

inline constexpr int ExitOk = 0;
inline constexpr int ExitCannotWrite = 1;      // an output file or the standard output could not be written
inline constexpr int ExitBadInput = 2;         // a profile or input file cannot be read or is malformed
inline constexpr int ExitRefused = 3;          // the settings or inputs are refused with the program's own message
inline constexpr int ExitNoSystem = 4;         // no system can be made, or a system line cannot be read
inline constexpr int ExitUsage = 64;           // bad arguments

inline constexpr std::string_view ProgramName = "kombinator-cli";

// One option of a command: `--name VALUE` (or `--name=VALUE`) when `value` names its value,
// a flag standing alone when `value` is empty.
struct Option {
    std::string_view name;   // with the leading "--"
    std::string_view value;  // "FILE", "N", ...; empty for a flag
};

class Invocation;

struct Command {
    std::string_view name;
    std::string_view synopsis;             // the usage line after "kombinator-cli "
    std::string_view summary;              // lines for the overall --help
    std::vector<Option> options;
    int (*run)(const Invocation& call);
    std::string_view help = {};            // the whole "COMMAND --help" text; empty: synopsis and summary
};

// A command's arguments after parsing.
class Invocation {
public:
    const Command& command;
    std::vector<std::string> positional;
    std::vector<std::pair<std::string, std::string>> values;  // option name (with "--") and value
    std::vector<std::string> flags;
    bool help = false;
    std::string error;  // the first problem with the arguments, empty when none

    explicit Invocation(const Command& c) : command(c) {}

    // The value of an option, or nullptr when it was not given.
    const std::string* Value(std::string_view name) const;
    bool Flag(std::string_view name) const;

    // Prints "kombinator-cli COMMAND: PROBLEM", the usage line and a hint on standard error;
    // returns ExitUsage.
    int Usage(std::string_view problem) const;
};

// Parses argv[1..argc-1] of `command` (argv[0] is its name). An argument that begins with "--"
// is an option, as is one that begins with "-" and a letter ("-h" asks for help); "--" makes
// every later argument positional; the rest ("-1" and "-0" included, as results) are positional.
// An unknown option, a missing or empty value, a value given to a flag or an option given twice
// is an error.
Invocation ParseArguments(const Command& command, int argc, char** argv);

// A whole decimal number in [low, high] (optional minus sign, digits, nothing else).
std::optional<long long> ParseNumber(std::string_view text, long long low, long long high);

// Writes a whole line (text plus LF) to standard output or standard error. Errors show bytes
// that are not printable text (control bytes, broken UTF-8) escaped as \xNN.
void PrintOut(std::string_view text);
void PrintError(std::string_view text);
std::string Printable(std::string_view text);

// Reports the fault of a file on standard error, naming the file: "NAME: reason", or the reason
// alone when it already names the file ("Cannot open file NAME").
void FileError(std::string_view path, std::string_view reason);

// Reads a filter profile. On failure reports it naming the file and returns false;
// `settings` is then left as it was.
bool LoadProfile(const std::string& path, FilterSettings& settings);

// Whether two names lead to the same existing file (also through another path or a hard link).
bool SameFile(const std::string& a, const std::string& b);

// Writes the lines as a system file; on failure reports it naming the file and returns
// ExitCannotWrite, otherwise ExitOk.
int WriteSystemOutput(const std::string& path, const std::vector<std::string>& lines);

}  // namespace kombinator::cli
