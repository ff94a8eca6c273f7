#include "engine/filter_run.h"

#include "engine/work_signs.h"
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

bool ChainPasses(const FilterSettings& s, const Combination& c) {
    const WorkSigns signs = SignsOf(c);
    int tpCount = 0;
    if (!TypeGridPass(s, signs, tpCount)) return false;
    if (RelationsActive(s) && !RelationPass(s, tpCount)) return false;
    if (s.RiActive && !RiPass(s, signs)) return false;
    if (!GoalRangesPass(s, c)) return false;
    if (s.RjDrawActive && !RjPass(s.RjDrawTemplate, signs, 0)) return false;
    if (s.RjTwoActive && !RjPass(s.RjTwoTemplate, signs, 2)) return false;
    if (!ScoresPass(s, c)) return false;
    if (s.PnActive && !PnPass(s, c)) return false;
    if (s.PreferredActive && !PreferredResultsPass(s, c)) return false;
    if (s.RwActive && !RwTemplatesPass(s, c)) return false;
    if (s.HomeBlockActive && !HomeBlockPass(s, c)) return false;
    if (s.AwayBlockActive && !AwayBlockPass(s, c)) return false;
    if (s.BlockGActive && !BlockGPass(s, c)) return false;
    if (s.BlockDActive && !BlockDPass(s, c)) return false;
    return true;
}

FilterRunResult FilterRun(const FilterSettings& settings, CandidateStore& store) {
    FilterRunResult result;
    result.message = ValidateFilterSettings(settings);
    if (!result.valid()) return result;
    std::int32_t count = 0;
    for (std::uint32_t n = 0; n < static_cast<std::uint32_t>(CombinationCount); ++n) {
        const Combination c = CombinationFromCanonical(n);
        if (!ChainPasses(settings, c)) continue;
        ++count;
        if (count <= StoreCapacity) store.Set(count, c);
    }
    result.CandidateCount = count;
    return result;
}

}  // namespace kombinator
