// kombinator-cli against hostile and unlucky files: pipes, devices, links, huge or binary files,
// permissions, full disks, killed saves and out-of-range numbers. Whole-process runs.
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "cli_run.h"
#include "io/file_util.h"

namespace kombinator::test {
namespace {

namespace fs = std::filesystem;

const std::string Examples = std::string(KOMBINATOR_EXAMPLES) + "/";
const std::string Draws = Examples + "two-draws-per-position.kfp";  // 64 candidates

CliRunOptions Timeout(int seconds) {
    CliRunOptions options;
    options.timeoutSeconds = seconds;
    return options;
}

class HostileFiles : public ::testing::Test {
protected:
    void SetUp() override {
        dir_ = fs::temp_directory_path() / ("kombinator-hostile-" + std::to_string(::getpid()));
        fs::remove_all(dir_);
        fs::create_directories(dir_);
    }
    void TearDown() override { fs::remove_all(dir_); }
    std::string PathOf(const std::string& name) const { return (dir_ / name).string(); }
    std::string Write(const std::string& name, std::string_view bytes) const {
        const fs::path path = dir_ / name;
        fs::create_directories(path.parent_path());
        std::ofstream(path, std::ios::binary).write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
        return path.string();
    }
    // Seven valid offset files in DIR/offsets; returns the folder.
    std::string Offsets() const {
        for (const char* name : {"PX1", "X1X2", "PY1", "Y1Y2", "PYK", "PYZ", "PNR"})
            Write(std::string("offsets/") + name + ".txt", "10\r\n");
        return PathOf("offsets");
    }
    fs::path dir_;
};

// 1, 2, 3: an offset file that is a pipe, an endless device, a huge sparse file, binary or
// missing ends the loading at once with a message naming the file and showing its text escaped.
TEST_F(HostileFiles, OffsetFilesThatCannotBeReadEndTheLoadingAtOnceAndAreNamed) {
    const std::string offsets = Offsets();
    const std::string px1 = offsets + "/PX1.txt";
    const std::string zeros512 = [] {
        std::string s;
        for (int i = 0; i < 512; ++i) s += "\\x00";
        return s;
    }();
    struct Case {
        const char* what;
        void (*make)(const std::string& path);
        std::string err;
    };
    const Case cases[] = {
        {"a named pipe", [](const std::string& p) { ASSERT_EQ(::mkfifo(p.c_str(), 0644), 0); }, px1 + ": I/O error 22"},
        {"a link to /dev/zero", [](const std::string& p) { fs::create_symlink("/dev/zero", p); }, px1 + ": I/O error 22"},
        {"a 2 GB sparse file",
         [](const std::string& p) {
             const int fd = ::open(p.c_str(), O_WRONLY | O_CREAT, 0644);
             ASSERT_EQ(::ftruncate(fd, off_t{2} << 30), 0);
             ::close(fd);
         },
         px1 + ": '" + zeros512 + "' is not a valid integer value"},
        {"a NUL byte", [](const std::string& p) { std::ofstream(p, std::ios::binary) << std::string("7\0\r\n", 4); },
         px1 + ": '7\\x00' is not a valid integer value"},
        {"binary bytes", [](const std::string& p) { std::ofstream(p, std::ios::binary) << "\x1b[2J\xff\r\n"; },
         px1 + ": '\\x1b[2J\\xff' is not a valid integer value"},
        {"a folder", [](const std::string& p) { fs::create_directory(p); }, px1 + ": I/O error 21"},
        {"missing", [](const std::string&) {}, px1 + ": File not found"},
    };
    for (const Case& c : cases) {
        fs::remove_all(px1);
        c.make(px1);
        const CliOutcome r = RunCli({"coupons", "--offsets", offsets, "--test"}, Timeout(20));
        EXPECT_EQ(r.exitCode, 2) << c.what;
        EXPECT_EQ(r.err, c.err + "\n") << c.what;
        EXPECT_EQ(r.out, "") << c.what;
    }
}

// 3: a full disk names the file it could not write, for every command that writes.
TEST_F(HostileFiles, AFullDiskNamesTheFileAndFails) {
    const std::string profile = Write("p.kfp", std::string(std::istreambuf_iterator<char>(std::ifstream(Draws).rdbuf()), {}));
    for (const std::vector<std::string>& args :
         {std::vector<std::string>{"count", profile, "--candidates", "/dev/full"},
          {"system", profile, "--guarantee", "6", "--out", "/dev/full"},
          {"simulate", profile, "--count", "5", "--distance", "1", "--seconds", "1", "--seed", "1", "--out", "/dev/full"}}) {
        const CliOutcome r = RunCli(args);
        EXPECT_EQ(r.exitCode, 1) << args[0];
        EXPECT_EQ(r.err, "/dev/full: I/O error 28\n") << args[0];
        EXPECT_EQ(r.out, "") << args[0];
    }
}

// 4: system and simulate refuse to overwrite their own profile, by any name that leads to it.
TEST_F(HostileFiles, OutputThatWouldReplaceTheProfileIsRefused) {
    std::ifstream in(Draws, std::ios::binary);
    const std::string bytes((std::istreambuf_iterator<char>(in)), {});
    const std::string profile = Write("p.kfp", bytes);
    fs::create_hard_link(profile, PathOf("link.kfp"));
    const std::string dotted = (dir_ / "." / "p.kfp").string();
    for (const std::string& out : {profile, dotted, PathOf("link.kfp")}) {
        for (const std::vector<std::string>& args :
             {std::vector<std::string>{"system", profile, "--guarantee", "6", "--out", out},
              {"simulate", profile, "--count", "5", "--distance", "1", "--seconds", "1", "--seed", "1", "--out", out}}) {
            const CliOutcome r = RunCli(args);
            EXPECT_EQ(r.exitCode, 64) << args[0] << " " << out;
            EXPECT_NE(r.err.find("would replace the profile"), std::string::npos) << r.err;
        }
    }
    std::ifstream again(profile, std::ios::binary);
    EXPECT_EQ(std::string((std::istreambuf_iterator<char>(again)), {}), bytes);
}

// 5, 8: the temporary name is short (a 255-byte target name works), hidden and the program's
// own; temporaries left by killed saves of the same target go once a save succeeds, while one
// that a living save holds stays.
TEST_F(HostileFiles, TemporaryNamesAreShortRecognisableAndCleanedUp) {
    const std::string longName = PathOf(std::string(255 - 4, 'n') + ".txt");
    const CliOutcome longRun = RunCli({"count", Draws, "--candidates", longName});
    EXPECT_EQ(longRun.exitCode, 0) << longRun.err;
    EXPECT_EQ(fs::file_size(longName), 64u * 32u);

    const std::string target = PathOf("c.txt");
    const std::string prefix = TemporaryPrefix("c.txt");
    EXPECT_EQ(prefix.rfind(".kombinator-", 0), 0u);
    EXPECT_LE(prefix.size() + 6, 32u);
    const std::string stale1 = Write(prefix + "AbC123", "partial"), stale2 = Write(prefix + "zz9xQ0", "");
    const std::string otherTarget = Write(TemporaryPrefix("d.txt") + "AbC123", "another target's");
    const std::string living = Write(prefix + "LiVe00", "being written");
    const int held = ::open(living.c_str(), O_RDONLY);
    ASSERT_EQ(::flock(held, LOCK_EX), 0);
    const CliOutcome r = RunCli({"count", Draws, "--candidates", target});
    ::close(held);
    EXPECT_EQ(r.exitCode, 0) << r.err;
    EXPECT_FALSE(fs::exists(stale1));
    EXPECT_FALSE(fs::exists(stale2));
    EXPECT_TRUE(fs::exists(otherTarget));
    EXPECT_TRUE(fs::exists(living));
}

// 6: a FIFO or a device is written through as a stream and stays what it is; a symlink is
// followed and its target replaced, the link kept.
TEST_F(HostileFiles, SpecialTargetsAreWrittenThroughAndLinksFollowed) {
    const CliOutcome devNull = RunCli({"count", Draws, "--candidates", "/dev/null"});
    EXPECT_EQ(devNull.exitCode, 0) << devNull.err;
    EXPECT_TRUE(fs::is_character_file("/dev/null"));

    const CliOutcome toStdout = RunCli({"count", Draws, "--candidates", "/dev/stdout"});
    EXPECT_EQ(toStdout.exitCode, 0) << toStdout.err;
    ASSERT_EQ(toStdout.out.size(), 64u * 32u + std::string("CandidateCount: 64\n").size());
    EXPECT_EQ(toStdout.out.substr(0, 32), "0-0  0-0  0-0  0-0  0-0  0-0  \r\n");
    EXPECT_EQ(toStdout.out.substr(64 * 32), "CandidateCount: 64\n");

    const std::string fifo = PathOf("pipe");
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0644), 0);
    const int reader = ::open(fifo.c_str(), O_RDONLY | O_NONBLOCK);
    ASSERT_GE(reader, 0);
    const CliOutcome piped = RunCli({"count", Draws, "--candidates", fifo}, Timeout(20));
    EXPECT_EQ(piped.exitCode, 0) << piped.err;
    std::string received(64 * 32 + 1, '\0');
    EXPECT_EQ(::read(reader, received.data(), received.size()), 64 * 32);
    ::close(reader);
    EXPECT_TRUE(fs::is_fifo(fifo));

