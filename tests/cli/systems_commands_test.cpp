// Whole-process runs of the system, simulate, check and coupons commands.
#include <unistd.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <memory>
#include <sstream>

#include <gtest/gtest.h>

#include "cli_run.h"
#include "model/combination.h"
#include "engine/filter_run.h"
#include "filters/filter_profile.h"
#include "generator/guarantee_reduction.h"
#include "io/system_line.h"

namespace kombinator {
namespace {

namespace fs = std::filesystem;
using Lines = std::vector<std::string>;

struct Outcome {
    int code = -1;
    std::string out;
    std::string err;
};

std::string Slurp(const fs::path& path) { return test::FileBytes(path.string()); }

Lines SplitLines(const std::string& text) {
    Lines lines;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);) lines.push_back(line);
    return lines;
}

class SystemsCommands : public ::testing::Test {
protected:
    void SetUp() override {
        dir_ = fs::temp_directory_path() / ("kombinator-systems-cli-" + std::to_string(::getpid()));
        fs::create_directories(dir_);
    }
    void TearDown() override { fs::remove_all(dir_); }

    Outcome Run(const std::vector<std::string>& args) const {
        const test::CliOutcome o = test::RunCli(args);
        return {o.exitCode, o.out, o.err};
    }
    std::string Write(const std::string& name, std::string_view bytes) const {
        const fs::path path = dir_ / name;
        fs::create_directories(path.parent_path());
        std::ofstream(path, std::ios::binary).write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
        return path.string();
    }
    std::string PathOf(const std::string& name) const { return (dir_ / name).string(); }
    // PX1 100, X1X2 50, PY1 200, Y1Y2 30, PYK 10, PYZ 40, PNR 77; returns their folder.
    std::string WriteOffsets() const {
        const std::pair<const char*, const char*> offsets[] = {{"PX1", "100"}, {"X1X2", "50"}, {"PY1", "200"}, {"Y1Y2", "30"},
                                                              {"PYK", "10"},  {"PYZ", "40"},  {"PNR", "77"}};
        for (auto [name, value] : offsets) Write(std::string("offsets/") + name + ".txt", std::string(value) + "\r\n");
        return PathOf("offsets");
    }

    fs::path dir_;
};

// Three scores allowed in each Position: 729 candidates.
const char* SmallProfile =
    "kombinator-filters 1\n"
    "TypeMarks = 111 111 111 111 111 111\n"
    "TotalGoals = 0 36\nHomeGoals = 0 36\nAwayGoals = 0 36\n"
    "Scores1 = on\nScores1Allowed = 1-0 2-2 0-3\n"
    "Scores2 = on\nScores2Allowed = 0-0 1-1 2-1\n"
    "Scores3 = on\nScores3Allowed = 3-0 0-1 1-2\n"
    "Scores4 = on\nScores4Allowed = 1-0 2-0 3-3\n"
    "Scores5 = on\nScores5Allowed = 0-0 0-2 2-3\n"
    "Scores6 = on\nScores6Allowed = 1-1 2-2 3-1\n";

TEST_F(SystemsCommands, SystemWritesTheGuaranteeSystemOfTheProfile) {
    const std::string profile = Write("small.kfp", SmallProfile);
    const ProfileReadResult read = ReadFilterProfile(SmallProfile);
    ASSERT_TRUE(read.ok) << read.error;
    auto candidates = std::make_unique<CandidateStore>();
    auto system = std::make_unique<SystemStore>();
    const FilterRunResult run = FilterRun(read.settings, *candidates);
    ASSERT_EQ(run.CandidateCount, 729);

    for (int level = 6; level >= 3; --level) {
        const std::string out = PathOf("gw" + std::to_string(level) + ".txt");
        const Outcome o = Run({"system", profile, "--guarantee", std::to_string(level), "--out", out});
        ASSERT_EQ(o.code, 0) << o.err;
        std::int32_t systemCount = 729;
        const Lines expected = GuaranteeSystem(*candidates, 729, level, *system, systemCount);
        EXPECT_EQ(o.out, "CandidateCount: 729\nSystemCount: " + std::to_string(expected.size()) + "\n");
        std::string file;
        for (const std::string& line : expected) file += line + "\r\n";
        EXPECT_EQ(Slurp(out), file) << level;
        if (level == 6) {
            EXPECT_EQ(expected.size(), 729u);
        } else {
            EXPECT_LT(expected.size(), 729u);
        }
    }
}

