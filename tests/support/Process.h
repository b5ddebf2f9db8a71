// Running commands, python scripts and child processes from tests.
#pragma once
#include <string>
#include <vector>

#include "support/Peers.h"  // MutagenFacts, kTagWithMutagen and the other peers' readings

namespace support {

// Runs a shell command, collecting its standard output; the exit status, or -1 when the
// command could not be started.
int RunCommand(const std::string& command, std::string& output);

// Whether a command line exits with status 0 (its output discarded).
bool CommandSucceeds(const std::string& command);

// Ends a child process at once (SIGKILL, no chance to clean up) and waits for its end.
void KillAndReap(int pid);

// A text quoted for the shell, safe for any bytes but NUL.
std::string ShellQuote(const std::string& text);

// The Debian python3 (which has python3-mutagen), not a python3 earlier in PATH.
inline std::string SystemPython() { return "/usr/bin/python3"; }

// Runs a python script with SystemPython() on these arguments; its standard output. A
// script that does not run or exits with a status other than 0 is a test failure.
std::string RunPython(const std::string& script, const std::vector<std::string>& arguments = {});

}  // namespace support
