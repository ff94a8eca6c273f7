#include "cli/cli_common.h"

#include <cstdio>
#include <filesystem>

#include "filters/filter_profile.h"

namespace kombinator {

const std::string* CommandArgs::Option(std::string_view name) const {
    for (const auto& [key, value] : options)
        if (key == name) return &value;
    return nullptr;
}

CommandArgs ParseCommandArgs(int argc, char** argv, const std::vector<std::string_view>& valueOptions) {
    CommandArgs args;
    bool onlyPositional = false;
    for (int i = 1; i < argc; ++i) {
        const std::string_view arg = argv[i];
        if (onlyPositional || arg.size() < 2 || arg[0] != '-') {
            args.positional.emplace_back(arg);
            continue;
        }
        if (arg == "--") {
            onlyPositional = true;
            continue;
        }
        if (arg == "-h" || arg == "--help") {
            args.help = true;
            continue;
        }
        const std::size_t eq = arg.find('=');
        const std::string_view name = arg.substr(0, eq);
        bool known = false;
        for (std::string_view option : valueOptions) known = known || option == name;
        if (!known) {
            if (args.error.empty()) args.error = "unknown option " + std::string(name);
            continue;
        }
        std::string value;
        if (eq != std::string_view::npos) {
            value = std::string(arg.substr(eq + 1));
        } else if (i + 1 < argc) {
            value = argv[++i];
        } else {
            if (args.error.empty()) args.error = "option " + std::string(name) + " needs a value";
            continue;
        }
        if (value.empty() && args.error.empty()) args.error = "option " + std::string(name) + " needs a value";
        if (args.Option(name) != nullptr && args.error.empty())
            args.error = "option " + std::string(name) + " given twice";
        args.options.emplace_back(std::string(name), std::move(value));
    }
    return args;
}

int UsageError(std::string_view command, std::string_view problem, std::string_view usage) {
    PrintError(std::string(ProgramName) + " " + std::string(command) + ": " + std::string(problem));
    PrintError("usage: " + std::string(ProgramName) + " " + std::string(usage));
    PrintError("Try '" + std::string(ProgramName) + " " + std::string(command) + " --help' for more.");
    return ExitUsage;
}

bool LoadProfile(const std::string& path, FilterSettings& settings) {
    const ProfileReadResult r = ReadFilterProfileFile(path);
    if (r.ok) {
        settings = r.settings;
        return true;
    }
    // The runtime's "Cannot open file NAME" names the file already.
    if (r.line == 0 && r.error.find(path) != std::string::npos)
        PrintError(r.error);
    else
        PrintError(path + ": " + r.error);
    return false;
}

bool SameFile(const std::string& a, const std::string& b) {
    std::error_code error;
    return std::filesystem::equivalent(a, b, error) && !error;
}

void PrintOut(std::string_view text) {
    std::fwrite(text.data(), 1, text.size(), stdout);
    std::fputc('\n', stdout);
}

void PrintError(std::string_view text) {
    std::fwrite(text.data(), 1, text.size(), stderr);
    std::fputc('\n', stderr);
}

}  // namespace kombinator
