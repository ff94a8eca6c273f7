#pragma once
// The commands of kombinator-cli, dispatched by name from main.cpp. Each gets the arguments
// from its own name on: argv[0] is the command name ("count"), argv[1..argc-1] its
// arguments; it returns the process exit code.

namespace kombinator::cli {

// count PROFILE [--candidates FILE] [--funnel]
int RunCountCommand(int argc, char** argv);
// system PROFILE --guarantee 6|5|4|3 --out FILE
int RunSystemCommand(int argc, char** argv);
// simulate PROFILE --count N --distance 1..4 --seconds T --seed S --out FILE
int RunSimulateCommand(int argc, char** argv);
// backtest PROFILE ARCHIVE
int RunBacktestCommand(int argc, char** argv);
// check SYSTEMFILE R1 .. R6
int RunCheckCommand(int argc, char** argv);
// coupons SYSTEMFILE --offsets DIR --from A --to B [--z 1..4] | coupons --offsets DIR --test
int RunCouponsCommand(int argc, char** argv);
// analyse SYSTEMFILE (--candidates FILE | --profile PROFILE | --all) [--guarantee 6|5|4|3 [--holes FILE]]
int RunAnalyseCommand(int argc, char** argv);

}  // namespace kombinator::cli
