// The batch runs on real files, the undo journal and its faults, and the playlist.
#include "tagging/TaggingTest.h"

#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <filesystem>
#include <random>
#include <set>
#include <thread>

#include "core/Paths.h"
#include "tagging/BatchFill.h"
#include "tagging/BatchNames.h"
#include "tagging/BatchRename.h"
#include "tagging/Journal.h"
#include "tagging/Playlist.h"
#include "tagging/Removal.h"

namespace tagging {
namespace {

using Files = std::map<std::string, std::string>;
using Reasons = std::vector<Reason>;
using W = DetectWord;
using V1 = std::function<void(formats::clsID3V111Writer&)>;
using V2 = std::function<void(formats::clsID3V230Writer&)>;

Reasons ReasonsOf(const std::vector<FileOutcome>& outcomes) {
  Reasons reasons;
  for (const FileOutcome& outcome : outcomes) reasons.push_back(outcome.reason);
  return reasons;
}

RenameSource Source(const std::string& path, const std::string& artist, const std::string& title, bool tagged = true) {
  RenameSource source{path, tagged, {}};
  source.fields.artist = artist, source.fields.title = title;
  return source;
}

class BatchRuns : public ::testing::Test {
 protected:
  support::ScopedDataHome home;  // the journal and the trash
  support::TempDir temp;
  const std::string folder = temp.folder();

