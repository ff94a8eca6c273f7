#include "io/file_util.h"

#include <filesystem>
#include <fstream>

#include <gtest/gtest.h>

namespace kombinator {
namespace {

namespace fs = std::filesystem;

class FileUtil : public ::testing::Test {
protected:
    void SetUp() override {
        dir_ = fs::temp_directory_path() / ("kombinator-file-util-" + std::to_string(::getpid()));
        fs::create_directories(dir_);
    }
    void TearDown() override { fs::remove_all(dir_); }
    std::string PathOf(const char* name) const { return (dir_ / name).string(); }
    fs::path dir_;
};

TEST_F(FileUtil, WriteThenReadGivesTheSameBytes) {
    const std::string path = PathOf("a.txt");
    std::string bytes("1-0  \r\n\0x", 9);
    ASSERT_TRUE(WriteFileAtomically(path, bytes).ok);
    std::string read;
    ASSERT_TRUE(ReadWholeFile(path, read).ok);
    EXPECT_EQ(read, bytes);
    // Only the target is left in the folder: no temporary file.
    EXPECT_EQ(std::distance(fs::directory_iterator(dir_), fs::directory_iterator()), 1);
}

TEST_F(FileUtil, FailedReadLeavesTheBufferAndNamesTheFile) {
    std::string read = "old";
    const FileResult missing = ReadWholeFile(PathOf("missing.txt"), read);
    EXPECT_FALSE(missing.ok);
    EXPECT_EQ(missing.error, "Cannot open file " + PathOf("missing.txt"));
    const FileResult directory = ReadWholeFile(dir_.string(), read);
    EXPECT_FALSE(directory.ok);
    EXPECT_EQ(directory.error, "Cannot open file " + dir_.string());
    const FileResult device = ReadWholeFile("/dev/zero", read);
    EXPECT_FALSE(device.ok);
    EXPECT_EQ(device.error, "Cannot open file /dev/zero");
    EXPECT_EQ(read, "old");
}

TEST_F(FileUtil, FailedWriteKeepsThePreviousFile) {
    const std::string path = PathOf("keep.txt");
    ASSERT_TRUE(WriteFileAtomically(path, "previous").ok);
    const FileResult intoDirectory = WriteFileAtomically(dir_.string(), "x");
    EXPECT_FALSE(intoDirectory.ok);
    EXPECT_EQ(intoDirectory.error, "Cannot create file " + dir_.string());
    const FileResult noFolder = WriteFileAtomically(PathOf("no/such/folder.txt"), "x");
    EXPECT_FALSE(noFolder.ok);
    EXPECT_EQ(noFolder.error, "Cannot create file " + PathOf("no/such/folder.txt"));
    std::string read;
    ASSERT_TRUE(ReadWholeFile(path, read).ok);
    EXPECT_EQ(read, "previous");
}

// The start folder gone is the runtime's report with the system's number, the same for every
// caller; a folder that is there becomes the current one.
TEST_F(FileUtil, ChangeDirectoryReportsAFolderThatIsGone) {
    const fs::path before = fs::current_path();
    const FileResult gone = ChangeDirectory(PathOf("gone"));
    EXPECT_FALSE(gone.ok);
    EXPECT_EQ(gone.error, "I/O error 2");
    EXPECT_EQ(fs::current_path(), before);

    ASSERT_TRUE(ChangeDirectory(dir_.string()).ok);
    EXPECT_EQ(fs::current_path(), fs::canonical(dir_));
    fs::current_path(before);
}

}  // namespace
}  // namespace kombinator
