#include "io/results_archive.h"

#include <filesystem>
#include <system_error>

#include "io/system_line.h"
#include "io/file_util.h"
#include "io/system_file.h"

namespace kombinator {

namespace {
constexpr std::string_view GoalLimitMessage = "Liczba bramek w każdej pozycji nie może przekraczać trzech  !";
}  // namespace

ResultsArchive ParseResultsArchive(std::string_view bytes) {
    ResultsArchive archive;
    const std::vector<std::string> lines = SplitSystemText(bytes);
    archive.outcomes.reserve(lines.size());
    for (std::size_t n = 0; n < lines.size(); ++n) {
        const SystemLineDigits read = ReadSystemLineDigits(lines[n]);
        std::string error = read.error;
        if (read.ok)
            for (std::uint8_t digit : read.digits)
                if (digit > 3) error = GoalLimitMessage;
        if (!error.empty()) {
            archive.error = std::move(error);
            archive.badLine = static_cast<std::int32_t>(n + 1);
            archive.outcomes.clear();
            return archive;
        }
        Combination c;
        for (int p = 0; p < PositionCount; ++p) c.scores[p] = MatchScore{read.digits[2 * p], read.digits[2 * p + 1]};
        archive.outcomes.push_back(c);
    }
    archive.ok = true;
    return archive;
}

ResultsArchive ReadResultsArchive(const std::string& path) {
    std::string bytes;
    const FileResult read = ReadWholeFile(path, bytes);
    if (!read.ok) {
        ResultsArchive archive;
        archive.error = read.error;
        return archive;
    }
    return ParseResultsArchive(bytes);
}

ArchiveAppendResult AppendToResultsArchive(const std::string& path, const Combination& results) {
    ArchiveAppendResult result;
    // The player's own lines are kept as he wrote them; only the new round is added.
    std::vector<std::string> lines;
    std::error_code ec;
    if (std::filesystem::exists(path, ec)) {
        std::string bytes;
        const FileResult read = ReadWholeFile(path, bytes);
        if (!read.ok) {
            result.error = read.error;
            return result;
        }
        const ResultsArchive archive = ParseResultsArchive(bytes);
        if (!archive.ok) {
            result.error = archive.error;
            result.badLine = archive.badLine;
            return result;
        }
        result.rounds = static_cast<std::int32_t>(archive.outcomes.size());
        if (!archive.outcomes.empty() && archive.outcomes.back() == results) {
            result.outcome = ArchiveAppend::SameRound;
            return result;
        }
        lines = SplitSystemText(bytes);
    }
    lines.push_back(FormatSystemLine(results));
    const FileResult written = WriteSystemFile(path, lines);
    if (!written.ok) {
        result.error = written.error;
        return result;
    }
    result.outcome = ArchiveAppend::Appended;
    result.rounds = static_cast<std::int32_t>(lines.size());
    return result;
}

}  // namespace kombinator
