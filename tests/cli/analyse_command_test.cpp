// kombinator-cli analyse as a whole process, its figures counted here line against line.
#include <unistd.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <random>

#include <gtest/gtest.h>

#include "cli_run.h"
#include "model/combination.h"
#include "io/system_line.h"

namespace kombinator::test {
namespace {

namespace fs = std::filesystem;

const std::string Examples = std::string(KOMBINATOR_EXAMPLES) + "/";
const std::string Profiles = std::string(KOMBINATOR_TEST_DATA) + "/profiles/";

class AnalyseCommand : public ::testing::Test {
protected:
    void SetUp() override {
        dir_ = fs::temp_directory_path() / ("kombinator-analyse-" + std::to_string(::getpid()));
        fs::create_directories(dir_);
    }
    void TearDown() override { fs::remove_all(dir_); }
    std::string PathOf(const std::string& name) const { return (dir_ / name).string(); }
    std::string WriteLines(const std::string& name, const std::vector<Combination>& lines) const {
        std::string text;
        for (const Combination& c : lines) text += FormatSystemLine(c) + "\r\n";
        return WriteText(name, text);
    }
    std::string WriteText(const std::string& name, const std::string& text) const {
        std::ofstream(PathOf(name), std::ios::binary) << text;
        return PathOf(name);
    }
    fs::path dir_;
};

// The printed figures of a system against outcomes, counted pair by pair.
std::string Expected(const std::vector<Combination>& system, const std::vector<Combination>& outcomes, int level,
                     std::vector<Combination>* holes) {
    std::array<long long, 7> byBest{};
    for (const Combination& o : outcomes) {
        int best = 0;
        for (const Combination& line : system) best = std::max(best, AgreeCount(o, line));
        ++byBest[static_cast<std::size_t>(best)];
        if (holes && best < level) holes->push_back(o);
    }
    int guarantee = 0;
    while (guarantee < 6 && byBest[static_cast<std::size_t>(guarantee)] == 0 && !outcomes.empty()) ++guarantee;
    if (outcomes.empty()) guarantee = 0;
    std::string text = "Lines: " + std::to_string(system.size()) + "\nOutcomes: " + std::to_string(outcomes.size()) + "\n";
    for (int k = 6; k >= 3; --k) text += "Best" + std::to_string(k) + ": " + std::to_string(byBest[static_cast<std::size_t>(k)]) + "\n";
    text += "Best0-2: " + std::to_string(byBest[0] + byBest[1] + byBest[2]) + "\nGuarantee: " + std::to_string(guarantee) + "\n";
    if (level > 0) {
        long long h = 0;
        for (int k = 0; k < level; ++k) h += byBest[static_cast<std::size_t>(k)];
        text += "Holes: " + std::to_string(h) + "\n";
    }
    return text;
}

// The 64 Combinations of "two-draws-per-position.kfp": every Position 0-0 or 1-1, canonical order.
std::vector<Combination> DrawCombinations() {
    std::vector<Combination> v;
    for (int n = 0; n < 64; ++n) {
        Combination c;
        for (int p = 0; p < 6; ++p) c.scores[static_cast<std::size_t>(p)] = (n >> (5 - p) & 1) ? MatchScore{1, 1} : MatchScore{0, 0};
        v.push_back(c);
    }
    return v;
}

TEST_F(AnalyseCommand, FiguresAndHolesMatchThePairByPairCount) {
    std::mt19937 rng(9);
    const std::vector<Combination> draws = DrawCombinations();
    std::vector<Combination> system;
    for (int i = 0; i < 5; ++i) {
        Combination c = draws[rng() % 64];
        c.scores[rng() % 6] = ScoreFromIndex(static_cast<int>(rng() % 16));
        system.push_back(c);
    }
    const std::string systemFile = WriteLines("system.txt", system);
    const std::string candidates = WriteLines("candidates.txt", draws);
    const std::string profile = Examples + "two-draws-per-position.kfp";

    std::vector<Combination> holes;
    const std::string expected = Expected(system, draws, 5, &holes);
    for (const std::vector<std::string>& source :
         {std::vector<std::string>{"--candidates", candidates}, std::vector<std::string>{"--profile", profile}}) {
        std::vector<std::string> args = {"analyse", systemFile};
        args.insert(args.end(), source.begin(), source.end());
        const CliOutcome plain = RunCli(args);
        EXPECT_EQ(plain.exitCode, 0) << plain.err;
        EXPECT_EQ(plain.out, Expected(system, draws, 0, nullptr));

        fs::remove(PathOf("holes.txt"));
        args.insert(args.end(), {"--guarantee", "5", "--holes", PathOf("holes.txt")});
        const CliOutcome withHoles = RunCli(args);
        EXPECT_EQ(withHoles.exitCode, 0) << withHoles.err;
        EXPECT_EQ(withHoles.out, expected);
        EXPECT_EQ(withHoles.err, "");
        std::string holeText;
        for (const Combination& c : holes) holeText += FormatSystemLine(c) + "\r\n";
        EXPECT_EQ(FileBytes(PathOf("holes.txt")), holeText);
    }
}

// One line against all 16,777,216: C(6, k) * 15^(6 - k) outcomes share exactly k scores with it.
TEST_F(AnalyseCommand, AllCombinationsAgainstOneLine) {
    const std::string systemFile = WriteText("one.txt", "1-0  2-2  0-3  1-1  3-0  0-0  \r\n");
    const CliOutcome r = RunCli({"analyse", systemFile, "--all", "--guarantee", "3"});
    EXPECT_EQ(r.exitCode, 0) << r.err;
    EXPECT_EQ(r.out,
              "Lines: 1\nOutcomes: 16777216\nBest6: 1\nBest5: 90\nBest4: 3375\nBest3: 67500\nBest0-2: 16706250\n"
              "Guarantee: 0\nHoles: 16706250\n");
}

TEST_F(AnalyseCommand, BadInputReportsAndPrintsNothing) {
    const std::string system = WriteLines("system.txt", {DrawCombinations()[3]});
    const std::string candidates = WriteLines("candidates.txt", DrawCombinations());
    const std::string badLine = WriteText("bad-line.txt", "0-0  0-0  0-0  0-0  0-0  0-0  \r\n0-0  x-0  0-0  0-0  0-0  0-0  \r\n");
    const std::string notCombination = WriteText("five-goals.txt", "0-0  0-0  0-0  0-0  0-0  0-5  \r\n");
    const std::string missing = PathOf("missing.txt");
    struct Case {
        std::vector<std::string> args;
        int exitCode;
        std::string errPart;
    };
    const Case cases[] = {
        {{"analyse", system}, 64, "exactly one of"},
        {{"analyse", system, "--all", "--candidates", candidates}, 64, "exactly one of"},
        {{"analyse", system, "--all", "--holes", PathOf("h.txt")}, 64, "--holes needs --guarantee"},
        {{"analyse", system, "--all", "--guarantee", "2"}, 64, "--guarantee must be"},
        {{"analyse", system, "--all", "--guarantee", "5", "--holes", system}, 64, "replace an input"},
        {{"analyse", system, "--all", "--fast"}, 64, "unknown option"},
        {{"analyse", "--all"}, 64, "SYSTEMFILE"},
        {{"analyse", missing, "--all"}, 2, "Cannot open file"},
        {{"analyse", system, "--candidates", missing}, 2, "Cannot open file"},
        {{"analyse", system, "--candidates", notCombination}, 2, "line 1: not a Combination"},
        {{"analyse", system, "--profile", Profiles + "unknown-key.kfp"}, 2, "unknown-key.kfp"},
        {{"analyse", system, "--profile", Profiles + "incomplete-ri.kfp"}, 3, ""},
        {{"analyse", badLine, "--candidates", candidates}, 4, "'x' is not a valid integer value\n"},
        {{"analyse", system, "--candidates", candidates, "--guarantee", "4", "--holes", PathOf("no/such/dir/h.txt")},
         1, "Cannot create file"},
    };
    for (const Case& c : cases) {
        const CliOutcome r = RunCli(c.args);
        std::string joined;
        for (const std::string& a : c.args) joined += a + " ";
        EXPECT_EQ(r.exitCode, c.exitCode) << joined << r.err;
        EXPECT_EQ(r.out, "") << joined;
        EXPECT_NE(r.err.find(c.errPart), std::string::npos) << joined << r.err;
        EXPECT_FALSE(r.err.empty()) << joined;
    }
}

}  // namespace
}  // namespace kombinator::test
