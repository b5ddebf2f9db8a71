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

// Each command, then undo: the list names the run, a dry run changes nothing, the undo gives
// every file its bytes and name again and moves an album or playlist the command made to
// the trash; then nothing is left to undo.
TEST(Undo, TakesBackEachCommand) {
  const std::string changed = "a.mp3\tHarbour\tNight Ferry\tLights\t1981\t2\t\tneu\nb.mp3\tFern\tNight Ferry\tLights\t1981\t1\t\tneu\n";
  const std::vector<Row> rows = {
      {{"set", "--comment", "neu", "%", ";", "undo", "--list", ";", "undo", "--dry-run"}, ExitDone,
       "  2 files\nwould undo: set\n  would restore: %/b.mp3\n", "", changed},
      {{"set", "--comment", "neu", "--year", "2001", "%", ";", "undo", ";", "undo"}, ExitSomeFailed, "undone: set\n", "undo: no run to undo"},
      {{"remove", "--both", "%", ";", "undo"}, ExitDone, "undone: remove\n  restored: %/b.mp3\n  restored: %/a.mp3\n", ""},
      {{"fill", "--pattern", "Titel", "%", ";", "undo"}, ExitDone, "undone: fill\n", ""},
      {{"rename", "--pattern", "Nr - Titel", "--playlist", "%", ";", "undo"}, ExitDone, "  moved to the trash: %/", ""},
      {{"merge", "%", ";", "undo"}, ExitDone, "  moved to the trash: %/Night Ferry - Lights (1981).mp3", ""},
  };
  RunRows(rows, [](const support::TempDir& dir) {
    MakeMp3(dir.file("a.mp3"), {"Harbour", "Night Ferry", "Lights", "1981", "", "2"});
    MakeMp3(dir.file("b.mp3"), {"Fern", "Night Ferry", "Lights", "1981", "", "1"});
  });
  // A command given a relative path is undone from another folder.
  const support::ScopedDataHome home;
  support::TempDir temp;
  std::filesystem::create_directory(temp.file("album"));
  MakeMp3(temp.file("album/a.mp3"), {"Harbour", "", "", "", "", ""});
  EXPECT_EQ(RunProgram({"rename", "--pattern", "Titel", "album"}, temp.path()).status, ExitDone);
  EXPECT_EQ(RunHere({"undo"}).status, ExitDone);
  EXPECT_EQ(support::FolderEntries(temp.file("album")), Words{"a.mp3"});
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
    EXPECT_EQ(err.find(paths[i] + ": not done: cancelled\n") != std::string::npos, !changed) << paths[i];
  }
  EXPECT_GE(done, 1u);
  EXPECT_LT(done, std::size_t(Count)) << "the run ended before the signal came";
  const Outcome undone = RunHere({"undo"});
  EXPECT_EQ(undone.status, ExitDone) << undone.err;
  EXPECT_TRUE(Snapshot(temp.path()) == before);
}

}  // namespace
}  // namespace cli::test
