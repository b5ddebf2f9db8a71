#include <gtest/gtest.h>

#include <functional>

#include <string>
#include <tuple>
#include <vector>

#include "formats/ID3V111.h"
#include "formats/ID3V230Reader.h"
#include "formats/ID3V230Writer.h"
#include "formats/MP3HeadReader.h"
#include "formats/SilentMpeg.h"
#include "tagging/ShownFile.h"
#include "tagging/TagSaveRules.h"
#include "support/FileHelpers.h"
#include "support/ID3V230Bytes.h"
#include "support/TempDir.h"

namespace tagging {
namespace {

core::PictureRecord Picture(const std::string& file, int type, const std::string& title) { return {file, type, title}; }

// The ID3v1.1 track and genre bytes from numbers as a user types them; the ID3v2.3 tag takes
// the texts as typed.
TEST(ConfigureWriters, TrackAndGenreOfTheID3V111Tag) {
  const int kept = 99;  // what the writer held before: an empty track leaves it
  const struct {
    const char *track, *genre;
    bool ok;
    int trackByte, genreByte;
  } cases[] = {
      {"7", "Jazz", true, 7, 8},       {"3/12", "", true, 3, 255},   {"", "Polka Noir", true, kept, 255},
      {"2.5", "blues", true, 2, 0},    {"3.5", " Blues", true, 4, 255}, {"255.4", "", true, 255, 255},
      {"-0.5", "", true, 0, 255},      {"256", "", false, 0, 0},     {"-1", "", false, 0, 0},
      {"255.5", "", false, 0, 0},      {"1e400", "", false, 0, 0},   {" 7 ", "", true, 7, 255},
      {".6", "", true, 1, 255},        {"25e-1", "", true, 2, 255},  {"+1E1", "", true, 10, 255},
      // Not numbers as a user types them: track 0.
      {"2,5", "", true, 0, 255},       {"1e", "", true, 0, 255},     {"&H10", "", true, 0, 255},
      {"inf", "", true, 0, 255},       {"/12", "", true, 0, 255},    {"256/300", "", false, 0, 0},
  };
  for (const auto& c : cases) {
    EditFields f;
    f.title = "A title of exactly forty characters long";
    f.track = c.track;
    f.genre = c.genre;
    f.urls = {"a", "b|c"};
    formats::clsID3V111Writer v1;
    formats::clsID3V230Writer v2;
    v1.setTrack(kept);
    ASSERT_EQ(ConfigureWriters(f, {}, formats::FileSystem::standard(), v1, v2), c.ok) << c.track;
    if (!c.ok) continue;
    EXPECT_EQ(std::make_pair(int{v1.Track()}, int{v1.Genre()}), std::make_pair(c.trackByte, c.genreByte)) << c.track << c.genre;
    EXPECT_EQ(v2.Track() + "/" + v2.Genre(), std::string(c.track) + "/" + c.genre);
    EXPECT_EQ(v1.SongTitle() + "/" + v2.SongTitle() + "/" + v2.URL(), f.title.substr(0, 30) + "/" + f.title + "/a|b|c");
    EXPECT_EQ(v2.Urls(), f.urls);  // one entry per address, a "|" inside one included
  }
}

TEST(JoinPictures, RefusesWhatCannotBeSaved) {
  support::TempDir dir;
  const std::string a = dir.file("a.jpg"), bar = dir.file("x|y.jpg");
  ASSERT_TRUE(support::WriteFileBytes(a, "A"));
  ASSERT_TRUE(support::WriteFileBytes(bar, "B"));
  auto& fs = formats::FileSystem::standard();
  std::vector<formats::PictureFile> got;
  ASSERT_TRUE(JoinPictures({{}, Picture(dir.file("gone.jpg"), 3, "gone"), Picture(a, 3, "a|b"), Picture(bar, 4, "c")},
                           fs, got));
  std::vector<std::tuple<std::string, int, std::string>> entries;
  for (const auto& p : got) entries.emplace_back(p.path, p.type, p.title);
  // A picture whose file is gone is left out; a "|" in a path or a description stays.
  EXPECT_EQ(entries, (std::vector<std::tuple<std::string, int, std::string>>{{a, 3, "a|b"}, {bar, 4, "c"}}));
  // A picture that is there but cannot be read would vanish from the file unseen.
  EXPECT_FALSE(JoinPictures({{}, Picture(dir.path(), 3, "a folder")}, fs, got)) << "an unreadable picture";
  EXPECT_FALSE(JoinPictures({{}, Picture(a, 256, "t")}, fs, got)) << "a type above 255";
  EXPECT_FALSE(JoinPictures({{}, Picture(a, -1, "t")}, fs, got)) << "a type below 0";
}

// A real MP3 file of silent frames, saved and read back with the format readers; a picture
// the writers cannot take fails the save instead of being left out.
TEST(SavedFile, ReadingBackGivesTheSavedFieldsAndTheSameAudio) {
  support::TempDir dir;
  const std::string audio = formats::SilentMpegFrames(20), path = dir.file("song.mp3");
  ASSERT_TRUE(support::WriteFileBytes(path, audio));
  // Every field, in the order of EditFields; the undecoded frames are shown only, never written.
  const EditFields saved{"A title of exactly forty characters long", "Artist", "Album", "Comment", "1999", "Jazz",
                         "7", "Orig", "Sub", "Comp", "(c)", "Enc", "deu", {"a", "b|c"}, "\"TPOS\"=1/2", "la\r\nla"};
  const std::string first = dir.file("first.jpg"), third = dir.file("third.png");
  ASSERT_TRUE(support::WriteFileBytes(first, "\xFF\xD8jpeg data"));
  ASSERT_TRUE(support::WriteFileBytes(third, "png data"));
  const std::vector<core::PictureRecord> list = {{}, Picture(first, 3, "front"), Picture(dir.file("gone.jpg"), 4, "back"),
                                                 Picture(third, 18, "draw|ing")};
  ASSERT_TRUE(SaveTagsToFile(path, saved, list));

  formats::clsID3V111Reader r1;
  r1.ReadID3V111Tag(path);
  formats::clsID3V230Reader r2;
  r2.ReadID3V230Tag(path);
  ASSERT_TRUE(r1.TagPresent() && r2.TagPresent());
  EditFields fromV1;
  FillFromTags(fromV1, HoldFlags{}, ValuesOf(r1), ID3V230Values{});
  EXPECT_EQ(fromV1.title, saved.title.substr(0, 30));
  EXPECT_EQ(std::tie(fromV1.artist, fromV1.album, fromV1.comment, fromV1.year, fromV1.genre, fromV1.track),
            std::tie(saved.artist, saved.album, saved.comment, saved.year, saved.genre, saved.track));
  EXPECT_EQ(r2.GraphicExtended(), "Front Cover|Illustration") << "the vanished picture leaves no empty slot";
  EXPECT_EQ(r2.Pictures().back().title, "draw|ing");
  EditFields shown;
  FillFromTags(shown, HoldFlags{}, ValuesOf(r1), ValuesOf(r2));
  EditFields expected = saved;
  expected.unknown.clear();
  EXPECT_EQ(shown, expected);

  const std::string all = support::ReadFileBytes(path);
  const std::size_t tag = formats::ID3V2TagSize(reinterpret_cast<const unsigned char*>(all.data()));
  ASSERT_TRUE(tag > 10 && tag + 128 <= all.size());
  EXPECT_EQ(all.substr(tag, all.size() - tag - 128), audio);
  EXPECT_EQ(support::FolderEntries(dir.path()), (std::vector<std::string>{"first.jpg", "song.mp3", "third.png"}));
  EXPECT_FALSE(SaveTagsToFile(path, EditFields{}, {{}, Picture(dir.path(), 3, "a folder")}));
  EXPECT_EQ(support::ReadFileBytes(path), all);
}

}  // namespace
}  // namespace tagging

