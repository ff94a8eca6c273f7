#include "filters/type_grid.h"

namespace kombinator {

std::string_view ValidateTypeGrid(const FilterSettings& settings) {
    for (int p = 1; p <= 6; ++p) {
        const auto& marks = settings.TypeMarks[p];
        if (marks[0] != BasicType && marks[1] != BasicType && marks[2] != BasicType) return TypeGridMessage;
    }
    return {};
}

std::string_view ValidateRelations(const FilterSettings& settings) {
    for (int t = 0; t <= 6; ++t)
        if (RelationAllowed(settings, t)) return {};
    return RelationsMessage;
}

bool TypeGridPass(const FilterSettings& settings, const WorkSigns& signs, int& tpCount) {
    tpCount = 0;
    for (int p = 1; p <= 6; ++p) {
        const std::uint8_t mark = settings.TypeMarks[p][SignColumn(signs[p - 1])];
        if (mark == NotAllowed) return false;
        if (mark == BasicType) ++tpCount;
    }
    return true;
}

bool RelationPass(const FilterSettings& settings, int tpCount) { return RelationAllowed(settings, tpCount); }

}  // namespace kombinator
