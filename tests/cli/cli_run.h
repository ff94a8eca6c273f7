#pragma once
// Runs kombinator-cli as a whole process and collects what it printed and how it ended.

#include <string>
#include <vector>

namespace kombinator::test {

struct CliOutcome {
    int exitCode = -1;  // -1 when the process did not exit normally (a crash)
    std::string out;
    std::string err;
};

struct CliRunOptions {
    std::string stdoutPath;  // where standard output goes instead of a captured file ("/dev/full")
    int timeoutSeconds = 120;  // a run still going after this is killed and counts as a crash
};

CliOutcome RunCli(const std::vector<std::string>& args, const CliRunOptions& options = {});

// Whole file as bytes; "<missing>" when it cannot be read.
std::string FileBytes(const std::string& path);

}  // namespace kombinator::test
