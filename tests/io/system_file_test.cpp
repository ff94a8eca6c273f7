#include "io/system_file.h"

#include <filesystem>
#include <fstream>
#include <unistd.h>

#include <gtest/gtest.h>

#include "io/system_line.h"

namespace kombinator {
namespace {

namespace fs = std::filesystem;
using Lines = std::vector<std::string>;

class SystemFile : public ::testing::Test {
protected:
    void SetUp() override {
        dir_ = fs::temp_directory_path() / ("kombinator-system-file-" + std::to_string(::getpid()));
        fs::create_directories(dir_);
    }
    void TearDown() override { fs::remove_all(dir_); }
    std::string PathOf(const char* name) const { return (dir_ / name).string(); }
    void WriteBytes(const std::string& path, std::string_view bytes) const {
        std::ofstream(path, std::ios::binary).write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    }
    fs::path dir_;
};

TEST_F(SystemFile, SavedSystemIs32BytesALineAndReadsBackTheSame) {
    Lines lines;
    for (std::uint32_t n = 0; n < 1000; ++n) lines.push_back(FormatSystemLine(CombinationFromCanonical(n * 16777u)));
    const std::string path = PathOf("system.txt");
    ASSERT_TRUE(WriteSystemFile(path, lines).ok);
    EXPECT_EQ(fs::file_size(path), 32u * lines.size());
    std::string bytes;
    ASSERT_TRUE(ReadWholeFile(path, bytes).ok);
    EXPECT_EQ(bytes.substr(0, 64), lines[0] + "\r\n" + lines[1] + "\r\n");
    Lines read = {"old"};
    ASSERT_TRUE(ReadSystemFile(path, read).ok);
    EXPECT_EQ(read, lines);
}

TEST(SystemText, LineEndsAndTheNulByte) {
    struct Case {
        std::string bytes;
        Lines lines;
    } cases[] = {
        {"", {}},
        {"a\r\nb\r\n", {"a", "b"}},
        {"a\nb\n", {"a", "b"}},
        {"a\rb\r", {"a", "b"}},
        {"a\r\nb", {"a", "b"}},                       // a last line without an end
        {"a\r\n\r\nb\r\n", {"a", "", "b"}},           // an empty line is kept
        {"\r\n", {""}},
        {"\n\r", {"", ""}},                           // LF then CR are two line ends
        {"a\r\r\nb", {"a", "", "b"}},
        {"  a  \t\r\n", {"  a  \t"}},                 // no trimming
        {std::string("a\r\nb\0c\r\nd", 9), {"a", "b"}},  // a NUL ends the text
        {std::string("\0a\r\n", 4), {}},
        {"a\x1a\xff\r\n", {"a\x1a\xff"}},              // other bytes are text
    };
    for (const Case& c : cases) EXPECT_EQ(SplitSystemText(c.bytes), c.lines) << testing::PrintToString(c.bytes);
}

TEST_F(SystemFile, FailedReadKeepsTheCurrentList) {
    const Lines current = {"1-0  2-2  0-3  1-1  3-0  0-0  "};
    Lines lines = current;
    const FileResult missing = ReadSystemFile(PathOf("missing.txt"), lines);
    EXPECT_FALSE(missing.ok);
    EXPECT_EQ(missing.error, "Cannot open file " + PathOf("missing.txt"));
    const FileResult directory = ReadSystemFile(dir_.string(), lines);
    EXPECT_FALSE(directory.ok);
    EXPECT_EQ(directory.error, "Cannot open file " + dir_.string());
    EXPECT_EQ(lines, current);
}

TEST_F(SystemFile, FailedSaveKeepsThePreviousFile) {
    const std::string path = PathOf("keep.txt");
    ASSERT_TRUE(WriteSystemFile(path, {"a"}).ok);
    const FileResult failed = WriteSystemFile(PathOf("no/folder.txt"), {"b"});
    EXPECT_FALSE(failed.ok);
    EXPECT_EQ(failed.error, "Cannot create file " + PathOf("no/folder.txt"));
    EXPECT_FALSE(WriteSystemFile(dir_.string(), {"b"}).ok);
    Lines read;
    ASSERT_TRUE(ReadSystemFile(path, read).ok);
    EXPECT_EQ(read, Lines{"a"});
}

TEST_F(SystemFile, MalformedFilesReadAsTextWithoutFault) {
    // A 1 MB line, 1-character lines, and binary noise: whatever is not a NUL is kept as text.
    std::string big(1 << 20, '7');
    big += "\r\n1\n2\r3";
    WriteBytes(PathOf("big.txt"), big);
    Lines lines;
    ASSERT_TRUE(ReadSystemFile(PathOf("big.txt"), lines).ok);
    ASSERT_EQ(lines.size(), 4u);
    EXPECT_EQ(lines[0].size(), 1u << 20);
    EXPECT_EQ(lines[3], "3");

    // 100 MB whose text ends at a NUL after two lines.
    std::string hundred = "1-0  2-2  0-3  1-1  3-0  0-0  \r\nx\r\n";
    hundred += '\0';
    hundred.resize(100u << 20, '\n');
    WriteBytes(PathOf("hundred.txt"), hundred);
    ASSERT_TRUE(ReadSystemFile(PathOf("hundred.txt"), lines).ok);
    EXPECT_EQ(lines, (Lines{"1-0  2-2  0-3  1-1  3-0  0-0  ", "x"}));

    std::string noise;
    std::uint32_t seed = 12345;
    for (int i = 0; i < 200000; ++i) {
        seed = seed * 134775813u + 1u;
        noise += static_cast<char>((seed >> 24) | 1u);  // never a NUL
    }
    WriteBytes(PathOf("noise.bin"), noise);
    ASSERT_TRUE(ReadSystemFile(PathOf("noise.bin"), lines).ok);
    std::size_t kept = 0;
    for (const std::string& line : lines) kept += line.size();
    EXPECT_GT(kept, 0u);
    EXPECT_LT(kept, noise.size());
}

}  // namespace
}  // namespace kombinator
