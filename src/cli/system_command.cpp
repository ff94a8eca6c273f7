// kombinator-cli system PROFILE --guarantee 6|5|4|3 --out FILE: the guarantee generator.
#include <cstdio>
#include <memory>
#include <string>
#include <vector>

#include "cli/profile_candidates.h"
#include "cli/commands.h"
#include "cli/system_options.h"
#include "generator/guarantee_reduction.h"
#include "io/system_file.h"

namespace kombinator::cli {
namespace {
constexpr const char* Usage = "system PROFILE --guarantee 6|5|4|3 --out FILE";
}

int RunSystemCommand(int argc, char** argv) {
    const OptionList options = ReadOptions(argc, argv, 1, {"guarantee", "out"});
    if (!options.error.empty()) return UsageError("system", options.error, Usage);
    if (options.positional.size() != 1) return UsageError("system", "one PROFILE expected", Usage);
    const std::string* guarantee = options.Find("guarantee");
    const std::optional<long long> level = guarantee ? OptionNumber(*guarantee, 3, 6) : std::nullopt;
    if (!level) return UsageError("system", "--guarantee must be 6, 5, 4 or 3", Usage);
    const std::string* out = options.Find("out");
    if (!out) return UsageError("system", "missing --out FILE", Usage);

    auto candidates = std::make_unique<CandidateStore>();
    auto system = std::make_unique<SystemStore>();
    std::int32_t candidateCount = 0;
    if (const int code = CandidatesFromProfile(options.positional[0], *candidates, candidateCount)) return code;
    std::int32_t systemCount = candidateCount;
    const std::vector<std::string> lines =
        GuaranteeSystem(*candidates, candidateCount, static_cast<int>(*level), *system, systemCount);
    const FileResult written = WriteSystemFile(*out, lines);
    if (!written.ok) {
        std::fprintf(stderr, "%s\n", written.error.c_str());
        return 2;
    }
    std::printf("CandidateCount: %d\nSystemCount: %zu\n", candidateCount, lines.size());
    return 0;
}

}  // namespace kombinator::cli
