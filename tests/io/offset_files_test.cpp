#include "io/offset_files.h"

#include <filesystem>
#include <fstream>
#include <unistd.h>

#include <gtest/gtest.h>

namespace kombinator {
namespace {

namespace fs = std::filesystem;
using EditTexts = std::array<std::string, PrintOffsetCount>;

class OffsetFiles : public ::testing::Test {
protected:
    void SetUp() override {
        dir_ = fs::temp_directory_path() / ("kombinator-offsets-" + std::to_string(::getpid()));
        fs::create_directories(dir_);
    }
    void TearDown() override { fs::remove_all(dir_); }
    void Write(int i, std::string_view bytes) const {
        std::ofstream((dir_ / PrintOffsetFileName(i)).string(), std::ios::binary)
            .write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    }
    std::string Read(int i) const {
        std::ifstream in((dir_ / PrintOffsetFileName(i)).string(), std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(in), {});
    }
    fs::path dir_;
};

const PrintSettings Sample{120, 50, 300, 40, 15, 60, 100};

TEST_F(OffsetFiles, SavedOffsetsAreDecimalWithCrLfAndLoadBack) {
    ASSERT_TRUE(SavePrintSettings(dir_.string(), Sample).ok);
    EXPECT_EQ(Read(0), "120\r\n");
    EXPECT_EQ(Read(1), "50\r\n");
    EXPECT_EQ(Read(6), "100\r\n");
    const PrintSettingsLoad load = LoadPrintSettings(dir_.string());
    ASSERT_TRUE(load.ok) << load.error;
    EXPECT_EQ(load.loaded, 7);
    EXPECT_EQ(load.settings, Sample);
    EXPECT_EQ(load.editTexts[2], "300");
}

TEST(OffsetText, EndsAtTheFirstCrOrByte26) {
    const std::pair<std::string, std::string> cases[] = {
        {"75\r\n", "75"}, {"75", "75"}, {"75\x1a" "99", "75"}, {"75\n", "75\n"}, {"\r75", ""}, {"7\n5\r", "7\n5"},
    };
    for (const auto& [bytes, text] : cases) EXPECT_EQ(PrintOffsetText(bytes), text);
}

TEST_F(OffsetFiles, LoadingStopsAtTheFirstFaultAndLeavesTheLaterOffsetsUnset) {
    struct Case {
        std::string pyl;  // the content of PY1.txt, the third file
        bool ok;
        std::string error;
        std::int32_t value;
    } cases[] = {
        {" 75\r\n", true, "", 75},
        {"-75\r\nrest", true, "", -75},
        {"+0", true, "", 0},
        {"75 \r\n", false, "'75 ' is not a valid integer value", 0},
        {"75\n", false, "'75\n' is not a valid integer value", 0},
        {"", false, "'' is not a valid integer value", 0},
        {"2147483648\r\n", false, "'2147483648' is not a valid integer value", 0},
        {std::string("7\0" "5", 3), false, std::string("'7\0" "5' is not a valid integer value", 34), 0},
    };
    for (const Case& c : cases) {
        for (int i = 0; i < PrintOffsetCount; ++i) Write(i, i == 2 ? c.pyl : "10\r\n");
        const PrintSettingsLoad load = LoadPrintSettings(dir_.string());
        EXPECT_EQ(load.ok, c.ok) << c.pyl;
        EXPECT_EQ(load.error, c.error) << c.pyl;
        if (c.ok) {
            EXPECT_EQ(load.settings.PY1, c.value);
            EXPECT_EQ(load.loaded, 7);
        } else {
            EXPECT_EQ(load.loaded, 2);
            // The failing file's text still reaches its edit; the later edits stay blank.
            EXPECT_EQ(load.editTexts[2], PrintOffsetText(c.pyl));
            EXPECT_FALSE(load.editTexts[3].has_value());
            EXPECT_EQ(load.settings.Y1Y2, 0);
        }
    }
}

TEST_F(OffsetFiles, MissingOrUnreadableFileStopsLoading) {
    for (int i = 0; i < PrintOffsetCount; ++i) Write(i, "10\r\n");
    fs::remove(dir_ / "Y1Y2.txt");
    PrintSettingsLoad load = LoadPrintSettings(dir_.string());
    EXPECT_FALSE(load.ok);
    EXPECT_EQ(load.error, "File not found");
    EXPECT_EQ(load.loaded, 3);
    EXPECT_FALSE(load.editTexts[3].has_value());

    fs::create_directory(dir_ / "Y1Y2.txt");
    load = LoadPrintSettings(dir_.string());
    EXPECT_FALSE(load.ok);
    EXPECT_EQ(load.error.rfind("I/O error ", 0), 0u) << load.error;
    EXPECT_EQ(load.loaded, 3);

    EXPECT_EQ(LoadPrintSettings((dir_ / "none").string()).error, "File not found");
}

TEST_F(OffsetFiles, HugeFileReadsOnlyItsFirstLine) {
    std::string huge = "42\r\n";
    huge.append(100u << 20, 'x');
    for (int i = 0; i < PrintOffsetCount; ++i) Write(i, i == 0 ? huge : "1\r\n");
    const PrintSettingsLoad load = LoadPrintSettings(dir_.string());
    ASSERT_TRUE(load.ok) << load.error;
    EXPECT_EQ(load.settings.PX1, 42);
}

TEST(ReadPrintSettings, FirstEmptyEditIsReportedInOrder) {
    const EditTexts all = {"120", " 50 ", "300", "40", "15", "60", "0"};
    const PrintSettingsRead ok = ReadPrintSettings(all);
    ASSERT_TRUE(ok.ok);
    EXPECT_EQ(ok.settings, (PrintSettings{120, 50, 300, 40, 15, 60, 0}));

    for (int i = 0; i < PrintOffsetCount; ++i) {
        EditTexts texts = all;
        texts[static_cast<std::size_t>(i)] = "    ";
        for (int later = i + 1; later < PrintOffsetCount; ++later) texts[static_cast<std::size_t>(later)] = "x";
        const PrintSettingsRead read = ReadPrintSettings(texts);
        EXPECT_FALSE(read.ok);
        EXPECT_EQ(read.message, "Nie ustalona pozycja wydruku: " + std::string(PrintOffsetNames[static_cast<std::size_t>(i)]) + " !");
    }

    EditTexts blanksBetween = all;
    blanksBetween[1] = " 1 2 ";
    blanksBetween[2] = "";
    EXPECT_EQ(ReadPrintSettings(blanksBetween).message, "'1 2' is not a valid integer value");
}

TEST_F(OffsetFiles, FailedSaveStopsAtThatFile) {
    for (int i = 0; i < PrintOffsetCount; ++i) Write(i, "1\r\n");
    fs::remove(dir_ / "PYK.txt");
    fs::create_directory(dir_ / "PYK.txt");
    const FileResult saved = SavePrintSettings(dir_.string(), Sample);
    EXPECT_FALSE(saved.ok);
    EXPECT_NE(saved.error.find("PYK.txt"), std::string::npos);
    EXPECT_EQ(Read(3), "40\r\n");  // written before the fault
    EXPECT_EQ(Read(5), "1\r\n");   // not reached
}

TEST(BlanksNeeded, FiveLinesToACouponRoundedUp) {
    const std::pair<int, int> cases[] = {{0, 0}, {1, 1}, {5, 1}, {6, 2}, {10, 2}, {11, 3}, {30000, 6000}};
    for (auto [lines, blanks] : cases) EXPECT_EQ(BlanksNeeded(lines), blanks) << lines;
}

}  // namespace
}  // namespace kombinator
