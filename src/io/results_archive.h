#pragma once
// The results archive: a system text file whose lines are the real outcomes of past rounds,
// one SystemLine per round, oldest first, kept with any editor or by the result check.

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "model/combination.h"

namespace kombinator {

inline constexpr std::string_view ResultsArchiveName = "archiwum.txt";

struct ResultsArchive {
    bool ok = false;
    std::string error;        // when !ok: the file error, or the message about line badLine
    std::int32_t badLine = 0;  // the first line that is not a SystemLine (counted from 1), 0 for a file error
    std::vector<Combination> outcomes;
};

// Cuts the text into lines as a system file is read; each line must hold a digit 0..3 at the
// twelve digit places of a SystemLine. A place without a digit gives the conversion message,
// a digit above 3 the goal-limit message of the result check.
ResultsArchive ParseResultsArchive(std::string_view bytes);
ResultsArchive ReadResultsArchive(const std::string& path);

enum class ArchiveAppend { Appended, SameRound, Failed };

struct ArchiveAppendResult {
    ArchiveAppend outcome = ArchiveAppend::Failed;
    std::string error;         // when Failed: why nothing was written
    std::int32_t badLine = 0;  // when Failed on an existing line that is not a SystemLine
    std::int32_t rounds = 0;   // rounds in the archive afterwards
};

// Appends the results as a SystemLine, creating the archive when it is missing. The whole file
// is rewritten atomically; nothing is written when the last round already holds these results
// or when the archive has a line that is not a SystemLine.
ArchiveAppendResult AppendToResultsArchive(const std::string& path, const Combination& results);

}  // namespace kombinator