  std::string at(const std::string& name) const { return folder + name; }
  // A file whose audio is its own name and `seconds` of silent frames, with the tags the setters give.
  std::string song(const std::string& name, const V1& v1 = {}, const V2& v2 = {}, double seconds = 0) {
    support::WriteFileBytes(at(name), "audio of " + name + formats::SilentMpegFrames(formats::FramesForSeconds(seconds)));
    formats::clsID3V111Writer one;
    formats::clsID3V230Writer two;
    if (v1) v1(one), one.WriteID3V111Tag(at(name));
    if (v2) v2(two), two.WriteID3V230Tag(at(name));
    return at(name);
  }
  // Two seconds of audio with an artist and a title in both tags (or in the ID3v2 tag only).
  std::string song(const std::string& name, const std::string& artist, const std::string& title, double seconds = 2,
                   bool withV1 = true) {
    return song(name, withV1 ? V1([&](auto& t) { t.setArtist(artist), t.setSongTitle(title); }) : V1(),
                [&](auto& t) { t.setArtist(artist), t.setSongTitle(title); }, seconds);
  }
  Names songs() {
    clear();
    return {song("a.mp3", "Night Ferry", "Harbour"), song("b.mp3", "Night Ferry", "Lights"), song("c.mp3", "Ada Brandt", "Fern")};
  }
  Files files() const {
    Files all;
    for (const std::string& name : support::FolderEntries(temp.path())) all[name] = support::ReadFileBytes(at(name));
    return all;
  }
  void clear() const {
    for (const std::string& name : support::FolderEntries(temp.path())) ::unlink(at(name).c_str());
  }
  static ViewReader reader() { return FileViewReader({}, {}, {}); }
  // A save of a new title, with a comment larger than the padding: the audio moves.
  static void save(const std::string& path) {
    FileReading reading = ReadFileIntoFields(path, {}, {}, {});
    reading.fields.title = "Neu";
    reading.fields.comment = std::string(3000, 'c');
    ASSERT_TRUE(SaveTagsToFile(path, reading.fields, reading.pictures, {}, {}, &reading.own));
  }
};

TEST(BatchNames, NamePiecesFillTheFieldsTheWordsName) {
  const struct { const char* what; DetectList words; std::string separator, name; double skip; Names fields; } cases[] = {
      {"worked example", {W::Number, W::Artist, W::Title}, " - ", "07 - Some Band - First Song", 0, {"07", "Some Band", "First Song", "old"}},
      {"skip 4", {W::Artist, W::Title}, " - ", "01. Some Band - First Song", 4, {"old", "Some Band", "First Song", "old"}},
      {"fewer pieces", {W::Artist, W::Title, W::Album}, " - ", "Some Band - First Song", 0, {"old", "Some Band", "First Song", ""}},
      {"more pieces", {W::Artist, W::Title}, " - ", "A - B - C - D", 0, {"old", "A", "B", "old"}},
      {"empty separator", {W::Artist, W::Title}, "", "A - B", 0, {"old", "", "", "old"}},
      {"blanks trimmed", {W::Title}, "_", "  x  _y", 0, {"old", "old", "x", "old"}},
      {"skip counts characters", {W::Title}, " - ", "\xC3\xA4\xC3\xB6" "Ende", 2, {"old", "old", "Ende", "old"}},
      {"skip beyond the name", {W::Title}, " - ", "kurz", 9, {"old", "old", "kurz", "old"}},
      {"skip rounds the rest", {W::Title}, " - ", "abcdef", 1.5, {"old", "old", "cdef", "old"}}};
  for (const auto& c : cases) {
    EditFields f;
    f.track = f.artist = f.title = f.album = "old";
    ApplyNamePieces(f, c.words, SkipCharacters(c.name, c.skip), c.separator);
    EXPECT_EQ(Names({f.track, f.artist, f.title, f.album}), c.fields) << c.what;
  }
}

TEST(BatchNames, NamesFromTagsAreNumberedAndUsable) {
  const struct { const char* what; DetectList words; std::string artist, title; std::size_t number, of; std::optional<std::string> name; } cases[] = {
      {"worked example", {W::Number, W::Artist, W::Title}, "A", "B: Live", 4, 12, "04 - A - B Live"},
      {"9 entries", {W::Number}, "", "", 9, 9, "9"},         {"12 entries", {W::Number}, "", "", 1, 12, "01"},
      {"100 entries", {W::Number}, "", "", 7, 100, "007"},   {"100 of 100", {W::Number}, "", "", 100, 100, "100"},
      {"slash and NUL", {W::Artist, W::Title}, "AC/DC", std::string("x\0y", 3), 1, 1, "ACDC - xy"},
      {"only dots", {W::Title}, "", "..", 1, 1, std::nullopt},   {"one dot after cleaning", {W::Title}, "", " .? ", 1, 1, std::nullopt},
      {"empty", {W::Title}, "", "", 1, 1, std::nullopt},         {"cleaned away", {W::Title}, "", "?,:\"", 1, 1, std::nullopt},
  };
  for (const auto& c : cases)
    EXPECT_EQ(UsableFileName(NameFromFields(Source("", c.artist, c.title).fields, c.words, " - ", NumberText(c.number, c.of))), c.name) << c.what;
  EXPECT_EQ(AlbumName("Night Ferry", "", "", "_"), "Night Ferry_merged");
}

TEST_F(BatchRuns, RenamesNeverLoseOrReplaceAFile) {
  const std::string d = folder;  // the files hold their names
  const struct { const char* what; Names files; std::vector<RenameSource> sources; DetectList words; Files after; Reasons reasons; } cases[] = {
      {"reversed renumbering by Nr only", {"1.mp3", "2.mp3", "3.mp3"},
       {Source(d + "3.mp3", "", ""), Source(d + "2.mp3", "", ""), Source(d + "1.mp3", "", "")}, {W::Number},
       {{"1.mp3", "3.mp3"}, {"2.mp3", "2.mp3"}, {"3.mp3", "1.mp3"}}, {Reason::Done, Reason::Skipped, Reason::Done}},
      {"a file without tags keeps its name and its number", {"a.mp3", "b.mp3", "c.mp3"},
       {Source(d + "a.mp3", "A", "x"), Source(d + "b.mp3", "", "", false), Source(d + "c.mp3", "C", "z")}, {W::Number, W::Artist},
       {{"1 - A.mp3", "a.mp3"}, {"b.mp3", "b.mp3"}, {"3 - C.mp3", "c.mp3"}}, {Reason::Done, Reason::Skipped, Reason::Done}},
      {"a target that exists", {"a.mp3", "B - y.mp3"}, {Source(d + "a.mp3", "B", "y")}, {W::Artist, W::Title},
       {{"a.mp3", "a.mp3"}, {"B - y.mp3", "B - y.mp3"}}, {Reason::TargetExists}},
      {"two files for one name", {"a.mp3", "b.mp3"}, {Source(d + "a.mp3", "S", ""), Source(d + "b.mp3", "S", "")}, {W::Artist},
       {{"S.mp3", "a.mp3"}, {"b.mp3", "b.mp3"}}, {Reason::Done, Reason::TargetExists}},
      {"a name with a slash, one of dots", {"a.mp3", "b.mp3"}, {Source(d + "a.mp3", "AC/DC", ""), Source(d + "b.mp3", "..", "")},
       {W::Artist}, {{"ACDC.mp3", "a.mp3"}, {"b.mp3", "b.mp3"}}, {Reason::Done, Reason::NameNotUsable}}};
  auto& fs = formats::FileSystem::standard();
  for (const auto& c : cases) {
    clear();
    for (const std::string& name : c.files) support::WriteFileBytes(at(name), name);
    EXPECT_EQ(ReasonsOf(RunRenames(PlanRenames(c.sources, c.sources.size(), c.words, " - ", fs), fs)), c.reasons) << c.what;
    EXPECT_EQ(files(), c.after) << c.what;
  }
}

TEST_F(BatchRuns, FillingFromNamesSavesEveryFieldAndSkipsWhatItMust) {
  const std::string named = song("07 - Some Band - First Song.mp3", {}, [](auto& t) { t.setComposer("Keeps"); }),
                    v1Only = song("08 - Other - Second.mp3", [](auto& t) { t.setSongTitle("Old"); });
  FillOptions options;
  options.words = {W::Number, W::Artist, W::Title};
  const struct { const char* what; std::string path; bool noTagOnly; Reason reason; int error; } cases[] = {
      {"tagged already", named, true, Reason::Skipped, 0}, {"an ID3v1.1 tag is a tag", v1Only, true, Reason::Skipped, 0},
      {"track above 255", song("300 - X - Y.mp3"), true, Reason::TrackOutOfRange, 0},
      {"the file vanished", at("01 - Gone - Away.mp3"), false, Reason::NotWritable, ENOENT}, {"saved", named, false, Reason::Done, 0},
  };
  for (const auto& c : cases) {
    options.noTagOnly = c.noTagOnly;
    const FileOutcome o = FillTagsFromNames({c.path}, options, reader(), {}).at(0).outcome;
    EXPECT_EQ(std::tie(o.reason, o.status.error, o.status.failure),
              std::make_tuple(c.reason, c.error, c.error ? formats::Failure::Io : formats::Failure::None)) << c.what;
  }
  const EditFields read = ReadFileIntoFields(named, {}, {}).fields;
  EXPECT_EQ(Names({read.track, read.artist, read.title, read.composer}), Names({"7", "Some Band", "First Song", "Keeps"}));
}

TEST_F(BatchRuns, RemovalDecidesByEachFilesOwnTags) {
  support::WriteFileBytes(at("front.png"), "\x89PNG\r\n\x1a\n picture");
  // Reasons for the files with both tags, an ID3v2 tag only, none; what is left: "12" both tags, "2p" an ID3v2 tag with a picture.
  const struct { RemoveWhat what; Reasons reasons; Names left; } cases[] = {
      {RemoveWhat::ID3V111, {Reason::Done, Reason::Skipped, Reason::Skipped}, {"2p", "2p", ""}},
      {RemoveWhat::ID3V230, {Reason::Done, Reason::Done, Reason::Skipped}, {"1", "", ""}},
      {RemoveWhat::Both, {Reason::Done, Reason::Done, Reason::Skipped}, {"", "", ""}},
      {RemoveWhat::Picture, {Reason::Done, Reason::Done, Reason::Skipped}, {"12", "12", ""}}};  // a save writes both tags
  const V2 v2 = [&](auto& t) { t.setSongTitle("Own"), t.setGraphic(at("front.png")), t.setGraphicType("3"); };
  for (const auto& c : cases) {
    SCOPED_TRACE(static_cast<int>(c.what));
    const Names paths = {song("both.mp3", [](auto& t) { t.setSongTitle("V1"); }, v2), song("v2.mp3", {}, v2), song("none.mp3")};
    EXPECT_EQ(ReasonsOf(RemoveTags(paths, c.what, 3, reader(), {})), c.reasons);
    Names left;
    for (const std::string& path : paths) {
      const FileReading read = ReadFileIntoFields(path, {}, {});
      left.push_back(std::string(read.v1.TagPresent ? "1" : "") + (read.v2.TagPresent ? "2" : "") + (read.pictures.empty() ? "" : "p"));
      EXPECT_EQ(read.v2.SongTitle, read.v2.TagPresent ? "Own" : "");
      EXPECT_NE(support::ReadFileBytes(path).find("audio of"), std::string::npos);
    }
    EXPECT_EQ(left, c.left);
  }
}

TEST_F(BatchRuns, MergeStreamsTheAudioInPlayOrderIntoOneTaggedAlbum) {
  const struct { const char* what; bool firstTagged, finalTaken; std::string album; } cases[] = {
      {"dragged order", true, false, "Night Ferry - Harbour Lights (1981).mp3"},
      {"first file without tags", false, false, "merged.mp3"}, {"final name taken", true, true, "_merged.mp3"}};
  const V2 tags = [](auto& t) { t.setArtist("Night Ferry"), t.setAlbum("Harbour Lights"), t.setYear("1981"); };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    clear();
    song("first.mp3", [](auto& t) { t.setSongTitle("1"); }, tags);
    song("second.mp3", {}, tags);
    song("third.mp3", {}, c.firstTagged ? tags : nullptr);
    support::WriteFileBytes(at("first_tmp.mp3"), "not to be touched");
    if (c.finalTaken) support::WriteFileBytes(at("Night Ferry - Harbour Lights (1981).mp3"), "taken");
    const Files before = files();
    const MergeResult result = MergeAlbum(PlanMerge(folder, {"third.mp3", "first.mp3", "second.mp3"}, " - ", {}, reader()), {});
    EXPECT_EQ(std::tie(result.album, result.atTarget), std::make_tuple(at(c.album), !c.finalTaken));
    Files after = files();
    const std::string album = after[c.album];
    after.erase(c.album);
    EXPECT_EQ(after, before);  // sources, the _tmp file and a taken name unchanged
    const FileReading read = ReadFileIntoFields(at(c.album), {}, {});
    const std::string title = c.firstTagged ? "Harbour Lights" : "merged";
    EXPECT_EQ(Names({read.v2.SongTitle, read.v2.Album, read.v2.Comment, TrimBlanks(read.v1.Album)}),
              Names({title, title, MergedComment, title}));
    // Nothing between the audio and the ID3v1.1 tag.
    const std::string joined = "audio of third.mp3audio of first.mp3audio of second.mp3";
    EXPECT_EQ(album.size() >= joined.size() + 128 ? album.substr(album.size() - joined.size() - 128, joined.size()) : "", joined);
  }
}

TEST_F(BatchRuns, MergeJoinsAtMost101FilesAndNamesTheOthers) {
  Names names;
  for (int i = 0; i < 103; ++i) names.push_back(core::FileNameOf(song("s" + std::to_string(1000 + i) + ".mp3")));
  const MergeResult result = MergeAlbum(PlanMerge(folder, names, " - ", {}, reader()), {});
  Reasons reasons(101, Reason::Done);
  reasons.resize(103, Reason::LeftOut);
  EXPECT_EQ(ReasonsOf(result.outcomes), reasons);
  const std::string album = support::ReadFileBytes(at("merged.mp3"));
  EXPECT_NE(album.find("audio of s1100.mp3"), std::string::npos);
  EXPECT_EQ(album.find("audio of s1101.mp3"), std::string::npos);
}

// Each kind of run, whole or cancelled on its first file (a merge then makes no album), is undone
// byte for byte; what it created goes to the trash.
TEST_F(BatchRuns, EachKindOfRunIsCancelledBetweenTwoFilesAndUndone) {
  using Run = std::function<Reasons(JournalRun&, const Names&, const Progress&, const CancelToken*)>;
  auto& fs = formats::FileSystem::standard();
  const std::string playlist = PlaylistPath(folder);
  FillOptions byTitle;
  byTitle.words = {W::Title};
  // inTrash: files the undo of the whole run moves to the trash; cancelled: none when the run has no Cancel.
  const struct { const char* kind; Run run; std::size_t inTrash; Reasons cancelled; } cases[] = {
      {"held fields saved over many", [](JournalRun&, const Names& paths, auto&, auto) {
         for (const std::string& path : paths) save(path);
         return Reasons{};
       }, 0, {}},
      {"tags from names", [&](JournalRun&, const Names& paths, const Progress& progress, const CancelToken* cancel) {
         Reasons reasons;
         for (const FillStep& step : FillTagsFromNames(paths, byTitle, reader(), {}, progress, {}, cancel)) reasons.push_back(step.outcome.reason);
         return reasons;
       }, 0, {Reason::Done, Reason::Cancelled, Reason::Cancelled}},
      {"names from tags", [&](JournalRun& run, const Names& paths, const Progress& progress, const CancelToken* cancel) {
         std::vector<RenameSource> sources;
         for (const std::string& path : paths) sources.push_back({path, true, reader()(path).fields});
         const RenamePlan done = RunRenames(PlanRenames(sources, sources.size(), {W::Number, W::Title}, " - ", fs), fs, progress, cancel);
         RecordRenames(run, done);
         return ReasonsOf(done);
       }, 0, {Reason::Done, Reason::Cancelled, Reason::Cancelled}},
      {"removal of both tags", [](JournalRun&, const Names& paths, const Progress& progress, const CancelToken* cancel) {
         return ReasonsOf(RemoveTags(paths, RemoveWhat::Both, 3, reader(), {}, progress, false, {}, cancel));
       }, 0, {Reason::Done, Reason::Cancelled, Reason::Cancelled}},
      {"merge", [this](JournalRun& run, const Names&, const Progress& progress, const CancelToken* cancel) {
         const MergeResult result = MergeAlbum(PlanMerge(folder, {"c.mp3", "a.mp3"}, " - ", {}, reader()), {}, progress, cancel);
         if (!result.album.empty()) run.created(result.album);
         return ReasonsOf(result.outcomes);
       }, 1, {Reason::Cancelled, Reason::Cancelled}},
      {"delete to the trash", [](JournalRun& run, const Names& paths, auto&, auto) {
         for (const std::string& path : {paths[1], paths[2]}) {
           std::string trashed;
           EXPECT_TRUE(MoveToHomeTrash(path, trashed));
           run.trashed(path, trashed);
         }
         return Reasons{};
       }, 0, {}},
      {"playlist replaced", [&](JournalRun&, const Names& paths, auto&, auto) {
         EXPECT_EQ(WritePlaylist(fs, playlist, PlaylistText(PlaylistLines(paths, reader(), {})), true), PlaylistWrite::Written);
         return Reasons{};
       }, 0, {}}};
  for (const auto& c : cases) {
    for (const bool cancelling : {false, true}) {
      if (cancelling && c.cancelled.empty()) continue;
      SCOPED_TRACE(std::string(c.kind) + (cancelling ? ", cancelled" : ""));
      const support::ScopedDataHome data;
      Journal journal;
      const Names paths = songs();
      support::WriteFileBytes(playlist, "#EXTM3U\nold.mp3\n");
      const Files before = files();
      CancelToken cancel;
      JournalRun run = journal.begin(c.kind, paths, {playlist});  // a playlist the run may replace is kept whole
      const Reasons reasons = c.run(run, paths, [&](std::size_t, std::size_t) { if (cancelling) cancel.cancel(); }, &cancel);
      run.finish();
      const Files after = files();
      std::size_t same = 0;
      for (const auto& [name, bytes] : after) same += before.count(name) && before.at(name) == bytes;
      if (cancelling) {
        EXPECT_EQ(reasons, c.cancelled);
        EXPECT_EQ(after.size(), before.size());
        EXPECT_EQ(same, before.size() - std::count(reasons.begin(), reasons.end(), Reason::Done));
      } else {
        EXPECT_FALSE(after == before) << "the run changed nothing";
      }
      const UndoResult undone = journal.undoLast(MoveToHomeTrash);
      EXPECT_TRUE(undone.found && undone.changed.empty() && undone.failed.empty());
      EXPECT_TRUE(files() == before);
      EXPECT_EQ(support::FolderEntries(data / "Trash/files").size(), cancelling ? 0 : c.inTrash);
      EXPECT_EQ(support::FolderEntries(data / "Trash/info").size(), cancelling ? 0 : c.inTrash);
      EXPECT_FALSE(journal.undoLast(MoveToHomeTrash).found) << "the run is undone once";
    }
  }
}

// A file changed since the run is left and named; a damaged record's run gives way to the one before.
TEST_F(BatchRuns, UndoLeavesAChangedFileAndSkipsADamagedRecord) {
  namespace fs = std::filesystem;
  const auto cut = [](const std::string& path) { fs::resize_file(path, fs::file_size(path) - 1); };
  const auto grow = [](const std::string& path) { support::WriteFileBytes(path, support::ReadFileBytes(path) + "x"); };
  using Change = std::function<void(const std::string& first, const std::string& second, const std::string& b)>;
  const struct { const char* change; Change apply; const char* undone; } cases[] = {
      {"b.mp3 grown", [&](auto&, auto&, auto& b) { grow(b); }, "second"},
      {"b.mp3 the same size, new time",
       [](auto&, auto&, auto& b) { fs::last_write_time(b, fs::last_write_time(b) - std::chrono::hours(1)); }, "second"},
      {"b.mp3 renamed away", [](auto&, auto&, auto& b) { ::rename(b.c_str(), (b + ".moved").c_str()); }, "second"},
      {"the .done of another run", [](auto& first, auto& second, auto&) {
         support::WriteFileBytes(second + ".done", support::ReadFileBytes(first + ".done"));
       }, "first"},
      {"snapshot cut short", [&](auto&, auto& second, auto&) { cut(second + ".snap"); }, "first"},
      {".done cut short", [&](auto&, auto& second, auto&) { cut(second + ".done"); }, "first"},
      {"bytes after the snapshot", [&](auto&, auto& second, auto&) { grow(second + ".snap"); }, "first"},
      {"bytes after the .done", [&](auto&, auto& second, auto&) { grow(second + ".done"); }, "first"}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.change);
    const support::ScopedDataHome data;
    Journal journal;
    const Names paths = songs();
    const Files before = files();
    journal.begin("first", {paths[0]}).finish();
    JournalRun run = journal.begin("second", paths);
    for (const std::string& path : paths) save(path);
    run.finish();
    const std::vector<JournalListing> runs = journal.list();
    ASSERT_EQ(runs.size(), 2u);
    c.apply(journal.folder() + runs[0].name, journal.folder() + runs[1].name, paths[1]);
    const bool damaged = std::string(c.undone) == "first";
    std::size_t complete = 0;
    for (const JournalListing& listed : journal.list()) complete += listed.complete;
    EXPECT_EQ(complete, damaged ? 1u : 2u);
    Files expected = files();
    const UndoResult undone = journal.undoLast(MoveToHomeTrash, damaged);
    EXPECT_EQ(undone.title, c.undone);
    if (damaged) continue;
    EXPECT_EQ(undone.changed, Names{paths[1]});
    EXPECT_EQ(undone.restored, (Names{paths[2], paths[0]}));
    expected["a.mp3"] = before.at("a.mp3"), expected["c.mp3"] = before.at("c.mp3");
    EXPECT_TRUE(files() == expected);
  }
}

