#pragma once
// System analysis: for every outcome the real matches could have, the best hit count of a system
// (the largest AgreeCount with any of its lines), the distribution of those counts, the guarantee
// (the smallest of them) and the holes (the outcomes a guarantee misses).

#include <array>
#include <atomic>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "engine/filter_run.h"
#include "model/filter_settings.h"
#include "model/half_set.h"

namespace kombinator {

// The scores (ScoreIndex 0..15) of one system line at Positions 1..6. A line of an opened file may
// hold a digit 4..9, which the result check reads but no match can end with: such a Position is
// NoLineScore and never agrees.
inline constexpr std::uint8_t NoLineScore = 16;
using AnalysisLine = std::array<std::uint8_t, 6>;

AnalysisLine AnalysisLineOf(const Combination& c);

struct SystemLinesRead {
    bool ok = false;
    std::string error;  // when !ok: the result check's conversion message for the first bad line
    std::int32_t badLine = 0;  // when !ok: that line's number, counted from 1
    std::vector<AnalysisLine> lines;
};

// Reads the twelve digit places of every line exactly as the result check does.
SystemLinesRead ReadAnalysisLines(const std::vector<std::string>& systemList);

// "Some line shares L exact scores with this outcome" for every L from 1 to 5, as bit look-ups:
// one bitmap per set of L Positions (62 sets), indexed by the scores the lines have there;
// sharing all six is a look-up in the sorted lines.
class SystemCoverage {
public:
    explicit SystemCoverage(const std::vector<AnalysisLine>& lines);

    std::int32_t LineCount() const { return lineCount_; }
    // The largest AgreeCount of the outcome (a canonical index) with any line; 0 without lines.
    int BestHitCount(std::uint32_t canonical) const;

    // The best hit counts of the outcomes first * 4096 + s for every s in `seconds`: adds to
    // byBest[k] the number whose best is k, and appends to `holes` (when given) those whose best
    // is below holeLevel, in increasing order.
    void CountFirstHalf(int first, const HalfSet& seconds, std::array<std::int64_t, 7>& byBest,
                        std::vector<std::uint32_t>* holes, int holeLevel) const;

private:
    struct Subset {
        std::uint8_t level;
        std::uint8_t firstMask;   // bit j: Position 1 + j belongs to the set
        std::uint8_t secondMask;  // bit j: Position 4 + j belongs to the set
        std::uint8_t secondShift; // 4 x the number of second-half Positions in the set
        std::uint64_t offset;     // first bit of the set's bitmap in bits_
    };

    // Bit positions in bits_ of the slices that a first half selects, one per set.
    void FirstHalfBases(int first, std::array<std::uint64_t, 63>& bases) const;
    void OrSecondHalves(const Subset& subset, std::uint64_t base, HalfSet& acc) const;
    bool IsLine(std::uint32_t canonical) const;

    std::int32_t lineCount_ = 0;
    std::array<Subset, 63> subsets_{};
    std::array<int, 8> levelBegin_{};  // subsets_[levelBegin_[L] .. levelBegin_[L + 1]) have level L
    std::vector<std::uint64_t> bits_;
    // The lines without a Position that never agrees, sorted; those of first half f are
    // sortedLines_[firstBegin_[f] .. firstBegin_[f + 1]).
    std::vector<std::uint32_t> sortedLines_;
    std::array<std::uint32_t, HalfCount + 1> firstBegin_{};
};

// Where the outcomes come from. Every source hands them out grouped by first half, first halves in
// increasing order, so the outcomes arrive in canonical order.
class OutcomeSource {
public:
    // The Combinations of a list; a Combination listed twice is one outcome.
    static OutcomeSource FromList(std::vector<std::uint32_t> canonical);
    // Every Combination that passes the filters, all of them, not only the first 30,000.
    static OutcomeSource Passing(const FilterSettings& settings);
    // All 16,777,216 Combinations.
    static OutcomeSource Everything();

    // Returns the FilterRun's validation message for refused filters (nothing is visited then),
    // empty otherwise.
    std::string ForEachSet(const PassingSetVisitor& visit) const;

private:
    enum class Kind { List, Passing, Everything };
    Kind kind_ = Kind::Everything;
    std::shared_ptr<const std::vector<std::uint32_t>> list_;  // sorted, no repeats
    std::shared_ptr<const FilterSettings> settings_;
};

// Reads outcomes from the lines of a system file. A line that is not a Combination (a place without
// a digit 0..3) gives an error naming its number, and no outcomes.
struct OutcomesRead {
    bool ok = false;
    std::string error;
    std::vector<std::uint32_t> canonical;
};
OutcomesRead ReadOutcomeLines(const std::vector<std::string>& lines);

// Progress and stop for a long analysis on a worker thread: progress gets the number of first
// halves (of 4,096) done so far; a set stop flag ends the work early.
struct AnalysisControl {
    std::function<void(int firstHalvesDone)> progress;
    const std::atomic<bool>* stop = nullptr;
    bool Stopped() const { return stop != nullptr && stop->load(std::memory_order_relaxed); }
};

class SystemAnalysis {
public:
    std::int32_t lines = 0;
    std::int64_t outcomes = 0;
    std::array<std::int64_t, 7> byBest{};  // byBest[k]: outcomes whose best hit count is k
    int guarantee = 0;                      // the smallest best hit count; 0 without outcomes
    std::string message;                    // the validation message of refused filters
    bool stopped = false;                   // the stop flag ended the work; the figures are partial

    bool ok() const { return message.empty() && !stopped; }
    std::int64_t Best(int k) const { return byBest[static_cast<std::size_t>(k)]; }
    std::int64_t BestZeroToTwo() const { return byBest[0] + byBest[1] + byBest[2]; }
    // How many outcomes have a best below the level.
    std::int64_t HoleCount(int level) const;
    // The outcomes (canonical indices) whose best is below the level, in canonical order; empty
    // when stopped.
    std::vector<std::uint32_t> Holes(int level, const AnalysisControl& control = {}) const;

private:
    friend SystemAnalysis AnalyseSystem(const std::vector<AnalysisLine>&, OutcomeSource, const AnalysisControl&);
    std::shared_ptr<const SystemCoverage> coverage_;
    OutcomeSource source_;
};

SystemAnalysis AnalyseSystem(const std::vector<AnalysisLine>& lines, OutcomeSource outcomes,
                             const AnalysisControl& control = {});

}  // namespace kombinator
