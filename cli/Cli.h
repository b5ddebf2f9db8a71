// The command line of tonewright-cli: parsing, help texts, and the run of one command.
#pragma once
#include <string>
#include <vector>

#include "cli/RunLog.h"

namespace cli {

// Runs the command line `arguments` (the program's arguments without its own name, as
// the bytes the system handed over) and returns the exit status. Nothing is ever asked:
// a run reads no input.
int RunCli(const std::vector<std::string>& arguments, CliIo& io);

}  // namespace cli
