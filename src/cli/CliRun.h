// vemora-cli's run: the form model driven as a user would drive the window, with the
// options as the user's edits, then OK.
#pragma once

#include <ostream>

#include "cli/CliOptions.h"

// Exit statuses.
constexpr int kExitDone = 0;
constexpr int kExitUsage = 1;        // unusable arguments; no file touched
constexpr int kExitNotWritten = 2;   // OK could not write a file it had to write
constexpr int kExitProgramEnded = 3; // the program ended itself without output

// Runs the load step, the edits, the print and OK. Messages go to `err` as the window would
// show them, questions take the safe answer; the table goes to `out`.
int RunCli(const CliOptions& options, std::ostream& out, std::ostream& err);
