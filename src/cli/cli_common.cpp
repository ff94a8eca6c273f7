#include "cli/cli_common.h"

#include <cstdio>
#include <filesystem>

#include "filters/filter_profile.h"
#include "model/runtime_errors.h"
#include "io/system_file.h"

namespace kombinator::cli {

const std::string* Invocation::Value(std::string_view name) const {
    for (const auto& [key, value] : values)
        if (key == name) return &value;
    return nullptr;
}

bool Invocation::Flag(std::string_view name) const {
    for (const std::string& f : flags)
        if (f == name) return true;
    return false;
}

int Invocation::Usage(std::string_view problem) const {
    const std::string program(ProgramName);
    const std::string name(command.name);
    PrintError(program + " " + name + ": " + std::string(problem));
    PrintError("usage: " + program + " " + std::string(command.synopsis));
    PrintError("Try '" + program + " " + name + " --help' for more.");
    return ExitUsage;
}

Invocation ParseArguments(const Command& command, int argc, char** argv) {
    Invocation call(command);
    auto fail = [&call](std::string problem) {
        if (call.error.empty()) call.error = std::move(problem);
    };
    bool onlyPositional = false;
    for (int i = 1; i < argc; ++i) {
        const std::string_view arg = argv[i];
        const bool dashed = arg.size() >= 2 && arg[0] == '-' &&
                            (arg[1] == '-' || (arg[1] >= 'a' && arg[1] <= 'z') || (arg[1] >= 'A' && arg[1] <= 'Z'));
        if (onlyPositional || !dashed) {
            call.positional.emplace_back(arg);
            continue;
        }
        if (arg == "--") {
            onlyPositional = true;
            continue;
        }
        if (arg == "-h" || arg == "--help") {
            call.help = true;
            continue;
        }
        const std::size_t eq = arg.find('=');
        const std::string name(arg.substr(0, eq));
        const Option* option = nullptr;
        for (const Option& o : command.options)
            if (o.name == name) option = &o;
        if (option == nullptr) {
            fail("unknown option " + name);
            continue;
        }
        const bool given = call.Value(name) != nullptr || call.Flag(name);
        if (option->value.empty()) {
            if (eq != std::string_view::npos) fail("option " + name + " takes no value");
            if (given) fail("option " + name + " given twice");
            call.flags.push_back(name);
            continue;
        }
        std::string value;
        if (eq != std::string_view::npos) {
            value = std::string(arg.substr(eq + 1));
        } else if (i + 1 < argc) {
            value = argv[++i];
        } else {
            fail("option " + name + " needs a value " + std::string(option->value));
            continue;
        }
        if (value.empty()) fail("option " + name + " needs a value " + std::string(option->value));
        if (given) fail("option " + name + " given twice");
        call.values.emplace_back(name, std::move(value));
    }
    return call;
}

std::optional<long long> ParseNumber(std::string_view text, long long low, long long high) {
    const std::size_t first = !text.empty() && text[0] == '-' ? 1 : 0;
    if (text.size() == first || text.size() - first > 18) return std::nullopt;
    long long value = 0;
    for (std::size_t k = first; k < text.size(); ++k) {
        if (text[k] < '0' || text[k] > '9') return std::nullopt;
        value = value * 10 + (text[k] - '0');
    }
    if (first == 1) value = -value;
    if (value < low || value > high) return std::nullopt;
    return value;
}

std::string Printable(std::string_view text) {
    static constexpr char Hex[] = "0123456789abcdef";
    std::string shown;
    shown.reserve(text.size());
    auto escape = [&shown](unsigned char b) {
        shown += "\\x";
        shown += Hex[b >> 4];
        shown += Hex[b & 15];
    };
    for (std::size_t i = 0; i < text.size();) {
        const auto b = static_cast<unsigned char>(text[i]);
        if (b < 0x20 || b == 0x7f) {
            escape(b);
            ++i;
            continue;
        }
        if (b < 0x80) {
            shown += static_cast<char>(b);
            ++i;
            continue;
        }
        // A well-formed UTF-8 sequence (the program's Polish texts) passes; anything else is escaped.
        const std::size_t length = b >= 0xc2 && b <= 0xdf ? 2 : b >= 0xe0 && b <= 0xef ? 3 : b >= 0xf0 && b <= 0xf4 ? 4 : 0;
        bool whole = length != 0 && i + length <= text.size();
        for (std::size_t k = 1; whole && k < length; ++k)
            whole = (static_cast<unsigned char>(text[i + k]) & 0xc0) == 0x80;
        if (whole && length == 3) {
            const auto second = static_cast<unsigned char>(text[i + 1]);
            whole = !(b == 0xe0 && second < 0xa0) && !(b == 0xed && second >= 0xa0);
        }
        if (whole && length == 4) {
            const auto second = static_cast<unsigned char>(text[i + 1]);
            whole = !(b == 0xf0 && second < 0x90) && !(b == 0xf4 && second >= 0x90);
        }
        if (!whole) {
            escape(b);
            ++i;
            continue;
        }
        shown.append(text.substr(i, length));
        i += length;
    }
    return shown;
}

void PrintOut(std::string_view text) {
    std::fwrite(text.data(), 1, text.size(), stdout);
    std::fputc('\n', stdout);
}

void PrintError(std::string_view text) {
    const std::string shown = Printable(text);
    std::fwrite(shown.data(), 1, shown.size(), stderr);
    std::fputc('\n', stderr);
}

void FileError(std::string_view path, std::string_view reason) {
    if (reason == CannotOpenFileMessage(path) || reason == CannotCreateFileMessage(path))
        PrintError(reason);
    else
        PrintError(std::string(path) + ": " + std::string(reason));
}

bool LoadProfile(const std::string& path, FilterSettings& settings) {
    const ProfileReadResult r = ReadFilterProfileFile(path);
    if (!r.ok) {
        FileError(path, r.error);
        return false;
    }
    settings = r.settings;
    return true;
}

bool SameFile(const std::string& a, const std::string& b) {
    std::error_code error;
    return std::filesystem::equivalent(a, b, error) && !error;
}

int WriteSystemOutput(const std::string& path, const std::vector<std::string>& lines) {
    const FileResult written = WriteSystemFile(path, lines);
    if (!written.ok) {
        FileError(path, written.error);
        return ExitCannotWrite;
    }
    return ExitOk;
}

}  // namespace kombinator::cli
