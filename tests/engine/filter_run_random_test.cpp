// The fast FilterRun against the literal chain on seeded random settings.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <memory>
#include <random>

#include "engine/filter_run.h"
#include "reference/filter_chain.h"
#include "reference/random_settings.h"

namespace kombinator {
namespace {

#ifdef KOMBINATOR_SANITIZED
constexpr int SeedsPerShard = 2;  // the literal chain is slow under the sanitizers
#else
constexpr int SeedsPerShard = 50;
#endif

class FilterRunMatchesReference : public ::testing::TestWithParam<int> {};

TEST_P(FilterRunMatchesReference, CountRecordsAndMessage) {
    auto fast = std::make_unique<CandidateStore>();
    auto slow = std::make_unique<CandidateStore>();
    for (int i = 0; i < SeedsPerShard; ++i) {
        const std::uint32_t seed = static_cast<std::uint32_t>(1000 * GetParam() + i);
        const FilterSettings s = reference::RandomSettings(seed);
        const FilterRunResult a = FilterRun(s, *fast);
        const FilterRunResult b = reference::FilterRunReference(s, *slow);
        ASSERT_EQ(a.message, b.message) << "seed " << seed;
        ASSERT_EQ(a.CandidateCount, b.CandidateCount) << "seed " << seed;
        const int stored = std::min(a.CandidateCount, StoreCapacity);
        for (int k = 1; k <= stored; ++k)
            ASSERT_EQ(fast->Record(k), slow->Record(k)) << "seed " << seed << " record " << k;
    }
}

INSTANTIATE_TEST_SUITE_P(Seeds, FilterRunMatchesReference, ::testing::Range(1, 7));

// The stream gives every passing Combination, past the store's 30,000, once and in canonical order.
TEST(ForEachPassingSet, StreamsExactlyThePassingCombinationsInOrder) {
    auto store = std::make_unique<CandidateStore>();
    for (std::uint32_t seed = 7000; seed < 7000 + SeedsPerShard; ++seed) {
        const FilterSettings s = reference::RandomSettings(seed);
        const FilterRunResult run = FilterRun(s, *store);
        std::int64_t streamed = 0, previous = -1;
        bool ordered = true, passing = true, emptySet = false;
        const std::string message = ForEachPassingSet(s, [&](int first, const HalfSet& seconds) {
            emptySet = emptySet || seconds.Count() == 0;
            for (int h = 0; h < HalfCount; ++h) {
                if (!seconds.Test(h)) continue;
                const std::int64_t canonical = std::int64_t{first} * HalfCount + h;
                ordered = ordered && canonical > previous;
                previous = canonical;
                const Combination c = CombinationFromCanonical(static_cast<std::uint32_t>(canonical));
                if (streamed < StoreCapacity && streamed < run.CandidateCount)
                    passing = passing && store->At(static_cast<std::int32_t>(streamed + 1)) == c;
                // Every passing Combination is checked against the chain when there are few; a sample otherwise.
                if (run.CandidateCount < 300000 || canonical % 97 == 0) passing = passing && reference::ChainPasses(s, c);
                ++streamed;
            }
            return true;
        });
        ASSERT_EQ(message, run.message) << "seed " << seed;
        EXPECT_EQ(streamed, run.CandidateCount) << "seed " << seed;
        EXPECT_TRUE(ordered && passing && !emptySet) << "seed " << seed;
    }
}

TEST(ForEachPassingSet, StopsWhenTheVisitorSaysSo) {
    FilterSettings s;
    for (int p = 1; p <= 6; ++p)
        for (int c = 0; c < 3; ++c) s.TypeMarks[p][c] = BasicType;
    int visits = 0;
    EXPECT_EQ(ForEachPassingSet(s, [&](int, const HalfSet&) { return ++visits < 3; }), "");
    EXPECT_EQ(visits, 3);
}

}  // namespace
}  // namespace kombinator