// Undo failing at each step in turn: the file holds the run's bytes or the restored ones, no work file stays.
TEST_F(BatchRuns, UndoFailingAtEachStepLeavesTheRunsBytesOrTheRestoredOnes) {
  const std::string path = song("song.mp3", {}, [](auto& t) { t.setSongTitle("old"); }), before = support::ReadFileBytes(path);
  save(path);
  const std::string after = support::ReadFileBytes(path);
  support::TempDir journals;
  support::FailingFileSystem failing;
  bool restored = false;
  int step = 1;
  for (; !restored && step < 40; ++step) {
    SCOPED_TRACE(step);
    ASSERT_TRUE(support::WriteFileBytes(path, before));
    const std::string own = journals.file(std::to_string(step)) + "/";  // this step's run alone
    JournalRun run = Journal(own).begin("save", {path});
    ASSERT_TRUE(support::WriteFileBytes(path, after));
    run.finish();
    failing.reset();
    failing.failAt(step);
    const UndoResult undone = Journal(own, {}, failing).undoLast({});
    const std::string now = support::ReadFileBytes(path);
    restored = now == before;
    EXPECT_TRUE(restored || now == after);
    EXPECT_EQ(undone.restored.size(), restored ? 1U : 0U);
    EXPECT_EQ(undone.failed.size(), undone.found && !restored ? 1U : 0U);  // a failure is named
    EXPECT_EQ(support::FolderEntries(temp.path()), Names{"song.mp3"});
  }
  EXPECT_TRUE(restored) << "no step left to fail";
  EXPECT_GT(step, 8);  // the reads of the journal, the work file's steps and its replace failed in turn
}

