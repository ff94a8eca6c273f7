#include "filters/filter_profile.h"

#include <unistd.h>

#include <filesystem>
#include <functional>
#include <random>
#include <string>

#include <gtest/gtest.h>

#include "scenarios.h"

namespace kombinator {
namespace {

namespace fs = std::filesystem;

// Settings the window can produce: only entries that have a box, bounds with from <= to.
FilterSettings RandomSettings(std::mt19937& rng) {
    auto flag = [&rng](int percent) -> Flag { return static_cast<Flag>(rng() % 100 < static_cast<unsigned>(percent)); };
    const int density = static_cast<int>(rng() % 101);  // from nothing ticked to everything ticked
    FilterSettings s;
    for (int p = 1; p <= 6; ++p)
        for (int c = 0; c < 3; ++c) s.TypeMarks[p][c] = static_cast<std::uint8_t>(rng() % 3);
    for (int k = 1; k <= 7; ++k) s.RelationTicked[k] = flag(density);
    s.RiActive = flag(50);
    for (int x = 0; x <= 6; ++x)
        for (int y = 0; x + y <= 6; ++y) s.RiTemplate[x][y] = flag(density);
    s.RjDrawActive = flag(50);
    s.RjTwoActive = flag(50);
    for (int i = 1; i <= 4; ++i) {
        s.RjDrawTemplate[i] = flag(density);
        s.RjTwoTemplate[i] = flag(density);
    }
    for (int p = 1; p <= 6; ++p) {
        s.ScoreFilterActive[p] = flag(50);
        for (int i = 0; i < 16; ++i) s.ScoreAllowed[p][i] = flag(density);
    }
    auto range = [&rng](std::uint8_t& from, std::uint8_t& to) {
        const int a = static_cast<int>(rng() % 37), b = static_cast<int>(rng() % 37);
        from = static_cast<std::uint8_t>(std::min(a, b));
        to = static_cast<std::uint8_t>(std::max(a, b));
    };
    range(s.TotalGoalsFrom, s.TotalGoalsTo);
    range(s.HomeGoalsFrom, s.HomeGoalsTo);
    range(s.AwayGoalsFrom, s.AwayGoalsTo);
    s.PnActive = flag(50);
    for (int e = 3; e <= 9; ++e) s.PnOverall[e] = flag(density);
    for (int e = 1; e <= 5; ++e) {
        s.PnHomeBlock[e] = flag(density);
        s.PnAwayBlock[e] = flag(density);
    }
    s.PreferredActive = flag(50);
    for (auto& set : s.PreferredScores)
        for (Flag& f : set) f = flag(density);
    s.RwActive = flag(50);
    for (Flag& f : s.RwTemplate) f = flag(density);
    s.HomeBlockActive = flag(50);
    s.AwayBlockActive = flag(50);
    for (Flag& f : s.HomeBlockCounts) f = flag(density);
    for (Flag& f : s.AwayBlockCounts) f = flag(density);
    s.BlockGActive = flag(50);
    s.BlockDActive = flag(50);
    for (int x = 0; x <= 3; ++x)
        for (int y = 0; x + y <= 3; ++y) {
            s.BlockGSigns[4 * x + y] = flag(density);
            s.BlockDSigns[4 * x + y] = flag(density);
        }
    for (int pair = 0; pair < 3; ++pair) {
        range(s.BlockGRange[2 * pair], s.BlockGRange[2 * pair + 1]);
        range(s.BlockDRange[2 * pair], s.BlockDRange[2 * pair + 1]);
    }
    return s;
}

ProfileReadResult Read(const std::string& body) { return ReadFilterProfile("kombinator-filters 1\n" + body); }

// The value part of one key's line in a written profile.
std::string WrittenValues(const FilterSettings& s, const std::string& key) {
    const std::string text = WriteFilterProfile(s);
    const std::string start = "\r\n" + key + " =";
    const std::size_t at = text.find(start);
    if (at == std::string::npos) return "<missing>";
    const std::size_t from = at + start.size();
    std::string values = text.substr(from, text.find("\r\n", from) - from);
    if (!values.empty() && values[0] == ' ') values.erase(0, 1);
    return values;
}

TEST(FilterProfile, StartUpSettingsAreWrittenInTheDocumentedOrder) {
    const std::string expected =
        "kombinator-filters 1\r\n"
        "TypeMarks = 000 000 000 000 000 000\r\n"
        "Relations =\r\n"
        "RI = off\r\nRITemplates =\r\n"
        "RJDraws = off\r\nRJDrawTemplates =\r\n"
        "RJTwos = off\r\nRJTwoTemplates =\r\n"
        "Scores1 = off\r\nScores1Allowed =\r\nScores2 = off\r\nScores2Allowed =\r\n"
        "Scores3 = off\r\nScores3Allowed =\r\nScores4 = off\r\nScores4Allowed =\r\n"
        "Scores5 = off\r\nScores5Allowed =\r\nScores6 = off\r\nScores6Allowed =\r\n"
        "TotalGoals = 14 18\r\nHomeGoals = 7 9\r\nAwayGoals = 7 9\r\n"
        "PN = off\r\nPNOverall =\r\nPNHome =\r\nPNAway =\r\n"
        "Preferred = off\r\nPreferred1 =\r\nPreferred2 =\r\nPreferred3 =\r\n"
        "RW = off\r\nRWTemplate =\r\n"
        "HomeBlock = off\r\nHomeBlock0 =\r\nHomeBlock1 =\r\nHomeBlock2 =\r\nHomeBlock3 =\r\n"
        "AwayBlock = off\r\nAwayBlock0 =\r\nAwayBlock1 =\r\nAwayBlock2 =\r\nAwayBlock3 =\r\n"
        "BlockG = off\r\nBlockGSigns =\r\nBlockGRange = 7 9 3 5 3 5\r\n"
        "BlockD = off\r\nBlockDSigns =\r\nBlockDRange = 7 9 3 5 3 5\r\n";
    EXPECT_EQ(WriteFilterProfile(FilterSettings{}), expected);
}

TEST(FilterProfile, ListsAreWrittenInTheOrderOfTheBoxesOnScreen) {
    FilterSettings all;
    for (int k = 1; k <= 7; ++k) all.RelationTicked[k] = 1;
    for (int x = 0; x <= 6; ++x)
        for (int y = 0; x + y <= 6; ++y) all.RiTemplate[x][y] = 1;
    for (int i = 1; i <= 4; ++i) all.RjTwoTemplate[i] = 1;
    for (int e = 3; e <= 9; ++e) all.PnOverall[e] = 1;
    for (int e = 1; e <= 5; ++e) all.PnAwayBlock[e] = 1;
    all.ScoreAllowed[4].fill(1);
    all.RwTemplate.fill(1);
    all.HomeBlockCounts.fill(1);
    all.BlockDSigns.fill(1);  // entries without a box are left out

    EXPECT_EQ(WrittenValues(all, "Relations"), "6-0 5-1 4-2 3-3 2-4 1-5 0-6");
    EXPECT_EQ(WrittenValues(all, "RITemplates"),
              "600 510 501 420 411 402 330 321 312 303 240 231 222 213 204 "
              "150 141 132 123 114 105 060 051 042 033 024 015 006");
    EXPECT_EQ(WrittenValues(all, "RJTwoTemplates"), "1 2 3 4");
    EXPECT_EQ(WrittenValues(all, "PNOverall"), "9-3 8-4 7-5 6-6 5-7 4-8 3-9");
    EXPECT_EQ(WrittenValues(all, "PNAway"), "5-1 4-2 3-3 2-4 1-5");
    EXPECT_EQ(WrittenValues(all, "Scores4Allowed"),
              "0-0 0-1 0-2 0-3 1-0 1-1 1-2 1-3 2-0 2-1 2-2 2-3 3-0 3-1 3-2 3-3");
    // RW boxes stand in rows by away goals, columns by home goals.
    const std::string rw = WrittenValues(all, "RWTemplate");
    EXPECT_EQ(rw.substr(0, 78), "0-0:adjacent 0-0:separate 0-0:single 1-0:adjacent 1-0:separate 1-0:single 2-0:");
    EXPECT_EQ(rw.substr(rw.size() - 36), "3-3:adjacent 3-3:separate 3-3:single");
    EXPECT_EQ(WrittenValues(all, "HomeBlock2"), "0 1 2 3 4 5");
    EXPECT_EQ(WrittenValues(all, "BlockDSigns"), "300 210 201 120 111 102 030 021 012 003");
}

TEST(FilterProfile, WritingThenReadingGivesIdenticalSettings) {
    std::mt19937 rng(20261209);
    std::vector<FilterSettings> cases = {FilterSettings{}};
    for (int i = 0; i < 300; ++i) cases.push_back(RandomSettings(rng));
    for (const FilterSettings& s : cases) {
        const std::string text = WriteFilterProfile(s);
        const ProfileReadResult r = ReadFilterProfile(text);
        ASSERT_TRUE(r.ok) << r.error << "\n" << text;
        ASSERT_EQ(r.settings, s) << text;
        ASSERT_EQ(WriteFilterProfile(r.settings), text);
    }
}

TEST(FilterProfile, EachKeySetsExactlyItsOwnEntries) {
    struct Case {
        const char* line;
        std::function<void(FilterSettings&)> expect;
    };
    const Case cases[] = {
        {"TypeMarks = 120 001 111 222 012 100",
         [](FilterSettings& s) {
             s.TypeMarks[1] = {1, 2, 0};
             s.TypeMarks[2] = {0, 0, 1};
             s.TypeMarks[3] = {1, 1, 1};
             s.TypeMarks[4] = {2, 2, 2};
             s.TypeMarks[5] = {0, 1, 2};
             s.TypeMarks[6] = {1, 0, 0};
         }},
        {"Relations = 6-0 1-5 0-6", [](FilterSettings& s) { s.RelationTicked[1] = s.RelationTicked[6] = s.RelationTicked[7] = 1; }},
        {"RI = on", [](FilterSettings& s) { s.RiActive = 1; }},
        {"RITemplates = 123 600 006", [](FilterSettings& s) { s.RiTemplate[1][2] = s.RiTemplate[6][0] = s.RiTemplate[0][0] = 1; }},
        {"RJDraws = on", [](FilterSettings& s) { s.RjDrawActive = 1; }},
        {"RJDrawTemplates = 4 1", [](FilterSettings& s) { s.RjDrawTemplate[4] = s.RjDrawTemplate[1] = 1; }},
        {"RJTwos = on", [](FilterSettings& s) { s.RjTwoActive = 1; }},
        {"RJTwoTemplates = 3", [](FilterSettings& s) { s.RjTwoTemplate[3] = 1; }},
        {"Scores6 = on", [](FilterSettings& s) { s.ScoreFilterActive[6] = 1; }},
        {"Scores2Allowed = 3-1 0-0", [](FilterSettings& s) { s.ScoreAllowed[2][13] = s.ScoreAllowed[2][0] = 1; }},
        {"TotalGoals = 0 36", [](FilterSettings& s) { s.TotalGoalsFrom = 0, s.TotalGoalsTo = 36; }},
        {"HomeGoals = 5 5", [](FilterSettings& s) { s.HomeGoalsFrom = 5, s.HomeGoalsTo = 5; }},
        {"AwayGoals = 1 18", [](FilterSettings& s) { s.AwayGoalsFrom = 1, s.AwayGoalsTo = 18; }},
        {"PN = on", [](FilterSettings& s) { s.PnActive = 1; }},
        {"PNOverall = 9-3 3-9", [](FilterSettings& s) { s.PnOverall[9] = s.PnOverall[3] = 1; }},
        {"PNHome = 4-2", [](FilterSettings& s) { s.PnHomeBlock[4] = 1; }},
        {"PNAway = 1-5", [](FilterSettings& s) { s.PnAwayBlock[1] = 1; }},
        {"Preferred = on", [](FilterSettings& s) { s.PreferredActive = 1; }},
        {"Preferred3 = 2-2", [](FilterSettings& s) { s.PreferredScores[2][10] = 1; }},
        {"RW = on", [](FilterSettings& s) { s.RwActive = 1; }},
        {"RWTemplate = 1-2:separate 0-0:adjacent 3-0:single",
         [](FilterSettings& s) {
             s.RwTemplate[3 * 6 + SeparatePair] = 1;
             s.RwTemplate[3 * 0 + AdjacentPair] = 1;
             s.RwTemplate[3 * 12 + Single] = 1;
         }},
        {"HomeBlock = on", [](FilterSettings& s) { s.HomeBlockActive = 1; }},
        {"HomeBlock3 = 0 5", [](FilterSettings& s) { s.HomeBlockCounts[18] = s.HomeBlockCounts[23] = 1; }},
        {"AwayBlock = on", [](FilterSettings& s) { s.AwayBlockActive = 1; }},
        {"AwayBlock1 = 2", [](FilterSettings& s) { s.AwayBlockCounts[8] = 1; }},
        {"BlockG = on", [](FilterSettings& s) { s.BlockGActive = 1; }},
        {"BlockGSigns = 111 003", [](FilterSettings& s) { s.BlockGSigns[5] = s.BlockGSigns[0] = 1; }},
        {"BlockGRange = 1 2 3 4 5 6", [](FilterSettings& s) { s.BlockGRange = {1, 2, 3, 4, 5, 6}; }},
        {"BlockD = on", [](FilterSettings& s) { s.BlockDActive = 1; }},
        {"BlockDSigns = 300 021", [](FilterSettings& s) { s.BlockDSigns[12] = s.BlockDSigns[2] = 1; }},
        {"BlockDRange = 0 36 0 0 36 36", [](FilterSettings& s) { s.BlockDRange = {0, 36, 0, 0, 36, 36}; }},
        // Numbers may carry leading zeros; values may repeat; off is the start-up value.
        {"TotalGoals = 007 036", [](FilterSettings& s) { s.TotalGoalsFrom = 7, s.TotalGoalsTo = 36; }},
        {"Scores1Allowed = 01-002 1-2", [](FilterSettings& s) { s.ScoreAllowed[1][6] = 1; }},
        {"RJDrawTemplates = 02 2 2", [](FilterSettings& s) { s.RjDrawTemplate[2] = 1; }},
        {"RI = off", [](FilterSettings&) {}},
        {"Relations =", [](FilterSettings&) {}},
    };
    for (const Case& c : cases) {
        FilterSettings expected;
        c.expect(expected);
        const ProfileReadResult r = Read(std::string(c.line) + "\n");
        ASSERT_TRUE(r.ok) << c.line << ": " << r.error;
        EXPECT_EQ(r.settings, expected) << c.line;
    }
}

TEST(FilterProfile, LayoutFreedomsReadTheSame) {
    FilterSettings expected;
    expected.TypeMarks[1] = {1, 1, 1};
    for (int p = 2; p <= 6; ++p) expected.TypeMarks[p] = {1, 2, 0};
    expected.ScoreFilterActive[1] = 1;
    expected.ScoreAllowed[1][4] = expected.ScoreAllowed[1][9] = 1;
    expected.TotalGoalsFrom = 0;
    expected.TotalGoalsTo = 36;
    const std::string texts[] = {
        "kombinator-filters 1\nTypeMarks = 111 120 120 120 120 120\nTotalGoals = 0 36\nScores1 = on\n"
        "Scores1Allowed = 1-0 2-1\n",
        // byte-order mark, CR LF, comments, blank lines, tabs, keys in another order, no final line end
        "\xEF\xBB\xBF# my filters\r\n\r\n \t kombinator-filters \t 1  # version\r\nScores1Allowed=2-1\t1-0 1-0\r\n"
        "   # Position 1\r\nScores1 =on\r\n\tTotalGoals\t=  0   36 \r\nTypeMarks = 111 120 120 120 120 120",
        "kombinator-filters 001\nTypeMarks = 111 120 120 120 120 120 # six groups\nTotalGoals = 00 36\n"
        "Scores1 = on\nScores1Allowed = 2-1 1-0 # = 3-3\n",
    };
    for (const std::string& text : texts) {
        const ProfileReadResult r = ReadFilterProfile(text);
        ASSERT_TRUE(r.ok) << r.error << "\n" << text;
        EXPECT_EQ(r.settings, expected) << text;
    }
}

TEST(FilterProfile, OnlyAHeaderGivesTheStartUpSettings) {
    const ProfileReadResult r = ReadFilterProfile("# nothing set yet\nkombinator-filters 1\r\n");
    ASSERT_TRUE(r.ok) << r.error;
    EXPECT_EQ(r.settings, FilterSettings{});
}

TEST(FilterProfile, EveryBrokenRuleNamesItsLineAndLoadsNothing) {
    struct Case {
        std::string text;
        std::string error;
    };
    const std::string h = "kombinator-filters 1\n";
    const Case cases[] = {
        {"", "line 1: missing header: the file holds no 'kombinator-filters 1' line"},
        {"# only\n\n# comments\n", "line 3: missing header: the file holds no 'kombinator-filters 1' line"},
        {"TypeMarks = 111 111 111 111 111 111\n",
         "line 1: missing header: the first line must read 'kombinator-filters 1', found "
         "'TypeMarks = 111 111 111 111 111 111'"},
        {"\n# c\nkombinator filters 1\n",
         "line 3: missing header: the first line must read 'kombinator-filters 1', found 'kombinator filters 1'"},
        {"kombinator-filters\n", "line 1: missing header: the first line must read 'kombinator-filters 1', found 'kombinator-filters'"},
        {"kombinator-filters 2\n", "line 1: unsupported version '2' (this program reads kombinator-filters 1)"},
        {"kombinator-filters 1.1\n", "line 1: unsupported version '1.1' (this program reads kombinator-filters 1)"},
        {"Kombinator-Filters 1\n",
         "line 1: missing header: the first line must read 'kombinator-filters 1', found 'Kombinator-Filters 1'"},
        {h + "RI = on\nkombinator-filters 1\n", "line 3: the header is given twice"},
        {h + "\nColour = red\n", "line 3: unknown key 'Colour'"},
        {h + "typemarks = 111 111 111 111 111 111\n", "line 2: unknown key 'typemarks' (keys are case-sensitive: TypeMarks)"},
        {h + "Scores7 = on\n", "line 2: unknown key 'Scores7'"},
        {h + "RI = on\nPN = off\nRI = off\n", "line 4: key RI given twice (first on line 2)"},
        {h + "TypeMa\n", "line 2: expected 'Key = values', found 'TypeMa'"},
        {h + "= on\n", "line 2: missing key before '='"},
        {h + "RI =\n", "line 2: RI: missing value (expected on or off)"},
        {h + "RI = yes\n", "line 2: RI: bad value 'yes' (expected on or off)"},
        {h + "RI = On\n", "line 2: RI: bad value 'On' (expected on or off)"},
        {h + "RI = on off\n", "line 2: RI: bad value 'on off' (expected on or off)"},
        {h + "RI = on = off\n", "line 2: RI: bad value 'on = off' (expected on or off)"},
        {h + "TypeMarks = 111 111 111 111 111\n",
         "line 2: TypeMarks: expected six groups of three digits 0, 1 or 2, one per Position, found 5"},
        {h + "TypeMarks = 111 111 111 131 111 111\n",
         "line 2: TypeMarks: bad value '131' for Position 4 (expected three digits 0, 1 or 2)"},
        {h + "TypeMarks = 111 111 111 111 111 1111\n",
         "line 2: TypeMarks: bad value '1111' for Position 6 (expected three digits 0, 1 or 2)"},
        {h + "Relations = 6-0 7-0\n", "line 2: Relations: bad value '7-0' (expected zero or more of 6-0 5-1 4-2 3-3 2-4 1-5 0-6)"},
        {h + "Relations = 6 - 0\n", "line 2: Relations: bad value '6' (expected zero or more of 6-0 5-1 4-2 3-3 2-4 1-5 0-6)"},
        {h + "RITemplates = 124\n", "line 2: RITemplates: bad value '124' (expected templates xyz of three digits adding up to 6)"},
        {h + "RITemplates = 0600\n", "line 2: RITemplates: bad value '0600' (expected templates xyz of three digits adding up to 6)"},
        {h + "RJDrawTemplates = 5\n", "line 2: RJDrawTemplates: bad value '5' (expected zero or more of 1 2 3 4)"},
        {h + "RJTwoTemplates = 0\n", "line 2: RJTwoTemplates: bad value '0' (expected zero or more of 1 2 3 4)"},
        {h + "Scores3Allowed = 1-0 4-0\n", "line 2: Scores3Allowed: bad value '4-0' (expected scores h-a with h and a from 0 to 3)"},
        {h + "Preferred2 = 1:0\n", "line 2: Preferred2: bad value '1:0' (expected scores h-a with h and a from 0 to 3)"},
        {h + "Preferred1 = -1-0\n", "line 2: Preferred1: bad value '-1-0' (expected scores h-a with h and a from 0 to 3)"},
        {h + "TotalGoals = 0\n", "line 2: TotalGoals: expected two numbers: from to, found 1 values"},
        {h + "TotalGoals = 0 36 1\n", "line 2: TotalGoals: expected two numbers: from to, found 3 values"},
        {h + "HomeGoals = 0 37\n", "line 2: HomeGoals: bad value '37' (expected a number from 0 to 36)"},
        {h + "HomeGoals = -1 3\n", "line 2: HomeGoals: bad value '-1' (expected a number from 0 to 36)"},
        {h + "AwayGoals = 0 99999999999999999999999\n",
         "line 2: AwayGoals: bad value '99999999999999999999999' (expected a number from 0 to 36)"},
        {h + "AwayGoals = 9 8\n", "line 2: AwayGoals: from 9 is above to 8"},
        {h + "PNOverall = 10-2\n", "line 2: PNOverall: bad value '10-2' (expected zero or more of 9-3 8-4 7-5 6-6 5-7 4-8 3-9)"},
        {h + "PNHome = 6-0\n", "line 2: PNHome: bad value '6-0' (expected zero or more of 5-1 4-2 3-3 2-4 1-5)"},
        {h + "RWTemplate = 1-1:double\n",
         "line 2: RWTemplate: bad value '1-1:double' (expected h-a:adjacent, h-a:separate or h-a:single with h and a "
         "from 0 to 3)"},
        {h + "HomeBlock0 = 6\n", "line 2: HomeBlock0: bad value '6' (expected zero or more of 0 1 2 3 4 5)"},
        {h + "BlockGSigns = 111 120 301\n", "line 2: BlockGSigns: bad value '301' (expected templates xyz of three digits adding up to 3)"},
        {h + "BlockGRange = 7 9 3 5 3\n",
         "line 2: BlockGRange: expected six numbers: total from, total to, home from, home to, away from, away to, "
         "found 5 values"},
        {h + "BlockDRange = 7 9 6 5 3 5\n", "line 2: BlockDRange: home from 6 is above home to 5"},
        {h + "BlockDRange = 7 9 3 5 3 37\n", "line 2: BlockDRange: bad value '37' (expected a number from 0 to 36)"},
        // What cannot be text at all.
        {h + "RI = on\nPN = o" + std::string(1, '\0') + "n\n", "line 3: the text holds a NUL byte"},
        {h + "# Zak\xB3" "ad\n", "line 2: the text is not valid UTF-8"},
        {h + "RI = on\n# \xC3", "line 3: the text is not valid UTF-8"},            // cut in the middle of a character
        {h + "# \xC0\xAF\n", "line 2: the text is not valid UTF-8"},               // overlong form
        {h + "# \xED\xA0\x80\n", "line 2: the text is not valid UTF-8"},           // surrogate
        {h + "# \xF4\x90\x80\x80\n", "line 2: the text is not valid UTF-8"},       // above U+10FFFF
        // Control characters and long texts are shown tamely.
        {h + "Ke\x01y = 1\n", "line 2: unknown key 'Ke?y'"},
        {h + std::string(200, 'x') + " = 1\n", "line 2: unknown key '" + std::string(40, 'x') + "...'"},
    };
    for (const Case& c : cases) {
        const ProfileReadResult r = ReadFilterProfile(c.text);
        EXPECT_FALSE(r.ok) << c.text;
        EXPECT_EQ(r.error, c.error) << c.text;
        EXPECT_EQ(r.settings, FilterSettings{}) << c.text;
    }
}

TEST(FilterProfile, ValidUtf8InCommentsIsFine) {
    const ProfileReadResult r = Read("# Zakłady na sobotę: pozycja 1 – tylko 1-0 €\nRI = on\n");
    ASSERT_TRUE(r.ok) << r.error;
    EXPECT_EQ(r.settings.RiActive, 1);
}

TEST(FilterProfile, QuotedTextIsCutOnACharacterBoundary) {
    // 39 ASCII letters and then a two-byte letter across the 40-byte limit.
    const ProfileReadResult r = Read(std::string(39, 'a') + "ł = 1\n");
    ASSERT_FALSE(r.ok);
    EXPECT_EQ(r.error, "line 2: unknown key '" + std::string(39, 'a') + "...'");
}

TEST(FilterProfile, EveryPrefixOfAProfileIsReadOrRefusedWithALine) {
    std::mt19937 rng(7);
    const std::string text = WriteFilterProfile(RandomSettings(rng));
    for (std::size_t n = 0; n <= text.size(); ++n) {
        const ProfileReadResult r = ReadFilterProfile(std::string_view(text).substr(0, n));
        if (r.ok) continue;
        ASSERT_EQ(r.error.rfind("line ", 0), 0u) << n << ": " << r.error;
        EXPECT_EQ(r.settings, FilterSettings{});
    }
    // Cut right after a line end, a prefix is a valid profile with the rest at start-up values.
    const std::size_t cut = text.find("Scores1 =");
    const ProfileReadResult head = ReadFilterProfile(std::string_view(text).substr(0, cut));
    ASSERT_TRUE(head.ok) << head.error;
    EXPECT_EQ(head.settings.ScoreFilterActive, FilterSettings{}.ScoreFilterActive);
}

TEST(FilterProfile, GarbageIsRefusedWithoutHarm) {
    std::mt19937 rng(42);
    std::string random(10 * 1024 * 1024, '\0');
    for (char& c : random) c = static_cast<char>(rng());
    std::string ascii(10 * 1024 * 1024, '\0');
    for (char& c : ascii) c = "ab= -#\n\t019:"[rng() % 12];
    const std::string hugeLine = "kombinator-filters 1\nRelations = " + std::string(10 * 1024 * 1024, '6');
    const std::string manyLines = [] {
        std::string t = "kombinator-filters 1\n";
        for (int i = 0; i < 200000; ++i) t += "# comment line of a profile\n";
        return t + "RI = maybe\n";
    }();
    const std::pair<const std::string*, int> cases[] = {{&random, 0}, {&ascii, 0}, {&hugeLine, 2}, {&manyLines, 200002}};
    for (const auto& [text, line] : cases) {
        const ProfileReadResult r = ReadFilterProfile(*text);
        EXPECT_FALSE(r.ok);
        EXPECT_EQ(r.error.rfind("line ", 0), 0u) << r.error.substr(0, 200);
        if (line > 0) {
            EXPECT_EQ(r.line, line) << r.error.substr(0, 200);
        }
        EXPECT_LT(r.error.size(), 300u);
    }
    // Random damage to a valid profile: every outcome is a clean read or a clean refusal.
    const std::string valid = WriteFilterProfile(RandomSettings(rng));
    for (int i = 0; i < 3000; ++i) {
        std::string damaged = valid;
        for (int k = 0, n = 1 + static_cast<int>(rng() % 4); k < n; ++k)
            damaged[rng() % damaged.size()] = static_cast<char>(rng());
        const ProfileReadResult r = ReadFilterProfile(damaged);
        if (!r.ok) {
            EXPECT_EQ(r.error.rfind("line ", 0), 0u) << r.error;
        }
    }
}

TEST(FilterProfile, ShippedExamplesReadAndTheBenchmarkOnesMatchItsScenarios) {
    for (const auto& entry : fs::directory_iterator(KOMBINATOR_EXAMPLES)) {
        if (entry.path().extension() != ".kfp") continue;
        const ProfileReadResult r = ReadFilterProfileFile(entry.path().string());
        EXPECT_TRUE(r.ok) << entry.path() << ": " << r.error;
    }
    for (const bench::Scenario& scenario : bench::EngineScenarios()) {
        const std::string path = std::string(KOMBINATOR_EXAMPLES) + "/" + scenario.name + ".kfp";
        const ProfileReadResult r = ReadFilterProfileFile(path);
        ASSERT_TRUE(r.ok) << path << ": " << r.error;
        EXPECT_EQ(r.settings, scenario.settings) << path;
    }
}

// The written twins were saved from the shipped examples once; the text the program writes
// for the same settings must never change, or older saved profiles would stop comparing equal.
TEST(FilterProfile, ShippedExamplesAreWrittenAsBefore) {
    int twins = 0;
    for (const auto& entry : fs::directory_iterator(std::string(KOMBINATOR_TEST_DATA) + "/written")) {
        const ProfileReadResult r =
            ReadFilterProfileFile(std::string(KOMBINATOR_EXAMPLES) + "/" + entry.path().filename().string());
        ASSERT_TRUE(r.ok) << entry.path() << ": " << r.error;
        std::string written;
        ASSERT_TRUE(ReadWholeFile(entry.path().string(), written).ok);
        EXPECT_EQ(WriteFilterProfile(r.settings), written) << entry.path();
        ++twins;
    }
    EXPECT_GE(twins, 6);
}

class FilterProfileFile : public ::testing::Test {
protected:
    void SetUp() override {
        dir_ = fs::temp_directory_path() / ("kombinator-profile-" + std::to_string(::getpid()));
        fs::create_directories(dir_);
    }
    void TearDown() override { fs::remove_all(dir_); }
    std::string PathOf(const char* name) const { return (dir_ / name).string(); }
    fs::path dir_;
};

TEST_F(FilterProfileFile, SavedProfileReadsBack) {
    std::mt19937 rng(3);
    const FilterSettings s = RandomSettings(rng);
    const std::string path = PathOf("mine.kfp");
    ASSERT_TRUE(SaveFilterProfile(path, s).ok);
    const ProfileReadResult r = ReadFilterProfileFile(path);
    ASSERT_TRUE(r.ok) << r.error;
    EXPECT_EQ(r.settings, s);
}

TEST_F(FilterProfileFile, UnreadableFilesGiveTheRuntimesError) {
    const std::string missing = PathOf("missing.kfp");
    const ProfileReadResult a = ReadFilterProfileFile(missing);
    EXPECT_FALSE(a.ok);
    EXPECT_EQ(a.error, "Cannot open file " + missing);
    EXPECT_EQ(a.line, 0);
    const ProfileReadResult b = ReadFilterProfileFile(dir_.string());
    EXPECT_FALSE(b.ok);
    EXPECT_EQ(b.error, "Cannot open file " + dir_.string());
    EXPECT_EQ(b.settings, FilterSettings{});
}

TEST_F(FilterProfileFile, FailedSaveKeepsThePreviousProfile) {
    const std::string path = PathOf("keep.kfp");
    FilterSettings first;
    first.RiActive = 1;
    ASSERT_TRUE(SaveFilterProfile(path, first).ok);
    const FileResult bad = SaveFilterProfile(PathOf("no-such-folder/x.kfp"), FilterSettings{});
    EXPECT_FALSE(bad.ok);
    EXPECT_EQ(bad.error, "Cannot create file " + PathOf("no-such-folder/x.kfp"));
    EXPECT_EQ(ReadFilterProfileFile(path).settings, first);
}

}  // namespace
}  // namespace kombinator
