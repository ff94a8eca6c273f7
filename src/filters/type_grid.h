#pragma once
// Type grid and Tp-Td relations: which sign each Position may take, basic or additional,
// and how many Positions may take an additional type.

#include <string_view>

#include "model/filter_settings.h"
#include "model/work_signs.h"

namespace kombinator {

inline constexpr std::string_view TypeGridMessage =
    "Panel - Typy ogólne: W każdej pozycji minimum jeden typ podstawowy !";
inline constexpr std::string_view RelationsMessage = "Panel - Typy ogólne: Nie ustalone relacje Tp - Td !";

// Every Position needs a basic type; empty when it has one.
std::string_view ValidateTypeGrid(const FilterSettings& settings);
// Only consulted while the relations are in force: at least one enabled box must be ticked.
std::string_view ValidateRelations(const FilterSettings& settings);

// The type-grid predicate; on pass tpCount holds the number of Positions whose sign is a basic type.
bool TypeGridPass(const FilterSettings& settings, const WorkSigns& signs, int& tpCount);
// The relation predicate for a Combination with tpCount basic-type signs.
bool RelationPass(const FilterSettings& settings, int tpCount);

}  // namespace kombinator
