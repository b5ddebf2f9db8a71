#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "formats/ID3V111.h"
#include "formats/SilentMpeg.h"
#include "support/FileHelpers.h"
#include "support/TempDir.h"

namespace {

using formats::clsID3V111Reader;
using formats::clsID3V111Writer;
using support::ReadFileBytes;
using support::TempDir;
using support::WriteFileBytes;

// A tag as this program writes it: blank padding, zero byte, track 7, genre 17.
constexpr char kFullBlockBytes[] =
    "TAG"
    "Song title                    "  // title, 30
    "Some artist                   "  // artist, 30
    "An album                      "  // album, 30
    "1999"                            // year, 4
    "A comment                   "    // comment, 28
    "\x00"                            // zero byte
    "\x07"                            // track
    "\x11";                           // genre 17 "Rock"
static_assert(sizeof kFullBlockBytes == 129, "a tag is 128 bytes");
const std::string kFullBlock(kFullBlockBytes, 128);

// A tag as another program may write it: NUL padding.
constexpr char kNulPaddedBlockBytes[] =
    "TAG"
    "Nul\0\0\0\0\0\0\0\0\0\0\0\0\0\0\0\0\0\0\0\0\0\0\0\0\0\0\0"  // title, 30
    "Ar\0tist\0\0\0\0\0\0\0\0\0\0\0\0\0\0\0\0\0\0\0\0\0\0\0"     // artist, 30
    "\0\0\0\0\0\0\0\0\0\0\0\0\0\0\0\0\0\0\0\0\0\0\0\0\0\0\0\0\0\0"  // album, 30
    "19\0\0"                                                      // year, 4
    "c\0\0\0\0\0\0\0\0\0\0\0\0\0\0\0\0\0\0\0\0\0\0\0\0\0\0\0"     // comment, 28
    "\x00"                                                        // zero byte
    "\x03"                                                        // track
    "\x93";                                                       // genre 147 (148 and above: no name)
static_assert(sizeof kNulPaddedBlockBytes == 129, "a tag is 128 bytes");
const std::string kNulPaddedBlock(kNulPaddedBlockBytes, 128);

clsID3V111Writer FullWriter(formats::FormatEnv env = {}) {
  clsID3V111Writer writer(env);
  writer.setSongTitle("Song title");
  writer.setArtist("Some artist");
  writer.setAlbum("An album");
  writer.setYear("1999");
  writer.setComment("A comment");
  writer.setTrack(7);
  writer.setGenre(17);
  return writer;
}

const std::string kAudio = formats::SilentMpegFrames(20);

TEST(ID3V111Writer, BuildsTheBlockFieldByField) {
  EXPECT_TRUE(FullWriter().BuildTagBlock() == kFullBlock);
  // A new writer: blank texts, zero byte, track 0, and 255 for the genre never assigned.
  EXPECT_EQ(clsID3V111Writer().BuildTagBlock(), "TAG" + std::string(122, ' ') + std::string("\x00\x00\xff", 3));
  struct Case {
    void (clsID3V111Writer::*set)(const std::string&);
    std::string value;
    std::size_t offset;
    std::string written;
  };
  const Case cases[] = {
      {&clsID3V111Writer::setSongTitle, std::string(35, 'x'), 3, std::string(30, 'x')},
      {&clsID3V111Writer::setArtist, "Caf\xC3\xA9", 33, "Caf\xe9" + std::string(26, ' ')},
      {&clsID3V111Writer::setYear, "19999", 93, "1999"},
      {&clsID3V111Writer::setYear, "99", 93, "99  "},
      {&clsID3V111Writer::setComment, std::string(30, 'c'), 97, std::string(28, 'c') + '\0'},
  };
  for (const auto& c : cases) {
    clsID3V111Writer writer;
    (writer.*c.set)(c.value);
    EXPECT_EQ(writer.BuildTagBlock().substr(c.offset, c.written.size()), c.written) << c.value;
  }
}

TEST(ID3V111Writer, WriteAndRemoveGiveTheseFiles) {
  const std::string big = formats::SilentMpegFrames(formats::FramesForSeconds(300));
  ASSERT_GT(big.size(), 2 * formats::CopyPiece);
  ASSERT_LT(big.size(), 3 * formats::CopyPiece);
  const std::string lower = "tag" + kFullBlock.substr(3);
  const struct {
    std::string before;
    bool remove;
    std::string after;
  } cases[] = {
      {kAudio, false, kAudio + kFullBlock},                    // appended
      {kAudio + kNulPaddedBlock, false, kAudio + kFullBlock},  // replaced: same length
      {"TAG short", false, "TAG short" + kFullBlock},          // too short for a tag
      {kAudio + lower, false, kAudio + lower + kFullBlock},    // a lower-case marker is no tag
      {big + kFullBlock, true, big},                           // copied in pieces, a yield after each
      {kFullBlock, true, ""},                                  // only a tag: empty
      {std::string(127, 'x'), true, std::string(127, 'x')},
      {kAudio + lower, true, kAudio + lower},
  };
  for (const auto& c : cases) {
    TempDir dir;
    const std::string path = dir.file("song.mp3");
    WriteFileBytes(path, c.before);
    int yields = 0;
    formats::FormatEnv env;
    env.yield = [&] { ++yields; };
    if (c.remove) {
      clsID3V111Writer(env).RemoveID3V111Tag(path);
    } else {
      FullWriter(env).WriteID3V111Tag(path);
    }
    EXPECT_TRUE(ReadFileBytes(path) == c.after) << c.before.size() << (c.remove ? " bytes, remove" : " bytes, write");
    if (c.before.size() > big.size()) {
      EXPECT_EQ(yields, 3);
    }
  }
}

// Read back what the writer wrote, and blocks of other programs; then files without a
// tag: one that cannot be opened changes nothing; one too short for a tag is a failed read
// (TagPresent false, fields kept); a readable one without the marker clears the fields
// and leaves TagPresent alone.
TEST(ID3V111Reader, ReadsEveryFieldOrTouchesOnlyWhatItShould) {
  TempDir dir;
  const std::string path = dir.file("song.mp3");
  const auto read = [&](const std::string& file) {
    clsID3V111Reader r;
    r.setTagPresent(true);
    r.setSongTitle("kept");
    r.setTrack(9);
    r.ReadID3V111Tag(file);
    return std::vector<std::string>{std::to_string(r.TagPresent()), r.SongTitle(), r.Artist(), r.Album(), r.Year(),
                                    r.Comment(), std::to_string(r.Track()), r.Genre()};
  };
  WriteFileBytes(path, kAudio);
  FullWriter().WriteID3V111Tag(path);
  // No NUL to cut at: the blank padding is part of each text.
  EXPECT_EQ(read(path), (std::vector<std::string>{"1", "Song title" + std::string(20, ' '),
                                                  "Some artist" + std::string(19, ' '), "An album" + std::string(22, ' '),
                                                  "1999", "A comment" + std::string(19, ' '), "7", "Rock"}));
  WriteFileBytes(path, kAudio + kNulPaddedBlock);  // texts end before the first NUL
  EXPECT_EQ(read(path), (std::vector<std::string>{"1", "Nul", "Ar", "", "19", "c", "3", "SynthPop"}));
  WriteFileBytes(path, kFullBlock.substr(0, 127) + "\x94");  // 148: past the table
  EXPECT_EQ(read(path).back(), "");
  WriteFileBytes(path, std::string(127, 'x'));
  EXPECT_EQ(read(path), (std::vector<std::string>{"0", "kept", "", "", "", "", "9", ""}));
  EXPECT_EQ(read(dir.file("missing.mp3")), (std::vector<std::string>{"1", "kept", "", "", "", "", "9", ""}));
  WriteFileBytes(path, kAudio + "tag" + kFullBlock.substr(3));
  EXPECT_EQ(read(path), (std::vector<std::string>{"1", "", "", "", "", "", "0", ""}));
}

TEST(ID3V111Genres, TableHasTheProgramsSpellingsAndLookupIgnoresCaseOnly) {
  const auto& names = formats::GenreNames();
  ASSERT_EQ(names.size(), 148u);
  const std::pair<int, const char*> spot[] = {
      {0, "Blues"},         {7, "Hip-Hop"},      {14, "R&B"},        {29, "Jazz+Funk"},         {40, "AlternRock"},
      {67, "Psychadelic"},  {78, "Rock & Roll"}, {81, "Folk/Rock"},  {82, "National folk"},     {84, "Fast-fusion"},
      {85, "Bebob"},        {123, "A Capella"},  {127, "Drum & Bass"}, {133, "NegerPunk"},    {136, "Christian Gangsta"},
      {140, "Contemporary C"}, {146, "JPop"},    {147, "SynthPop"}};
  for (const auto& [number, name] : spot) EXPECT_EQ(names[number], name) << number;
  for (std::size_t i = 0; i < names.size(); ++i) {
    EXPECT_EQ(formats::GenreNumber(names[i]), i) << names[i];  // no name appears twice
    EXPECT_EQ(formats::GenreName(static_cast<std::uint8_t>(i)), names[i]);
  }
  clsID3V111Writer writer;
  const std::pair<const char*, int> lookups[] = {
      {"BLUES", 0}, {"synthpop", 147}, {" Blues", 255}, {"Blues ", 255}, {"", 255}, {"Psychedelic", 255}};
  for (const auto& [name, number] : lookups) EXPECT_EQ(writer.GetGenre(name), number) << name;
}

}  // namespace
