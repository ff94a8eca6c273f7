#include "generator/guarantee_reduction.h"

#include "generator/coverage_bitmaps.h"
#include "io/system_line.h"

namespace kombinator {

namespace {

std::uint32_t CanonicalOfRecord(const std::uint8_t* r) {
    std::uint32_t n = 0;
    for (std::size_t i = 0; i < RecordSize; ++i) n = (n << 2) | (r[i] & 3u);
    return n;
}

}  // namespace

std::int32_t GuaranteeReduction(const CandidateStore& candidates, std::int32_t candidateCount, int level,
                                SystemStore& system) {
    // Candidate 1 is always the first member; it covers itself when visited again.
    std::int32_t systemCount = 1;
    system.SetRecord(1, candidates.Record(1));
    if (candidateCount < 2) return systemCount;
    CoverageBitmaps coverage(level);
    coverage.Add(CanonicalOfRecord(candidates.RecordBytes(1)));
    for (std::int32_t i = 2; i <= candidateCount; ++i) {
        const std::uint32_t canonical = CanonicalOfRecord(candidates.RecordBytes(i));
        if (coverage.Covers(canonical)) continue;
        coverage.Add(canonical);
        ++systemCount;
        std::memcpy(system.RecordBytes(systemCount), candidates.RecordBytes(i), RecordSize);
    }
    return systemCount;
}

std::vector<std::string> SystemLinesOf(const RecordStore& store, std::int32_t count) {
    std::vector<std::string> lines;
    lines.reserve(static_cast<std::size_t>(count > 0 ? count : 0));
    for (std::int32_t k = 1; k <= count; ++k) lines.push_back(FormatSystemLine(store.At(k)));
    return lines;
}

std::vector<std::string> GuaranteeSystem(const CandidateStore& candidates, std::int32_t candidateCount, int level,
                                         SystemStore& system, std::int32_t& systemCount) {
    if (level >= 6) return SystemLinesOf(candidates, candidateCount);
    systemCount = GuaranteeReduction(candidates, candidateCount, level, system);
    return SystemLinesOf(system, systemCount);
}

}  // namespace kombinator