TEST_F(SystemsCommands, SystemOptimiseKeepsTheGuaranteeWithFewerLines) {
    const std::string profile = Write("small.kfp", SmallProfile);
    auto candidates = std::make_unique<CandidateStore>();
    auto system = std::make_unique<SystemStore>();
    ASSERT_EQ(FilterRun(ReadFilterProfile(SmallProfile).settings, *candidates).CandidateCount, 729);
    for (int level = 5; level >= 3; --level) {
        const std::string out = PathOf("opt" + std::to_string(level) + ".txt");
        const Outcome o =
            Run({"system", profile, "--guarantee", std::to_string(level), "--optimise", "--seconds", "1", "--seed", "7", "--out", out});
        ASSERT_EQ(o.code, 0) << o.err;
        const Lines lines = SplitLines(Slurp(out));
        EXPECT_EQ(o.out, "CandidateCount: 729\nSystemCount: " + std::to_string(lines.size()) + "\n");
        std::int32_t documented = 0;
        GuaranteeSystem(*candidates, 729, level, *system, documented);
        EXPECT_LE(static_cast<std::int32_t>(lines.size()), documented) << level;
        std::vector<Combination> members;
        for (const std::string& line : lines) {
            ASSERT_EQ(line.size(), 31u) << "a line and its CR";
            const SystemLineDigits d = ReadSystemLineDigits(line);
            ASSERT_TRUE(d.ok) << line;
            Combination c;
            for (int p = 0; p < 6; ++p) c.scores[static_cast<std::size_t>(p)] = {d.digits[2 * static_cast<std::size_t>(p)], d.digits[2 * static_cast<std::size_t>(p) + 1]};
            members.push_back(c);
        }
        for (std::int32_t k = 1; k <= 729; ++k) {
            const Combination c = candidates->At(k);
            EXPECT_TRUE(std::any_of(members.begin(), members.end(), [&](const Combination& m) { return AgreeCount(c, m) >= level; }))
                << "candidate " << k << " at level " << level;
        }
        std::vector<std::uint32_t> all, kept;
        for (std::int32_t k = 1; k <= 729; ++k) all.push_back(CanonicalIndex(candidates->At(k)));
        for (const Combination& m : members) kept.push_back(CanonicalIndex(m));
        std::sort(kept.begin(), kept.end());
        EXPECT_EQ(std::adjacent_find(kept.begin(), kept.end()), kept.end()) << "a line repeats";
        EXPECT_TRUE(std::includes(all.begin(), all.end(), kept.begin(), kept.end())) << "a line is no candidate";
    }
    const struct {
        std::vector<std::string> options;
    } refused[] = {{{"--guarantee", "6", "--optimise"}},
                   {{"--guarantee", "5", "--optimise", "--seconds", "0"}},
                   {{"--guarantee", "5", "--optimise", "--seconds", "1.5"}},
                   {{"--guarantee", "5", "--optimise", "--seed", "-1"}},
                   {{"--guarantee", "5", "--seconds", "5"}},
                   {{"--guarantee", "5", "--seed", "3"}}};
    for (const auto& r : refused) {
        std::vector<std::string> args{"system", profile, "--out", PathOf("refused.txt")};
        args.insert(args.end(), r.options.begin(), r.options.end());
        const Outcome o = Run(args);
        EXPECT_EQ(o.code, 64) << r.options[r.options.size() - 2];
        EXPECT_NE(o.err, "");
        EXPECT_FALSE(fs::exists(PathOf("refused.txt")));
    }
}

