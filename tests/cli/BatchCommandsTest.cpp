// fill, rename and merge on generated folders, and --dry-run of every changing command.
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
    bool tagged;       // the file has a tag before
    std::string line;  // its info --fields line afterwards (without the folder)
  };
  const std::vector<Case> cases = {
      {{"--pattern", "Nr - Interpret - Titel"}, "07 - Some Band - First Song.mp3", false,
       "07 - Some Band - First Song.mp3\tFirst Song\tSome Band\t\t\t7\t\t"},
      {{"--pattern", "artist_title", "--separator", "_", "--skip", "4"}, "01. Band_Song.mp3", false,
       "01. Band_Song.mp3\tSong\tBand\t\t\t\t\t"},
      {{"--pattern", "Interpret - Titel", "--untagged-only"}, "A - B.mp3", true, "A - B.mp3\tOld\tKept\t\t\t\t\t"},
      {{"--pattern", "Interpret - Titel"}, "A - B.mp3", true, "A - B.mp3\tB\tA\t\t\t\t\t"},
  };
  for (const Case& c : cases) {
    support::TempDir dir;
    if (c.tagged)
      MakeMp3(dir.file(c.name), Tags{"Old", "Kept", "", "", "", ""});
    else
      ASSERT_TRUE(support::WriteFileBytes(dir.file(c.name), support::Audio()));
    std::vector<std::string> arguments = {"fill", dir.path()};
    arguments.insert(arguments.end(), c.options.begin(), c.options.end());
    const Outcome run = RunHere(arguments);
    EXPECT_EQ(run.status, ExitDone) << run.err;
    EXPECT_EQ(FieldLines(dir.path()), std::vector<std::string>{c.line}) << ::testing::PrintToString(c.options);
  }
  EXPECT_EQ(RunHere({"fill", "--pattern", "Nr - Genre", "x.mp3"}).status, ExitUsage);
  EXPECT_EQ(RunHere({"fill", "--pattern", "Nr - Nr - Nr - Nr - Nr", "x.mp3"}).status, ExitUsage);
}

TEST(Rename, NumberedInTheOrderGivenAndRefusedAsAWhole) {
  struct Case {
    std::string pattern;
    int status;
    std::vector<std::string> names;  // the folder afterwards
  };
  const std::vector<Case> cases = {
      {"Nr - Interpret - Titel", ExitDone, {"1 - Band - Three.mp3", "2 - Band - One.mp3", "3 - Band - Two.mp3"}},
      {"Interpret", ExitSomeFailed, {"a.mp3", "b.mp3", "c.mp3"}},  // three files for one name
  };
  for (const Case& c : cases) {
    support::TempDir dir;
    MakeMp3(dir.file("a.mp3"), Tags{"One", "Band", "", "", "", ""});
    MakeMp3(dir.file("b.mp3"), Tags{"Two", "Band", "", "", "", ""});
    MakeMp3(dir.file("c.mp3"), Tags{"Three", "Band", "", "", "", ""});
    const Outcome run = RunHere({"rename", "--pattern", c.pattern, dir.file("c.mp3"), dir.file("a.mp3"), dir.file("b.mp3")});
    EXPECT_EQ(run.status, c.status) << run.err;
    EXPECT_EQ(support::FolderEntries(dir.path()), c.names) << c.pattern;
  }
}

TEST(Merge, AlbumInTheOrderGivenWithTheSourcesUnchanged) {
  support::TempDir dir;
  const std::vector<std::string> audio = {formats::SilentMpegFrames(3, 128), formats::SilentMpegFrames(2, 192),
                                          formats::SilentMpegFrames(4, 64)};
  const std::string v2 = support::Tag({support::Frame("TPE1", support::Text("Night Ferry")),
                                       support::Frame("TALB", support::Text("Harbour Lights")),
                                       support::Frame("TYER", support::Text("1981"))});
  ASSERT_TRUE(support::WriteFileBytes(dir.file("1.mp3"), v2 + audio[0] + support::ID3v1Block("x")));
  ASSERT_TRUE(support::WriteFileBytes(dir.file("2.mp3"), audio[1]));
  ASSERT_TRUE(support::WriteFileBytes(dir.file("3.mp3"), support::Tag({support::Frame("TIT2", support::Text("t"))}) + audio[2]));
  const auto before = Snapshot(dir.path());
  const Outcome run = RunHere({"merge", dir.file("1.mp3"), dir.file("3.mp3"), dir.file("2.mp3")});
  EXPECT_EQ(run.status, ExitDone) << run.err;
  const std::string album = dir.file("Night Ferry - Harbour Lights (1981).mp3");
  EXPECT_EQ(run.out, album + "\n");
  const std::string bytes = support::ReadFileBytes(album);
  EXPECT_NE(bytes.find(audio[0] + audio[2] + audio[1] + "TAG"), std::string::npos);
  EXPECT_EQ(bytes.rfind("TAG"), bytes.size() - 128);
  EXPECT_EQ(FieldLines(dir.path()).back(),
            "Night Ferry - Harbour Lights (1981).mp3\tHarbour Lights\tNight Ferry\tHarbour Lights\t1981\t\t\t"
            "merged by Quillmere Tonewright");
  auto after = Snapshot(dir.path());
  after.pop_back();  // the album
  EXPECT_TRUE(after == before);
  // Its name taken now: the album stays under the intermediate name, and the run says so.
  const Outcome again = RunHere({"merge", "-o", "1.mp3", dir.file("1.mp3"), dir.file("2.mp3")});
  EXPECT_EQ(again.status, ExitSomeFailed);
  EXPECT_NE(again.err.find("exists already"), std::string::npos) << again.err;
  EXPECT_TRUE(support::ReadFileBytes(dir.file("1.mp3")) == before.front().second);
}

// No question is asked: a save that would lose tag data is refused and named with what it
// would lose, unless --force is given; remove --v1 and --both are no save.
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

TEST(DryRun, ChangesNoByteAndNoName) {
  support::TempDir dir;
  for (const char* name : {"1 - a.mp3", "2 - b.mp3"}) MakeMp3(dir.file(name), Tags{"Song", "Band", "", "", "", ""});
  ASSERT_TRUE(support::WriteFileBytes(dir.file("3 - c.mp3"), support::Tag({support::Frame(
                                          "APIC", support::Bytes("\0image/\0\x03" "d\0" "png"))}) + support::Audio()));
  const auto before = Snapshot(dir.path());
  struct Case {
    std::vector<std::string> command;
    std::string printed;  // a line the plan shows
  };
  const std::vector<Case> cases = {
      {{"set", "-n", "--title", "New"}, "  title: New\n"},
      {{"remove", "--dry-run", "--both"}, "3 - c.mp3: remove the ID3v2 tag\n"},
      {{"remove", "-n", "--picture", "3"}, "3 - c.mp3: remove its first picture of type 3\n"},
      {{"fill", "-n", "--pattern", "Nr - Titel"}, "  Titel: c\n"},
      {{"rename", "-n", "--pattern", "Nr - Interpret"}, "/2 - b.mp3 -> " + dir.file("2 - Band.mp3") + "\n"},
      {{"merge", "-n"}, "album: " + dir.file("Band - merged.mp3") + "\n"},
  };
  for (Case c : cases) {
    c.command.push_back(dir.path());
    const Outcome run = RunHere(c.command);
    EXPECT_EQ(run.status, ExitDone) << run.err;
    EXPECT_NE(run.out.find(c.printed), std::string::npos) << run.out;
    EXPECT_EQ(Snapshot(dir.path()), before) << c.command[0];
  }
}

}  // namespace
}  // namespace cli::test
