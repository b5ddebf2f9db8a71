// undo from the command line after each command that changes files, and Ctrl+C (SIGINT)
// stopping a run between two files.
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
      {{"set", "--comment", "neu", "--year", "2001", "%", ";", "undo", ";", "undo"}, ExitSomeFailed, "undone: set\n",
       "undo: no run to undo"},
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
  support::TempDir temp, logs;
  constexpr int Count = 400;
  for (int i = 0; i < Count; ++i) MakeMp3(temp.file(std::to_string(1000 + i) + ".mp3"), {"t", "a", "", "", "", ""}, 2);
  const auto before = Snapshot(temp.path());
  const char* program = std::getenv("TONEWRIGHT_CLI");
  ASSERT_NE(program, nullptr) << "run through ctest, which names the program";
  // The first file saved shows that the run has begun (and the handlers are in place).
  const std::string first = support::ShellQuote(temp.file("1000.mp3")), errors = logs.file("stderr");
  const std::string script = support::ShellQuote(program) + " set --comment 'a comment long enough to grow the tag' " +
                             support::ShellQuote(temp.path()) + " 2>" + support::ShellQuote(errors) + " & while [ $(stat -c %s " +
                             first + ") = " + std::to_string(before.front().second.size()) +
                             " ]; do sleep 0.002; done; kill -INT $!; wait $!";
  std::string out;
  EXPECT_EQ(support::RunCommand(script, out), ExitSomeFailed) << "not ended by the signal itself, nor before it";
  const std::string err = support::ReadFileBytes(errors);
  const auto after = Snapshot(temp.path());
  ASSERT_EQ(after.size(), before.size());
  std::size_t done = 0;
  for (std::size_t i = 0; i < after.size(); ++i) {
    const bool changed = after[i].second != before[i].second;
    done += changed ? 1 : 0;
    EXPECT_EQ(err.find(temp.file(after[i].first) + ": not done: cancelled\n") != std::string::npos, !changed) << after[i].first;
  }
  EXPECT_GE(done, 1u);
  EXPECT_LT(done, std::size_t(Count)) << "the run ended before the signal came";
  EXPECT_EQ(RunHere({"undo"}).status, ExitDone);
  EXPECT_TRUE(Snapshot(temp.path()) == before);
}

}  // namespace
}  // namespace cli::test
