// Running peer programs (mutagen through python3, ffprobe) from tests.
#pragma once
#include <string>

namespace support {

// Runs a shell command, collecting its standard output; the exit status, or -1 when the
// command could not be started.
int RunCommand(const std::string& command, std::string& output);

// Whether a command line exits with status 0 (its output discarded).
bool CommandSucceeds(const std::string& command);

// A text quoted for the shell, safe for any bytes but NUL.
std::string ShellQuote(const std::string& text);

// The Debian python3 (which has python3-mutagen), not a python3 earlier in PATH.
inline std::string SystemPython() { return "/usr/bin/python3"; }

}  // namespace support
