// kombinator-cli as a whole process: the dispatcher and the count command.
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

const std::string Profiles = std::string(KOMBINATOR_TEST_DATA) + "/profiles/";
const std::string Examples = std::string(KOMBINATOR_EXAMPLES) + "/";

class CountCommand : public ::testing::Test {
protected:
    void SetUp() override {
        dir_ = fs::temp_directory_path() / ("kombinator-count-" + std::to_string(::getpid()));
        fs::create_directories(dir_);
    }
    void TearDown() override { fs::remove_all(dir_); }
    std::string PathOf(const std::string& name) const { return (dir_ / name).string(); }
    void Write(const std::string& path, const std::string& bytes) const {
        std::ofstream(path, std::ios::binary) << bytes;
    }
    fs::path dir_;
};

// The 64 Combinations whose every Position is 0-0 or 1-1, in canonical order, as system lines.
std::string SixtyFourDrawLines() {
    std::string text;
    for (int n = 0; n < 64; ++n) {
        for (int p = 0; p < 6; ++p) text += (n >> (5 - p) & 1) ? "1-1  " : "0-0  ";
        text += "\r\n";
    }
    return text;
}

TEST_F(CountCommand, PrintsTheCountAndSavesTheCandidatesAsSystemLines) {
    const std::string file = PathOf("draws.txt");
    for (const std::vector<std::string>& args :
         {std::vector<std::string>{"count", Examples + "two-draws-per-position.kfp", "--candidates", file},
          std::vector<std::string>{"count", "--candidates=" + file, Examples + "two-draws-per-position.kfp"}}) {
        fs::remove(file);
        const CliOutcome r = RunCli(args);
        EXPECT_EQ(r.exitCode, 0) << r.err;
        EXPECT_EQ(r.out, "CandidateCount: 64\n");
        EXPECT_EQ(r.err, "");
        EXPECT_EQ(FileBytes(file), SixtyFourDrawLines());
    }
}

TEST_F(CountCommand, CountsAboveTheStoreKeepTheFirst30000InCanonicalOrder) {
    const std::string file = PathOf("many.txt");
    const CliOutcome r = RunCli({"count", Profiles + "over-capacity.kfp", "--candidates", file});
    ASSERT_EQ(r.exitCode, 0) << r.err;
    ASSERT_EQ(r.out.rfind("CandidateCount: ", 0), 0u);
    EXPECT_GT(std::stol(r.out.substr(16)), 30000);
    const std::string bytes = FileBytes(file);
    ASSERT_EQ(bytes.size(), 30000u * 32u);
    std::string previous;
    for (std::size_t at = 0; at < bytes.size(); at += 32) {
        const std::string line = bytes.substr(at, 30);
        ASSERT_EQ(bytes.substr(at + 30, 2), "\r\n");
        int home = 0, away = 0;
        for (int p = 0; p < 6; ++p) {
            home += line[5 * p] - '0';
            away += line[5 * p + 2] - '0';
            ASSERT_EQ(line.substr(5 * p + 1, 1) + line.substr(5 * p + 3, 2), "-  ") << line;
        }
        // Start-up goal ranges: home and away goals 7 to 9 each.
        ASSERT_TRUE(home >= 7 && home <= 9 && away >= 7 && away <= 9) << line;
        ASSERT_LT(previous, line);  // digits stand at fixed places, so text order is canonical order
        previous = line;
    }
    EXPECT_EQ(bytes.substr(0, 30), "0-0  0-0  0-0  1-1  3-3  3-3  ");
}

TEST_F(CountCommand, NoCandidatesGiveAnEmptyFile) {
    const std::string file = PathOf("none.txt");
    Write(file, "an older system\r\n");
    const CliOutcome r = RunCli({"count", Profiles + "none-pass.kfp", "--candidates", file});
    EXPECT_EQ(r.exitCode, 0) << r.err;
    EXPECT_EQ(r.out, "CandidateCount: 0\n");
    EXPECT_EQ(FileBytes(file), "");
}

TEST_F(CountCommand, ExamplesGiveTheirCounts) {
    const std::pair<const char*, const char*> cases[] = {
        {"two-draws-per-position.kfp", "64"},
        {"home-favourites.kfp", "3466"},
        {"weekend-coupon.kfp", "15981"},
    };
    for (const auto& [name, count] : cases) {
        const CliOutcome r = RunCli({"count", Examples + name});
        EXPECT_EQ(r.exitCode, 0) << name << ": " << r.err;
        EXPECT_EQ(r.out, "CandidateCount: " + std::string(count) + "\n") << name;
    }
}

