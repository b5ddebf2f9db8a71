// Small helpers shared by the benchmarks: a temporary folder, a clock, file writing.
#pragma once
#include <fcntl.h>
#include <spawn.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <system_error>
#include <ctime>
#include <vector>

namespace bench {

// A fresh folder under $TMPDIR (or /tmp), removed with its contents at the end.
class ScratchFolder {
 public:
  ScratchFolder() {
    const char* base = std::getenv("TMPDIR");
    std::string pattern = std::string(base && *base ? base : "/tmp") + "/tonewright-bench-XXXXXX";
    std::vector<char> buffer(pattern.begin(), pattern.end());
    buffer.push_back('\0');
    if (::mkdtemp(buffer.data()) != nullptr) path_ = buffer.data();
  }
  ~ScratchFolder() {
    std::error_code ignored;
    if (!path_.empty()) std::filesystem::remove_all(path_, ignored);
  }
  ScratchFolder(const ScratchFolder&) = delete;
  ScratchFolder& operator=(const ScratchFolder&) = delete;
  bool ok() const { return !path_.empty(); }
  std::string file(const std::string& name) const { return path_ + "/" + name; }
  const std::string& path() const { return path_; }

 private:
  std::string path_;
};

// The floor every listing is measured against: open, read the first 64 KiB and the last
// 128 bytes, close. The sum keeps the reads from being optimised away.
inline std::uint64_t FloorLoop(const std::vector<std::string>& files) {
  std::vector<char> front(64 * 1024), back(128);
  std::uint64_t sum = 0;
  for (const auto& path : files) {
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) continue;
    const off_t size = ::lseek(fd, 0, SEEK_END);
    const ssize_t a = ::pread(fd, front.data(), front.size(), 0);
    const ssize_t b = ::pread(fd, back.data(), back.size(), std::max<off_t>(0, size - 128));
    ::close(fd);
    sum += static_cast<std::uint64_t>(a + b) + static_cast<unsigned char>(front[0]);
  }
  return sum;
}

inline bool WriteBytes(const std::string& path, const std::string& bytes) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  return static_cast<bool>(out);
}

inline double SecondsSince(std::chrono::steady_clock::time_point start) {
  return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

// The processor time this thread has used (user and system). On a machine shared with other
// work the wall clock also counts the time spent waiting for a core; this does not.
inline double ThreadCpuSeconds() {
  timespec t{};
  ::clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t);
  return static_cast<double>(t.tv_sec) + static_cast<double>(t.tv_nsec) * 1e-9;
}

// The best wall and processor times of `runs` runs of a loop over the files.
struct Timing {
  double wall = -1, cpu = -1;
  void add(double w, double c) {
    if (wall < 0 || w < wall) wall = w;
    if (cpu < 0 || c < cpu) cpu = c;
  }
};
template <typename Loop>
Timing TimeLoop(int runs, const std::vector<std::string>& files, Loop loop, std::uint64_t& sum) {
  Timing t;
  for (int run = 0; run < runs; ++run) {
    const auto start = std::chrono::steady_clock::now();
    const double cpu = ThreadCpuSeconds();
    sum += loop(files);
    t.add(SecondsSince(start), ThreadCpuSeconds() - cpu);
  }
  return t;
}

// The text in single quotes for the shell.
inline std::string ShellQuoted(const std::string& text) {
  std::string out = "'";
  for (char c : text) out += c == '\'' ? std::string("'\\''") : std::string(1, c);
  return out + "'";
}

// Seconds a shell command takes, or -1 when it fails.
inline double TimeCommand(const std::string& command) {
  const auto start = std::chrono::steady_clock::now();
  if (std::system(command.c_str()) != 0) return -1;
  return SecondsSince(start);
}

// A program run with its arguments, started directly (no shell in between) with its output
// going to /dev/null: its wall time and the processor time it used. Both -1 when it fails.
inline Timing TimeProgram(const std::vector<std::string>& arguments) {
  std::vector<char*> argv;
  for (const std::string& argument : arguments) argv.push_back(const_cast<char*>(argument.c_str()));
  argv.push_back(nullptr);
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_addopen(&actions, STDOUT_FILENO, "/dev/null", O_WRONLY, 0);
  const auto start = std::chrono::steady_clock::now();
  pid_t child = 0;
  const int spawned = posix_spawn(&child, argv[0], &actions, nullptr, argv.data(), environ);
  posix_spawn_file_actions_destroy(&actions);
  int status = 0;
  rusage usage{};
  if (spawned != 0 || ::wait4(child, &status, 0, &usage) != child || !WIFEXITED(status) || WEXITSTATUS(status) != 0)
    return {};
  const auto seconds = [](const timeval& t) { return static_cast<double>(t.tv_sec) + static_cast<double>(t.tv_usec) * 1e-6; };
  Timing t;
  t.add(SecondsSince(start), seconds(usage.ru_utime) + seconds(usage.ru_stime));
  return t;
}

}  // namespace bench