// The last runs up to the count and the size; a run larger than the journal is not recorded.
TEST_F(BatchRuns, TheJournalKeepsTheLastRunsWithinItsLimits) {
  const Names paths = songs();
  std::uint64_t oneRun = 0, snapshot = 0;  // a run's records, and the one written at its begin
  {
    const support::ScopedDataHome data;
    Journal journal;
    journal.begin("0", paths).finish();  // a title as long as those below
    for (const std::string& name : support::FolderEntries(journal.folder())) {
      oneRun += support::ReadFileBytes(journal.folder() + name).size();
      if (name.find(".snap") != std::string::npos) snapshot = support::ReadFileBytes(journal.folder() + name).size();
    }
  }
  // Runs "0" to runs - 1 are recorded, those from firstKept on kept.
  const struct { const char* limit; JournalLimits limits; std::size_t runs, firstKept; } cases[] = {
      {"count", {3, 1u << 30}, 5, 2}, {"twenty runs by default", {}, 22, 2}, {"size: two runs fit", {20, 2 * oneRun + 10}, 4, 2},
      {"size: one run too large", {20, oneRun / 2}, 2, 2},
      {"size: the newest run stays though its record passes the limit", {20, snapshot - 1}, 2, 1}};
  for (const auto& c : cases) {
    const support::ScopedDataHome data;
    Journal journal(DefaultJournalFolder(), c.limits);
    Names titles, kept;
    for (std::size_t i = 0; i < c.runs; ++i) journal.begin(std::to_string(i), paths).finish();
    for (std::size_t i = c.firstKept; i < c.runs; ++i) kept.push_back(std::to_string(i));
    for (const JournalListing& run : journal.list()) titles.push_back(run.title);
    EXPECT_EQ(titles, kept) << c.limit;
  }
}

