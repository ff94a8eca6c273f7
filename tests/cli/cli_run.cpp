#include "cli_run.h"

#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <csignal>
#include <cerrno>
#include <chrono>
#include <thread>
#include <filesystem>
#include <fstream>
#include <sstream>

extern char** environ;

namespace kombinator::test {

std::string FileBytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in) return "<missing>";
    std::ostringstream s;
    s << in.rdbuf();
    return s.str();
}

CliOutcome RunCli(const std::vector<std::string>& args, const CliRunOptions& options) {
    namespace fs = std::filesystem;
    static int serial = 0;
    const fs::path base = fs::temp_directory_path() /
                          ("kombinator-cli-run-" + std::to_string(::getpid()) + "-" + std::to_string(++serial));
    const std::string outPath = base.string() + ".out", errPath = base.string() + ".err";

    std::vector<std::string> all = {KOMBINATOR_CLI};
    all.insert(all.end(), args.begin(), args.end());
    std::vector<char*> argv;
    for (std::string& a : all) argv.push_back(a.data());
    argv.push_back(nullptr);

    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    const std::string& stdoutPath = options.stdoutPath.empty() ? outPath : options.stdoutPath;
    posix_spawn_file_actions_addopen(&actions, 1, stdoutPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
    posix_spawn_file_actions_addopen(&actions, 2, errPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
    CliOutcome outcome;
    pid_t pid = 0;
    const int spawned = posix_spawn(&pid, argv[0], &actions, nullptr, argv.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    if (spawned != 0) {
        outcome.err = "cannot start " + all[0];
        return outcome;
    }
    // A run that blocks is a fault to report, not a test that hangs.
    int status = 0;
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(options.timeoutSeconds);
    for (;;) {
        const pid_t done = ::waitpid(pid, &status, WNOHANG);
        if (done == pid || (done < 0 && errno != EINTR)) break;
        if (std::chrono::steady_clock::now() > deadline) {
            ::kill(pid, SIGKILL);
            while (::waitpid(pid, &status, 0) < 0 && errno == EINTR) {
            }
            break;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
    if (WIFEXITED(status)) outcome.exitCode = WEXITSTATUS(status);
    outcome.out = FileBytes(outPath);
    outcome.err = FileBytes(errPath);
    fs::remove(outPath);
    fs::remove(errPath);
    return outcome;
}

}  // namespace kombinator::test
