// kombinator-cli as a whole process: count --funnel and backtest.
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "cli_run.h"

namespace kombinator::test {
namespace {

namespace fs = std::filesystem;

const std::string Examples = std::string(KOMBINATOR_EXAMPLES) + "/";
const std::string Profiles = std::string(KOMBINATOR_TEST_DATA) + "/profiles/";

class InsightCommands : public ::testing::Test {
protected:
    void SetUp() override {
        dir_ = fs::temp_directory_path() / ("kombinator-insight-" + std::to_string(::getpid()));
        fs::create_directories(dir_);
    }
    void TearDown() override { fs::remove_all(dir_); }
    std::string Write(const std::string& name, const std::string& bytes) const {
        const std::string path = (dir_ / name).string();
        std::ofstream(path, std::ios::binary) << bytes;
        return path;
    }
    fs::path dir_;
};

TEST_F(InsightCommands, FunnelListsTheActiveStepsInChainOrderAfterTheCount) {
    // The narrow example's figures, as the literal chain gives them.
    const CliOutcome r = RunCli({"count", Examples + "narrow.kfp", "--funnel"});
    EXPECT_EQ(r.exitCode, 0) << r.err;
    EXPECT_EQ(r.out,
              "CandidateCount: 22235\n"
              "Funnel: TypeGrid reached 16777216 rejected 15337216\n"
              "Funnel: Relations reached 1440000 rejected 0\n"
              "Funnel: RI reached 1440000 rejected 596736\n"
              "Funnel: GoalRanges reached 843264 rejected 578810\n"
              "Funnel: RJDraws reached 264454 rejected 9504\n"
              "Funnel: RJTwos reached 254950 rejected 0\n"
              "Funnel: Scores reached 254950 rejected 139074\n"
              "Funnel: Preferred reached 115876 rejected 81977\n"
              "Funnel: BlockG reached 33899 rejected 11664\n");
    EXPECT_EQ(r.err, "");

    // Without --funnel the count stays alone; incomplete settings print no funnel.
    EXPECT_EQ(RunCli({"count", Examples + "narrow.kfp"}).out, "CandidateCount: 22235\n");
    const CliOutcome incomplete = RunCli({"count", Profiles + "incomplete-ri.kfp", "--funnel"});
    EXPECT_EQ(incomplete.exitCode, 3);
    EXPECT_EQ(incomplete.out, "");
}

TEST_F(InsightCommands, BacktestGivesEachRoundItsVerdict) {
    const std::string archive = Write("archiwum.txt",
                                      "1-1  3-0  1-1  0-1  1-0  1-0  \r\n"   // kept
                                      "0-0  0-0  0-0  0-0  0-0  0-0  \r\n"   // no basic type for six draws
                                      "0-0  0-1  3-1  0-0  0-0  0-1  \r\n"
                                      "0-0  1-3  1-0  0-0  0-0  1-0  \n"     // an editor's line end
                                      "2-1  1-0  0-0  1-1  2-2  1-3  \r\n"
                                      "0-0  2-1  2-0  2-3  3-0  0-1  \r\n"
                                      "1-0  1-0  2-2  0-2  1-0  2-0  \r\n"
                                      "1-1  0-2  2-2  1-2  2-1  1-0  \r\n"
                                      "1-0  1-0  1-1  0-2  3-3  3-0");       // no end after the last round
    const CliOutcome r = RunCli({"backtest", Examples + "narrow.kfp", archive});
    EXPECT_EQ(r.exitCode, 0) << r.err;
    EXPECT_EQ(r.out,
              "1: pass\n"
              "2: rejected by TypeGrid\n"
              "3: rejected by RI\n"
              "4: rejected by GoalRanges\n"
              "5: rejected by RJDraws\n"
              "6: rejected by Scores\n"
              "7: rejected by Preferred\n"
              "8: rejected by BlockG\n"
              "9: pass\n"
              "Passed: 2 of 9\n");
    EXPECT_EQ(RunCli({"backtest", Examples + "narrow.kfp", Write("empty.txt", "")}).out, "Passed: 0 of 0\n");
}

TEST_F(InsightCommands, BacktestRefusesWhatItCannotTest) {
    const std::string good = "1-1  3-0  1-1  0-1  1-0  1-0  \r\n";
    const struct {
        std::vector<std::string> args;
        int exitCode;
        std::string err;
    } cases[] = {
        {{"backtest", Examples + "narrow.kfp", Write("bad.txt", good + "1-1  3-0  1-1  0-?  1-0  1-0  \r\n")},
         4,
         (dir_ / "bad.txt").string() + ": line 2: '?' is not a valid integer value\n"},
        {{"backtest", Examples + "narrow.kfp", Write("short.txt", good + good + "1-1  3-0\r\n")},
         4,
         (dir_ / "short.txt").string() + ": line 3: '' is not a valid integer value\n"},
        {{"backtest", Examples + "narrow.kfp", (dir_ / "missing.txt").string()},
         2,
         "Cannot open file " + (dir_ / "missing.txt").string() + "\n"},
        {{"backtest", Profiles + "incomplete-ri.kfp", Write("one.txt", good)},
         3,
         "Panel - Typy ogólne: Nie ustalone szablony RI !\n"},
    };
    for (const auto& c : cases) {
        const CliOutcome r = RunCli(c.args);
        EXPECT_EQ(r.exitCode, c.exitCode) << c.args.back();
        EXPECT_EQ(r.out, "") << c.args.back();
        EXPECT_EQ(r.err, c.err);
    }
    EXPECT_EQ(RunCli({"backtest", Examples + "narrow.kfp"}).exitCode, 64);
}

}  // namespace
}  // namespace kombinator::test
