#include "generator/simulation.h"

#include <memory>
#include <random>

#include <gtest/gtest.h>

#include "io/system_line.h"

namespace kombinator {
namespace {

TEST(SimulationRandom, NextRandomFollowsTheLinearCongruence) {
    std::uint32_t seed = 0;
    const std::pair<std::uint32_t, std::uint32_t> fromZero[] = {{10, 0}, {10, 0}, {30000, 25831}, {1, 0}, {7, 1}};
    for (auto [n, value] : fromZero) EXPECT_EQ(NextRandom(seed, n), value);
    EXPECT_EQ(seed, 1172187917u);

    seed = SeedFromTime(12, 34, 56, 789);
    EXPECT_EQ(seed, 45296789u);
    const std::pair<std::uint32_t, std::uint32_t> fromNoon[] = {{16, 7}, {16, 4}, {100, 35}};
    for (auto [n, value] : fromNoon) EXPECT_EQ(NextRandom(seed, n), value);
    EXPECT_EQ(seed, 1524927712u);
    EXPECT_LT(UtcMillisecondsSinceMidnight(), 86400000u);
}

TEST(SimulationRandom, DrawnScoreIsShownWithBlanksAroundTheHyphen) {
    EXPECT_EQ(DrawnScoreText(MatchScore{3, 0}), "3 - 0");
}

struct Candidates {
    std::unique_ptr<CandidateStore> store = std::make_unique<CandidateStore>();
    std::unique_ptr<SystemStore> system = std::make_unique<SystemStore>();
    std::int32_t count = 0;
};

// `count` distinct candidates in canonical order, crowded into few scores so that rejections happen.
Candidates MakeCandidates(std::int32_t count, std::uint32_t seed, std::uint32_t maxStep = 40) {
    Candidates c;
    std::mt19937 random(seed);
    auto n = static_cast<std::uint32_t>(random() % 5000);
    while (c.count < count) {
        n += 1 + static_cast<std::uint32_t>(random() % maxStep);
        c.store->Set(++c.count, CombinationFromCanonical(n % static_cast<std::uint32_t>(CombinationCount)));
    }
    return c;
}

struct DrivenRun {
    std::vector<std::string> lines;
    std::vector<std::int32_t> drawn;
    std::int64_t drawTicks = 0;
    std::int32_t lastCountdown = -1;
    bool endedByDraw = false;
};

// One draw per tick and one countdown tick per 100 draws, as the command line drives it.
DrivenRun Drive(Simulation& sim) {
    DrivenRun run;
    while (sim.Running()) {
        const Simulation::DrawResult d = sim.DrawTick();
        ++run.drawTicks;
        if (d.finished) {
            run.endedByDraw = true;
            break;
        }
        run.drawn.push_back(d.drawn);
        if (d.accepted) run.lines.push_back(d.line);
        if (run.drawTicks % 100 == 0) run.lastCountdown = sim.CountdownTick().secondsLeft;
    }
    return run;
}

TEST(Simulation, StartChecksTheCountThenTheTimeLimit) {
    Candidates c = MakeCandidates(10, 1);
    using O = Simulation::StartOutcome;
    struct Case {
        const char* count;
        const char* seconds;
        O outcome;
        std::string message;
    } cases[] = {
        {"", "5", O::Refused, "Nie ustalona liczba kombinacji w systemie !"},
        {"    ", "", O::Refused, "Nie ustalona liczba kombinacji w systemie !"},
        {"x", "", O::Refused, "'x' is not a valid integer value"},
        {"0", "", O::NotStarted, ""},  // the time limit is not looked at
        {"12", "", O::Refused, "Nie ustalony limit czasu pracy generatora !"},
        {"12", "1 0", O::Refused, "'1 0' is not a valid integer value"},
        {"12", "0", O::NotStarted, ""},
        {" 12 ", " 5", O::Started, ""},
    };
    for (const Case& k : cases) {
        Simulation sim([] { return 1u; });
        const Simulation::StartResult r = sim.Start(k.count, k.seconds, 0, *c.store, c.count, *c.system);
        EXPECT_EQ(r.outcome, k.outcome) << k.count << "/" << k.seconds;
        EXPECT_EQ(r.message, k.message) << k.count << "/" << k.seconds;
        EXPECT_EQ(sim.Running(), k.outcome == O::Started);
    }
}

TEST(Simulation, SameAcceptedLinesAsTheStraightforwardScan) {
    Candidates c = MakeCandidates(3000, 5);
    for (int distance = 0; distance < 4; ++distance) {
        const std::uint32_t seed = 1000u + static_cast<std::uint32_t>(distance);
        Simulation sim([seed] { return seed; });
        ASSERT_EQ(sim.Start("9999", "20", distance, *c.store, c.count, *c.system).outcome, Simulation::StartOutcome::Started);
        EXPECT_EQ(sim.MaxEqualPositions(), 5 - distance);
        const DrivenRun run = Drive(sim);

        // The documented draw sequence and acceptance test, done the long way.
        std::uint32_t random = seed;
        std::vector<Combination> kept;
        std::vector<std::string> expected;
        for (const std::int32_t drawn : run.drawn) {
            const std::int32_t i = static_cast<std::int32_t>(NextRandom(random, static_cast<std::uint32_t>(c.count))) + 1;
            ASSERT_EQ(drawn, i);
            const Combination d = c.store->At(i);
            bool reject = false;
            for (const Combination& k : kept) reject = reject || AgreeCount(d, k) > 5 - distance;
            if (!reject) {
                kept.push_back(d);
                expected.push_back(FormatSystemLine(d));
            }
        }
        EXPECT_EQ(run.lines, expected) << "distance " << distance;
        ASSERT_FALSE(run.lines.empty());
        EXPECT_EQ(run.lines.front(), FormatSystemLine(c.store->At(run.drawn.front())));  // the first draw is kept
        EXPECT_EQ(sim.SystemCount(), static_cast<std::int32_t>(run.lines.size()));
        for (std::int32_t k = 1; k <= sim.SystemCount(); ++k)
            EXPECT_EQ(FormatSystemLine(c.system->At(k)), run.lines[static_cast<std::size_t>(k - 1)]);
    }
}

TEST(Simulation, EndsAtTheTargetOnTheNextDrawTick) {
    Candidates c = MakeCandidates(2000, 9, 8000);
    Simulation sim([] { return 777u; });
    sim.Start("25", "100", 3, *c.store, c.count, *c.system);
    const DrivenRun run = Drive(sim);
    EXPECT_TRUE(run.endedByDraw);
    EXPECT_EQ(run.lines.size(), 25u);
    // Any two lines differ in at least four Positions.
    for (std::int32_t a = 1; a <= sim.SystemCount(); ++a)
        for (std::int32_t b = a + 1; b <= sim.SystemCount(); ++b) EXPECT_LE(AgreeCount(c.system->At(a), c.system->At(b)), 2);
    // A single candidate with target 1: accepted on the first tick, the run ends on the second.
    Candidates one = MakeCandidates(1, 3);
    sim.Start("1", "5", 0, *one.store, 1, *one.system);
    const DrivenRun single = Drive(sim);
    EXPECT_EQ(single.drawTicks, 2);
    EXPECT_EQ(single.lines.size(), 1u);
    // A stopped run ticks no more.
    EXPECT_FALSE(sim.DrawTick().finished);
    EXPECT_FALSE(sim.CountdownTick().finished);
}

TEST(Simulation, UnreachableTargetRunsUntilTheTickAfterTheCountdownShowsZero) {
    Candidates one = MakeCandidates(1, 3);
    for (std::int32_t seconds : {1, 3}) {
        Simulation sim([] { return 42u; });
        sim.Start("2", std::to_string(seconds), 0, *one.store, 1, *one.system);
        EXPECT_EQ(sim.SecondsLeft(), seconds);
        std::vector<std::int32_t> shown;
        std::int64_t draws = 0;
        std::size_t accepted = 0;
        while (sim.Running()) {
            accepted += sim.DrawTick().accepted ? 1 : 0;
            if (++draws % 100 == 0) {
                const Simulation::CountdownResult t = sim.CountdownTick();
                shown.push_back(t.secondsLeft);
                if (t.finished) shown.push_back(-1);
            }
        }
        // T-1, ..., 0, then the ending tick.
        std::vector<std::int32_t> expected;
        for (std::int32_t s = seconds - 1; s >= 0; --s) expected.push_back(s);
        expected.push_back(0);
        expected.push_back(-1);
        EXPECT_EQ(shown, expected);
        EXPECT_EQ(draws, 100 * (seconds + 1));
        EXPECT_EQ(accepted, 1u);  // every later draw is the same candidate
    }
}

TEST(Simulation, RestartForgetsThePreviousRun) {
    Candidates c = MakeCandidates(500, 4);
    Simulation sim([] { return 5u; });
    sim.Start("9999", "3", 1, *c.store, c.count, *c.system);
    const DrivenRun first = Drive(sim);
    sim.Start("9999", "3", 1, *c.store, c.count, *c.system);
    const DrivenRun second = Drive(sim);
    EXPECT_EQ(first.lines, second.lines);
    EXPECT_GT(first.lines.size(), 1u);
}

}  // namespace
}  // namespace kombinator
