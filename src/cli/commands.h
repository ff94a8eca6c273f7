#pragma once
// The commands of kombinator-cli. Each gets the arguments from its own name on:
// argv[0] is the command name ("count"), argv[1..argc-1] its arguments. It returns the
// process exit code (see cli_common.h) and answers --help itself.

namespace kombinator {

// count PROFILE [--candidates FILE]
int RunCountCommand(int argc, char** argv);

}  // namespace kombinator
