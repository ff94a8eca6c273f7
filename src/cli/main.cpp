// kombinator-cli: the Kombinator engine from the command line, one command per run.
#include <csignal>
#include <cstdio>
#include <string>
#include <string_view>

#include "cli/cli_common.h"
#include "cli/commands.h"

namespace {

using namespace kombinator::cli;

// Every command, in the order --help lists them.
const Command* const Commands[] = {
    &CountCommand,
    &BacktestCommand,
    &SystemCommand,
    &SimulateCommand,
    &CheckCommand,
    &CouponsCommand,
    &AnalyseCommand,
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
    for (const Command* c : Commands) {
        text += "  " + std::string(c->synopsis) + "\n";
        AppendIndented(text, c->summary, "      ");
    }
    text +=
        "\n"
        "'kombinator-cli COMMAND --help' explains one command.\n"
        "\n"
        "Exit status (the same for every command; errors about a file name the file):\n"
        "   0  done\n"
        "   1  an output file or the standard output could not be written\n"
        "   2  a profile or input file cannot be read or is malformed\n"
        "   3  the settings or inputs are refused with the program's own message\n"
        "   4  no system can be made from the candidates, or a system line cannot be read\n"
        "  64  bad arguments\n";
    std::fputs(text.c_str(), stdout);
}

void PrintCommandHelp(const Command& c) {
    if (!c.help.empty()) {
        std::fwrite(c.help.data(), 1, c.help.size(), stdout);
        return;
    }
    std::string text = "usage: kombinator-cli " + std::string(c.synopsis) + "\n\n";
    AppendIndented(text, c.summary, "");
    std::fputs(text.c_str(), stdout);
}

int ShortUsage(std::string_view problem) {
    PrintError("kombinator-cli: " + std::string(problem));
    std::string names;
    for (const Command* c : Commands) names += (names.empty() ? "" : ", ") + std::string(c->name);
    PrintError("usage: kombinator-cli COMMAND [ARGUMENTS]   (commands: " + names + ")");
    PrintError("Try 'kombinator-cli --help' for more.");
    return ExitUsage;
}

int Dispatch(int argc, char** argv) {
    if (argc < 2) return ShortUsage("missing COMMAND");
    const std::string_view name = argv[1];
    if (name == "--help" || name == "-h" || name == "help") {
        PrintHelp();
        return ExitOk;
    }
    const Command* command = nullptr;
    for (const Command* c : Commands)
        if (c->name == name) command = c;
    if (command == nullptr) return ShortUsage("unknown command '" + std::string(name) + "'");

    const Invocation call = ParseArguments(*command, argc - 1, argv + 1);
    if (!call.error.empty()) return call.Usage(call.error);
    if (call.help) {
        PrintCommandHelp(*command);
        return ExitOk;
    }
    return command->run(call);
}

}  // namespace

int main(int argc, char** argv) {
    // A pipe whose reader went away is a failed write with its message, not a silent death.
    std::signal(SIGPIPE, SIG_IGN);
    int code = Dispatch(argc, argv);
    // Output that never reached its destination (a full disk, say) is no success.
    if (std::fflush(stdout) != 0 || std::ferror(stdout)) {
        PrintError("kombinator-cli: cannot write the standard output");
        if (code == ExitOk) code = ExitCannotWrite;
    }
    return code;
}
