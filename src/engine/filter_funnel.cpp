#include "engine/filter_funnel.h"

#include <bit>
#include <memory>

#include "engine/filter_run.h"
#include "engine/half_chain.h"
#include "model/work_signs.h"
#include "filters/block_g_d.h"
#include "filters/block_goal_counts.h"
#include "filters/pn_templates.h"
#include "filters/preferred_results.h"
#include "filters/results_goal_ranges.h"
#include "filters/ri_rj_templates.h"
#include "filters/rw_templates.h"
#include "filters/type_grid.h"

namespace kombinator {

namespace {

struct StepText {
    std::string_view name;
    std::string_view family;
};

constexpr std::array<StepText, ChainStepCount> StepTexts = {{
    {"TypeGrid", "Typy ogólne"},
    {"Relations", "Relacje Tp - Td"},
    {"RI", "Szablony RI"},
    {"GoalRanges", "Zakresy bramek"},
    {"RJDraws", "Szablony RJ remisów"},
    {"RJTwos", "Szablony RJ dwójek"},
    {"Scores", "Wyniki w pozycjach"},
    {"PN", "Szablony P - N"},
    {"Preferred", "Preferowane wyniki"},
    {"RW", "Szablony RW"},
    {"HomeBlock", "Blok gospodarzy"},
    {"AwayBlock", "Blok przyjezdnych"},
    {"BlockG", "Blok G ( poz 1-3 )"},
    {"BlockD", "Blok D ( poz 4-6 )"},
}};

}  // namespace

std::string_view ChainStepName(ChainStep step) { return StepTexts[static_cast<std::size_t>(step)].name; }
std::string_view ChainStepFamily(ChainStep step) { return StepTexts[static_cast<std::size_t>(step)].family; }

bool ChainStepActive(const FilterSettings& s, ChainStep step) {
    switch (step) {
        case ChainStep::TypeGrid: return true;
        case ChainStep::Relations: return RelationsActive(s);
        case ChainStep::RI: return s.RiActive != 0;
        case ChainStep::GoalRanges: return true;
        case ChainStep::RJDraws: return s.RjDrawActive != 0;
        case ChainStep::RJTwos: return s.RjTwoActive != 0;
        case ChainStep::Scores:
            for (int p = 1; p <= 6; ++p)
                if (s.ScoreFilterActive[p]) return true;
            return false;
        case ChainStep::PN: return s.PnActive != 0;
        case ChainStep::Preferred: return s.PreferredActive != 0;
        case ChainStep::RW: return s.RwActive != 0;
        case ChainStep::HomeBlock: return s.HomeBlockActive != 0;
        case ChainStep::AwayBlock: return s.AwayBlockActive != 0;
        case ChainStep::BlockG: return s.BlockGActive != 0;
        case ChainStep::BlockD: return s.BlockDActive != 0;
    }
    return false;
}

std::vector<ChainStep> ActiveChainSteps(const FilterSettings& s) {
    std::vector<ChainStep> steps;
    for (int i = 0; i < ChainStepCount; ++i)
        if (ChainStepActive(s, static_cast<ChainStep>(i))) steps.push_back(static_cast<ChainStep>(i));
    return steps;
}

std::optional<ChainStep> FirstRejectingStep(const FilterSettings& s, const Combination& c) {
    const WorkSigns signs = SignsOf(c);
    int tpCount = 0;
    if (!TypeGridPass(s, signs, tpCount)) return ChainStep::TypeGrid;
    if (RelationsActive(s) && !RelationPass(s, tpCount)) return ChainStep::Relations;
    if (s.RiActive && !RiPass(s, signs)) return ChainStep::RI;
    if (!GoalRangesPass(s, c)) return ChainStep::GoalRanges;
    if (s.RjDrawActive && !RjPass(s.RjDrawTemplate, signs, 0)) return ChainStep::RJDraws;
    if (s.RjTwoActive && !RjPass(s.RjTwoTemplate, signs, 2)) return ChainStep::RJTwos;
    if (!ScoresPass(s, c)) return ChainStep::Scores;
    if (s.PnActive && !PnPass(s, c)) return ChainStep::PN;
    if (s.PreferredActive && !PreferredResultsPass(s, c)) return ChainStep::Preferred;
    if (s.RwActive && !RwTemplatesPass(s, c)) return ChainStep::RW;
    if (s.HomeBlockActive && !HomeBlockPass(s, c)) return ChainStep::HomeBlock;
    if (s.AwayBlockActive && !AwayBlockPass(s, c)) return ChainStep::AwayBlock;
    if (s.BlockGActive && !BlockGPass(s, c)) return ChainStep::BlockG;
    if (s.BlockDActive && !BlockDPass(s, c)) return ChainStep::BlockD;
    return std::nullopt;
}

// The fast funnel works on halves like the FilterRun, but keeps every step's test apart:
// for a first half the set of second halves still in the chain is narrowed one step at a
// time in the chain's order, and its popcount after each step is what passed that step.
namespace {

using namespace half_chain;

struct FunnelWorkspace {
    // Each half's own part of a step, for the first half (Positions 1-3) and the second (4-6).
    std::array<std::uint8_t, HalfCount> typeGridFirst, scoresFirst, rwHalf, blockGFirst;
    HalfSet typeGridSecond, scoresSecond, rwSecond, blockDSecond;
    CrossCache<SignKeys> relations, ri, rjDraws, rjTwos;
    CrossCache<GoalKeys> goals;
    CrossCache<PnKeys> pn;
    CrossCache<CountKeys> homeCounts, awayCounts;
    ScoreSets scores;
};

// acc &= other, and the number of halves left.
inline int AndCount(HalfSet& acc, const HalfSet& other) {
    int n = 0;
    for (int i = 0; i < HalfSetWords; ++i) {
        acc.words[i] &= other.words[i];
        n += std::popcount(acc.words[i]);
    }
    return n;
}

bool TypeGridHalf(const FilterSettings& s, int h, int firstPosition) {
    const Combination c = HalfCombination(h, firstPosition);
    for (int p = firstPosition; p < firstPosition + 3; ++p)
        if (s.TypeMarks[p][SignColumn(OutcomeSign(c.at(p)))] == NotAllowed) return false;
    return true;
}

bool ScoresHalf(const FilterSettings& s, int h, int firstPosition) {
    const Combination c = HalfCombination(h, firstPosition);
    for (int p = firstPosition; p < firstPosition + 3; ++p)
        if (!PositionScorePass(s, p, c.at(p))) return false;
    return true;
}

void PrepareHalves(const FilterSettings& s, FunnelWorkspace& w) {
    w.typeGridSecond.Clear();
    w.scoresSecond.Clear();
    w.rwSecond.Clear();
    w.blockDSecond.Clear();
    for (int h = 0; h < HalfCount; ++h) {
        w.typeGridFirst[h] = TypeGridHalf(s, h, 1);
        w.scoresFirst[h] = ScoresHalf(s, h, 1);
        w.rwHalf[h] = !s.RwActive || RwHalfPasses(s, h);
        w.blockGFirst[h] = !s.BlockGActive || BlockGPass(s, HalfCombination(h, 1));
        if (TypeGridHalf(s, h, 4)) w.typeGridSecond.Set(h);
        if (ScoresHalf(s, h, 4)) w.scoresSecond.Set(h);
        if (w.rwHalf[h]) w.rwSecond.Set(h);
        if (!s.BlockDActive || BlockDPass(s, HalfCombination(h, 4))) w.blockDSecond.Set(h);
    }

    const bool relations = RelationsActive(s);
    for (int f = 0; f < SignKeys; ++f)
        for (int g = 0; g < SignKeys; ++g) {
            const WorkSigns signs = SignsOfKeys(f, g);
            int tpCount = 0;
            // Pairs that fail the type grid never reach these steps; tpCount is only whole for the rest.
            const bool grid = TypeGridPass(s, signs, tpCount);
            w.relations.ok[f][g] = grid && (!relations || RelationPass(s, tpCount));
            w.ri.ok[f][g] = !s.RiActive || RiPass(s, signs);
            w.rjDraws.ok[f][g] = !s.RjDrawActive || RjPass(s.RjDrawTemplate, signs, 0);
            w.rjTwos.ok[f][g] = !s.RjTwoActive || RjPass(s.RjTwoTemplate, signs, 2);
        }
    for (int f = 0; f < GoalKeys; ++f)
        for (int g = 0; g < GoalKeys; ++g) w.goals.ok[f][g] = GoalRangesPass(s, f / 10 + g / 10, f % 10 + g % 10);
    for (int f = 0; f < PnKeys; ++f)
        for (int g = 0; g < PnKeys; ++g) w.pn.ok[f][g] = !s.PnActive || PnPass(s, f / 4 + g / 4, f % 4 + g % 4);
    for (int f = 0; f < CountKeys; ++f)
        for (int g = 0; g < CountKeys; ++g) {
            bool home = false, away = false;
            if (ValidCountKey(f) && ValidCountKey(g)) {
                const auto a = CountsOfKey(f), b = CountsOfKey(g);
                const std::array<int, 4> sum{a[0] + b[0], a[1] + b[1], a[2] + b[2], a[3] + b[3]};
                home = BlockCountsPass(s.HomeBlockCounts, sum);
                away = BlockCountsPass(s.AwayBlockCounts, sum);
            }
            w.homeCounts.ok[f][g] = home;
            w.awayCounts.ok[f][g] = away;
        }
    w.relations.built.fill(0);
    w.ri.built.fill(0);
    w.rjDraws.built.fill(0);
    w.rjTwos.built.fill(0);
    w.goals.built.fill(0);
    w.pn.built.fill(0);
    w.homeCounts.built.fill(0);
    w.awayCounts.built.fill(0);
    PrepareScoreSets(s, w.scores);
}

}  // namespace

FilterRunResult CountFilterRun(const FilterSettings& s) {
    FilterRunResult result;
    std::int32_t count = 0;
    result.message = ForEachPassingSet(s, [&](int, const HalfSet& seconds) {
        count += seconds.Count();
        return true;
    });
    if (result.valid()) result.CandidateCount = count;
    return result;
}

FilterFunnelResult FilterFunnel(const FilterSettings& s) {
    FilterFunnelResult result;
    result.message = ValidateFilterSettings(s);
    if (!result.valid()) return result;

    const std::vector<ChainStep> steps = ActiveChainSteps(s);
    auto workspace = std::make_unique_for_overwrite<FunnelWorkspace>();
    FunnelWorkspace& w = *workspace;
    PrepareHalves(s, w);
    const std::array<std::uint16_t, 3> preferred = PreferredMasks(s);

    // passedAfter[i]: Combinations that pass steps[0..i].
    std::array<std::int32_t, ChainStepCount> passedAfter{};
    HalfSet acc, part;
    for (int f = 0; f < HalfCount; ++f) {
        if (!w.typeGridFirst[f]) continue;  // the type grid rejects every Combination of this first half
        acc = w.typeGridSecond;
        for (std::size_t i = 0; i < steps.size(); ++i) {
            int n;
            switch (steps[i]) {
                case ChainStep::TypeGrid: n = acc.Count(); break;
                case ChainStep::Relations: n = AndCount(acc, w.relations.For(Halves.signKey[f], Halves.signKey, nullptr)); break;
                case ChainStep::RI: n = AndCount(acc, w.ri.For(Halves.signKey[f], Halves.signKey, nullptr)); break;
                case ChainStep::GoalRanges: n = AndCount(acc, w.goals.For(Halves.goalKey[f], Halves.goalKey, nullptr)); break;
                case ChainStep::RJDraws: n = AndCount(acc, w.rjDraws.For(Halves.signKey[f], Halves.signKey, nullptr)); break;
                case ChainStep::RJTwos: n = AndCount(acc, w.rjTwos.For(Halves.signKey[f], Halves.signKey, nullptr)); break;
                case ChainStep::Scores: n = w.scoresFirst[f] ? AndCount(acc, w.scoresSecond) : 0; break;
                case ChainStep::PN: n = AndCount(acc, w.pn.For(Halves.pnKey[f], Halves.pnKey, nullptr)); break;
                case ChainStep::Preferred:
                    ApplyPreferred(w.scores, preferred, f, acc, part);
                    n = acc.Count();
                    break;
                case ChainStep::RW:
                    if (w.rwHalf[f]) {
                        acc &= w.rwSecond;
                        ApplyRwCross(w.scores, f, acc);
                        n = acc.Count();
                    } else {
                        n = 0;
                    }
                    break;
                case ChainStep::HomeBlock:
                    n = AndCount(acc, w.homeCounts.For(Halves.homeCountKey[f], Halves.homeCountKey, nullptr));
                    break;
                case ChainStep::AwayBlock:
                    n = AndCount(acc, w.awayCounts.For(Halves.awayCountKey[f], Halves.awayCountKey, nullptr));
                    break;
                case ChainStep::BlockG: n = w.blockGFirst[f] ? acc.Count() : 0; break;
                case ChainStep::BlockD: n = AndCount(acc, w.blockDSecond); break;
                default: n = 0; break;
            }
            if (n == 0) break;  // nothing of this first half reaches the later steps
            passedAfter[i] += n;
        }
    }

    std::int32_t reached = CombinationCount;
    for (std::size_t i = 0; i < steps.size(); ++i) {
        result.steps.push_back(FunnelStep{steps[i], reached, reached - passedAfter[i]});
        reached = passedAfter[i];
    }
    result.passed = reached;
    return result;
}

BacktestResult BacktestFilters(const FilterSettings& s, const std::vector<Combination>& outcomes) {
    BacktestResult result;
    result.message = ValidateFilterSettings(s);
    if (!result.valid()) return result;
    result.verdicts.reserve(outcomes.size());
    for (const Combination& c : outcomes) {
        const std::optional<ChainStep> step = FirstRejectingStep(s, c);
        result.verdicts.push_back(BacktestVerdict{!step.has_value(), step.value_or(ChainStep::TypeGrid)});
        if (!step) ++result.passed;
    }
    return result;
}

}  // namespace kombinator