TEST_F(SystemsCommands, SystemRefusesCandidateCountsOutsideTheStore) {
    // Every Combination passes: far more than the store holds.
    const std::string wide = Write("wide.kfp", "kombinator-filters 1\nTypeMarks = 111 111 111 111 111 111\n"
                                               "TotalGoals = 0 36\nHomeGoals = 0 36\nAwayGoals = 0 36\n");
    // Only 0-0 in Position 1, but at least one goal in total is wanted of... nothing else: 0 candidates.
    const std::string none = Write("none.kfp", "kombinator-filters 1\nTypeMarks = 111 111 111 111 111 111\n"
                                               "TotalGoals = 0 0\nHomeGoals = 0 36\nAwayGoals = 0 36\n"
                                               "Scores1 = on\nScores1Allowed = 1-0\n");
    for (const std::string& profile : {wide, none}) {
        const Outcome o = Run({"system", profile, "--guarantee", "5", "--out", PathOf("x.txt")});
        EXPECT_EQ(o.code, 4) << profile;
        EXPECT_EQ(o.out, "");
        EXPECT_NE(o.err, "");
        EXPECT_FALSE(fs::exists(PathOf("x.txt")));
    }
    const Outcome bad = Run({"system", Write("bad.kfp", "not a profile\n"), "--guarantee", "5", "--out", PathOf("x.txt")});
    EXPECT_NE(bad.code, 0);
    EXPECT_NE(bad.err, "");
    EXPECT_EQ(Run({"system", wide, "--guarantee", "2", "--out", PathOf("x.txt")}).code, 64);
}

const Lines CheckSystem = {
    "1-0  2-2  0-3  1-1  3-0  0-0  ",  // 6 hits
    "0-1  0-0  3-0  0-0  0-3  3-3  ",  // 0
    "1-0  2-2  0-3  1-1  0-3  2-2  ",  // 4
    "1-0  2-2  0-3  1-1  3-0  1-1  ",  // 5
    "1-0  2-2  0-3  0-0  0-3  2-2  ",  // 3
    "1-0  2-2  0-3  1-1  0-3  2-2  ",  // 4
};

std::string CrLf(const Lines& lines) {
    std::string text;
    for (const std::string& l : lines) text += l + "\r\n";
    return text;
}

TEST_F(SystemsCommands, CheckPrintsTheHitsOfEveryClass) {
    const std::string file = Write("check.txt", CrLf(CheckSystem));
    const Outcome o = Run({"check", file, "1-0", "2-2", "0-3", "1-1", "3-0", "0-0"});
    ASSERT_EQ(o.code, 0) << o.err;
    EXPECT_EQ(o.out,
              "Hits6: 1\nHits5: 1\nHits4: 2\nHits3: 1\n"
              "Lista6: 1\nKupon6: 1.1\nLista5: 4\nKupon5: 1.4\nLista4: 3 6\nKupon4: 1.3 2.1\n"
              "Lista3: 5\nKupon3: 1.5\nSound: yes\n");
    EXPECT_EQ(o.err, "");

    // LF line ends read the same; no six hits, no sound; empty classes end at the colon.
    const std::string lf = Write("lf.txt", "0-1  0-0  3-0  0-0  0-3  3-3  \n");
    const Outcome quiet = Run({"check", lf, "1-0", "2-2", "0-3", "1-1", "3-0", "0-0"});
    ASSERT_EQ(quiet.code, 0);
    EXPECT_EQ(quiet.out, "Hits6: 0\nHits5: 0\nHits4: 0\nHits3: 0\nLista6:\nKupon6:\nLista5:\nKupon5:\n"
                         "Lista4:\nKupon4:\nLista3:\nKupon3:\nSound: no\n");
}