// Failures leave the candidates file alone and print nothing on standard output.
TEST_F(CountCommand, RefusedRunsReportOnStandardErrorWithTheirExitCode) {
    const std::string file = PathOf("kept.txt");
    const std::string missing = PathOf("missing.kfp");
    const std::string folder = dir_.string();
    struct Case {
        std::string profile;
        int exitCode;
        std::string err;
    };
    const Case cases[] = {
        {Profiles + "header-only.kfp", 3, "Panel - Typy ogólne: W każdej pozycji minimum jeden typ podstawowy !\n"},
        {Profiles + "incomplete-ri.kfp", 3, "Panel - Typy ogólne: Nie ustalone szablony RI !\n"},
        {Profiles + "unknown-key.kfp", 2, Profiles + "unknown-key.kfp: line 3: unknown key 'Colour'\n"},
        {missing, 2, "Cannot open file " + missing + "\n"},
        {folder, 2, "Cannot open file " + folder + "\n"},
    };
    for (const Case& c : cases) {
        Write(file, "an older system\r\n");
        const CliOutcome r = RunCli({"count", c.profile, "--candidates", file});
        EXPECT_EQ(r.exitCode, c.exitCode) << c.profile;
        EXPECT_EQ(r.err, c.err);
        EXPECT_EQ(r.out, "") << c.profile;
        EXPECT_EQ(FileBytes(file), "an older system\r\n") << c.profile;
    }
}

TEST_F(CountCommand, AnUnwritableCandidatesFileIsAFailure) {
    const std::string file = PathOf("no-such-folder/c.txt");
    const CliOutcome r = RunCli({"count", Examples + "two-draws-per-position.kfp", "--candidates", file});
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_EQ(r.err, "Cannot create file " + file + "\n");
    EXPECT_EQ(r.out, "");
}

TEST_F(CountCommand, BadArgumentsPrintAShortUsage) {
    const std::string profile = Examples + "two-draws-per-position.kfp";
    const std::string copy = PathOf("copy.kfp");
    fs::copy_file(profile, copy);
    const std::vector<std::string> cases[] = {
        {},
        {"bogus"},
        {"--bogus"},
        {"count"},
        {"count", profile, profile},
        {"count", profile, "--candidates"},
        {"count", profile, "--candidates="},
        {"count", profile, "--frobnicate"},
        {"count", profile, "--candidates", PathOf("a"), "--candidates", PathOf("b")},
        {"count", copy, "--candidates", copy},  // would destroy the profile
    };
    for (const std::vector<std::string>& args : cases) {
        const CliOutcome r = RunCli(args);
        const std::string shown = args.empty() ? "(none)" : args[0] + (args.size() > 1 ? " ..." : "");
        EXPECT_EQ(r.exitCode, 64) << shown;
        EXPECT_NE(r.err.find("usage: kombinator-cli "), std::string::npos) << shown << ": " << r.err;
        EXPECT_EQ(r.out, "") << shown;
    }
    EXPECT_EQ(FileBytes(copy), FileBytes(profile));
    EXPECT_FALSE(fs::exists(PathOf("a")));
}

TEST_F(CountCommand, HelpExplainsTheCommands) {
    const CliOutcome all = RunCli({"--help"});
    EXPECT_EQ(all.exitCode, 0);
    EXPECT_EQ(all.err, "");
    for (const char* synopsis : {"count PROFILE [--candidates FILE]", "system PROFILE", "simulate PROFILE",
                                 "check SYSTEMFILE", "coupons SYSTEMFILE"}) {
        EXPECT_NE(all.out.find(synopsis), std::string::npos) << synopsis;
        const std::string name = std::string(synopsis).substr(0, std::string(synopsis).find(' '));
        const CliOutcome one = RunCli({name, "--help"});
        EXPECT_EQ(one.exitCode, 0) << name;
        EXPECT_NE(one.out.find("usage: kombinator-cli " + std::string(synopsis)), std::string::npos) << one.out;
    }
    const CliOutcome one = RunCli({"count", "--help"});
    EXPECT_EQ(one.exitCode, 0);
    EXPECT_NE(one.out.find("CandidateCount: N"), std::string::npos) << one.out;
    EXPECT_NE(one.out.find("--candidates FILE"), std::string::npos);
}

}  // namespace
}  // namespace kombinator::test