namespace tagging {
namespace {

// The file on show is read, edited (its fields, or its pictures as the cover window changes
// them) and saved: only what changed is written. The unchanged artist keeps its UTF-16 frame
// (a new one would be ISO-8859-1) and a kept picture its frame, byte for byte.
TEST(ShownFile, TheSaveWritesWhatWasEditedAndKeepsTheRest) {
  support::TempDir dir;
  const std::string path = dir.file("song.mp3"), other = dir.file("other.mp3"), chosen = dir.file("chosen.png");
  ASSERT_TRUE(support::WriteFileBytes(chosen, "\x89PNG chosen picture"));
  const std::string artist = support::Frame("TPE1", support::Bytes("\x01" "\xFF\xFE" "A\0r\0t\0"));
  const std::string front = support::Frame("APIC", support::Bytes("\x00" "image/jpg\x00" "\x03" "Front\x00") + "jpeg picture");
  const std::string original = support::Tag({support::Frame("TIT2", support::Text("Old")), artist, front}) + support::Audio();
  const struct {
    const char* name;
    std::function<void(ShownFile&, EditFields&)> edit;
    const std::string& into;
    bool saved;
    std::string title;
    bool artistKept, frontKept, chosenIn;
  } rows[] = {
      {"nothing edited", {}, path, true, "Old", true, true, false},
      {"title typed", [](ShownFile&, EditFields& f) { f.title = "New"; }, path, true, "New", true, true, false},
      {"artist typed", [](ShownFile&, EditFields& f) { f.artist = "Bob"; }, path, true, "Old", false, true, false},
      {"picture loaded", [&](ShownFile& s, EditFields&) { s.choosePicture(3, chosen); }, path, true, "Old", true, false, true},
      {"picture added", [&](ShownFile& s, EditFields&) { s.choosePicture(4, chosen); }, path, true, "Old", true, true, true},
      {"picture deleted", [](ShownFile& s, EditFields&) { EXPECT_TRUE(s.removePicture(3)); }, path, true, "Old", true, false, false},
      {"another file", [](ShownFile&, EditFields& f) { f.title = "New"; }, other, false, "Old", true, true, false},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.name);
    ASSERT_TRUE(support::WriteFileBytes(path, original) && support::WriteFileBytes(other, original));
    ShownFile shown;
    shown.read(path, HoldFlags{}, {});
    EXPECT_EQ(SourceOf(shown.PictureList().at(1)), PictureSource::FileFrame);
    EditFields fields = shown.fields();
    if (row.edit) row.edit(shown, fields);
    shown.edited(fields);
    EXPECT_EQ(static_cast<bool>(shown.save(row.into, {}, {})), row.saved);
    const std::string bytes = support::ReadFileBytes(row.saved ? path : other);
    if (!row.saved) {
      EXPECT_EQ(bytes, original);
    }
    formats::clsID3V230Reader back;
    back.ReadID3V230Tag(path);
    EXPECT_EQ(back.SongTitle(), row.title);
    EXPECT_EQ(bytes.find(artist) != std::string::npos, row.artistKept);
    EXPECT_EQ(bytes.find(front) != std::string::npos, row.frontKept);
    EXPECT_EQ(bytes.find("chosen picture") != std::string::npos, row.chosenIn);
    // After the save the records name the frames where the file now holds them.
    EXPECT_EQ(shown.PictureList().size() - 1, back.Pictures().size());
    if (row.saved && !back.Pictures().empty()) {
      EXPECT_EQ(shown.PictureList()[1].StartPos, back.Pictures()[0].startPos);
    }
  }
}

}  // namespace
}  // namespace tagging
