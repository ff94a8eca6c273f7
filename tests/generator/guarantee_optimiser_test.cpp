#include "generator/guarantee_optimiser.h"

#include <algorithm>
#include <memory>
#include <random>
#include <set>
#include <thread>

#include <gtest/gtest.h>

#include "generator/guarantee_reduction.h"

namespace kombinator {
namespace {

// Every Combination whose Positions take only the allowed scores, each kept with probability `keep`,
// in canonical order like the CandidateStore.
std::vector<std::uint32_t> ProductSet(const std::array<std::vector<int>, PositionCount>& allowed, double keep,
                                      std::mt19937& random) {
    std::vector<std::uint32_t> out;
    std::bernoulli_distribution take(keep);
    std::array<std::size_t, PositionCount> digit{};
    for (;;) {
        std::uint32_t c = 0;
        for (int p = 0; p < PositionCount; ++p) c = c * 16 + static_cast<std::uint32_t>(allowed[p][digit[p]]);
        if (take(random)) out.push_back(c);
        int p = PositionCount - 1;
        while (p >= 0 && ++digit[p] == allowed[p].size()) digit[p--] = 0;
        if (p < 0) break;
    }
    std::sort(out.begin(), out.end());
    return out;
}

std::vector<std::uint32_t> RandomCandidates(std::mt19937& random) {
    std::array<std::vector<int>, PositionCount> allowed;
    for (auto& scores : allowed) {
        std::vector<int> all(16);
        for (int i = 0; i < 16; ++i) all[static_cast<std::size_t>(i)] = i;
        std::shuffle(all.begin(), all.end(), random);
        scores.assign(all.begin(), all.begin() + std::uniform_int_distribution<int>(1, 4)(random));
        std::sort(scores.begin(), scores.end());
    }
    std::vector<std::uint32_t> set = ProductSet(allowed, std::uniform_real_distribution<double>(0.2, 1.0)(random), random);
    if (set.empty()) set.push_back(CanonicalIndex(Combination{}));
    return set;
}

std::vector<std::uint32_t> SameScores(int q) {
    std::array<std::vector<int>, PositionCount> allowed;
    const int scores[] = {4, 0, 1, 5, 9};  // 1-0 0-0 0-1 1-1 2-1
    for (auto& a : allowed) a.assign(scores, scores + q);
    std::mt19937 random(1);
    return ProductSet(allowed, 1.0, random);
}

// The guarantee checked from scratch by comparing every candidate with every member.
void ExpectGuarantee(const std::vector<std::uint32_t>& candidates, const std::vector<std::uint32_t>& system,
                     int level) {
    ASSERT_FALSE(system.empty());
    const std::set<std::uint32_t> members(system.begin(), system.end());
    EXPECT_EQ(members.size(), system.size()) << "a line repeats";
    for (const std::uint32_t m : system)
        ASSERT_TRUE(std::binary_search(candidates.begin(), candidates.end(), m)) << "a line is not a candidate";
    for (const std::uint32_t c : candidates) {
        const Combination x = CombinationFromCanonical(c);
        const bool covered = std::any_of(system.begin(), system.end(), [&](std::uint32_t m) {
            return AgreeCount(x, CombinationFromCanonical(m)) >= level;
        });
        ASSERT_TRUE(covered) << "candidate " << c << " has no line with " << level << " exact scores";
    }
}

std::size_t DocumentedSize(const std::vector<std::uint32_t>& candidates, int level) {
    auto store = std::make_unique<CandidateStore>();
    auto system = std::make_unique<SystemStore>();
    std::int32_t k = 0;
    for (const std::uint32_t c : candidates) store->Set(++k, CombinationFromCanonical(c));
    return static_cast<std::size_t>(GuaranteeReduction(*store, k, level, *system));
}

OptimiseBudget Moves(std::uint64_t iterations, int threads = 2) {
    OptimiseBudget budget;
    budget.seconds = 0;
    budget.iterations = iterations;
    budget.threads = threads;
    return budget;
}

TEST(OptimiseGuaranteeSystem, RandomSetsKeepTheGuaranteeWithNoMoreLinesThanEitherMethod) {
    std::mt19937 random(20261210);
    for (int round = 0; round < 10; ++round) {
        const std::vector<std::uint32_t> candidates = RandomCandidates(random);
        for (int level = 3; level <= 5; ++level) {
            SCOPED_TRACE(testing::Message() << "round " << round << ", " << candidates.size() << " candidates, level "
                                            << level);
            const std::vector<std::uint32_t> system =
                OptimiseGuaranteeSystem(candidates, level, Moves(1000), static_cast<std::uint64_t>(round));
            ExpectGuarantee(candidates, system, level);
            EXPECT_LE(system.size(), DocumentedSize(candidates, level));
            EXPECT_LE(system.size(), MaxCoverageGreedy(candidates, level).size());
            EXPECT_TRUE(std::is_sorted(system.begin(), system.end()));
        }
    }
}

TEST(OptimiseGuaranteeSystem, SearchBeatsTheGreedyOnTheThreeScoreSpace) {
    // 729 candidates: the greedy keeps 90 and 22 lines at levels 5 and 4; the best codes known have 73 and 15.
    const std::vector<std::uint32_t> candidates = SameScores(3);
    for (const auto& [level, atMost] : {std::pair{5, 85u}, std::pair{4, 18u}}) {
        const std::vector<std::uint32_t> system = OptimiseGuaranteeSystem(candidates, level, Moves(3000, 1), 7);
        ExpectGuarantee(candidates, system, level);
        EXPECT_LE(system.size(), atMost) << "level " << level;
    }
}

TEST(OptimiseGuaranteeSystem, SameSeedAndMovesGiveTheSameSystem) {
    const std::vector<std::uint32_t> candidates = SameScores(3);
    const auto first = OptimiseGuaranteeSystem(candidates, 5, Moves(3000), 42);
    EXPECT_EQ(OptimiseGuaranteeSystem(candidates, 5, Moves(3000), 42), first);
}

TEST(OptimiseGuaranteeSystem, SmallAndTrivialSets) {
    const Combination a{};
    Combination b = a;
    b.at(6) = MatchScore{2, 1};
    Combination c = a;
    c.at(5) = MatchScore{1, 1};
    c.at(6) = MatchScore{3, 3};
    const std::vector<std::uint32_t> one{CanonicalIndex(b)};
    std::vector<std::uint32_t> three{CanonicalIndex(a), CanonicalIndex(b), CanonicalIndex(c)};
    std::sort(three.begin(), three.end());
    for (int level = 3; level <= 6; ++level)
        EXPECT_EQ(OptimiseGuaranteeSystem(one, level, Moves(100), 1), one) << "level " << level;
    EXPECT_EQ(OptimiseGuaranteeSystem(three, 6, Moves(100), 1), three);
    EXPECT_EQ(OptimiseGuaranteeSystem(three, 5, Moves(100), 1).size(), 2u);
    EXPECT_EQ(OptimiseGuaranteeSystem(three, 4, Moves(100), 1), std::vector<std::uint32_t>{CanonicalIndex(a)});
}

TEST(OptimiseGuaranteeSystem, AStopAtAnyMomentGivesAValidSystem) {
    const std::vector<std::uint32_t> candidates = SameScores(4);
    OptimiseBudget unlimited;
    unlimited.seconds = 60;
    for (const int level : {5, 3}) {
        const std::size_t documented = DocumentedSize(candidates, level);
        std::atomic<bool> stop{true};
        std::vector<std::uint32_t> system = OptimiseGuaranteeSystem(candidates, level, unlimited, 1, {}, &stop);
        ExpectGuarantee(candidates, system, level);
        EXPECT_EQ(system.size(), documented) << "stopped before it began: the documented reduction";
        for (const int afterMs : {0, 3, 40, 300}) {
            stop = false;
            std::jthread stopper([&] {
                std::this_thread::sleep_for(std::chrono::milliseconds(afterMs));
                stop = true;
            });
            system = OptimiseGuaranteeSystem(candidates, level, unlimited, 1, {}, &stop);
            stopper.join();
            ExpectGuarantee(candidates, system, level);
            EXPECT_LE(system.size(), documented);
        }
    }
}

TEST(OptimiseGuaranteeSystem, ProgressReportsShrinkingSizesEndingWithTheResult) {
    const std::vector<std::uint32_t> candidates = SameScores(3);
    OptimiseBudget budget;
    budget.seconds = 0.6;
    std::vector<std::int32_t> sizes;
    std::vector<double> times;
    const std::thread::id caller = std::this_thread::get_id();
    bool onCaller = true;
    const auto system = OptimiseGuaranteeSystem(candidates, 5, budget, 3, [&](std::int32_t size, double seconds) {
        sizes.push_back(size);
        times.push_back(seconds);
        onCaller = onCaller && std::this_thread::get_id() == caller;
    });
    ASSERT_GE(sizes.size(), 3u) << "a few reports a second";
    EXPECT_TRUE(onCaller);
    EXPECT_EQ(sizes.front(), 183) << "the documented reduction first";
    EXPECT_EQ(static_cast<std::size_t>(sizes.back()), system.size());
    EXPECT_TRUE(std::is_sorted(sizes.rbegin(), sizes.rend()));
    EXPECT_TRUE(std::is_sorted(times.begin(), times.end()));
    EXPECT_GE(times.back(), 0.6);
}

TEST(OptimiseGuaranteeReduction, WritesTheSystemStoreLikeTheReduction) {
    std::mt19937 random(5);
    const std::vector<std::uint32_t> candidates = RandomCandidates(random);
    auto store = std::make_unique<CandidateStore>();
    auto system = std::make_unique<SystemStore>();
    std::int32_t n = 0;
    for (const std::uint32_t c : candidates) store->Set(++n, CombinationFromCanonical(c));
    const std::int32_t count = OptimiseGuaranteeReduction(*store, n, 4, Moves(500), 1, *system);
    std::vector<std::uint32_t> written;
    for (std::int32_t k = 1; k <= count; ++k) written.push_back(CanonicalIndex(system->At(k)));
    EXPECT_EQ(written, OptimiseGuaranteeSystem(candidates, 4, Moves(500), 1));
}

}  // namespace
}  // namespace kombinator
