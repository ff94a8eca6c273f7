// kombinator-cli: the Kombinator engine from the command line, one command per run.
#include <cstdio>
#include <string>
#include <string_view>

#include "cli/cli_common.h"
#include "cli/commands.h"

namespace {

using kombinator::ExitOk;
using kombinator::ExitUsage;

struct Command {
    std::string_view name;
    int (*run)(int argc, char** argv);
    std::string_view synopsis;
    std::string_view summary;
};

// Every command, in the order --help lists them.
constexpr Command Commands[] = {
    {"count", kombinator::RunCountCommand, "count PROFILE [--candidates FILE]",
     "run the filters of a filter profile, print CandidateCount and optionally\n"
     "save the first 30,000 candidates as a system file"},
};

void PrintHelp() {
    std::string text =
        "usage: kombinator-cli COMMAND [ARGUMENTS]\n"
        "\n"
        "Kombinator's engine without the window: filter profiles in, counts and system files out.\n"
        "A filter profile is the text file that the window's \"Filtry\" menu saves.\n"
        "\n"
        "Commands:\n";
    for (const Command& c : Commands) {
        text += "  " + std::string(c.synopsis) + "\n";
        std::string_view summary = c.summary;
        while (!summary.empty()) {
            const std::size_t end = summary.find('\n');
            text += "      " + std::string(summary.substr(0, end)) + "\n";
            summary = end == std::string_view::npos ? std::string_view{} : summary.substr(end + 1);
        }
    }
    text +=
        "\n"
        "'kombinator-cli COMMAND --help' explains one command.\n"
        "\n"
        "Exit status: 0 done; 1 an output file could not be written; 2 a profile or input file\n"
        "cannot be read or is malformed; 3 the filter settings are incomplete; 64 bad arguments.\n";
    std::fputs(text.c_str(), stdout);
}

int ShortUsage(std::string_view problem) {
    if (!problem.empty()) kombinator::PrintError("kombinator-cli: " + std::string(problem));
    std::string commands;
    for (const Command& c : Commands) commands += (commands.empty() ? "" : ", ") + std::string(c.name);
    kombinator::PrintError("usage: kombinator-cli COMMAND [ARGUMENTS]   (commands: " + commands + ")");
    kombinator::PrintError("Try 'kombinator-cli --help' for more.");
    return ExitUsage;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 2) return ShortUsage("missing COMMAND");
    const std::string_view name = argv[1];
    if (name == "--help" || name == "-h" || name == "help") {
        PrintHelp();
        return ExitOk;
    }
    int code = -1;
    for (const Command& c : Commands)
        if (c.name == name) code = c.run(argc - 1, argv + 1);
    if (code < 0) return ShortUsage("unknown command '" + std::string(name) + "'");
    // Output that never reached its destination (a full disk, a closed pipe) is no success.
    if (std::fflush(stdout) != 0 || std::ferror(stdout)) {
        kombinator::PrintError("kombinator-cli: cannot write the standard output");
        if (code == ExitOk) code = kombinator::ExitCannotWrite;
    }
    return code;
}
