// The batch jobs: the name rules (file names into fields, fields into file names), and on
// real files renames through the plan, tags from names, removal by each file's own tags,
// and the streaming album merge.
#include <gtest/gtest.h>

#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <map>
#include <random>
#include <thread>

#include "formats/ID3V111.h"
#include "formats/ID3V230Writer.h"
#include "formats/MP3HeadReader.h"
#include "formats/SilentMpeg.h"
#include "core/Paths.h"
#include "support/FileHelpers.h"
#include "support/Process.h"
#include "support/TempDir.h"
#include "tagging/BatchFill.h"
#include "tagging/BatchNames.h"
#include "tagging/BatchRename.h"
#include "tagging/FileReading.h"
#include "tagging/Merge.h"
#include "tagging/Removal.h"
#include "tagging/TagSaveRules.h"

namespace tagging {
namespace {

using Names = std::vector<std::string>;
using W = DetectWord;

class BatchJobs : public ::testing::Test {
 protected:
  std::string at(const std::string& name) const { return temp.path() + "/" + name; }
  // A file whose audio is its own name, with the tags the setters give.
  std::string song(const std::string& name, const std::function<void(formats::clsID3V111Writer&)>& v1 = {},
                   const std::function<void(formats::clsID3V230Writer&)>& v2 = {}) {
    support::WriteFileBytes(at(name), "audio of " + name);
    if (v1) {
      formats::clsID3V111Writer writer;
      v1(writer);
      writer.WriteID3V111Tag(at(name));
    }
    if (v2) {
      formats::clsID3V230Writer writer;
      v2(writer);
      EXPECT_TRUE(writer.WriteID3V230Tag(at(name)));
    }
    return at(name);
  }
  ViewReader reader() { return FileViewReader({}, {}, {}); }
  std::map<std::string, std::string> folder() const {
    std::map<std::string, std::string> files;
    for (const std::string& name : support::FolderEntries(temp.path())) files[name] = support::ReadFileBytes(at(name));
    return files;
  }
  support::TempDir temp;
};

TEST(BatchNames, NamePiecesFillTheFieldsTheWordsName) {
  struct Case {
    const char* what;
    DetectList words;
    std::string separator, name;
    double skip;
    std::string track, artist, title, album;
  };
  const std::vector<Case> cases = {
      {"worked example", {W::Number, W::Artist, W::Title}, " - ", "07 - Some Band - First Song", 0, "07", "Some Band", "First Song", "old"},
      {"skip 4", {W::Artist, W::Title}, " - ", "01. Some Band - First Song", 4, "old", "Some Band", "First Song", "old"},
      {"fewer pieces", {W::Artist, W::Title, W::Album}, " - ", "Some Band - First Song", 0, "old", "Some Band", "First Song", ""},
      {"more pieces", {W::Artist, W::Title}, " - ", "A - B - C - D", 0, "old", "A", "B", "old"},
      {"empty separator", {W::Artist, W::Title}, "", "A - B", 0, "old", "", "", "old"},
      {"blanks trimmed", {W::Title}, "_", "  x  _y", 0, "old", "old", "x", "old"},
      {"skip counts characters", {W::Title}, " - ", "\xC3\xA4\xC3\xB6" "Ende", 2, "old", "old", "Ende", "old"},
      {"skip beyond the name", {W::Title}, " - ", "kurz", 9, "old", "old", "kurz", "old"},
      {"skip rounds the rest", {W::Title}, " - ", "abcdef", 1.5, "old", "old", "cdef", "old"},
  };
  for (const Case& c : cases) {
    EditFields fields;
    fields.track = fields.artist = fields.title = fields.album = "old";
    ApplyNamePieces(fields, c.words, SkipCharacters(c.name, c.skip), c.separator);
    EXPECT_EQ(std::vector<std::string>({fields.track, fields.artist, fields.title, fields.album}),
              std::vector<std::string>({c.track, c.artist, c.title, c.album}))
        << c.what;
  }
}

TEST(BatchNames, NamesFromTagsAreNumberedAndUsable) {
  struct Case {
    const char* what;
    DetectList words;
    std::string artist, title;
    std::size_t number, listSize;
    std::optional<std::string> name;
  };
  const std::vector<Case> cases = {
      {"worked example", {W::Number, W::Artist, W::Title}, "A", "B: Live", 4, 12, "04 - A - B Live"},
      {"9 entries", {W::Number}, "", "", 9, 9, "9"},
      {"12 entries", {W::Number}, "", "", 1, 12, "01"},
      {"100 entries", {W::Number}, "", "", 7, 100, "007"},
      {"100 of 100", {W::Number}, "", "", 100, 100, "100"},
      {"slash and NUL", {W::Artist, W::Title}, "AC/DC", std::string("x\0y", 3), 1, 1, "ACDC - xy"},
      {"only dots", {W::Title}, "", "..", 1, 1, std::nullopt},
      {"one dot after cleaning", {W::Title}, "", " .? ", 1, 1, std::nullopt},
      {"empty", {W::Title}, "", "", 1, 1, std::nullopt},
      {"cleaned away", {W::Title}, "", "?,:\"", 1, 1, std::nullopt},
  };
  for (const Case& c : cases) {
    EditFields fields;
    fields.artist = c.artist;
    fields.title = c.title;
    EXPECT_EQ(UsableFileName(NameFromFields(fields, c.words, " - ", NumberText(c.number, c.listSize))), c.name) << c.what;
  }
  EXPECT_EQ(AlbumName("Night Ferry", "", "", "_"), "Night Ferry_merged");
}

RenameSource Source(const std::string& path, const std::string& artist, const std::string& title, bool tagged = true) {
  RenameSource source{path, tagged, {}};
  source.fields.artist = artist, source.fields.title = title;
  return source;
}

TEST_F(BatchJobs, RenamesNeverLoseOrReplaceAFile) {
  struct Case {
    const char* what;
    Names files;                   // created with their names as content
    std::vector<RenameSource> sources;
    DetectList words;
    std::map<std::string, std::string> after;  // name -> content
    std::vector<Reason> reasons;
  };
  const std::string d = temp.path() + "/";
  const std::vector<Case> cases = {
      {"reversed renumbering by Nr only", {"1.mp3", "2.mp3", "3.mp3"},
       {Source(d + "3.mp3", "", ""), Source(d + "2.mp3", "", ""), Source(d + "1.mp3", "", "")}, {W::Number},
       {{"1.mp3", "3.mp3"}, {"2.mp3", "2.mp3"}, {"3.mp3", "1.mp3"}}, {Reason::Done, Reason::Skipped, Reason::Done}},
      {"a file without tags keeps its name and its number", {"a.mp3", "b.mp3", "c.mp3"},
       {Source(d + "a.mp3", "A", "x"), Source(d + "b.mp3", "", "", false), Source(d + "c.mp3", "C", "z")},
       {W::Number, W::Artist},
       {{"1 - A.mp3", "a.mp3"}, {"b.mp3", "b.mp3"}, {"3 - C.mp3", "c.mp3"}}, {Reason::Done, Reason::Skipped, Reason::Done}},
      {"a target that exists", {"a.mp3", "B - y.mp3"}, {Source(d + "a.mp3", "B", "y")}, {W::Artist, W::Title},
       {{"a.mp3", "a.mp3"}, {"B - y.mp3", "B - y.mp3"}}, {Reason::TargetExists}},
      {"two files for one name", {"a.mp3", "b.mp3"}, {Source(d + "a.mp3", "S", ""), Source(d + "b.mp3", "S", "")},
       {W::Artist}, {{"S.mp3", "a.mp3"}, {"b.mp3", "b.mp3"}}, {Reason::Done, Reason::TargetExists}},
      {"a name with a slash, one of dots", {"a.mp3", "b.mp3"}, {Source(d + "a.mp3", "AC/DC", ""), Source(d + "b.mp3", "..", "")},
       {W::Artist}, {{"ACDC.mp3", "a.mp3"}, {"b.mp3", "b.mp3"}}, {Reason::Done, Reason::NameNotUsable}},
  };
  for (const Case& c : cases) {
    for (const std::string& name : support::FolderEntries(temp.path())) std::remove(at(name).c_str());
    for (const std::string& name : c.files) support::WriteFileBytes(at(name), name);
    const RenamePlan done = RunRenames(PlanRenames(c.sources, c.sources.size(), c.words, " - ", formats::FileSystem::standard()),
                                       formats::FileSystem::standard());
    std::vector<Reason> reasons;
    for (const FileOutcome& outcome : done) reasons.push_back(outcome.reason);
    EXPECT_EQ(reasons, c.reasons) << c.what;
    EXPECT_EQ(folder(), c.after) << c.what;
  }
}

TEST_F(BatchJobs, FillingFromNamesSavesEveryFieldAndSkipsWhatItMust) {
  const std::string named = song("07 - Some Band - First Song.mp3", {}, [](auto& t) { t.setComposer("Keeps"); });
  const std::string v1Only = song("08 - Other - Second.mp3", [](auto& t) { t.setSongTitle("Old"); });
  const std::string tooHigh = song("300 - X - Y.mp3");
  FillOptions options;
  options.words = {W::Number, W::Artist, W::Title};
  options.noTagOnly = true;
  const auto steps = FillTagsFromNames({named, v1Only, tooHigh}, options, reader(), {});
  EXPECT_EQ(steps[0].outcome.reason, Reason::Skipped);  // tagged already
  EXPECT_EQ(steps[1].outcome.reason, Reason::Skipped);  // an ID3v1.1 tag is a tag
  EXPECT_EQ(steps[2].outcome.reason, Reason::TrackOutOfRange);

  options.noTagOnly = false;
  EXPECT_EQ(FillTagsFromNames({named}, options, reader(), {})[0].outcome.reason, Reason::Done);
  const auto gone = FillTagsFromNames({at("01 - Gone - Away.mp3")}, options, reader(), {});
  EXPECT_EQ(gone[0].outcome.reason, Reason::NotWritable);
  EXPECT_EQ(gone[0].outcome.status.failure, formats::Failure::Io);
  EXPECT_EQ(gone[0].outcome.status.error, ENOENT) << "the file vanished";
  const FileReading read = ReadFileIntoFields(named, {}, {});
  EXPECT_EQ(read.fields.track + read.fields.artist + "|" + read.fields.title + "|" + read.fields.composer, "7Some Band|First Song|Keeps");
}

TEST_F(BatchJobs, RemovalDecidesByEachFilesOwnTags) {
  const std::string png = at("front.png");
  support::WriteFileBytes(png, "\x89PNG\r\n\x1a\n picture");
  struct Case {
    RemoveWhat what;
    std::vector<Reason> reasons;  // both tags, ID3v2 only, none
    std::vector<std::string> left;  // "12" = ID3v1 and ID3v2 left, "2p" = ID3v2 with a picture
  };
  const std::vector<Case> cases = {
      {RemoveWhat::ID3V111, {Reason::Done, Reason::Skipped, Reason::Skipped}, {"2p", "2p", ""}},
      {RemoveWhat::ID3V230, {Reason::Done, Reason::Done, Reason::Skipped}, {"1", "", ""}},
      {RemoveWhat::Both, {Reason::Done, Reason::Done, Reason::Skipped}, {"", "", ""}},
      {RemoveWhat::Picture, {Reason::Done, Reason::Done, Reason::Skipped}, {"12", "12", ""}},  // a save writes both tags
  };
  for (const Case& c : cases) {
    const auto v2 = [&](formats::clsID3V230Writer& t) {
      t.setSongTitle("Own"), t.setGraphic(png), t.setGraphicType("3");
    };
    const Names paths = {song("both.mp3", [](auto& t) { t.setSongTitle("V1"); }, v2), song("v2.mp3", {}, v2),
                         song("none.mp3")};
    const auto outcomes = RemoveTags(paths, c.what, 3, reader(), {});
    for (std::size_t i = 0; i < paths.size(); ++i) {
      EXPECT_EQ(outcomes[i].reason, c.reasons[i]) << static_cast<int>(c.what) << " " << paths[i];
      const FileReading read = ReadFileIntoFields(paths[i], {}, {});
      const std::string left = std::string(read.v1.TagPresent ? "1" : "") + (read.v2.TagPresent ? "2" : "") +
                               (read.pictures.empty() ? "" : "p");
      EXPECT_EQ(left, c.left[i]) << static_cast<int>(c.what) << " " << paths[i];
      EXPECT_EQ(read.v2.SongTitle, read.v2.TagPresent ? "Own" : "");
      EXPECT_NE(support::ReadFileBytes(paths[i]).find("audio of"), std::string::npos);
    }
  }
}

TEST_F(BatchJobs, MergeStreamsTheAudioInPlayOrderIntoOneTaggedAlbum) {
  struct Case {
    const char* what;
    bool firstTagged;
    bool finalTaken;
    std::string album;
  };
  const std::vector<Case> cases = {
      {"dragged order", true, false, "Night Ferry - Harbour Lights (1981).mp3"},
      {"first file without tags", false, false, "merged.mp3"},
      {"final name taken", true, true, "_merged.mp3"},
  };
  for (const Case& c : cases) {
    for (const std::string& name : support::FolderEntries(temp.path())) std::remove(at(name).c_str());
    const auto tags = [&](formats::clsID3V230Writer& t) {
      t.setArtist("Night Ferry"), t.setAlbum("Harbour Lights"), t.setYear("1981");
    };
    song("first.mp3", [](auto& t) { t.setSongTitle("1"); }, tags);
    song("second.mp3", {}, tags);
    song("third.mp3", {}, c.firstTagged ? std::function<void(formats::clsID3V230Writer&)>(tags) : nullptr);
    support::WriteFileBytes(at("first_tmp.mp3"), "not to be touched");
    if (c.finalTaken) support::WriteFileBytes(at("Night Ferry - Harbour Lights (1981).mp3"), "taken");
    const auto before = folder();

    const MergePlan plan = PlanMerge(temp.path() + "/", {"third.mp3", "first.mp3", "second.mp3"}, " - ", {}, reader());
    const MergeResult result = MergeAlbum(plan, {});
    EXPECT_EQ(result.album, at(c.album)) << c.what;
    EXPECT_EQ(result.atTarget, !c.finalTaken) << c.what;
    auto after = folder();
    const std::string album = after[c.album];
    after.erase(c.album);
    EXPECT_EQ(after, before) << c.what;  // sources, the _tmp file and a taken name unchanged

    const FileReading read = ReadFileIntoFields(at(c.album), {}, {});
    const std::string title = c.firstTagged ? "Harbour Lights" : "merged";
    EXPECT_EQ(read.v2.SongTitle + "|" + read.v2.Album + "|" + read.v2.Comment + "|" + TrimBlanks(read.v1.Album),
              title + "|" + title + "|" + MergedComment + "|" + title) << c.what;
    const std::string joined = "audio of third.mp3audio of first.mp3audio of second.mp3";
    const std::size_t audio = album.find(joined);
    EXPECT_NE(audio, std::string::npos) << c.what;
    EXPECT_EQ(album.size() - audio, joined.size() + 128) << c.what;  // nothing between the audio and the ID3v1.1 tag
  }
  // mutagen reads the album's ID3v2.3 tag.
  EXPECT_EQ(support::RunPython("import sys; from mutagen.id3 import ID3; t = ID3(sys.argv[1]); print(t.version[:2], "
                               "t['TALB'].text[0])", {at("_merged.mp3")}), "(2, 3) Harbour Lights\n");
}

// A child saves many files through the shared save and is killed at a random moment
// (SIGKILL), again and again: every file is byte for byte its old or its new self, no
// listing takes what the killed save left for an MP3 file, and the next run over the
// folder removes it, so that the folder holds exactly its old names.
TEST_F(BatchJobs, ACancelStopsBetweenTwoFilesAndLeavesTheOthersAsTheyWere) {
  // Cancel is pressed while the first file is on: it is finished, the others are not begun.
  struct Case {
    const char* what;
    std::function<std::vector<Reason>(const Names&, const Progress&, const CancelToken&)> run;
    std::vector<Reason> reasons;
    std::size_t changed;  // files of the folder that differ afterwards
  };
  FillOptions fill;
  fill.words = {W::Title};
  const auto reasonsOf = [](const std::vector<FileOutcome>& outcomes) {
    std::vector<Reason> reasons;
    for (const FileOutcome& outcome : outcomes) reasons.push_back(outcome.reason);
    return reasons;
  };
  const std::vector<Case> cases = {
      {"tags from names",
       [&](const Names& paths, const Progress& progress, const CancelToken& cancel) {
         std::vector<FileOutcome> outcomes;
         for (const FillStep& step : FillTagsFromNames(paths, fill, reader(), {}, progress, {}, &cancel))
           outcomes.push_back(step.outcome);
         return reasonsOf(outcomes);
       },
       {Reason::Done, Reason::Cancelled, Reason::Cancelled}, 1},
      {"removal",
       [&](const Names& paths, const Progress& progress, const CancelToken& cancel) {
         return reasonsOf(RemoveTags(paths, RemoveWhat::Both, 3, reader(), {}, progress, false, {}, &cancel));
       },
       {Reason::Done, Reason::Cancelled, Reason::Cancelled}, 1},
      {"renames",
       [&](const Names& paths, const Progress& progress, const CancelToken& cancel) {
         std::vector<RenameSource> sources;
         for (const std::string& path : paths) sources.push_back(Source(path, "New", core::FileNameOf(path)));
         auto& fs = formats::FileSystem::standard();
         return reasonsOf(RunRenames(PlanRenames(sources, sources.size(), {W::Artist, W::Title}, " ", fs), fs, progress, &cancel));
       },
       {Reason::Done, Reason::Cancelled, Reason::Cancelled}, 1},
      {"merge, which makes no album",
       [&](const Names& paths, const Progress& progress, const CancelToken& cancel) {
         MergePlan plan;
         plan.folder = temp.path() + "/", plan.sources = paths, plan.intermediate = at("merged.mp3");
         const MergeResult result = MergeAlbum(plan, {}, progress, &cancel);
         return reasonsOf(result.outcomes);
       },
       {Reason::Cancelled, Reason::Cancelled, Reason::Cancelled}, 0},
  };
  for (const Case& c : cases) {
    for (const std::string& name : support::FolderEntries(temp.path())) std::remove(at(name).c_str());
    const auto tag = [](formats::clsID3V111Writer& t) { t.setSongTitle("Old"); };
    const Names paths = {song("a.mp3", tag), song("b.mp3", tag), song("c.mp3", tag)};
    const auto before = folder();
    CancelToken cancel;
    EXPECT_EQ(c.run(paths, [&](std::size_t, std::size_t) { cancel.cancel(); }, cancel), c.reasons) << c.what;
    const auto after = folder();
    std::size_t same = 0;
    for (const auto& [name, bytes] : after) same += before.count(name) != 0 && before.at(name) == bytes;
    EXPECT_EQ(after.size(), before.size()) << c.what;
    EXPECT_EQ(same, before.size() - c.changed) << c.what;
  }
}

TEST_F(BatchJobs, SavesKilledAtRandomMomentsLeaveWholeFilesAndTheNextRunClearsUp) {
  EditFields fields;
  fields.title = "saved", fields.artist = "Night Ferry", fields.comment = std::string(300, 'c');
  Names names;
  std::map<std::string, std::string> before, after;
  support::TempDir reference;
  const auto pass = std::chrono::steady_clock::now();
  for (int i = 0; i < 8; ++i) {
    const std::string name = "f0" + std::to_string(i) + ".mp3";
    names.push_back(name);
    before[name] = "audio of " + name + formats::SilentMpegFrames(formats::FramesForSeconds(20 + i));
    support::WriteFileBytes(reference.file(name), before[name]);
    ASSERT_TRUE(SaveTagsToFile(reference.file(name), fields, std::vector<core::PictureRecord>(1)));
    after[name] = support::ReadFileBytes(reference.file(name));
  }
  const auto passMicroseconds = std::chrono::duration_cast<std::chrono::microseconds>(std::chrono::steady_clock::now() - pass).count();
  std::mt19937 random(std::random_device{}());
  int leftBehind = 0;
  for (int round = 0; round < 24; ++round) {
    for (const std::string& name : support::FolderEntries(temp.path())) std::remove(at(name).c_str());
    for (const auto& [name, bytes] : before) support::WriteFileBytes(at(name), bytes);
    const auto delay = std::uniform_int_distribution<long long>(0, passMicroseconds)(random);
    SCOPED_TRACE("round " + std::to_string(round) + ", killed after " + std::to_string(delay) + " us");
    const pid_t child = ::fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
      for (const std::string& name : names) SaveTagsToFile(at(name), fields, std::vector<core::PictureRecord>(1));
      ::_exit(0);
    }
    std::this_thread::sleep_for(std::chrono::microseconds(delay));
    support::KillAndReap(child);
    for (const std::string& name : names) {
      const std::string bytes = support::ReadFileBytes(at(name));
      EXPECT_TRUE(bytes == before[name] || bytes == after[name]) << name;
    }
    EXPECT_EQ(core::ListMp3Files(temp.path()), names);
    leftBehind += support::FolderEntries(temp.path()) != names;
    formats::FileSystem::standard().removeLeftWorkFiles(temp.folder());
    EXPECT_EQ(support::FolderEntries(temp.path()), names);
  }
  EXPECT_GT(leftBehind, 0);  // the kills did strike inside saves
}

TEST_F(BatchJobs, MergeJoinsAtMost101FilesAndNamesTheOthers) {
  Names names;
  for (int i = 0; i < 103; ++i) names.push_back(song("s" + std::to_string(1000 + i) + ".mp3"));
  for (std::string& name : names) name = name.substr(temp.path().size() + 1);
  const MergePlan plan = PlanMerge(temp.path() + "/", names, " - ", {}, reader());
  const MergeResult result = MergeAlbum(plan, {});
  ASSERT_EQ(result.outcomes.size(), 103u);
  EXPECT_EQ(result.outcomes[100].reason, Reason::Done);
  EXPECT_EQ(result.outcomes[101].reason, Reason::LeftOut);
  EXPECT_EQ(result.outcomes[102].reason, Reason::LeftOut);
  const std::string album = support::ReadFileBytes(at("merged.mp3"));
  EXPECT_NE(album.find("audio of s1100.mp3"), std::string::npos);
  EXPECT_EQ(album.find("audio of s1101.mp3"), std::string::npos);
}

}  // namespace
}  // namespace tagging