// Killed saves leave each file old or new and a work file that is no MP3 file; killed records, no undo.
TEST_F(BatchRuns, SavesAndRecordsKilledAtRandomMomentsLeaveWholeFiles) {
  EditFields fields;
  fields.title = "saved", fields.artist = "Night Ferry", fields.comment = std::string(300, 'c');
  Names names;
  Files before, after;  // each file unsaved and saved
  support::TempDir reference;
  const auto pass = std::chrono::steady_clock::now();
  for (int i = 0; i < 8; ++i) {
    const std::string name = names.emplace_back("f0" + std::to_string(i) + ".mp3");
    before[name] = "audio of " + name + formats::SilentMpegFrames(formats::FramesForSeconds(20 + i));
    support::WriteFileBytes(reference / name, before[name]);
    ASSERT_TRUE(SaveTagsToFile(reference / name, fields, std::vector<core::PictureRecord>(1)));
    after[name] = support::ReadFileBytes(reference / name);
  }
  const auto passTime = std::chrono::duration_cast<std::chrono::microseconds>(std::chrono::steady_clock::now() - pass).count();
  const auto killedAfter = [](long long microseconds, const std::function<void()>& child) {
    const pid_t pid = ::fork();
    ASSERT_GE(pid, 0);
    if (pid == 0) child(), ::_exit(0);
    std::this_thread::sleep_for(std::chrono::microseconds(microseconds));
    support::KillAndReap(pid);
  };
  std::mt19937 random(std::random_device{}());
  int leftBehind = 0;
  for (int round = 0; round < 24; ++round) {
    clear();
    for (const auto& [name, bytes] : before) support::WriteFileBytes(at(name), bytes);
    const auto delay = std::uniform_int_distribution<long long>(0, passTime)(random);
    SCOPED_TRACE("round " + std::to_string(round) + ", killed after " + std::to_string(delay) + " us");
    killedAfter(delay, [&] {
      for (const std::string& name : names) SaveTagsToFile(at(name), fields, std::vector<core::PictureRecord>(1));
    });
    for (const std::string& name : names)
      EXPECT_TRUE(std::set<std::string>({before[name], after[name]}).count(support::ReadFileBytes(at(name)))) << name;
    EXPECT_EQ(core::ListMp3Files(temp.path()), names);
    leftBehind += support::FolderEntries(temp.path()) != names;
    formats::FileSystem::standard().removeLeftWorkFiles(folder);
    EXPECT_EQ(support::FolderEntries(temp.path()), names);
  }
  EXPECT_GT(leftBehind, 0);  // the kills did strike inside saves

  const Names paths = songs();
  const Files untouched = files();
  JournalRun first = Journal().begin("first", {paths[0]});
  save(paths[0]);
  first.finish();
  const JournalLimits many{100000, 1ull << 40};
  for (int round = 0; round < 6; ++round) {
    killedAfter(5000 + random() % 40000, [&] {
      Journal journal(DefaultJournalFolder(), many);
      for (;;) journal.begin("child", {paths[1], paths[2]}).finish();
    });
    Journal journal(DefaultJournalFolder(), many);
    std::size_t unfinished = 0;  // each kill leaves at most one run without its finish
    for (const JournalListing& run : journal.list()) unfinished += !run.complete;
    EXPECT_LE(unfinished, std::size_t(round + 1));
    const UndoResult undone = journal.undoLast(MoveToHomeTrash, true);
    ASSERT_TRUE(undone.found);
    EXPECT_TRUE(undone.restored.size() == (undone.title == "first" ? 1u : 2u) && undone.changed.empty() && undone.failed.empty());
  }
  Journal journal(DefaultJournalFolder(), many);
  for (UndoResult undone; undone.title != "first";) ASSERT_TRUE((undone = journal.undoLast(MoveToHomeTrash)).found);
  EXPECT_TRUE(files() == untouched);
}

