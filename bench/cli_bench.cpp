// kombinator-cli as a whole process: start, read the profile, run the filters, print, exit.
#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>

#include <cerrno>
#include <cstdio>
#include <string>

#include "bench_util.h"

extern char** environ;

namespace {

// Runs the command with its output thrown away; false when it did not exit with 0.
bool RunQuietly(std::string program, std::string command, std::string profile) {
    char* argv[] = {program.data(), command.data(), profile.data(), nullptr};
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", O_WRONLY, 0);
    pid_t pid = 0;
    const int spawned = posix_spawn(&pid, argv[0], &actions, nullptr, argv, environ);
    posix_spawn_file_actions_destroy(&actions);
    if (spawned != 0) return false;
    int status = 0;
    while (::waitpid(pid, &status, 0) < 0 && errno == EINTR) {
    }
    return WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

}  // namespace

void RunCliBenchmarks() {
    const std::string profile = std::string(KOMBINATOR_EXAMPLES) + "/every-family.kfp";
    bool ok = true;
    const double ms = kombinator::bench::MedianMs([&] { ok = RunQuietly(KOMBINATOR_CLI, "count", profile) && ok; }, 15);
    if (!ok) {
        std::printf("cli-count-every-family failed: %s count %s\n", KOMBINATOR_CLI, profile.c_str());
        return;
    }
    std::printf("cli-count-every-family process_ms=%.3f\n", ms);
    std::fflush(stdout);
}
