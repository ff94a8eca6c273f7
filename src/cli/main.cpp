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
    std::string_view summary;  // lines of the --help text
    bool answersHelp;          // the command prints its own "COMMAND --help"
};

// Every command, in the order --help lists them.
constexpr Command Commands[] = {
    {"count", kombinator::cli::RunCountCommand, "count PROFILE [--candidates FILE] [--funnel]",
     "Run the filters of a filter profile and print CandidateCount: N; with --candidates\n"
     "also save the first 30,000 candidates as a system file; with --funnel also print how\n"
     "many Combinations each step of the filter chain receives and rejects.",
     true},
    {"backtest", kombinator::cli::RunBacktestCommand, "backtest PROFILE ARCHIVE",
     "Test the filters of a profile on the real outcomes of past rounds (a system file, one\n"
     "round per line): each round passes or is rejected by the first step named, then\n"
     "Passed: P of T.",
     true},
    {"system", kombinator::cli::RunSystemCommand,
     "system PROFILE --guarantee 6|5|4|3 [--optimise [--seconds S] [--seed N]] --out FILE",
     "Turn the candidates of a profile (1 to 30,000 of them) into a system file: all of\n"
     "them (6) or a reduced system that guarantees 5, 4 or 3 exact scores. --optimise\n"
     "searches S seconds (20 unless given) for the same guarantee with fewer lines.",
     false},
    {"simulate", kombinator::cli::RunSimulateCommand,
     "simulate PROFILE --count N --distance 1..4 --seconds T --seed S --out FILE",
     "The computer simulation: draw up to N lines from the candidates of a profile, each\n"
     "differing from the others as --distance asks, for at most T seconds of the window's\n"
     "timers, with a fixed seed; save them as a system file.",
     false},
    {"check", kombinator::cli::RunCheckCommand, "check SYSTEMFILE R1 R2 R3 R4 R5 R6",
     "Check a saved system against the six real results (each h-a) and list the lines and\n"
     "coupon rows with 6, 5, 4 and 3 hits.",
     false},
    {"coupons", kombinator::cli::RunCouponsCommand,
     "coupons SYSTEMFILE --offsets DIR --from A --to B [--z 1..4]\n  coupons --offsets DIR --test",
     "List every text that printing coupons A to B of a saved system would draw, placed by\n"
     "the printer offset files in DIR; --test lists the calibration page.",
     false},
    {"analyse", kombinator::cli::RunAnalyseCommand,
     "analyse SYSTEMFILE (--candidates FILE | --profile PROFILE | --all) [--guarantee 6|5|4|3 [--holes FILE]]",
     "What a saved system is worth: for every outcome (the lines of a candidates file, every\n"
     "Combination passing a profile, or all 16,777,216), the best hit count of any line of the\n"
     "system. Prints Lines, Outcomes (a Combination listed twice counts once), Best6, Best5,\n"
     "Best4, Best3, Best0-2 (outcomes by best hit count) and Guarantee (the smallest best);\n"
     "with --guarantee L also Holes (outcomes whose best is below L), which --holes FILE\n"
     "saves as a system file.",
     false},
};

void AppendIndented(std::string& text, std::string_view lines, std::string_view indent) {
    while (!lines.empty()) {
        const std::size_t end = lines.find('\n');
        text += std::string(indent) + std::string(lines.substr(0, end)) + "\n";
        lines = end == std::string_view::npos ? std::string_view{} : lines.substr(end + 1);
    }
}

void PrintHelp() {
    std::string text =
        "usage: kombinator-cli COMMAND [ARGUMENTS]\n"
        "\n"
        "Kombinator's engine without the window: filter profiles in, counts and system files out.\n"
        "A filter profile is the text file that the window's \"Filtry\" menu saves (see examples/);\n"
        "a system file holds one line of 30 characters per Combination, like \"1-0  2-2  0-3  1-1  3-0  0-0  \".\n"
        "\n"
        "Commands:\n";
    for (const Command& c : Commands) {
        text += "  " + std::string(c.synopsis) + "\n";
        AppendIndented(text, c.summary, "      ");
    }
    text +=
        "\n"
        "'kombinator-cli COMMAND --help' explains one command.\n"
        "\n"
        "Exit status:\n"
        "   0  done\n"
        "   1  count could not write its candidates file\n"
        "   2  a profile or input file cannot be read or is malformed (system and simulate\n"
        "      also when they cannot write their output)\n"
        "   3  the settings or inputs are refused with the program's own message\n"
        "   4  no system can be made from the candidates, or a system line cannot be read\n"
        "  64  bad arguments\n";
    std::fputs(text.c_str(), stdout);
}

void PrintCommandHelp(const Command& c) {
    std::string text = "usage: kombinator-cli " + std::string(c.synopsis) + "\n\n";
    AppendIndented(text, c.summary, "");
    std::fputs(text.c_str(), stdout);
}

int ShortUsage(std::string_view problem) {
    kombinator::PrintError("kombinator-cli: " + std::string(problem));
    std::string names;
    for (const Command& c : Commands) names += (names.empty() ? "" : ", ") + std::string(c.name);
    kombinator::PrintError("usage: kombinator-cli COMMAND [ARGUMENTS]   (commands: " + names + ")");
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
    const Command* command = nullptr;
    for (const Command& c : Commands)
        if (c.name == name) command = &c;
    if (command == nullptr) return ShortUsage("unknown command '" + std::string(name) + "'");

    int code;
    if (!command->answersHelp && argc == 3 && (std::string_view(argv[2]) == "--help" || std::string_view(argv[2]) == "-h")) {
        PrintCommandHelp(*command);
        code = ExitOk;
    } else {
        code = command->run(argc - 1, argv + 1);
    }
    // Output that never reached its destination (a full disk, say) is no success.
    if (std::fflush(stdout) != 0 || std::ferror(stdout)) {
        kombinator::PrintError("kombinator-cli: cannot write the standard output");
        if (code == ExitOk) code = kombinator::ExitCannotWrite;
    }
    return code;
}
