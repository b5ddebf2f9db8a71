// The undo journal: each kind of run taken back byte for byte, a file changed since its run
// left alone, the journal's limits, a record cut short by SIGKILL, and the playlist's bytes.
#include <gtest/gtest.h>

#include <fcntl.h>
#include <signal.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <functional>
#include <map>
#include <random>
#include <thread>

#include "core/Paths.h"
#include "formats/ID3V111.h"
#include "formats/ID3V230Writer.h"
#include "formats/SilentMpeg.h"
#include "support/FileHelpers.h"
#include "support/Process.h"
#include "support/TempDir.h"
#include "tagging/BatchFill.h"
#include "tagging/BatchRename.h"
#include "tagging/FileReading.h"
#include "tagging/Journal.h"
#include "tagging/Merge.h"
#include "tagging/Playlist.h"
#include "tagging/Removal.h"
#include "tagging/TagSaveRules.h"

namespace tagging {
namespace {

using Names = std::vector<std::string>;
using Files = std::map<std::string, std::string>;

class JournalTest : public ::testing::Test {
 protected:
  support::ScopedDataHome home;
  support::TempDir temp;
  std::string folder = temp.folder();

  // seconds of silent audio with both tags; the ID3v2 tag written with its padding.
  std::string song(const std::string& name, const std::string& artist, const std::string& title, double seconds = 2,
                   bool withV1 = true) {
    const std::string path = folder + name;
    support::WriteFileBytes(path, formats::SilentMpegFrames(formats::FramesForSeconds(seconds)));
    formats::clsID3V111Writer v1;
    v1.setArtist(artist), v1.setSongTitle(title);
    if (withV1) v1.WriteID3V111Tag(path);
    formats::clsID3V230Writer v2;
    v2.setArtist(artist), v2.setSongTitle(title);
    EXPECT_TRUE(v2.WriteID3V230Tag(path));
    return path;
  }
  Names songs() {
    return {song("a.mp3", "Night Ferry", "Harbour"), song("b.mp3", "Night Ferry", "Lights"),
            song("c.mp3", "Ada Brandt", "Fern")};
  }
  Files files(const std::string& in) const {
    Files all;
    for (const std::string& name : support::FolderEntries(in)) all[name] = support::ReadFileBytes(in + name);
    return all;
  }
  static ViewReader reader() { return FileViewReader({}, {}, {}); }
  static void save(const std::string& path, const std::string& title) {
    FileReading reading = ReadFileIntoFields(path, {}, {}, {});
    reading.fields.title = title;
    reading.fields.comment = std::string(3000, 'c');  // a tag larger than its padding: the audio moves
    ASSERT_TRUE(SaveTagsToFile(path, reading.fields, reading.pictures, {}, {}, &reading.own));
  }
};

// Each kind of run, recorded as the window and the command line record it, and undone:
// every file byte for byte as before under its old name; what the run created is in the trash.
TEST_F(JournalTest, UndoTakesBackEveryKindOfRun) {
  using Run = std::function<void(Journal&, const Names&)>;
  const std::string playlist = PlaylistPath(folder);
  const struct {
    const char* kind;
    Run run;
    std::size_t inTrash;  // files the undo moved to the trash
  } cases[] = {
      {"save of one file",
       [](Journal& journal, const Names& paths) {
         JournalRun run = journal.begin("save", {paths[0]});
         save(paths[0], "Neu");
         run.finish();
       },
       0},
      {"held fields over many",
       [](Journal& journal, const Names& paths) {
         JournalRun run = journal.begin("save", paths);
         for (const std::string& path : paths) save(path, "Neu");
         run.finish();
       },
       0},
      {"tags from names",
       [](Journal& journal, const Names& paths) {
         JournalRun run = journal.begin("fill", paths);
         FillOptions options;
         options.words = {DetectWord::Title};
         FillTagsFromNames(paths, options, reader(), {});
         run.finish();
       },
       0},
      {"names from tags",
       [](Journal& journal, const Names& paths) {
         JournalRun run = journal.begin("rename", paths);
         std::vector<RenameSource> sources;
         for (const std::string& path : paths) sources.push_back({path, true, reader()(path).fields});
         const RenamePlan plan = PlanRenames(sources, sources.size(),
                                             {DetectWord::Number, DetectWord::Title}, " - ",
                                             formats::FileSystem::standard());
         RecordRenames(run, RunRenames(plan, formats::FileSystem::standard()));
         run.finish();
       },
       0},
      {"removal of both tags",
       [](Journal& journal, const Names& paths) {
         JournalRun run = journal.begin("remove", paths);
         RemoveTags(paths, RemoveWhat::Both, 0, reader(), {});
         run.finish();
       },
       0},
      {"merge",
       [this](Journal& journal, const Names&) {
         JournalRun run = journal.begin("merge", {});
         const MergePlan plan = PlanMerge(folder, {"c.mp3", "a.mp3"}, " - ", {}, reader());
         const MergeResult result = MergeAlbum(plan, {});
         ASSERT_FALSE(result.album.empty());
         run.created(result.album);
         run.finish();
       },
       1},
      {"delete to the trash",
       [](Journal& journal, const Names& paths) {
         JournalRun run = journal.begin("delete", {paths[1], paths[2]});
         for (const std::string& path : {paths[1], paths[2]}) {
           std::string trashed;
           ASSERT_TRUE(MoveToHomeTrash(path, trashed));
           run.trashed(path, trashed);
         }
         run.finish();
       },
       0},
      {"playlist replaced",
       [playlist](Journal& journal, const Names& paths) {
         JournalRun run = journal.begin("rename", {}, {playlist});
         ASSERT_EQ(WritePlaylist(formats::FileSystem::standard(), playlist,
                                 PlaylistText(PlaylistLines(paths, reader(), {})), true),
                   PlaylistWrite::Written);
         run.finish();
       },
       0},
  };
  for (const auto& [kind, run, inTrash] : cases) {
    const support::ScopedDataHome data;
    Journal journal;
    const Names paths = songs();
    support::WriteFileBytes(playlist, "#EXTM3U\nold.mp3\n");
    const Files before = files(folder);
    run(journal, paths);
    EXPECT_TRUE(files(folder) != before) << kind << ": the run changed nothing";
    const UndoResult undone = journal.undoLast(MoveToHomeTrash);
    EXPECT_TRUE(undone.found) << kind;
    EXPECT_EQ(undone.changed, Names{}) << kind;
    EXPECT_EQ(undone.failed, Names{}) << kind;
    EXPECT_TRUE(files(folder) == before) << kind;
    EXPECT_EQ(support::FolderEntries(data / "Trash/files").size(), inTrash) << kind;
    EXPECT_EQ(support::FolderEntries(data / "Trash/info").size(), inTrash) << kind;
    EXPECT_FALSE(journal.undoLast(MoveToHomeTrash).found) << kind << ": the run is undone once";
    for (const std::string& name : support::FolderEntries(folder)) ::unlink((folder + name).c_str());
  }
}

// A file changed after the run (its size or its time) is left as it is and named; the
// other files of the run are restored.
TEST_F(JournalTest, FileChangedSinceTheRunIsLeftAloneAndListed) {
  const struct {
    const char* change;
    std::function<void(const std::string&)> apply;
  } cases[] = {
      {"bytes appended", [](const std::string& path) {
         support::WriteFileBytes(path, support::ReadFileBytes(path) + "later");
       }},
      {"same size, new time", [](const std::string& path) {
         const timespec times[2] = {{0, UTIME_OMIT}, {1, 0}};
         ::utimensat(AT_FDCWD, path.c_str(), times, 0);
       }},
      {"renamed away", [](const std::string& path) { ::rename(path.c_str(), (path + ".moved").c_str()); }},
  };
  for (const auto& [change, apply] : cases) {
    const support::ScopedDataHome data;
    Journal journal;
    const Names paths = songs();
    const Files before = files(folder);
    JournalRun run = journal.begin("save", paths);
    for (const std::string& path : paths) save(path, "Neu");
    run.finish();
    apply(paths[1]);
    const Files changed = files(folder);
    const UndoResult undone = journal.undoLast(MoveToHomeTrash);
    EXPECT_EQ(undone.changed, Names{paths[1]}) << change;
    EXPECT_EQ(undone.restored, (Names{paths[2], paths[0]})) << change;
    Files expected = before;
    for (const auto& [name, bytes] : changed)
      if (name != "a.mp3" && name != "c.mp3") expected[name] = bytes;
    if (!changed.count("b.mp3")) expected.erase("b.mp3");
    EXPECT_TRUE(files(folder) == expected) << change;
    for (const std::string& name : support::FolderEntries(folder)) ::unlink((folder + name).c_str());
  }
}

// The journal keeps the last runs up to its count and its size; a run larger than the
// whole journal is not recorded at all.
TEST_F(JournalTest, KeepsTheLastRunsWithinItsLimits) {
  const Names paths = songs();
  std::uint64_t snapshot = 0;  // the record a run writes at its begin
  const std::uint64_t oneRun = [&] {
    const support::ScopedDataHome data;
    Journal journal;
    journal.begin("0", paths).finish();  // a title as long as those below
    std::uint64_t size = 0;
    for (const auto& [name, bytes] : files(journal.folder())) {
      size += bytes.size();
      if (name.find(".snap") != std::string::npos) snapshot = bytes.size();
    }
    return size;
  }();
  const struct {
    const char* limit;
    JournalLimits limits;
    std::size_t runs;     // made
    Names kept;           // titles left, oldest first
  } cases[] = {
      {"count", {3, 1u << 30}, 5, {"2", "3", "4"}},
      {"twenty runs by default", {}, 22, {"2", "3", "4", "5", "6", "7", "8", "9", "10", "11", "12", "13", "14",
                                          "15", "16", "17", "18", "19", "20", "21"}},
      {"size: two runs fit", {20, 2 * oneRun + 10}, 4, {"2", "3"}},
      {"size: one run too large", {20, oneRun / 2}, 2, {}},
      {"size: the newest run stays though its record passes the limit", {20, snapshot - 1}, 2, {"1"}},
  };
  for (const auto& [limit, limits, runs, kept] : cases) {
    const support::ScopedDataHome data;
    Journal journal(DefaultJournalFolder(), limits);
    for (std::size_t i = 0; i < runs; ++i) journal.begin(std::to_string(i), paths).finish();
    Names titles;
    for (const JournalListing& run : journal.list()) titles.push_back(run.title);
    EXPECT_EQ(titles, kept) << limit;
  }
}

// A process killed while it writes journal records leaves at most a broken record: the
// next start lists and undoes only complete runs, the last one first.
TEST_F(JournalTest, RecordCutShortBySigkillIsIgnored) {
  const Names paths = songs();
  const Files before = files(folder);
  {
    Journal journal;
    JournalRun run = journal.begin("first", {paths[0]});
    save(paths[0], "Neu");
    run.finish();
  }
  std::mt19937 random(7);
  const JournalLimits many{100000, 1ull << 40};
  for (int round = 0; round < 6; ++round) {
    const pid_t child = ::fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
      Journal journal(DefaultJournalFolder(), many);
      for (;;) journal.begin("child", {paths[1], paths[2]}).finish();
    }
    std::this_thread::sleep_for(std::chrono::milliseconds(5 + random() % 40));
    support::KillAndReap(child);
    Journal journal(DefaultJournalFolder(), many);
    const std::vector<JournalListing> runs = journal.list();
    ASSERT_FALSE(runs.empty());
    // Each kill leaves at most one run without its finish.
    std::size_t unfinished = 0;
    for (const JournalListing& run : runs) unfinished += run.complete ? 0 : 1;
    EXPECT_LE(unfinished, std::size_t(round + 1));
    const UndoResult undone = journal.undoLast(MoveToHomeTrash, true);
    ASSERT_TRUE(undone.found);
    EXPECT_EQ(undone.restored.size(), undone.title == "first" ? 1u : 2u);
    EXPECT_EQ(undone.changed, Names{});
    EXPECT_EQ(undone.failed, Names{});
  }
  Journal journal(DefaultJournalFolder(), many);
  for (int i = 0; i < 100000; ++i) {
    const UndoResult undone = journal.undoLast(MoveToHomeTrash);
    ASSERT_TRUE(undone.found);
    if (undone.title == "first") break;
  }
  EXPECT_TRUE(files(folder) == before);
}

// A damaged record (a .done that belongs to another run, a record cut short, bytes after a
// record's end) makes its run not undoable; the undo takes the last run that is whole.
TEST_F(JournalTest, DamagedRecordsAreIgnored) {
  const auto cut = [](const std::string& path) {
    const std::string bytes = support::ReadFileBytes(path);
    support::WriteFileBytes(path, bytes.substr(0, bytes.size() - 1));
  };
  const auto grow = [](const std::string& path) {
    support::WriteFileBytes(path, support::ReadFileBytes(path) + "x");
  };
  const struct {
    const char* damage;
    std::function<void(const std::string& first, const std::string& second)> apply;
  } cases[] = {
      {"the .done of another run", [](const std::string& first, const std::string& second) {
         support::WriteFileBytes(second + ".done", support::ReadFileBytes(first + ".done"));
       }},
      {"snapshot cut short", [cut](const std::string&, const std::string& second) { cut(second + ".snap"); }},
      {".done cut short", [cut](const std::string&, const std::string& second) { cut(second + ".done"); }},
      {"bytes after the snapshot", [grow](const std::string&, const std::string& second) { grow(second + ".snap"); }},
      {"bytes after the .done", [grow](const std::string&, const std::string& second) { grow(second + ".done"); }},
  };
  for (const auto& [damage, apply] : cases) {
    const support::ScopedDataHome data;
    Journal journal;
    const Names paths = songs();
    journal.begin("first", paths).finish();
    journal.begin("second", {paths[0]}).finish();
    const std::vector<JournalListing> runs = journal.list();
    ASSERT_EQ(runs.size(), 2u) << damage;
    apply(journal.folder() + runs[0].name, journal.folder() + runs[1].name);
    std::size_t complete = 0;
    for (const JournalListing& run : journal.list()) complete += run.complete ? 1 : 0;
    EXPECT_EQ(complete, 1u) << damage;
    EXPECT_EQ(journal.undoLast(MoveToHomeTrash, true).title, "first") << damage;
    for (const std::string& name : support::FolderEntries(folder)) ::unlink((folder + name).c_str());
  }
}

// The playlist of a three-file order: "#EXTM3U", then per file its seconds, artist and
// title, and its name, in the order given; UTF-8 as the tags hold it.
TEST_F(JournalTest, PlaylistBytesFollowTheOrder) {
  const Names paths = {song("01 Harbour.mp3", "Night Ferry", "Harbour", 3),
                       song("02 \xD0\x9C\xD0\xBE\xD1\x80\xD0\xB5.mp3", "Ada Brandt", "\xD0\x9C\xD0\xBE\xD1\x80\xD0\xB5", 5, false),
                       song("03 x.mp3", "", "", 2)};
  // The title in Cyrillic ("More") is in an ID3v2 tag only, as UTF-16.
  const std::string text = PlaylistText(PlaylistLines({paths[1], paths[0], paths[2]}, reader(), {}));
  ASSERT_EQ(WritePlaylist(formats::FileSystem::standard(), PlaylistPath(folder), text, false), PlaylistWrite::Written);
  EXPECT_EQ(support::ReadFileBytes(folder + core::FileNameOf(temp.path()) + ".m3u8"),
            "#EXTM3U\n"
            "#EXTINF:5,Ada Brandt - \xD0\x9C\xD0\xBE\xD1\x80\xD0\xB5\n"
            "02 \xD0\x9C\xD0\xBE\xD1\x80\xD0\xB5.mp3\n"
            "#EXTINF:3,Night Ferry - Harbour\n"
            "01 Harbour.mp3\n"
            "#EXTINF:2,03 x\n"
            "03 x.mp3\n");
  EXPECT_EQ(WritePlaylist(formats::FileSystem::standard(), PlaylistPath(folder), "#EXTM3U\n", false),
            PlaylistWrite::Exists);
  EXPECT_EQ(support::ReadFileBytes(PlaylistPath(folder)).substr(0, 8), "#EXTM3U\n");
  EXPECT_NE(support::ReadFileBytes(PlaylistPath(folder)), "#EXTM3U\n") << "replaced unasked";
  // A line end inside a tag would start an entry of its own.
  EXPECT_EQ(PlaylistText({{"a.mp3", 1, "A\r\nB", "T\nU"}}), "#EXTM3U\n#EXTINF:1,A  B - T U\na.mp3\n");
}

}  // namespace
}  // namespace tagging
