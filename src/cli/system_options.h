#pragma once
// Option reading shared by the system, simulate, check and coupons commands:
// positional arguments and "--name value" pairs, each name at most once.

#include <cstdio>
#include <map>
#include <optional>
#include <set>
#include <string>
#include <vector>

namespace kombinator::cli {

inline constexpr int ExitUsage = 64;

struct OptionList {
    std::vector<std::string> positional;
    std::map<std::string, std::string> values;
    std::set<std::string> flags;
    std::string error;  // empty when the arguments were well formed

    const std::string* Find(const std::string& name) const {
        const auto it = values.find(name);
        return it == values.end() ? nullptr : &it->second;
    }
};

// valueOptions take the next argument as their value; flagOptions stand alone.
inline OptionList ReadOptions(int argc, char** argv, int first, const std::set<std::string>& valueOptions,
                              const std::set<std::string>& flagOptions = {}) {
    OptionList list;
    for (int i = first; i < argc; ++i) {
        const std::string arg = argv[i];
        if (arg.size() > 2 && arg.compare(0, 2, "--") == 0) {
            const std::string name = arg.substr(2);
            if (flagOptions.count(name)) {
                list.flags.insert(name);
                continue;
            }
            if (!valueOptions.count(name)) {
                list.error = "unknown option " + arg;
                return list;
            }
            if (i + 1 >= argc) {
                list.error = "option " + arg + " needs a value";
                return list;
            }
            if (!list.values.emplace(name, argv[++i]).second) {
                list.error = "option " + arg + " given twice";
                return list;
            }
            continue;
        }
        list.positional.push_back(arg);
    }
    return list;
}

// A whole decimal number in [low, high] for an option of the command line itself.
inline std::optional<long long> OptionNumber(const std::string& text, long long low, long long high) {
    if (text.empty() || text.size() > 18) return std::nullopt;
    std::size_t i = text[0] == '-' ? 1 : 0;
    if (i == text.size()) return std::nullopt;
    for (std::size_t k = i; k < text.size(); ++k)
        if (text[k] < '0' || text[k] > '9') return std::nullopt;
    const long long value = std::stoll(text);
    if (value < low || value > high) return std::nullopt;
    return value;
}

inline int UsageError(const char* command, const std::string& what, const char* usage) {
    std::fprintf(stderr, "kombinator-cli %s: %s\nusage: kombinator-cli %s\n", command, what.c_str(), usage);
    return ExitUsage;
}

}  // namespace kombinator::cli
