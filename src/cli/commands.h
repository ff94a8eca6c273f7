#pragma once
// The commands of kombinator-cli, listed by main.cpp's table. Each entry names its options;
// main parses them, answers --help and bad arguments, and runs the command with the result.

#include "cli/cli_common.h"

namespace kombinator::cli {

extern const Command CountCommand;     // count PROFILE [--candidates FILE]
extern const Command SystemCommand;    // system PROFILE --guarantee 6|5|4|3 --out FILE
extern const Command SimulateCommand;  // simulate PROFILE --count N --distance 1..4 --seconds T --seed S --out FILE
extern const Command BacktestCommand;  // backtest PROFILE ARCHIVE
extern const Command CheckCommand;     // check SYSTEMFILE R1 .. R6
extern const Command CouponsCommand;   // coupons SYSTEMFILE --offsets DIR --from A --to B [--z 1..4] | --test
extern const Command AnalyseCommand;   // analyse SYSTEMFILE (--candidates FILE | --profile PROFILE | --all) [--guarantee L [--holes FILE]]

}  // namespace kombinator::cli
