// tonewright-cli: the jobs of Quillmere Tonewright from the command line.
#include <unistd.h>

#include <iostream>

#include "cli/Cli.h"
#include "cli/Signals.h"

int main(int argc, char** argv) {
  // The arguments are passed on as the bytes the system gave, so that any file name works.
  std::vector<std::string> arguments(argv + 1, argv + argc);
  std::ios::sync_with_stdio(false);
  cli::CancelOnSignals();
  cli::CliIo io{std::cout, std::cerr, ::isatty(STDERR_FILENO) == 1};
  const int status = cli::RunCli(arguments, io);
  std::cout.flush();
  return std::cout.good() ? status : cli::ExitSomeFailed;
}