TEST_F(SystemsCommands, CheckFailuresReportAndPrintNothing) {
    const std::string good = Write("good.txt", CrLf(CheckSystem));
    const std::string bad = Write("bad.txt", CrLf({CheckSystem[0], "1-0  2-2  0-3  1-1  3-0  0-", CheckSystem[2]}));
    struct Case {
        std::vector<std::string> args;
        int code;
        std::string err;
    } cases[] = {
        {{"check", good, "1-0", "2-2", "0-3", "1-1", "3-0"}, 3, "Wprowadź najpierw wszystkie wyniki !\n"},
        {{"check", good, "1-0", "-2", "0-3", "1-1", "3-0", "0-0"}, 3, "Wprowadź najpierw wszystkie wyniki !\n"},
        {{"check", good, "1-0", "2-2", "0-3", "1-1", "3-0", "0-"}, 3, "Wprowadź najpierw wszystkie wyniki !\n"},
        {{"check", good, "1-0", "2-2", "0-3", "", "3-0", "0-0"}, 3, "Wprowadź najpierw wszystkie wyniki !\n"},
        {{"check", good, "1-0", "2-2", "0-3", "1-4", "3-0", "0-0"}, 3,
         "Liczba bramek w każdej pozycji nie może przekraczać trzech  !\n"},
        {{"check", bad, "1-0", "2-2", "0-3", "1-1", "3-0", "0-0"}, 4, "'' is not a valid integer value\n"},
        {{"check", PathOf("missing.txt"), "1-0", "2-2", "0-3", "1-1", "3-0", "0-0"}, 2,
         "Cannot open file " + PathOf("missing.txt") + "\n"},
        {{"check", dir_.string(), "1-0", "2-2", "0-3", "1-1", "3-0", "0-0"}, 2, "Cannot open file " + dir_.string() + "\n"},
    };
    for (const Case& c : cases) {
        const Outcome o = Run(c.args);
        EXPECT_EQ(o.code, c.code) << c.args[1] << " " << c.args.back();
        EXPECT_EQ(o.err, c.err) << c.args[1] << " " << c.args.back();
        EXPECT_EQ(o.out, "");
    }
    EXPECT_EQ(Run({"check", good, "12-0"}).code, 64);
}

TEST_F(SystemsCommands, SimulateIsRepeatableAndKeepsLinesApart) {
    const std::string profile = Write("small.kfp", SmallProfile);
    const std::string first = PathOf("sim1.txt"), second = PathOf("sim2.txt");
    const Outcome a = Run({"simulate", profile, "--count", "40", "--distance", "3", "--seconds", "5", "--seed", "123", "--out", first});
    const Outcome b = Run({"simulate", profile, "--count", "40", "--distance", "3", "--seconds", "5", "--seed", "123", "--out", second});
    ASSERT_EQ(a.code, 0) << a.err;
    EXPECT_EQ(a.out, b.out);
    EXPECT_EQ(Slurp(first), Slurp(second));
    Lines lines = SplitLines(Slurp(first));
    ASSERT_FALSE(lines.empty());
    EXPECT_EQ(a.out, "SystemCount: " + std::to_string(lines.size()) + "\n");
    EXPECT_LE(lines.size(), 40u);
    std::vector<std::array<std::uint8_t, 12>> digits;
    for (std::string& line : lines) {
        ASSERT_EQ(line.back(), '\r');
        line.pop_back();
        const SystemLineDigits d = ReadSystemLineDigits(line);
        ASSERT_TRUE(d.ok);
        digits.push_back(d.digits);
    }
    for (std::size_t i = 0; i < digits.size(); ++i)
        for (std::size_t j = i + 1; j < digits.size(); ++j) {
            int same = 0;
            for (int p = 0; p < 6; ++p)
                same += digits[i][2 * p] == digits[j][2 * p] && digits[i][2 * p + 1] == digits[j][2 * p + 1];
            EXPECT_LE(same, 3);
        }

    // Another seed draws another system; the count may be reached.
    const Outcome other = Run({"simulate", profile, "--count", "3", "--distance", "1", "--seconds", "5", "--seed", "7", "--out", second});
    EXPECT_EQ(other.out, "SystemCount: 3\n");

    const Outcome noCount = Run({"simulate", profile, "--distance", "1", "--seconds", "5", "--seed", "7", "--out", second});
    EXPECT_EQ(noCount.code, 3);
    EXPECT_EQ(noCount.err, "Nie ustalona liczba kombinacji w systemie !\n");
    const Outcome noTime = Run({"simulate", profile, "--count", "5", "--seconds", " ", "--distance", "1", "--seed", "7", "--out", second});
    EXPECT_EQ(noTime.err, "Nie ustalony limit czasu pracy generatora !\n");
}

