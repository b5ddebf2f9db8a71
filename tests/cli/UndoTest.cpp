// undo from the command line after each command that changes files, and Ctrl+C (SIGINT)
// stopping a run between two files.
#include <fcntl.h>
#include <signal.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <thread>

#include "cli/CliFixture.h"

namespace cli::test {
namespace {

bool Contains(const std::string& text, const std::string& part) { return text.find(part) != std::string::npos; }

// Each command, then undo: a dry run first changes nothing, the undo gives every file its
// bytes and name again, and an album or playlist the command made goes to the trash. A
// command given a relative path is undone from another folder.
TEST(Undo, TakesBackEachCommand) {
  const struct {
    Words command;
    const char* title;
    std::size_t inTrash;
    bool relative;  // run by the program in the folder above, naming the folder "album"
  } cases[] = {
      {{"set", "--comment", "neu", "--year", "2001"}, "set", 0, false},
      {{"remove", "--both"}, "remove", 0, false},
      {{"fill", "--pattern", "Titel"}, "fill", 0, false},
      {{"rename", "--pattern", "Nr - Titel", "--playlist"}, "rename", 1, false},
      {{"merge"}, "merge", 1, false},
      {{"rename", "--pattern", "Titel"}, "rename", 0, true},
  };
  for (const auto& [command, title, inTrash, relative] : cases) {
    const support::ScopedDataHome home;
    support::TempDir temp;
    const std::string folder = temp.file("album");
    std::filesystem::create_directory(folder);
    MakeMp3(folder + "/a.mp3", {"Harbour", "Night Ferry", "Lights", "1981", "", "2"});
    MakeMp3(folder + "/b.mp3", {"Fern", "Night Ferry", "Lights", "1981", "", "1"});
    const auto before = Snapshot(folder);
    Words line = command;
    line.push_back(relative ? "album" : folder);
    const std::string row = ::testing::PrintToString(line);
    EXPECT_EQ((relative ? RunProgram(line, temp.path()) : RunHere(line)).status, ExitDone) << row;
    const auto after = Snapshot(folder);
    EXPECT_TRUE(after != before) << row;
    const Outcome listed = RunHere({"undo", "--list"});
    EXPECT_TRUE(Contains(listed.out, std::string("  ") + title + "  ")) << row << listed.out;
    const Outcome dry = RunHere({"undo", "--dry-run"});
    EXPECT_EQ(dry.status, ExitDone) << row << dry.err;
    EXPECT_TRUE(Contains(dry.out, std::string("would undo: ") + title)) << row << dry.out;
    EXPECT_TRUE(Snapshot(folder) == after) << row << ": a dry run changes nothing";
    const Outcome undone = RunHere({"undo"});
    EXPECT_EQ(undone.status, ExitDone) << row << undone.err;
    EXPECT_TRUE(Snapshot(folder) == before) << row;
    EXPECT_EQ(support::FolderEntries(home / "Trash/files").size(), inTrash) << row;
    EXPECT_EQ(RunHere({"undo"}).status, ExitSomeFailed) << row << ": nothing left to undo";
  }
}

// SIGINT stops `set` after the file it is on: exit status 1, the files not done listed,
// none half-done; undo then takes back the part that was done.
TEST(Signals, SigintStopsSetBetweenTwoFiles) {
  const support::ScopedDataHome home;
  support::TempDir temp;
  constexpr int Count = 400;
  std::vector<std::string> paths;
  for (int i = 0; i < Count; ++i) {
    char name[16];
    std::snprintf(name, sizeof name, "/%03d.mp3", i);
    paths.push_back(temp.path() + name);
    MakeMp3(paths.back(), {"t", "a", "", "", "", ""}, 2);
  }
  const auto before = Snapshot(temp.path());
  const std::uint64_t size = before.front().second.size();
  const char* named = std::getenv("TONEWRIGHT_CLI");
  ASSERT_NE(named, nullptr) << "run through ctest, which names the program";
  const std::string errors = temp.file("stderr.txt");
  const pid_t child = ::fork();
  ASSERT_GE(child, 0);
  if (child == 0) {
    const int fd = ::open(errors.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
    ::dup2(fd, STDERR_FILENO);
    ::execl(named, named, "set", "--comment", "a comment long enough to grow the tag", temp.path().c_str(),
            static_cast<char*>(nullptr));
    ::_exit(127);
  }
  // The first file saved shows that the run has begun (and the handlers are in place).
  struct stat st {};
  for (int wait = 0; wait < 20000 && (::stat(paths[0].c_str(), &st) != 0 || std::uint64_t(st.st_size) == size); ++wait)
    std::this_thread::sleep_for(std::chrono::milliseconds(1));
  ::kill(child, SIGINT);
  int status = 0;
  ASSERT_EQ(::waitpid(child, &status, 0), child);
  ASSERT_TRUE(WIFEXITED(status)) << "ended by the signal itself";
  EXPECT_EQ(WEXITSTATUS(status), ExitSomeFailed);
  const std::string err = support::ReadFileBytes(errors);
  ::unlink(errors.c_str());
  const auto after = Snapshot(temp.path());
  ASSERT_EQ(after.size(), before.size());
  std::size_t done = 0;
  for (std::size_t i = 0; i < after.size(); ++i) {
    const bool changed = after[i].second != before[i].second;
    done += changed ? 1 : 0;
    EXPECT_EQ(Contains(err, paths[i] + ": not done: cancelled\n"), !changed) << paths[i];
  }
  EXPECT_GE(done, 1u);
  EXPECT_LT(done, std::size_t(Count)) << "the run ended before the signal came";
  const Outcome undone = RunHere({"undo"});
  EXPECT_EQ(undone.status, ExitDone) << undone.err;
  EXPECT_TRUE(Snapshot(temp.path()) == before);
}

}  // namespace
}  // namespace cli::test
