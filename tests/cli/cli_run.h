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

CliOutcome RunCli(const std::vector<std::string>& args);

// Whole file as bytes; "<missing>" when it cannot be read.
std::string FileBytes(const std::string& path);

}  // namespace kombinator::test
