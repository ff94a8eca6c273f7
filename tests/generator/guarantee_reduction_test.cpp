#include "generator/guarantee_reduction.h"

#include <memory>
#include <random>

#include <gtest/gtest.h>

#include "io/system_line.h"
#include "reference/reduction.h"

namespace kombinator {
namespace {

Combination Make(std::initializer_list<std::pair<int, int>> scores) {
    Combination c;
    int p = 0;
    for (auto [h, a] : scores) c.scores[p++] = MatchScore{static_cast<std::uint8_t>(h), static_cast<std::uint8_t>(a)};
    return c;
}

struct Stores {
    std::unique_ptr<CandidateStore> candidates = std::make_unique<CandidateStore>();
    std::unique_ptr<SystemStore> system = std::make_unique<SystemStore>();
    std::int32_t count = 0;
    void Add(const Combination& c) { candidates->Set(++count, c); }
};

// Candidates in canonical order drawn from a few allowed scores per Position, so that they
// crowd together and the reductions are far from trivial.
void FillRandom(Stores& s, std::mt19937& random, std::int32_t wanted) {
    std::array<std::vector<int>, PositionCount> allowed;
    std::uint64_t space = 1;
    for (auto& scores : allowed) {
        const int size = std::uniform_int_distribution<int>(2, 16)(random);
        std::vector<int> all(16);
        for (int i = 0; i < 16; ++i) all[static_cast<std::size_t>(i)] = i;
        std::shuffle(all.begin(), all.end(), random);
        scores.assign(all.begin(), all.begin() + size);
        std::sort(scores.begin(), scores.end());
        space *= static_cast<std::uint64_t>(size);
    }
    const double keep = std::min(1.0, 1.1 * static_cast<double>(wanted) / static_cast<double>(space));
    std::bernoulli_distribution take(keep);
    std::array<std::size_t, PositionCount> digit{};
    s.count = 0;
    while (s.count < wanted) {
        Combination c;
        for (int p = 0; p < PositionCount; ++p) c.scores[p] = ScoreFromIndex(allowed[p][digit[p]]);
        if (take(random)) s.Add(c);
        int p = PositionCount - 1;
        while (p >= 0 && ++digit[p] == allowed[p].size()) digit[p--] = 0;
        if (p < 0) {
            if (s.count > 0) break;  // a whole pass took nothing: go round again
        }
    }
}

TEST(GuaranteeReduction, KeepsACandidateOnlyWhenNoMemberSharesTheLevel) {
    const Combination a = Make({{0, 0}, {0, 0}, {0, 0}, {0, 0}, {0, 0}, {0, 0}});
    const Combination b = Make({{0, 0}, {0, 0}, {0, 0}, {0, 0}, {0, 0}, {1, 0}});  // differs in Position 6
    const Combination c = Make({{0, 0}, {0, 0}, {0, 0}, {0, 0}, {2, 1}, {1, 0}});  // differs in 5 and 6
    Stores s;
    s.Add(a);
    s.Add(b);
    s.Add(c);
    const std::pair<int, std::vector<Combination>> cases[] = {{5, {a, c}}, {4, {a}}, {3, {a}}};
    for (const auto& [level, expected] : cases) {
        const std::int32_t n = GuaranteeReduction(*s.candidates, s.count, level, *s.system);
        ASSERT_EQ(n, static_cast<std::int32_t>(expected.size())) << level;
        for (std::int32_t k = 1; k <= n; ++k) EXPECT_EQ(s.system->At(k), expected[static_cast<std::size_t>(k - 1)]);
    }
}

TEST(GuaranteeReduction, SingleCandidateGivesItselfAtEveryLevel) {
    Stores s;
    s.Add(Make({{3, 3}, {2, 1}, {0, 3}, {1, 1}, {3, 0}, {0, 2}}));
    for (int level = 6; level >= 3; --level) {
        std::int32_t systemCount = -1;
        const std::vector<std::string> lines = GuaranteeSystem(*s.candidates, 1, level, *s.system, systemCount);
        EXPECT_EQ(lines, std::vector<std::string>{"3-3  2-1  0-3  1-1  3-0  0-2  "}) << level;
        EXPECT_EQ(systemCount, level == 6 ? -1 : 1);
    }
}

TEST(GuaranteeReduction, LevelSixListsTheCandidatesAndLeavesTheSystemStore) {
    Stores s;
    std::mt19937 random(7);
    FillRandom(s, random, 500);
    s.system->Set(1, Make({{3, 3}, {3, 3}, {3, 3}, {3, 3}, {3, 3}, {3, 3}}));
    std::int32_t systemCount = 42;
    const std::vector<std::string> lines = GuaranteeSystem(*s.candidates, s.count, 6, *s.system, systemCount);
    ASSERT_EQ(lines.size(), static_cast<std::size_t>(s.count));
    for (std::int32_t i = 1; i <= s.count; ++i) EXPECT_EQ(lines[static_cast<std::size_t>(i - 1)], FormatSystemLine(s.candidates->At(i)));
    EXPECT_EQ(systemCount, 42);
    EXPECT_EQ(s.system->At(1), Make({{3, 3}, {3, 3}, {3, 3}, {3, 3}, {3, 3}, {3, 3}}));
}

TEST(GuaranteeReduction, SameMembersInTheSameOrderAsTheStraightforwardScan) {
    std::mt19937 random(20261209);
    const std::int32_t sizes[] = {1, 2, 3, 17, 250, 1999, 8000, 30000};
    auto fastSystem = std::make_unique<SystemStore>();
    for (const std::int32_t size : sizes) {
        Stores s;
        FillRandom(s, random, size);
        for (int level = 5; level >= 3; --level) {
            const std::int32_t expected = reference::GuaranteeReduction(*s.candidates, s.count, level, *s.system);
            // Twice in a row: nothing of the first run may leak into the second.
            for (int run = 0; run < 2; ++run) {
                const std::int32_t n = GuaranteeReduction(*s.candidates, s.count, level, *fastSystem);
                ASSERT_EQ(n, expected) << "size " << s.count << " level " << level;
                ASSERT_EQ(std::memcmp(fastSystem->Data(), s.system->Data(), RecordSize * static_cast<std::size_t>(n)), 0)
                    << "size " << s.count << " level " << level;
            }
        }
    }
}

TEST(GuaranteeReduction, EveryCandidateIsCoveredAndNoTwoMembersShareTheLevel) {
    std::mt19937 random(99);
    for (int level = 5; level >= 3; --level) {
        Stores s;
        FillRandom(s, random, 4000);
        const std::int32_t n = GuaranteeReduction(*s.candidates, s.count, level, *s.system);
        std::vector<Combination> members;
        for (std::int32_t k = 1; k <= n; ++k) members.push_back(s.system->At(k));
        for (std::size_t i = 0; i < members.size(); ++i)
            for (std::size_t j = i + 1; j < members.size(); ++j)
                ASSERT_LT(AgreeCount(members[i], members[j]), level) << "members " << i + 1 << ", " << j + 1;
        for (std::int32_t i = 1; i <= s.count; ++i) {
            const Combination c = s.candidates->At(i);
            bool covered = false;
            for (const Combination& m : members) covered = covered || AgreeCount(c, m) >= level;
            ASSERT_TRUE(covered) << "candidate " << i << " level " << level;
        }
    }
}

}  // namespace
}  // namespace kombinator
