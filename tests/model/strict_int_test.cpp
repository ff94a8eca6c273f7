#include "model/strict_int.h"

#include <gtest/gtest.h>

#include "model/runtime_errors.h"

namespace kombinator {
namespace {

TEST(StrictInt, AcceptsBlanksSignAndDigitsOnly) {
    struct Case { const char* text; std::optional<std::int32_t> value; };
    const Case cases[] = {
        {"0", 0}, {"42", 42}, {"  7", 7}, {"+5", 5}, {"-12", -12}, {"007", 7},
        {"2147483647", 2147483647}, {"-2147483648", -2147483647 - 1},
        {"", std::nullopt}, {" ", std::nullopt}, {"-", std::nullopt}, {"1 2", std::nullopt},
        {"12 ", std::nullopt}, {"0x10", std::nullopt}, {"$10", std::nullopt}, {"1.5", std::nullopt},
        {"2147483648", std::nullopt}, {"99999999999999999999", std::nullopt}, {"\t1", std::nullopt},
        {"--1", std::nullopt},
    };
    for (const Case& c : cases) EXPECT_EQ(ParseStrictInt(c.text), c.value) << "text '" << c.text << "'";
}

TEST(StrictInt, TrimsOnlySpaces) {
    EXPECT_EQ(TrimBlanks("  12  "), "12");
    EXPECT_EQ(TrimBlanks("    "), "");
    EXPECT_EQ(TrimBlanks("\t1"), "\t1");
}

TEST(RuntimeErrors, TextsAreTheRuntimes) {
    EXPECT_EQ(ConversionErrorMessage("1 2"), "'1 2' is not a valid integer value");
    EXPECT_EQ(CannotOpenFileMessage("a.txt"), "Cannot open file a.txt");
    EXPECT_EQ(CannotCreateFileMessage("b.txt"), "Cannot create file b.txt");
    EXPECT_EQ(IoErrorMessage(2), "I/O error 2");
}

}  // namespace
}  // namespace kombinator
