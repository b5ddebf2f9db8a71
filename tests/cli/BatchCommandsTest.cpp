// fill and merge on generated folders, the refused lossy saves, and --dry-run of every changing command.
#include "cli/CliFixture.h"
#include "support/ID3V230Bytes.h"

namespace cli::test {
namespace {

std::vector<std::string> FieldLines(const std::string& folder) {
  std::vector<std::string> lines;
  std::istringstream out(RunHere({"info", "--fields", folder}).out);
  for (std::string line; std::getline(out, line);) lines.push_back(line.substr(folder.size() + 1));
  return lines;
}

TEST(Fill, TagsFromTheNames) {
  struct Case {
    std::vector<std::string> options;
    std::string name;
    std::string line;  // its info --fields line afterwards (without the folder)
  };
  const std::vector<Case> cases = {
      {{"--pattern", "artist_title", "--separator", "_", "--skip", "4"}, "01. Band_Song.mp3",
       "01. Band_Song.mp3\tSong\tBand\t\t\t\t\t"},
      {{"--pattern", "Interpret - Titel", "--untagged-only"}, "A - B.mp3", "A - B.mp3\tOld\tKept\t\t\t\t\t"},
  };
  for (const Case& c : cases) {
    support::TempDir dir;
    MakeMp3(dir.file(c.name), Tags{"Old", "Kept", "", "", "", ""});
    std::vector<std::string> arguments = {"fill", dir.path()};
    arguments.insert(arguments.end(), c.options.begin(), c.options.end());
    const Outcome run = RunHere(arguments);
    EXPECT_EQ(run.status, ExitDone) << run.err;
    EXPECT_EQ(FieldLines(dir.path()), std::vector<std::string>{c.line}) << ::testing::PrintToString(c.options);
  }
  EXPECT_EQ(RunHere({"fill", "--pattern", "Nr - Genre", "x.mp3"}).status, ExitUsage);
  EXPECT_EQ(RunHere({"fill", "--pattern", "Nr - Nr - Nr - Nr - Nr", "x.mp3"}).status, ExitUsage);
}

// The album of the files in the order given (the merge itself is tested with the batch
// jobs); its name taken, the album keeps the intermediate name and the run says so.
TEST(Merge, AlbumInTheOrderGivenAndATakenNameReported) {
  support::TempDir dir;
  MakeMp3(dir.file("1.mp3"), Tags{"", "Night Ferry", "Harbour Lights", "1981", "", ""}, 3);
  ASSERT_TRUE(support::WriteFileBytes(dir.file("2.mp3"), formats::SilentMpegFrames(2, 192)));
  ASSERT_TRUE(support::WriteFileBytes(dir.file("taken.mp3"), "taken"));
  const Outcome run = RunHere({"merge", "-o", "taken.mp3", dir.file("2.mp3"), dir.file("1.mp3")});
  EXPECT_EQ(run.status, ExitSomeFailed);
  EXPECT_NE(run.err.find("exists already"), std::string::npos) << run.err;
  EXPECT_EQ(run.out, dir.file("_merged.mp3\n"));
  EXPECT_NE(support::ReadFileBytes(dir.file("_merged.mp3")).find(formats::SilentMpegFrames(2, 192) +
                                                                  formats::SilentMpegFrames(3)), std::string::npos);
}

// No question is asked: a save that would lose tag data is refused and named with what it
// would lose, unless --force is given; remove --v1 is no save.
TEST(Force, LossySavesRefusedAndListedUnlessForced) {
  support::TempDir dir;
  const std::string lossy = support::Tag({support::Frame("TIT2", support::Text("Song")),
                                          support::Frame("TIT2", support::Text("Second")),
                                          support::Frame("APIC", support::Bytes("\0image/\0\x03" "d\0" "png"))}) +
                            support::Audio() + support::ID3v1Block("Song");
  const std::vector<std::vector<std::string>> commands = {
      {"set", "--title", "New"}, {"fill", "--pattern", "Titel"}, {"remove", "--picture", "3"}, {"remove", "--v1"}};
  for (const bool force : {false, true}) {
    for (std::vector<std::string> command : commands) {
      ASSERT_TRUE(support::WriteFileBytes(dir.file("A.mp3"), lossy));
      if (force) command.push_back("--force");
      command.push_back(dir.file("A.mp3"));
      const Outcome run = RunHere(command);
      const bool refused = !force && command[1] != "--v1";
      EXPECT_EQ(run.status, refused ? ExitSomeFailed : ExitDone) << command[0] << run.err;
      EXPECT_EQ(run.err.find(": cannot be written: the save would lose a second TIT2 frame (--force saves anyway)") !=
                    std::string::npos, refused) << command[0] << run.err;
      EXPECT_EQ(support::ReadFileBytes(dir.file("A.mp3")) == lossy, refused) << command[0];
    }
  }
}

// A dry run, and a rename run of which two files would get one name, change nothing.
TEST(DryRun, ChangesNoByteAndNoName) {
  support::TempDir dir;
  for (const char* name : {"1 - a.mp3", "2 - b.mp3"}) MakeMp3(dir.file(name), Tags{"Song", "Band", "", "", "", ""});
  ASSERT_TRUE(support::WriteFileBytes(dir.file("3 - c.mp3"), support::Tag({support::Frame(
                                          "APIC", support::Bytes("\0image/\0\x03" "d\0" "png"))}) + support::Audio()));
  const auto before = Snapshot(dir.path());
  struct Case {
    std::vector<std::string> command;
    std::string printed;  // a line the plan shows, or the error
    int status = ExitDone;
  };
  const std::vector<Case> cases = {
      {{"set", "-n", "--title", "New"}, "  title: New\n"},
      {{"remove", "--dry-run", "--both"}, "3 - c.mp3: remove the ID3v2 tag\n"},
      {{"remove", "-n", "--picture", "3"}, "3 - c.mp3: remove its first picture of type 3\n"},
      {{"fill", "-n", "--pattern", "Nr - Titel"}, "  Titel: c\n"},
      {{"rename", "-n", "--pattern", "Nr - Interpret"}, "/2 - b.mp3 -> " + dir.file("2 - Band.mp3") + "\n"},
      {{"merge", "-n"}, "album: " + dir.file("Band - merged.mp3") + "\n"},
      {{"rename", "--pattern", "Interpret"}, "given to another file too; no file renamed\n", ExitSomeFailed},
  };
  for (Case c : cases) {
    c.command.push_back(dir.path());
    const Outcome run = RunHere(c.command);
    EXPECT_EQ(run.status, c.status) << run.err;
    EXPECT_NE((run.out + run.err).find(c.printed), std::string::npos) << run.out;
    EXPECT_EQ(Snapshot(dir.path()), before) << c.command[0];
  }
}

}  // namespace
}  // namespace cli::test
