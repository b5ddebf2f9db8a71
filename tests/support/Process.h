// Running peer programs (mutagen through python3, ffprobe) and child processes from tests.
#pragma once
#include <map>
#include <string>
#include <vector>

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

// mutagen's view of a file, one entry a fact: "version" ("2.3"); each ID3v2 frame under
// mutagen's key ("TIT2", "COMM:desc:lang", "APIC:desc") with its text, a comment or lyrics as
// "lang|desc|text", a picture as "mime type desc", a URL as its address, other frames as
// their data; the ID3v1 block's frames as "v1.TIT2" ... (a genre by its name); "bitrate"
// (kbit/s) and "rate" of the audio. Texts in UTF-8.
std::map<std::string, std::string> MutagenFacts(const std::string& path);

// A python script that tags the file argv[1] as mutagen does, with frames of many kinds
// (texts, two comments, lyrics, a URL, user texts, private data, two pictures): argv[2] is
// the ID3 version (3 or 4), argv[3] the text encoding (0, 1 UTF-16, 3 UTF-8).
extern const char* const kTagWithMutagen;

}  // namespace support
