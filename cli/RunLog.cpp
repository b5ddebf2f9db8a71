#include "cli/RunLog.h"

#include <algorithm>
#include <cstdio>

namespace cli {

namespace {

// Runs of up to this many files finish before a progress line would help.
constexpr std::size_t ProgressThreshold = 100;

}  // namespace

std::string OneLine(const std::string& text) {
  // Most texts need no escape: they are taken as they are.
  const bool plain = std::all_of(text.begin(), text.end(), [](char c) {
    const auto byte = static_cast<unsigned char>(c);
    return c != '\\' && byte >= 0x20 && byte != 0x7F;
  });
  if (plain) return text;
  std::string line;
  line.reserve(text.size());
  for (char c : text) {
    const auto byte = static_cast<unsigned char>(c);
    if (c == '\\') {
      line += "\\\\";
    } else if (c == '\n') {
      line += "\\n";
    } else if (c == '\t') {
      line += "\\t";
    } else if (c == '\r') {
      line += "\\r";
    } else if (byte < 0x20 || byte == 0x7F) {
      char escaped[5];
      std::snprintf(escaped, sizeof escaped, "\\x%02X", byte);
      line += escaped;
    } else {
      line += c;
    }
  }
  return line;
}

RunLog::RunLog(CliIo& io, std::size_t total) : io_(io), total_(total) {}

RunLog::~RunLog() { clearProgress(); }

void RunLog::clearProgress() {
  if (!progressShown_) return;
  // "\033[K" clears to the end of the line, so no rest of a longer name stays.
  io_.err << "\r\033[K" << std::flush;
  progressShown_ = false;
}

void RunLog::fail(const std::string& path, const std::string& reason) {
  clearProgress();
  ++failures_;
  io_.err << "tonewright-cli: " << OneLine(path) << ": " << reason << '\n' << std::flush;
}

void RunLog::step(const std::string& path) {
  ++done_;
  if (!io_.errIsTerminal || total_ <= ProgressThreshold) return;
  io_.err << "\r\033[K[" << done_ << '/' << total_ << "] " << OneLine(path) << std::flush;
  progressShown_ = true;
}

int UsageError(CliIo& io, const std::string& message) {
  io.err << "tonewright-cli: " << message << "\nTry 'tonewright-cli --help'.\n";
  return ExitUsage;
}

}  // namespace cli