    const std::string real = Write("real/target.txt", "old");
    fs::create_symlink("real/target.txt", PathOf("link.txt"));
    const CliOutcome linked = RunCli({"count", Draws, "--candidates", PathOf("link.txt")});
    EXPECT_EQ(linked.exitCode, 0) << linked.err;
    EXPECT_TRUE(fs::is_symlink(PathOf("link.txt")));
    EXPECT_EQ(fs::file_size(real), 64u * 32u);
}

// 7: the target keeps its mode; a read-only target is refused and left as it was, even for root.
TEST_F(HostileFiles, TargetsKeepTheirModeAndReadOnlyOnesAreRefused) {
    const std::string secret = Write("private.txt", "old");
    fs::permissions(secret, fs::perms::owner_read | fs::perms::owner_write);
    const CliOutcome kept = RunCli({"count", Draws, "--candidates", secret});
    EXPECT_EQ(kept.exitCode, 0) << kept.err;
    EXPECT_EQ(fs::status(secret).permissions() & fs::perms::all, fs::perms::owner_read | fs::perms::owner_write);
    EXPECT_EQ(fs::file_size(secret), 64u * 32u);

    const std::string readOnly = Write("read-only.txt", "keep me");
    fs::permissions(readOnly, fs::perms::owner_read | fs::perms::group_read | fs::perms::others_read);
    const CliOutcome refused = RunCli({"count", Draws, "--candidates", readOnly});
    EXPECT_EQ(refused.exitCode, 1);
    EXPECT_EQ(refused.err, "Cannot create file " + readOnly + "\n");
    EXPECT_EQ(FileBytes(readOnly), "keep me");
}

