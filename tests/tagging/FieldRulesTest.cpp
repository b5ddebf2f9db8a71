// The tags merged into the fields, the fields set into the writers, the save of the file on show.
#include "tagging/TaggingTest.h"

#include "formats/ID3V230Reader.h"
#include "tagging/FileInfoRules.h"
#include "tagging/ShownFile.h"

namespace tagging {
namespace {

// One field as the window shows it and as each tag holds it; v1 is null for ID3v2.3-only fields.
struct Field { std::string EditFields::*shown; std::string ID3V111Values::*v1; std::string ID3V230Values::*v2; };
const Field kTitle{&EditFields::title, &ID3V111Values::SongTitle, &ID3V230Values::SongTitle};
const Field kArtist{&EditFields::artist, &ID3V111Values::Artist, &ID3V230Values::Artist};
const Field kAlbum{&EditFields::album, &ID3V111Values::Album, &ID3V230Values::Album};
const Field kComment{&EditFields::comment, &ID3V111Values::Comment, &ID3V230Values::Comment};
const Field kYear{&EditFields::year, &ID3V111Values::Year, &ID3V230Values::Year};
const Field kGenre{&EditFields::genre, &ID3V111Values::Genre, &ID3V230Values::Genre};
const Field kUnknown{&EditFields::unknown, nullptr, &ID3V230Values::Unknown};

// Both tags present, each with the given text in the field (none where the pointer is null).
std::string Merged(const Field& field, const std::string& v1Text, const std::string& v2Text,
                   const std::array<bool, 5>& held = {}, const std::string& before = "x") {
  ID3V111Values v1;
  ID3V230Values v2;
  v1.TagPresent = v2.TagPresent = true;
  if (field.v1) v1.*field.v1 = v1Text;
  v2.*field.v2 = v2Text;
  EditFields f;
  f.*field.shown = before;
  FillFromTags(f, HoldFlags::FromIndexed(held), v1, v2);
  return f.*field.shown;
}

// The ID3v2.3 text replaces the ID3v1.1 text only when longer after trimming, in characters.
TEST(FillFromTags, MergeRulesOfTheFields) {
  const std::tuple<const char*, const char*, const char*> longer[] = {
      {"abc", "ABC", "abc"}, {"abc", "ABCD", "ABCD"}, {"abcd", "ABC", "abcd"}, {" abc ", "  abc  ", "abc"}, {"", "A", "A"}};
  for (const Field& field : {kTitle, kArtist, kAlbum, kComment})
    for (const auto& [v1, v2, expected] : longer) EXPECT_EQ(Merged(field, v1, v2), expected) << v1 << " / " << v2;
  const struct { const char* name; Field field; std::string v1, v2, expected; } rows[] = {
      {"Latin-1 length counts characters", kArtist, "M\xFCller", "Muellr", "M\xFCller"},
      {"UTF-8 length counts characters", kTitle, "Abcde", "\xE6\x9D\xB1\xE4\xBA\xAC", "Abcde"},
      {"one UTF-8 character more", kTitle, "Caf", "Caf\xC3\xA9", "Caf\xC3\xA9"},
      {"as long, and not its ID3v1.1 form", kTitle, "Cafe", "Caf\xC3\xA9", "Cafe"},
      {"the ID3v1.1 form gives way", kTitle, "??", "\xE6\x9D\xB1\xE4\xBA\xAC", "\xE6\x9D\xB1\xE4\xBA\xAC"},
      {"the euro sign became \"?\"", kArtist, "Caf?", "Caf\xE2\x82\xAC", "Caf\xE2\x82\xAC"},
      {"UTF-16 (FF FE) artist never replaces", kArtist, "Ab", std::string("\xFF\xFE" "A\0r\0t\0", 8), "Ab"},
      {"UTF-16 (FE FF) not even into an empty field", kArtist, "", std::string("\xFE\xFF\0A\0B", 6), ""},
      {"ID3v1.1 year 0 gives way", kYear, "0", "1999", "1999"}, {"empty ID3v1.1 year gives way", kYear, "", "1999", "1999"},
      {"ID3v1.1 year 1998 stays against 1999", kYear, "1998", "1999", "1998"},
      {"ID3v1.1 genre name", kGenre, "Jazz", "(13)", "Jazz"}, {"ID3v2.3 UTF-16 genre stays out", kGenre, "", "\xFF\xFEP", ""},
      {"ID3v2.3 genre fills an empty field unparsed", kGenre, "", "(13)Pop", "(13)Pop"},
      {"undecoded frames one per line", kUnknown, "", "\"TPOS\"=1/2|\"TXXX\"=A B", "\"TPOS\"=1/2\r\n\"TXXX\"=A B"}};
  for (const auto& r : rows) EXPECT_EQ(Merged(r.field, r.v1, r.v2), r.expected) << r.name;
}

// Each hold keeps its own field only, against both tags (an empty one but the genre) and a clearing.
TEST(FillFromTags, EachHoldKeepsItsOwnField) {
  const Field held[] = {kArtist, kAlbum, kComment, kYear, kGenre};
  for (int i = 0; i < 5; ++i) {
    std::array<bool, 5> only{}, others{true, true, true, true, true};
    only.at(i) = true, others.at(i) = false;
    EXPECT_EQ(Merged(held[i], "1999", "19999", only, "kept"), "kept") << i;
    EXPECT_EQ(Merged(held[i], "1999", "19999", only, ""), i == 4 ? "19999" : "") << i;
    EXPECT_NE(Merged(held[i], "1999", "19999", others, "kept"), "kept") << i;
    EditFields f, expected;
    f.title = f.artist = f.album = f.comment = f.year = f.genre = f.track = f.lyrics = "x";
    f.urls = {"u"};
    expected.*held[i].shown = "x";
    ClearFields(f, HoldFlags::FromIndexed(only));
    EXPECT_EQ(f, expected) << i;
  }
}

// By the tags present; one set of fields goes through all rows, each fill clears it first.
TEST(FillFromTags, TrackCommentTextUrlsAndTagFlags) {
  const struct { bool has1, has2; int track1, track2; const char *comment1, *track; std::optional<std::string> text; } rows[] = {
      {true, true, 5, 12, "c", "12", "ID3v2.3 text"},
      {true, false, 1, 12, "  ", "1", std::nullopt},  // a blank comment reaches no text window
      {true, true, 5, 0, "a longer ID3v1.1 text", "5", "a longer ID3v1.1 text"},  // track 0 keeps the ID3v1.1 track
      {true, false, 0, 12, " c ", "", "c"},  // nor is an ID3v1.1 track 0 a track
      {false, true, 5, 1, "c", "1", "ID3v2.3 text"}, {false, false, 5, 12, "c", "", std::nullopt}};
  const std::vector<std::string> urls = {"http://a", "home->http://b", "", "c|d"};
  EditFields f;
  for (const auto& r : rows) {
    SCOPED_TRACE(testing::Message() << r.has1 << r.has2 << " " << r.track1 << "/" << r.track2);
    ID3V111Values v1;
    ID3V230Values v2;
    v1.TagPresent = r.has1, v1.Track = r.track1, v1.Comment = r.comment1;
    v2.TagPresent = r.has2, v2.Track = r.track2, v2.Comment = "ID3v2.3 text", v2.Urls = urls;
    const MergeOutcome outcome = FillFromTags(f, HoldFlags{}, v1, v2);
    EXPECT_EQ(std::tie(f.track, outcome.commentText), std::tie(r.track, r.text));
    EXPECT_EQ(f.urls, r.has2 ? urls : std::vector<std::string>{});
    EXPECT_EQ(std::make_tuple(outcome.flags.TagFound, outcome.flags.ID3V111Found, outcome.flags.ID3V230Found),
              std::make_tuple(r.has1 || r.has2, r.has1, r.has2));
  }
}

// Field sets differ in any one field; the labels; one record per located picture frame.
TEST(FileInfo, FieldComparisonLabelsAndPictureRecords) {
  std::string EditFields::*const texts[] = {
      &EditFields::title,    &EditFields::artist,   &EditFields::album,     &EditFields::comment,   &EditFields::year,
      &EditFields::genre,    &EditFields::track,    &EditFields::originalArtist, &EditFields::subTitle, &EditFields::composer,
      &EditFields::copyright, &EditFields::encodedBy, &EditFields::language, &EditFields::unknown,  &EditFields::lyrics};
  for (std::size_t i = 0; i <= std::size(texts); ++i) {
    EditFields changed;
    (i < std::size(texts) ? changed.*texts[i] : changed.urls.emplace_back()) = "x";
    EXPECT_FALSE(changed == EditFields()) << i;
  }
  for (const auto& [seconds, label] : std::vector<std::pair<long long, std::string>>{
           {0, "0:00"}, {59, "0:59"}, {65, "1:05"}, {185, "3:05"}, {3600, "60:00"}, {-3, "0:00"}})
    EXPECT_EQ(TimeLabel(seconds), label) << seconds;
  EXPECT_EQ(BitrateLabel(128, 44100), "128 kbps / 44100 Hz");
  ID3V230Values v2;
  v2.Pictures = {{10, 1000, true, "Front Cover", "front|back"}, {1020, 2000, true, "Back Cover", ""},
                 {3030, 30, true, "A Bright Colored Fish???", "fish"},  // the reader's 17 is 0
                 {4000, 7, false, "", ""},                               // its front unread: type 0
                 {5000, -5, true, "Front Cover", "x"}, {-1, 5, true, "Front Cover", "y"}};  // not locatable: left out
  using Record = std::tuple<int, std::int64_t, std::int64_t, std::string>;  // type, size, start, title
  std::vector<Record> got;
  for (const auto& p : SplitPictures(v2)) got.emplace_back(p.PicType, p.Size, p.StartPos, p.Title);
  EXPECT_EQ(got, (std::vector<Record>{{3, 1000, 10, "front|back"}, {4, 2000, 1020, ""}, {0, 30, 3030, "fish"}, {0, 7, 4000, ""}}));
}

// ID3v1.1 track and genre from numbers as typed, ID3v2.3 texts as typed; pictures gone or unsavable.
TEST(ConfigureWriters, TrackGenreAndPicturesOfTheTags) {
  const int kept = 99;  // what the writer held before: an empty track leaves it
  const struct { const char *track, *genre; bool ok; int trackByte, genreByte; } cases[] = {
      {"7", "Jazz", true, 7, 8},       {"3/12", "", true, 3, 255},   {"", "Polka Noir", true, kept, 255},
      {"2.5", "blues", true, 2, 0},    {"3.5", " Blues", true, 4, 255}, {"255.4", "", true, 255, 255},
      {"-0.5", "", true, 0, 255},      {"256", "", false, 0, 0},     {"-1", "", false, 0, 0},
      {"255.5", "", false, 0, 0},      {"1e400", "", false, 0, 0},   {" 7 ", "", true, 7, 255},
      {".6", "", true, 1, 255},        {"25e-1", "", true, 2, 255},  {"+1E1", "", true, 10, 255},
      // Not numbers as a user types them: track 0.
      {"2,5", "", true, 0, 255},       {"1e", "", true, 0, 255},     {"&H10", "", true, 0, 255},
      {"inf", "", true, 0, 255},       {"/12", "", true, 0, 255},    {"256/300", "", false, 0, 0}};
  for (const auto& c : cases) {
    // Every other field, in the order of EditFields; the undecoded frames are shown only, never written.
    EditFields f{"A title of exactly forty characters long", "Artist", "Album", "Comment", "1999", c.genre,
                 c.track, "Orig", "Sub", "Comp", "(c)", "Enc", "deu", {"a", "b|c"}, "\"TPOS\"=1/2", "la\r\nla"};
    formats::clsID3V111Writer v1;
    formats::clsID3V230Writer v2;
    v1.setTrack(kept);
    ASSERT_EQ(ConfigureWriters(f, {}, formats::FileSystem::standard(), v1, v2), c.ok) << c.track;
    if (!c.ok) continue;
    EXPECT_EQ(std::make_pair(int{v1.Track()}, int{v1.Genre()}), std::make_pair(c.trackByte, c.genreByte)) << c.track << c.genre;
    EXPECT_EQ(Names({v1.SongTitle(), v1.Artist(), v1.Album(), v1.Comment(), v1.Year()}),
              Names({f.title.substr(0, 30), f.artist, f.album, f.comment, f.year}));
    EXPECT_EQ(Names({v2.SongTitle(), v2.Artist(), v2.Album(), v2.Comment(), v2.Year(), v2.Genre(), v2.Track(), v2.OriginalArtist(),
                     v2.SubTitle(), v2.Composer(), v2.Copyright(), v2.EncodedBy(), v2.Language(), v2.URL(), v2.Lyrics()}),
              Names({f.title, f.artist, f.album, f.comment, f.year, f.genre, f.track, f.originalArtist, f.subTitle, f.composer,
                     f.copyright, f.encodedBy, f.language, "a|b|c", f.lyrics}));
    EXPECT_EQ(v2.Urls(), f.urls);  // one entry per address, a "|" inside one included
  }
  support::TempDir dir;
  const std::string a = dir.file("a.jpg"), bar = dir.file("x|y.jpg");
  ASSERT_TRUE(support::WriteFileBytes(a, "A") && support::WriteFileBytes(bar, "B"));
  using Entries = std::vector<std::tuple<std::string, int, std::string>>;
  const struct { std::vector<core::PictureRecord> pictures; bool ok; Entries entries; } pictures[] = {
      {{{}, {dir.file("gone.jpg"), 3, "gone"}, {a, 3, "a|b"}, {bar, 4, "c"}}, true, {{a, 3, "a|b"}, {bar, 4, "c"}}},
      {{{}, {dir.path(), 3, "a folder"}}, false, {}},  // there but unreadable: it would vanish from the file unseen
      {{{}, {a, 256, "t"}}, false, {}}, {{{}, {a, -1, "t"}}, false, {}}};
  for (const auto& p : pictures) {
    std::vector<formats::PictureFile> got;
    EXPECT_EQ(JoinPictures(p.pictures, formats::FileSystem::standard(), got), p.ok) << p.pictures.back().FileName;
    Entries entries;
    for (const auto& file : got) entries.emplace_back(file.path, file.type, file.title);
    if (p.ok) { EXPECT_EQ(entries, p.entries); }
  }
}

// Only what changed is written: the unchanged UTF-16 artist and a kept picture keep their bytes.
TEST(ShownFile, TheSaveWritesWhatWasEditedAndKeepsTheRest) {
  using support::Bytes, support::Frame;
  support::TempDir dir;
  const std::string path = dir.file("song.mp3"), other = dir.file("other.mp3"), chosen = dir.file("chosen.png");
  ASSERT_TRUE(support::WriteFileBytes(chosen, "\x89PNG chosen picture"));
  const std::string artist = Frame("TPE1", Bytes("\x01" "\xFF\xFE" "A\0r\0t\0"));
  const std::string jpeg = "jpeg picture" + std::string(5000, 'j');  // large enough to stay in the file until it is written
  const std::string front = Frame("APIC", Bytes("\x00" "image/jpg\x00" "\x03" "Front\x00") + jpeg);
  const std::string retitled = Frame("APIC", Bytes("\x00" "image/jpg\x00" "\x03" "Back\x00") + jpeg);
  const std::string original = support::Tag({Frame("TIT2", support::Text("Old")), artist, front}) + support::Audio();
  using Edit = std::function<void(ShownFile&, EditFields&)>;
  // front: the front cover's frame as it was ("kept"), with its new title ("retitled"), or gone.
  const struct { const char* name; Edit edit; const std::string& into; bool saved; std::string title, front; bool artistKept, chosenIn; } rows[] = {
      {"nothing edited", {}, path, true, "Old", "kept", true, false},
      {"title typed", [](ShownFile&, EditFields& f) { f.title = "New"; }, path, true, "New", "kept", true, false},
      {"artist typed", [](ShownFile&, EditFields& f) { f.artist = "Bob"; }, path, true, "Old", "kept", false, false},
      {"picture loaded", [&](ShownFile& s, EditFields&) { s.choosePicture(3, chosen); }, path, true, "Old", "", true, true},
      {"picture added", [&](ShownFile& s, EditFields&) { s.choosePicture(4, chosen); }, path, true, "Old", "kept", true, true},
      {"picture retitled", [](ShownFile& s, EditFields&) { s.PictureList()[1].Title = "Back"; }, path, true, "Old", "retitled", true, false},
      {"picture deleted", [](ShownFile& s, EditFields&) { EXPECT_TRUE(s.removePicture(3)); }, path, true, "Old", "", true, false},
      {"a folder as picture", [&](ShownFile& s, EditFields&) { s.choosePicture(4, dir.path()); }, path, false, "Old", "kept", true, false},
      {"another file", [](ShownFile&, EditFields& f) { f.title = "New"; }, other, false, "Old", "kept", true, false}};
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
    const std::string bytes = support::ReadFileBytes(path);
    if (!row.saved) { EXPECT_TRUE(bytes == original && support::ReadFileBytes(other) == original); }
    formats::clsID3V230Reader back;
    back.ReadID3V230Tag(path);
    EXPECT_EQ(back.SongTitle(), row.title);
    const auto in = [&](const std::string& part) { return bytes.find(part) != std::string::npos; };
    EXPECT_EQ(std::make_tuple(in(front) ? "kept" : in(retitled) ? "retitled" : "", in(artist), in("chosen picture")),
              std::make_tuple(row.front, row.artistKept, row.chosenIn));
    // After the save the records name the frames where the file now holds them.
    if (!row.saved) continue;
    EXPECT_EQ(shown.PictureList().size() - 1, back.Pictures().size());
    if (!back.Pictures().empty()) { EXPECT_EQ(shown.PictureList()[1].StartPos, back.Pictures()[0].startPos); }
  }
}

}  // namespace
}  // namespace tagging
