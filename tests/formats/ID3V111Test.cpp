
#include "formats/Pictures.h"
#include "FormatsTest.h"

namespace {

std::string Field(const std::string& t, std::size_t n, char fill = ' ') { return t + std::string(n - t.size(), fill); }

// As this program writes it: "TAG", title, artist, album (30 each), year, comment (28), 0, track 7, genre 17.
const std::string kFullBlock = "TAG" + Field("Song title", 30) + Field("Some artist", 30) + Field("An album", 30) +
                               "1999" + Field("A comment", 28) + Bytes("\x00\x07\x11");
// A tag as another program may write it: NUL padding, a NUL inside the artist, genre 147.
const std::string kNulPaddedBlock = "TAG" + Field("Nul", 30, '\0') + Field(Bytes("Ar\0tist"), 30, '\0') +
                                    std::string(30, '\0') + Field("19", 4, '\0') + Field("c", 28, '\0') +
                                    Bytes("\x00\x03\x93");
const std::string kAudio = formats::SilentMpegFrames(20);

clsID3V111Writer FullWriter(formats::FormatEnv env = {}) {
  clsID3V111Writer writer(env);
  writer.setSongTitle("Song title"), writer.setArtist("Some artist"), writer.setAlbum("An album");
  writer.setYear("1999"), writer.setComment("A comment"), writer.setTrack(7), writer.setGenre(17);
  return writer;
}

TEST(ID3V111Writer, BuildsTheBlockFieldByField) {
  EXPECT_TRUE(FullWriter().BuildTagBlock() == kFullBlock);
  // A new writer: blank texts, zero byte, track 0, and 255 for the genre never assigned.
  EXPECT_EQ(clsID3V111Writer().BuildTagBlock(), "TAG" + std::string(122, ' ') + Bytes("\x00\x00\xff"));
  using W = clsID3V111Writer;
  // Texts cut to their width, in ISO-8859-1 with a "?" for each character outside it.
  const struct { void (W::*set)(const std::string&); std::string value, written; std::size_t at; } cases[] = {
      {&W::setSongTitle, std::string(35, 'x'), std::string(30, 'x'), 3},
      {&W::setArtist, "Caf\xC3\xA9", Field("Caf\xe9", 30), 33},
      {&W::setAlbum, "\xE6\x9D\xB1\xE4\xBA\xAC.", Field("??.", 30), 63}, {&W::setYear, "19999", "1999", 93},
      {&W::setYear, "99", "99  ", 93}, {&W::setComment, std::string(30, 'c'), std::string(28, 'c') + '\0', 97}};
  for (const auto& c : cases) {
    W writer;
    (writer.*c.set)(c.value);
    EXPECT_EQ(writer.BuildTagBlock().substr(c.at, c.written.size()), c.written) << c.value;
  }
}

// Kept fields of an old block stay its bytes. An ID3v1.0 comment runs over the zero and track bytes.
TEST(ID3V111Writer, KeptFieldsAreTheOldBlocksBytes) {
  const std::string v10 = kNulPaddedBlock.substr(0, 97) + Field("thirty characters of a comment", 30) + "\x93";
  const std::string nul = kNulPaddedBlock, unmarked = "XAG" + kNulPaddedBlock.substr(3);
  using K = formats::KeptID3V111Fields;
  // fromOld: the offset and width of each run of bytes kept.
  using Runs = std::vector<std::pair<std::size_t, std::size_t>>;
  const bool y = true, n = false;
  const struct { const char* name; std::string old; K keep; Runs fromOld; } cases[] = {
      {"nothing", nul, K{}, {}}, {"title and year", nul, K{y, n, n, y}, {{3, 30}, {93, 4}}},
      {"all but the comment", nul, K{y, y, y, y, n, y, y}, {{3, 94}, {125, 3}}},
      {"artist, album and genre", nul, K{n, y, y, n, n, n, y}, {{33, 60}, {127, 1}}},
      {"comment and track", nul, K{n, n, n, n, y, y}, {{97, 30}}},
      {"ID3v1.0 comment with its track bytes", v10, K{n, n, n, n, y, y}, {{97, 30}}},
      {"ID3v1.0 track alone", v10, K{n, n, n, n, n, y}, {}},
      {"ID3v1.0 comment alone", v10, K{n, n, n, n, y}, {{97, 28}}},
      {"a block without its marker", unmarked, K{y, y, y, y, y, y, y}, {}}};
  for (const auto& c : cases) {
    clsID3V111Writer writer = FullWriter();
    writer.KeepFieldsOf(c.old, c.keep);
    std::string expected = kFullBlock;
    for (const auto& [offset, width] : c.fromOld) expected.replace(offset, width, c.old, offset, width);
    EXPECT_TRUE(writer.BuildTagBlock() == expected) << c.name;
  }
}

TEST(ID3V111Writer, WriteAndRemoveGiveTheseFiles) {
  const std::string big = formats::SilentMpegFrames(formats::FramesForSeconds(300));
  const std::string lower = "tag" + kFullBlock.substr(3), x127(127, 'x');
  const struct { std::string before; bool remove; std::string after; } cases[] = {
      {kAudio, false, kAudio + kFullBlock},                    // appended
      {kAudio + kNulPaddedBlock, false, kAudio + kFullBlock},  // replaced: same length
      {"TAG short", false, "TAG short" + kFullBlock},          // too short for a tag
      {kAudio + lower, false, kAudio + lower + kFullBlock},    // a lower-case marker is no tag
      {big + kFullBlock, true, big},                           // copied in pieces, a yield after each
      {kFullBlock, true, ""}, {x127, true, x127}, {kAudio + lower, true, kAudio + lower}};
  for (const auto& c : cases) {
    TempDir dir;
    const std::string path = dir.file("song.mp3");
    WriteFileBytes(path, c.before);
    int yields = 0;
    const formats::FormatEnv env{&formats::FileSystem::standard(), [&] { ++yields; }, {}};
    if (c.remove) clsID3V111Writer(env).RemoveID3V111Tag(path);
    if (!c.remove) FullWriter(env).WriteID3V111Tag(path);
    EXPECT_TRUE(ReadFileBytes(path) == c.after) << c.before.size() << (c.remove ? " bytes, remove" : " bytes, write");
    EXPECT_EQ(yields, c.before.size() > big.size() ? 3 : yields);
  }
}

// A file that cannot be opened or is too short keeps the fields; one without the marker clears them.
TEST(ID3V111Reader, ReadsEveryFieldOrTouchesOnlyWhatItShould) {
  TempDir dir;
  using Fields = std::vector<std::string>;
  const auto read = [&](const std::string& bytes, const std::string& file = "song.mp3") {
    if (!bytes.empty()) WriteFileBytes(dir.file("song.mp3"), bytes);
    clsID3V111Reader r;
    r.setTagPresent(true), r.setSongTitle("kept"), r.setTrack(9);
    r.ReadID3V111Tag(dir.file(file));
    return Fields{std::to_string(r.TagPresent()), r.SongTitle(), r.Artist(), r.Album(), r.Year(), r.Comment(),
                  std::to_string(r.Track()), r.Genre()};
  };
  // No NUL to cut at: the blank padding is part of each text. Texts end before the first NUL.
  EXPECT_EQ(read(kAudio + kFullBlock), (Fields{"1", Field("Song title", 30), Field("Some artist", 30),
                                               Field("An album", 30), "1999", Field("A comment", 28), "7", "Rock"}));
  EXPECT_EQ(read(kAudio + kNulPaddedBlock), (Fields{"1", "Nul", "Ar", "", "19", "c", "3", "SynthPop"}));
  EXPECT_EQ(read(kFullBlock.substr(0, 127) + "\x94").back(), "");  // 148: past the table
  EXPECT_EQ(read(std::string(127, 'x')), (Fields{"0", "kept", "", "", "", "", "9", ""}));
  EXPECT_EQ(read("", "missing.mp3"), (Fields{"1", "kept", "", "", "", "", "9", ""}));
  EXPECT_EQ(read(kAudio + "tag" + kFullBlock.substr(3)), (Fields{"1", "", "", "", "", "", "0", ""}));
}

// Genres and picture types: a name maps back to its number ignoring case only; past the types' list, "Other".
TEST(NameLists, GenresAndPictureTypes) {
  const auto& names = formats::GenreNames();
  ASSERT_EQ(names.size(), 148u);
  for (std::size_t i = 0; i < names.size(); ++i) {
    EXPECT_EQ(formats::GenreNumber(names[i]), i) << names[i];  // no name appears twice
    EXPECT_EQ(formats::GenreName(static_cast<std::uint8_t>(i)), names[i]);
  }
  const formats::clsID3V230Writer v2;
  for (unsigned n = 1; n <= 20; ++n) EXPECT_EQ(v2.GetGraphicType(formats::PictureTypeName(n)), n == 17 ? 0 : n);
  for (unsigned n : {0u, 21u, 255u}) EXPECT_EQ(formats::PictureTypeName(n), "Other") << n;
  EXPECT_EQ(formats::PictureTypeName(17), "A Bright Colored Fish???");
  const struct { bool genre; const char* name; int number; } lookups[] = {
      {true, "BLUES", 0}, {true, "synthpop", 147}, {true, " Blues", 255}, {true, "Blues ", 255}, {true, "", 255},
      {true, "Psychedelic", 255}, {true, "Psychadelic", 67}, {true, "r&b", 14}, {false, "FRONT COVER", 3},
      {false, "publisher logo", 20}, {false, "A Bright Colored Fish", 17}, {false, "A Bright Colored Fish???", 0},
      {false, "Other", 0}, {false, " front cover", 0}, {false, "", 0}};
  for (const auto& l : lookups)
    EXPECT_EQ(l.genre ? clsID3V111Writer().GetGenre(l.name) : v2.GetGraphicType(l.name), l.number) << l.name;
}

}  // namespace
