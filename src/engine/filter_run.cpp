#include "engine/filter_run.h"

#include <bit>
#include <memory>

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

std::string ValidateFilterSettings(const FilterSettings& settings) {
    using Check = std::string_view (*)(const FilterSettings&);
    static constexpr Check checks[] = {
        ValidateTypeGrid,
        [](const FilterSettings& s) { return RelationsActive(s) ? ValidateRelations(s) : std::string_view{}; },
        ValidateRiTemplates,
        ValidateRjTemplates,
        ValidateScoreFilters,
        ValidatePnTemplates,
        ValidatePreferredResults,
        ValidateHomeBlock,
        ValidateAwayBlock,
        ValidateRwTemplates,
        ValidateBlockG,
        ValidateBlockD,
    };
    for (Check check : checks) {
        const std::string_view message = check(settings);
        if (!message.empty()) return std::string(message);
    }
    return {};
}

// The fast run. A Combination is a first half (Positions 1-3) and a second half (Positions 4-6),
// each three ScoreIndexes packed into 12 bits, so its canonical index is first * 4096 + second.
// Every family reduces to a test on each half alone plus a cross test on small keys of the two
// halves; for each first half the passing second halves are the AND of 4,096-bit sets cached
// per key, counted by popcount and stored off the set bits in order.
namespace {

using namespace half_chain;

struct Workspace {
    std::array<std::uint8_t, HalfCount> ownFirst;
    std::array<std::uint8_t, HalfCount> ownSecond;
    CrossCache<SignKeys> signs;
    CrossCache<GoalKeys> goals;
    CrossCache<PnKeys> pn;
    CrossCache<CountKeys> homeCounts;
    CrossCache<CountKeys> awayCounts;
    ScoreSets scores;
};

bool HalfPassesAlone(const FilterSettings& s, int h, int firstPosition) {
    const Combination c = HalfCombination(h, firstPosition);
    for (int p = firstPosition; p < firstPosition + 3; ++p) {
        if (s.TypeMarks[p][SignColumn(OutcomeSign(c.at(p)))] == NotAllowed) return false;
        if (!PositionScorePass(s, p, c.at(p))) return false;
    }
    if (s.RwActive && !RwHalfPasses(s, h)) return false;
    if (firstPosition == 1 && s.BlockGActive && !BlockGPass(s, c)) return false;
    if (firstPosition == 4 && s.BlockDActive && !BlockDPass(s, c)) return false;
    return true;
}

void PrepareCrossTables(const FilterSettings& s, Workspace& w) {
    const bool relations = RelationsActive(s);
    for (int f = 0; f < SignKeys; ++f)
        for (int g = 0; g < SignKeys; ++g) {
            const WorkSigns signs = SignsOfKeys(f, g);
            int tpCount = 0;
            bool ok = TypeGridPass(s, signs, tpCount);
            ok = ok && (!relations || RelationPass(s, tpCount));
            ok = ok && (!s.RiActive || RiPass(s, signs));
            ok = ok && (!s.RjDrawActive || RjPass(s.RjDrawTemplate, signs, 0));
            ok = ok && (!s.RjTwoActive || RjPass(s.RjTwoTemplate, signs, 2));
            w.signs.ok[f][g] = ok;
        }
    for (int f = 0; f < GoalKeys; ++f)
        for (int g = 0; g < GoalKeys; ++g) w.goals.ok[f][g] = GoalRangesPass(s, f / 10 + g / 10, f % 10 + g % 10);
    for (int f = 0; f < PnKeys; ++f)
        for (int g = 0; g < PnKeys; ++g) w.pn.ok[f][g] = PnPass(s, f / 4 + g / 4, f % 4 + g % 4);
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
    w.signs.built.fill(0);
    w.goals.built.fill(0);
    w.pn.built.fill(0);
    w.homeCounts.built.fill(0);
    w.awayCounts.built.fill(0);
}

void WriteRecord(CandidateStore& store, std::int32_t k, int first, int second) {
    std::uint8_t* r = store.RecordBytes(k);
    const int sc[6] = {first >> 8, (first >> 4) & 15, first & 15, second >> 8, (second >> 4) & 15, second & 15};
    for (int i = 0; i < 6; ++i) {
        r[2 * i] = static_cast<std::uint8_t>(sc[i] >> 2);
        r[2 * i + 1] = static_cast<std::uint8_t>(sc[i] & 3);
    }
}

}  // namespace

std::string ForEachPassingSet(const FilterSettings& s, const PassingSetVisitor& visit) {
    std::string message = ValidateFilterSettings(s);
    if (!message.empty()) return message;

    auto workspace = std::make_unique_for_overwrite<Workspace>();
    Workspace& w = *workspace;
    for (int h = 0; h < HalfCount; ++h) {
        w.ownFirst[h] = HalfPassesAlone(s, h, 1);
        w.ownSecond[h] = HalfPassesAlone(s, h, 4);
    }
    PrepareCrossTables(s, w);
    PrepareScoreSets(s, w.scores);
    const std::array<std::uint16_t, 3> preferred = PreferredMasks(s);

    HalfSet acc, part;
    for (int f = 0; f < HalfCount; ++f) {
        if (!w.ownFirst[f]) continue;
        acc = w.signs.For(Halves.signKey[f], Halves.signKey, w.ownSecond.data());
        acc &= w.goals.For(Halves.goalKey[f], Halves.goalKey, nullptr);
        if (s.PnActive) acc &= w.pn.For(Halves.pnKey[f], Halves.pnKey, nullptr);
        if (s.HomeBlockActive) acc &= w.homeCounts.For(Halves.homeCountKey[f], Halves.homeCountKey, nullptr);
        if (s.AwayBlockActive) acc &= w.awayCounts.For(Halves.awayCountKey[f], Halves.awayCountKey, nullptr);
        if (!AnyBit(acc)) continue;
        if (s.PreferredActive) ApplyPreferred(w.scores, preferred, f, acc, part);
        if (s.RwActive) ApplyRwCross(w.scores, f, acc);

        if (!AnyBit(acc)) continue;
        if (!visit(f, acc)) break;
    }
    return message;
}

FilterRunResult FilterRun(const FilterSettings& s, CandidateStore& store) {
    FilterRunResult result;
    std::int32_t count = 0;
    result.message = ForEachPassingSet(s, [&](int f, const HalfSet& acc) {
        const int n = acc.Count();
        if (count < StoreCapacity) {
            std::int32_t k = count;
            for (int word = 0; word < HalfSetWords && k < StoreCapacity; ++word)
                for (std::uint64_t bits = acc.words[word]; bits && k < StoreCapacity; bits &= bits - 1)
                    WriteRecord(store, ++k, f, 64 * word + std::countr_zero(bits));
        }
        count += n;
        return true;
    });
    if (result.valid()) result.CandidateCount = count;
    return result;
}

}  // namespace kombinator