const char* SevenLines =
    "1-0  2-2  0-3  1-1  3-0  0-0  \r\n0-0  0-0  0-0  0-0  0-0  0-0  \r\n1-1  1-1  1-1  1-1  1-1  1-1  \r\n"
    "2-2  2-2  2-2  2-2  2-2  2-2  \r\n3-3  3-3  3-3  3-3  3-3  3-3  \r\n0-1  0-1  0-1  0-1  0-1  0-1  \r\n"
    "3-2  3-2  3-2  3-2  3-2  3-2  \r\n";

TEST_F(SystemsCommands, CouponsPrintEveryTextInDrawingOrder) {
    const std::string offsets = WriteOffsets();
    const std::string system = Write("seven.txt", SevenLines);
    const Outcome o = Run({"coupons", system, "--offsets", offsets, "--from", "1", "--to", "2", "--z", "3"});
    ASSERT_EQ(o.code, 0) << o.err;
    const Lines lines = SplitLines(o.out);
    ASSERT_EQ(lines.size(), 1u + 60u + 1u + 1u + 24u + 1u);
    EXPECT_EQ(lines[0], "page 1 10 77 1");
    EXPECT_EQ(lines[1], "page 1 150 200 ***");  // row 0: 0 away goals of the first line
    EXPECT_EQ(lines[61], "page 1 450 980 $$$");
    EXPECT_EQ(lines[62], "page 2 10 77 2");
    EXPECT_EQ(lines.back(), "page 2 450 980 $$$");

    const Outcome test = Run({"coupons", "--offsets", offsets, "--test"});
    ASSERT_EQ(test.code, 0) << test.err;
    const Lines page = SplitLines(test.out);
    ASSERT_EQ(page.size(), 245u);
    EXPECT_EQ(page[0], "page 1 10 77 TEST");
    EXPECT_EQ(page[244], "page 1 550 980 $$$");
}

TEST_F(SystemsCommands, CouponsRefuseBeforePrintingAnything) {
    const std::string offsets = WriteOffsets();
    const std::string system = Write("seven.txt", SevenLines);
    const std::string badLine = Write("bad.txt", std::string(SevenLines) + "1-0  2-2  0-3  1-1  3-0  x-0  \r\n");
    struct Case {
        std::vector<std::string> args;
        int code;
        std::string err;
    } cases[] = {
        {{"coupons", system, "--offsets", offsets, "--to", "1"}, 3, "Nie ustalony zakres wydruku !\n"},
        {{"coupons", system, "--offsets", offsets, "--from", "0", "--to", "0"}, 3, "Kupon zerowy nie istnieje !\n"},
        {{"coupons", system, "--offsets", offsets, "--from", "2", "--to", "1"}, 3, "Zakres dolny przewyższa zakres górny !\n"},
        {{"coupons", system, "--offsets", offsets, "--from", "1", "--to", "3"}, 3, "Górny zakres poza dopuszczalnym limitem !\n"},
        {{"coupons", badLine, "--offsets", offsets, "--from", "1", "--to", "2"}, 4, "'x' is not a valid integer value\n"},
        {{"coupons", PathOf("none.txt"), "--offsets", offsets, "--from", "1", "--to", "1"}, 2,
         "Cannot open file " + PathOf("none.txt") + "\n"},
        {{"coupons", system, "--offsets", PathOf("nowhere"), "--from", "1", "--to", "1"}, 2,
         PathOf("nowhere") + "/PX1.txt: File not found\n"},
    };
    for (const Case& c : cases) {
        const Outcome o = Run(c.args);
        EXPECT_EQ(o.code, c.code) << c.args[1];
        EXPECT_EQ(o.err, c.err) << c.args[1];
        EXPECT_EQ(o.out, "");
    }
    Write("offsets/PYK.txt", "1 0\r\n");
    const Outcome badOffset = Run({"coupons", "--offsets", offsets, "--test"});
    EXPECT_EQ(badOffset.code, 2);
    EXPECT_EQ(badOffset.err, offsets + "/PYK.txt: '1 0' is not a valid integer value\n");
}

}  // namespace
}  // namespace kombinator
