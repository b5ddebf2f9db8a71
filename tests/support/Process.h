// Running commands, python scripts and child processes from tests.
#pragma once
#include <string>
#include <vector>

#include "support/Peers.h"  // MutagenFacts, kTagWithMutagen and the other peers' readings

namespace support {

// Runs a shell command, collecting its standard output; the exit status, or -1 when it could not start.
int RunCommand(const std::string& command, std::string& output);

bool CommandSucceeds(const std::string& command);

// Ends a child process at once (SIGKILL) and waits for its end.
void KillAndReap(int pid);

// A text quoted for the shell, safe for any bytes but NUL.
std::string ShellQuote(const std::string& text);

// The Debian python3 (which has python3-mutagen), not a python3 earlier in PATH.
inline std::string SystemPython() { return "/usr/bin/python3"; }

// A python script's standard output; one that does not run or exits with a status other than 0 fails the test.
std::string RunPython(const std::string& script, const std::vector<std::string>& arguments = {});

}  // namespace support
