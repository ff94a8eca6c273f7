// Random bytes through every reader of user text: each gives its documented answer or message,
// never a fault (this runs under the sanitizers too).
#include <algorithm>
#include <random>

#include <gtest/gtest.h>

#include "generator/result_check.h"
#include "io/system_line.h"
#include "io/coupon_pages.h"
#include "io/offset_files.h"
#include "io/system_file.h"

namespace kombinator {
namespace {

// Bytes biased towards the ones the readers look at: digits, '-', blanks, line ends, NUL, 26.
std::string RandomBytes(std::mt19937& random, std::size_t size) {
    static const char interesting[] = "0123456789-+  \r\n\x1a\xff";
    std::string bytes(size, '\0');
    for (char& b : bytes) {
        const auto r = static_cast<unsigned>(random());
        b = (r & 3) == 0 ? static_cast<char>(r >> 8) : interesting[(r >> 8) % (sizeof interesting)];
    }
    return bytes;
}

bool IsConversionMessage(const std::string& message) {
    const std::string_view suffix = "' is not a valid integer value";
    return message.size() >= suffix.size() + 1 && message.front() == '\'' && std::string_view(message).ends_with(suffix);
}

TEST(MalformedInput, SystemTextSplitsIntoLinesThatSurviveARoundTrip) {
    std::mt19937 random(1);
    for (int i = 0; i < 2000; ++i) {
        const std::string bytes = RandomBytes(random, random() % 300);
        const std::vector<std::string> lines = SplitSystemText(bytes);
        for (const std::string& line : lines) ASSERT_EQ(line.find_first_of(std::string("\r\n\0", 3)), std::string::npos);
        // Saving what was read and reading it again gives the same list.
        EXPECT_EQ(SplitSystemText(SystemFileText(lines)), lines);
    }
}

TEST(MalformedInput, LinesChecksAndPrintsGiveAResultOrTheConversionMessage) {
    std::mt19937 random(2);
    const std::array<std::string, ResultEditCount> results = {"1", "0", "2", "2", "0", "3", "1", "1", "3", "0", "0", "0"};
    const PrintSettings settings{100, 50, 200, 30, 10, 40, 77};
    for (int i = 0; i < 2000; ++i) {
        const std::vector<std::string> lines = SplitSystemText(RandomBytes(random, random() % 400));
        const bool allRead = std::all_of(lines.begin(), lines.end(),
                                         [](const std::string& l) { return ReadSystemLineDigits(l).ok; });
        const ResultCheck check = CheckResults(results, lines);
        EXPECT_EQ(check.ok, allRead);
        if (!check.ok) {
            EXPECT_TRUE(IsConversionMessage(check.message)) << check.message;
        }
        const CouponPages pages = BuildCouponPages(lines, "1", std::to_string(std::max(1, BlanksNeeded(static_cast<std::int64_t>(lines.size())))), 0, settings);
        if (lines.empty()) {
            EXPECT_EQ(pages.message, "Górny zakres poza dopuszczalnym limitem !");
        } else {
            EXPECT_EQ(pages.ok, allRead);
            if (pages.ok) {
                EXPECT_EQ(pages.pages.size(), static_cast<std::size_t>(BlanksNeeded(static_cast<std::int64_t>(lines.size()))));
            }
        }
    }
}

}  // namespace
}  // namespace kombinator
