#pragma once
// The guarantee generator: the whole candidate set ("gw 6") or a greedy reduction ("gw 5", "gw 4",
// "gw 3") in which every candidate shares at least L exact scores with some member.

#include <cstdint>
#include <string>
#include <vector>

#include "model/stores.h"

namespace kombinator {

// RadioGroup17's ItemIndex 0..3 gives the levels 6, 5, 4, 3.
constexpr int GuaranteeLevelFromIndex(int itemIndex) { return 6 - itemIndex; }

// Levels 3, 4, 5: visits the candidates 1..candidateCount in order and appends each one that no
// member so far shares `level` exact scores with. Writes SystemStore 1..SystemCount and returns
// SystemCount. candidateCount must lie in 1..StoreCapacity.
std::int32_t GuaranteeReduction(const CandidateStore& candidates, std::int32_t candidateCount, int level,
                                SystemStore& system);

// The SystemLines of records 1..count of a store, in order.
std::vector<std::string> SystemLinesOf(const RecordStore& store, std::int32_t count);

// What BitBtn1 shows: level 6 lists the candidates themselves and leaves the SystemStore and
// SystemCount alone; levels 5, 4, 3 run the reduction and list its members.
std::vector<std::string> GuaranteeSystem(const CandidateStore& candidates, std::int32_t candidateCount, int level,
                                         SystemStore& system, std::int32_t& systemCount);

}  // namespace kombinator