TEST_F(BatchRuns, PlaylistBytesFollowTheOrder) {
  const std::string more = "\xD0\x9C\xD0\xBE\xD1\x80\xD0\xB5";  // "More" in Cyrillic, in an ID3v2 tag only, as UTF-16
  const Names paths = {song("01 Harbour.mp3", "Night Ferry", "Harbour", 3), song("02 " + more + ".mp3", "Ada Brandt", more, 5, false),
                       song("03 x.mp3", "", "", 2)};
  const std::string text = PlaylistText(PlaylistLines({paths[1], paths[0], paths[2]}, reader(), {}));
  auto& fs = formats::FileSystem::standard();
  ASSERT_EQ(WritePlaylist(fs, PlaylistPath(folder), text, false), PlaylistWrite::Written);
  const std::string written = support::ReadFileBytes(folder + core::FileNameOf(temp.path()) + ".m3u8");
  EXPECT_EQ(written, "#EXTM3U\n"
                     "#EXTINF:5,Ada Brandt - " + more + "\n"
                     "02 " + more + ".mp3\n"
                     "#EXTINF:3,Night Ferry - Harbour\n"
                     "01 Harbour.mp3\n"
                     "#EXTINF:2,03 x\n"
                     "03 x.mp3\n");
  EXPECT_EQ(WritePlaylist(fs, PlaylistPath(folder), "#EXTM3U\n", false), PlaylistWrite::Exists);
  EXPECT_EQ(support::ReadFileBytes(PlaylistPath(folder)), written) << "replaced unasked";
  // A line end inside a tag would start an entry of its own.
  EXPECT_EQ(PlaylistText({{"a.mp3", 1, "A\r\nB", "T\nU"}}), "#EXTM3U\n#EXTINF:1,A  B - T U\na.mp3\n");
}

}  // namespace
}  // namespace tagging
