#include "support/Process.h"

#include <cstdio>
#include <gtest/gtest.h>
#include <csignal>
#include <sys/wait.h>

namespace support {

int RunCommand(const std::string& command, std::string& output) {
  output.clear();
  FILE* pipe = ::popen(command.c_str(), "r");
  if (pipe == nullptr) return -1;
  char buffer[4096];
  std::size_t n;
  while ((n = std::fread(buffer, 1, sizeof buffer, pipe)) > 0) output.append(buffer, n);
  const int status = ::pclose(pipe);
  return status == -1 || !WIFEXITED(status) ? -1 : WEXITSTATUS(status);
}

bool CommandSucceeds(const std::string& command) {
  std::string ignored;
  return RunCommand(command + " >/dev/null 2>&1", ignored) == 0;
}

void KillAndReap(int pid) {
  ASSERT_EQ(::kill(pid, SIGKILL), 0);
  int status = 0;
  ASSERT_EQ(::waitpid(pid, &status, 0), pid);
}

std::string ShellQuote(const std::string& text) {
  std::string out = "'";
  for (char c : text) out += c == '\'' ? std::string("'\\''") : std::string(1, c);
  return out + "'";
}

std::string RunPython(const std::string& script, const std::vector<std::string>& arguments) {
  std::string command = SystemPython() + " -c " + ShellQuote(script), output;
  for (const std::string& argument : arguments) command += " " + ShellQuote(argument);
  const int status = RunCommand(command, output);
  if (status != 0) ADD_FAILURE() << "python3 exited with " << status << ": " << output;
  return output;
}

}  // namespace support
