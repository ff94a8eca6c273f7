#include "io/results_archive.h"

#include <filesystem>
#include <fstream>
#include <sstream>
#include <unistd.h>

#include <gtest/gtest.h>

#include "io/system_line.h"

namespace kombinator {
namespace {

namespace fs = std::filesystem;

Combination Round(std::uint32_t n) { return CombinationFromCanonical(n * 2654435761u % CombinationCount); }

class ResultsArchiveFile : public ::testing::Test {
protected:
    void SetUp() override {
        dir_ = fs::temp_directory_path() / ("kombinator-archive-" + std::to_string(::getpid()));
        fs::create_directories(dir_);
        path_ = (dir_ / "archiwum.txt").string();
    }
    void TearDown() override { fs::remove_all(dir_); }
    void WriteBytes(std::string_view bytes) const {
        std::ofstream(path_, std::ios::binary).write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    }
    std::string Bytes() const {
        std::ifstream in(path_, std::ios::binary);
        std::stringstream s;
        s << in.rdbuf();
        return s.str();
    }
    fs::path dir_;
    std::string path_;
};

TEST_F(ResultsArchiveFile, AppendCreatesTheFileAddsRoundsAndRefusesTheSameRoundTwiceInARow) {
    ASSERT_FALSE(fs::exists(path_));
    ArchiveAppendResult r = AppendToResultsArchive(path_, Round(1));
    EXPECT_EQ(r.outcome, ArchiveAppend::Appended);
    EXPECT_EQ(r.rounds, 1);
    EXPECT_EQ(Bytes(), FormatSystemLine(Round(1)) + "\r\n");

    r = AppendToResultsArchive(path_, Round(1));
    EXPECT_EQ(r.outcome, ArchiveAppend::SameRound);
    EXPECT_EQ(r.rounds, 1);
    EXPECT_EQ(Bytes(), FormatSystemLine(Round(1)) + "\r\n");

    EXPECT_EQ(AppendToResultsArchive(path_, Round(2)).outcome, ArchiveAppend::Appended);
    // The same results as an older round, not the last one, are a new round.
    r = AppendToResultsArchive(path_, Round(1));
    EXPECT_EQ(r.outcome, ArchiveAppend::Appended);
    EXPECT_EQ(r.rounds, 3);
    const ResultsArchive archive = ReadResultsArchive(path_);
    ASSERT_TRUE(archive.ok) << archive.error;
    EXPECT_EQ(archive.outcomes, (std::vector<Combination>{Round(1), Round(2), Round(1)}));
}

TEST_F(ResultsArchiveFile, AppendKeepsThePlayersLinesAsWritten) {
    // Typed in an editor: LF line ends, no end after the last line, extra text after the digits.
    WriteBytes("1-0  2-2  0-3  1-1  3-0  0-0  kolejka 12\n0-0  1-1  2-2  3-3  0-1  1-0");
    ASSERT_EQ(AppendToResultsArchive(path_, Round(7)).outcome, ArchiveAppend::Appended);
    EXPECT_EQ(Bytes(), "1-0  2-2  0-3  1-1  3-0  0-0  kolejka 12\r\n0-0  1-1  2-2  3-3  0-1  1-0\r\n" +
                           FormatSystemLine(Round(7)) + "\r\n");
}

TEST_F(ResultsArchiveFile, ABadLineIsReportedWithItsNumberAndNothingIsAppended) {
    const std::string good = FormatSystemLine(Round(3));
    const struct {
        std::string badLine;
        std::string message;
    } cases[] = {
        {"1-0  2-2  0-3  1-1  3-0  0-", "'' is not a valid integer value"},
        {"1-0  2-x  0-3  1-1  3-0  0-0  ", "'x' is not a valid integer value"},
        {"", "'' is not a valid integer value"},
        {"1-0  2-2  0-3  1-4  3-0  0-0  ", "Liczba bramek w każdej pozycji nie może przekraczać trzech  !"},
    };
    for (const auto& c : cases) {
        const std::string bytes = good + "\r\n" + c.badLine + "\r\n" + good + "\r\n";
        WriteBytes(bytes);
        const ResultsArchive archive = ReadResultsArchive(path_);
        EXPECT_FALSE(archive.ok);
        EXPECT_EQ(archive.badLine, 2) << c.badLine;
        EXPECT_EQ(archive.error, c.message);
        EXPECT_TRUE(archive.outcomes.empty());

        const ArchiveAppendResult r = AppendToResultsArchive(path_, Round(4));
        EXPECT_EQ(r.outcome, ArchiveAppend::Failed);
        EXPECT_EQ(r.badLine, 2);
        EXPECT_EQ(r.error, c.message);
        EXPECT_EQ(Bytes(), bytes);
    }
}

TEST_F(ResultsArchiveFile, AMissingArchiveCannotBeReadAndAnUnwritableOneIsLeftAlone) {
    const ResultsArchive missing = ReadResultsArchive(path_);
    EXPECT_FALSE(missing.ok);
    EXPECT_EQ(missing.error, "Cannot open file " + path_);
    EXPECT_EQ(missing.badLine, 0);

    const std::string inMissingFolder = (dir_ / "brak" / "archiwum.txt").string();
    const ArchiveAppendResult r = AppendToResultsArchive(inMissingFolder, Round(5));
    EXPECT_EQ(r.outcome, ArchiveAppend::Failed);
    EXPECT_FALSE(r.error.empty());
    EXPECT_FALSE(fs::exists(inMissingFolder));
}

}  // namespace
}  // namespace kombinator
