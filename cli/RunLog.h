// What a command run tells its caller: results go to the output stream, one line per file
// that could not be done to the error stream, and the exit status says how it went.
#pragma once
#include <cstddef>
#include <ostream>
#include <string>

#include "formats/FileIo.h"

namespace cli {

// Exit statuses: every file done, some not, or the command line itself was wrong.
constexpr int ExitDone = 0;
constexpr int ExitSomeFailed = 1;
constexpr int ExitUsage = 2;

// The two streams of a run, and whether the error stream is a terminal (only then is a
// progress line drawn on it: a log file must not fill with carriage returns).
struct CliIo {
  std::ostream& out;
  std::ostream& err;
  bool errIsTerminal = false;
  // The file system the commands work through (tests make a step of it fail).
  formats::FileSystem* fs = &formats::FileSystem::standard();
};

// A path or text on one line: control characters (a newline in a file name) and the
// backslash written as escapes, every other byte as it is.
std::string OneLine(const std::string& text);

// Counts the files of a run, reports the failed ones and draws the progress line.
class RunLog {
 public:
  RunLog(CliIo& io, std::size_t total);
  ~RunLog();
  RunLog(const RunLog&) = delete;
  RunLog& operator=(const RunLog&) = delete;

  // "tonewright-cli: <path>: <reason>" on the error stream.
  void fail(const std::string& path, const std::string& reason);
  // Called before each file; draws the progress line for runs of more than 100 files.
  void step(const std::string& path);
  // ExitDone when no file failed, else ExitSomeFailed.
  int status() const { return failures_ == 0 ? ExitDone : ExitSomeFailed; }
  std::size_t failures() const { return failures_; }

 private:
  void clearProgress();

  CliIo& io_;
  std::size_t total_;
  std::size_t done_ = 0;
  std::size_t failures_ = 0;
  bool progressShown_ = false;
};

// A usage message on the error stream; returns ExitUsage.
int UsageError(CliIo& io, const std::string& message);

}  // namespace cli
