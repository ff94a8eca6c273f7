#include "generator/result_check.h"

#include <gtest/gtest.h>

namespace kombinator {
namespace {

using Edits = std::array<std::string, ResultEditCount>;
using Lines = std::vector<std::string>;
using Texts = std::vector<std::string>;

// Results 1-0 2-2 0-3 1-1 3-0 0-0.
const Edits Results = {"1", "0", "2", "2", "0", "3", "1", "1", "3", "0", "0", "0"};
const std::string Exact = "1-0  2-2  0-3  1-1  3-0  0-0  ";
const std::string Five = "1-0  2-2  0-3  1-1  3-0  1-1  ";   // right sign, wrong score in Position 6
const std::string Four = "1-0  2-2  0-3  1-1  0-3  2-2  ";
const std::string Three = "1-0  2-2  0-3  0-0  0-3  2-2  ";
const std::string Two = "1-0  2-2  3-0  0-0  0-3  2-2  ";
const std::string None = "0-1  0-0  3-0  0-0  0-3  3-3  ";

TEST(ResultCheck, EachLineCountsOnceInTheColumnOfItsHits) {
    const Lines lines = {Exact, None, Four, Two, Four, Four, Five, Three, Exact, "9-9  2-2  0-3  1-1  3-0  0-0  "};
    const ResultCheck check = CheckResults(Results, lines);
    ASSERT_TRUE(check.ok) << check.message;
    EXPECT_EQ(check.ForHits(6).count, 2);
    EXPECT_EQ(check.ForHits(6).lista, (Texts{"1", "9"}));
    EXPECT_EQ(check.ForHits(6).kupon, (Texts{"1.1", "2.4"}));
    EXPECT_EQ(check.ForHits(5).lista, (Texts{"7", "10"}));  // a digit 9 is no hit
    EXPECT_EQ(check.ForHits(5).kupon, (Texts{"2.2", "2.5"}));
    EXPECT_EQ(check.ForHits(4).count, 3);
    EXPECT_EQ(check.ForHits(4).lista, (Texts{"3", "5", "6"}));
    EXPECT_EQ(check.ForHits(4).kupon, (Texts{"1.3", "1.5", "2.1"}));
    EXPECT_EQ(check.ForHits(3).lista, (Texts{"8"}));
    EXPECT_EQ(check.ForHits(3).kupon, (Texts{"2.3"}));
    EXPECT_TRUE(check.sound);
}

TEST(ResultCheck, NoSixNoSoundAndAnEmptyListCountsNothing) {
    const ResultCheck some = CheckResults(Results, {Five, Two});
    ASSERT_TRUE(some.ok);
    EXPECT_FALSE(some.sound);
    const ResultCheck empty = CheckResults(Results, {});
    ASSERT_TRUE(empty.ok);
    for (int h = 6; h >= 3; --h) {
        EXPECT_EQ(empty.ForHits(h).count, 0);
        EXPECT_TRUE(empty.ForHits(h).lista.empty());
    }
    EXPECT_FALSE(empty.sound);
}

TEST(ResultCheck, EditsAreCheckedInOrderBeforeAnyLine) {
    const std::string empty = "Wprowadź najpierw wszystkie wyniki !";
    const std::string tooMany = "Liczba bramek w każdej pozycji nie może przekraczać trzech  !";
    struct Case {
        int edit;
        std::string text;
        int laterEdit;  // -1: none changed
        std::string laterText;
        std::string message;
    } cases[] = {
        {0, "", -1, "", empty},
        {11, " ", -1, "", empty},
        {3, "4", 7, "", empty},        // a goal above 3 waits until every edit is filled
        {3, "4", -1, "", tooMany},
        {11, "9", -1, "", tooMany},
        {5, " 3 ", -1, "", ""},       // blanks around a digit are fine
        {2, "x", 4, "", "'x' is not a valid integer value"},  // read in order: the conversion comes first
        {2, "5", 4, "y", "'y' is not a valid integer value"},
        {0, "-1", -1, "", tooMany},
    };
    for (const Case& c : cases) {
        Edits edits = Results;
        edits[static_cast<std::size_t>(c.edit)] = c.text;
        if (c.laterEdit >= 0) edits[static_cast<std::size_t>(c.laterEdit)] = c.laterText;
        // A bad line would give its own message: the edits must stop the check first.
        const ResultCheck check = CheckResults(edits, {Exact, "bad"});
        if (c.message.empty()) {
            EXPECT_EQ(check.message, "'b' is not a valid integer value");
        } else {
            EXPECT_FALSE(check.ok);
            EXPECT_FALSE(check.badLine);
            EXPECT_EQ(check.message, c.message) << c.edit << " '" << c.text << "'";
        }
    }
}

TEST(ResultCheck, BadLineAnywhereGivesOnlyTheConversionMessage) {
    const std::pair<std::string, std::string> cases[] = {
        {"", "'' is not a valid integer value"},
        {"1-0  2-2  0-3  1-1  3-0  0-", "'' is not a valid integer value"},
        {"1-0  2-2  0-3  1-1  3-0  0-x  ", "'x' is not a valid integer value"},
        {std::string(1 << 20, ' '), "' ' is not a valid integer value"},
    };
    for (const auto& [bad, message] : cases) {
        // The earlier lines have hits, but a check that stops must not hand any of them back.
        const ResultCheck check = CheckResults(Results, {Exact, Four, bad, Five});
        EXPECT_FALSE(check.ok);
        EXPECT_TRUE(check.badLine);
        EXPECT_EQ(check.message, message);
        EXPECT_FALSE(check.sound);
        for (int h = 6; h >= 3; --h) EXPECT_TRUE(check.ForHits(h).lista.empty());
    }
}

}  // namespace
}  // namespace kombinator