// 9: the simulation's count and time limit are what their four-digit edits can hold.
TEST_F(HostileFiles, SimulateNumbersOutsideTheEditsAreBadArguments) {
    const std::string out = PathOf("sim.txt");
    for (const auto& [option, value] : std::vector<std::pair<std::string, std::string>>{
             {"--seconds", "2147483647"}, {"--count", "-1"}, {"--seconds", "-5"}, {"--count", "0"},
             {"--seconds", "10000"}, {"--count", "5x"}}) {
        std::vector<std::string> args = {"simulate", Draws, "--count", "5", "--distance", "1", "--seconds", "1",
                                         "--seed", "1", "--out", out};
        for (std::size_t i = 0; i + 1 < args.size(); ++i)
            if (args[i] == option) args[i + 1] = value;
        const CliOutcome r = RunCli(args, Timeout(30));
        EXPECT_EQ(r.exitCode, 64) << option << " " << value;
        EXPECT_NE(r.err.find(option + " must be 1..9999"), std::string::npos) << r.err;
        EXPECT_FALSE(fs::exists(out));
    }
    const CliOutcome edge = RunCli({"simulate", Draws, "--count", "9999", "--distance", "1", "--seconds", " 1",
                                    "--seed", "1", "--out", out});
    EXPECT_EQ(edge.exitCode, 0) << edge.err;
}

// 10: help that cannot be written is a failure like any other output.
TEST_F(HostileFiles, HelpToAFullDiskFails) {
    for (const std::vector<std::string>& args : {std::vector<std::string>{"--help"}, {"count", "--help"}, {"system", "--help"}}) {
        const CliOutcome r = RunCli(args, {.stdoutPath = "/dev/full"});
        EXPECT_EQ(r.exitCode, 1) << args[0];
        EXPECT_EQ(r.err, "kombinator-cli: cannot write the standard output\n") << args[0];
    }
}

}  // namespace
}  // namespace kombinator::test
