#pragma once
// Optimised guarantee systems: the same guarantee as the guarantee reduction with as few lines as
// the time allows. A max-coverage greedy gives the start, a tabu search then takes lines away.

#include <atomic>
#include <cstdint>
#include <functional>
#include <span>
#include <vector>

#include "model/stores.h"

namespace kombinator {

struct OptimiseBudget {
    double seconds = 20.0;         // wall-clock limit of the whole run; <= 0 for none
    std::uint64_t iterations = 0;  // moves of each search; 0 for no limit (then seconds must be set)
    int threads = 0;               // independent searches; 0 for one per core, at most two
};

// Called on the caller's thread a few times a second and once at the end:
// the size of the best valid system so far and the seconds used.
using OptimiseProgress = std::function<void(std::int32_t bestSize, double seconds)>;

// Canonical indices of a subset of `candidates` (distinct canonical indices) such that every
// candidate agrees in at least `level` (3..5) Positions with a member; never more members than
// the guarantee reduction keeps for the same candidates in the same order. Level 6 (or a single
// candidate) gives the candidates themselves. Deterministic for the same seed, iteration budget
// and thread count as long as the time limit and the stop flag do not end it first; a stop at any
// moment still gives a valid system. The result is in canonical order.
std::vector<std::uint32_t> OptimiseGuaranteeSystem(std::span<const std::uint32_t> candidates, int level,
                                                   const OptimiseBudget& budget, std::uint64_t seed,
                                                   const OptimiseProgress& progress = {},
                                                   const std::atomic<bool>* stop = nullptr);

// The same on the stores: reads candidates 1..candidateCount, writes SystemStore 1..SystemCount and
// returns SystemCount, like GuaranteeReduction. Levels 3..5.
std::int32_t OptimiseGuaranteeReduction(const CandidateStore& candidates, std::int32_t candidateCount, int level,
                                        const OptimiseBudget& budget, std::uint64_t seed, SystemStore& system,
                                        const OptimiseProgress& progress = {},
                                        const std::atomic<bool>* stop = nullptr);

// The max-coverage greedy alone: repeatedly the candidate that covers most uncovered candidates
// (the lowest canonical index among equals). For the benchmark's reference figures.
std::vector<std::uint32_t> MaxCoverageGreedy(std::span<const std::uint32_t> candidates, int level);

}  // namespace kombinator
