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
using support::FolderEntries;
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
    "\x93";                                                       // genre 147
static_assert(sizeof kNulPaddedBlockBytes == 129, "a tag is 128 bytes");
const std::string kNulPaddedBlock(kNulPaddedBlockBytes, 128);

// An ID3v1.0 tag: a 30-character comment runs over the zero byte and the track.
constexpr char kVersion10BlockBytes[] =
    "TAG"
    "T                             "  // title, 30
    "A                             "  // artist, 30
    "B                             "  // album, 30
    "2001"                            // year, 4
    "abcdefghijklmnopqrstuvwxyz1234"  // comment, 30 (28 + the zero and track bytes)
    "\xff";                           // genre 255
static_assert(sizeof kVersion10BlockBytes == 129, "a tag is 128 bytes");
const std::string kVersion10Block(kVersion10BlockBytes, 128);

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
  clsID3V111Writer fresh;
  EXPECT_FALSE(fresh.GenreAssigned());
  const std::string block = fresh.BuildTagBlock();
  EXPECT_EQ(block.substr(0, 125), "TAG" + std::string(122, ' '));
  EXPECT_EQ(block.substr(125), std::string("\x00\x00\xff", 3));
  fresh.setGenre(0);
  EXPECT_EQ(fresh.BuildTagBlock()[127], '\0');
}

TEST(ID3V111Writer, CutsAndPadsEachTextToItsField) {
  struct Case {
    void (clsID3V111Writer::*set)(const std::string&);
    std::string value;
    std::size_t offset;
    std::string written;
  };
  const std::vector<Case> cases = {
      {&clsID3V111Writer::setSongTitle, std::string(35, 'x'), 3, std::string(30, 'x')},
      {&clsID3V111Writer::setArtist, "ab", 33, "ab" + std::string(28, ' ')},
      {&clsID3V111Writer::setAlbum, "", 63, std::string(30, ' ')},
      {&clsID3V111Writer::setYear, "19999", 93, "1999"},
      {&clsID3V111Writer::setYear, "99", 93, "99  "},
      {&clsID3V111Writer::setComment, std::string(30, 'c'), 97, std::string(28, 'c')},
      {&clsID3V111Writer::setSongTitle, "Caf\xe9", 3, "Caf\xe9" + std::string(26, ' ')},
  };
  for (const auto& c : cases) {
    clsID3V111Writer writer;
    (writer.*c.set)(c.value);
    const std::string block = writer.BuildTagBlock();
    ASSERT_EQ(block.size(), 128u);
    EXPECT_EQ(block.substr(c.offset, c.written.size()), c.written) << c.value;
  }
}

TEST(ID3V111Writer, WriteAndRemoveGiveTheseFiles) {
  const std::string big = formats::SilentMpegFrames(formats::FramesForSeconds(300));
  ASSERT_GT(big.size(), 2 * formats::CopyPiece);
  ASSERT_LT(big.size(), 3 * formats::CopyPiece);
  const std::string lower = "tag" + kFullBlock.substr(3);
  struct Case {
    std::string before;
    bool remove;
    std::string after;
    int yields;  // -1: not counted
  };
  const Case cases[] = {
      {kAudio, false, kAudio + kFullBlock, -1},                  // appended
      {kAudio + kVersion10Block, false, kAudio + kFullBlock, -1},  // replaced: same length
      {"TAG short", false, "TAG short" + kFullBlock, -1},        // too short for a tag
      {kAudio + lower, false, kAudio + lower + kFullBlock, -1},  // a lower-case marker is no tag
      {big + kFullBlock, true, big, 3},                          // copied in pieces, a yield after each
      {kFullBlock, true, "", -1},                                // only a tag: empty
      {"", true, "", -1},
      {"TAG", true, "TAG", -1},
      {std::string(127, 'x'), true, std::string(127, 'x'), -1},
      {kAudio + lower, true, kAudio + lower, -1},
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
    SCOPED_TRACE(std::to_string(c.before.size()) + (c.remove ? " bytes, remove" : " bytes, write"));
    EXPECT_TRUE(ReadFileBytes(path) == c.after);
    EXPECT_EQ(FolderEntries(dir.path()), std::vector<std::string>{"song.mp3"});
    if (c.yields >= 0) {
      EXPECT_EQ(yields, c.yields);
    }
  }
}

TEST(ID3V111Reader, ReadsEveryField) {
  struct Case {
    std::string block, title, artist, album, year, comment;
    int track;
    std::string genre;
  };
  const Case cases[] = {
      // No NUL to cut at: the blank padding is part of each text.
      {kFullBlock, "Song title" + std::string(20, ' '), "Some artist" + std::string(19, ' '),
       "An album" + std::string(22, ' '), "1999", "A comment" + std::string(19, ' '), 7, "Rock"},
      // Texts end before the first NUL.
      {kNulPaddedBlock, "Nul", "Ar", "", "19", "c", 3, "SynthPop"},
      // ID3v1.0: 28 characters of comment, the 30th taken for the track.
      {kVersion10Block, "T" + std::string(29, ' '), "A" + std::string(29, ' '), "B" + std::string(29, ' '), "2001",
       "abcdefghijklmnopqrstuvwxyz12", '4', ""},
  };
  TempDir dir;
  const std::string path = dir.file("song.mp3");
  for (const auto& c : cases) {
    const bool ours = c.block == kFullBlock;  // what the writer writes reads back
    WriteFileBytes(path, ours ? kAudio : kAudio + c.block);
    if (ours) FullWriter().WriteID3V111Tag(path);
    clsID3V111Reader reader;
    reader.ReadID3V111Tag(path);
    EXPECT_TRUE(reader.TagPresent());
    EXPECT_EQ(reader.SongTitle(), c.title);
    EXPECT_EQ(reader.Artist(), c.artist);
    EXPECT_EQ(reader.Album(), c.album);
    EXPECT_EQ(reader.Year(), c.year);
    EXPECT_EQ(reader.Comment(), c.comment);
    EXPECT_EQ(reader.Track(), c.track);
    EXPECT_EQ(reader.Genre(), c.genre);
  }
  for (const auto& [number, name] : std::vector<std::pair<int, std::string>>{
           {0, "Blues"}, {147, "SynthPop"}, {148, ""}, {254, ""}, {255, ""}}) {
    std::string block = kFullBlock;
    block[127] = static_cast<char>(number);
    WriteFileBytes(path, block);
    clsID3V111Reader reader;
    reader.ReadID3V111Tag(path);
    EXPECT_EQ(reader.Genre(), name) << number;
  }
}

// A file that cannot be opened changes nothing; a file too short for a tag is a failed
// read (TagPresent false, fields kept); a readable file without the marker clears the
// fields and leaves TagPresent alone.
TEST(ID3V111Reader, ReadsWithoutATagTouchOnlyWhatTheyShould) {
  TempDir dir;
  WriteFileBytes(dir.file("short.mp3"), std::string(127, 'x'));
  WriteFileBytes(dir.file("lower.mp3"), "tag" + kFullBlock.substr(3));
  WriteFileBytes(dir.file("audio.mp3"), kAudio);
  struct Case {
    std::string path;
    bool fieldsKept;
    bool tagPresentAfter;
  };
  const std::vector<Case> cases = {
      {dir.file("missing.mp3"), true, true},
      {dir.path(), true, true},
      {dir.file("short.mp3"), true, false},
      {dir.file("lower.mp3"), false, true},
      {dir.file("audio.mp3"), false, true},
  };
  for (const auto& c : cases) {
    clsID3V111Reader reader;
    reader.setTagPresent(true);
    reader.setSongTitle("kept");
    reader.setTrack(9);
    reader.setGenre("Rock");
    reader.ReadID3V111Tag(c.path);
    EXPECT_EQ(reader.TagPresent(), c.tagPresentAfter) << c.path;
    EXPECT_EQ(reader.SongTitle(), c.fieldsKept ? "kept" : "") << c.path;
    EXPECT_EQ(reader.Track(), c.fieldsKept ? 9 : 0) << c.path;
    EXPECT_EQ(reader.Genre(), c.fieldsKept ? "Rock" : "") << c.path;
  }
}

TEST(ID3V111Genres, TableHasTheProgramsSpellingsAndLookupIgnoresCaseOnly) {
  const auto& names = formats::GenreNames();
  ASSERT_EQ(names.size(), 148u);
  const std::vector<std::pair<int, std::string>> spot = {
      {0, "Blues"},           {7, "Hip-Hop"},         {14, "R&B"},           {29, "Jazz+Funk"},
      {40, "AlternRock"},     {62, "Pop/Funk"},       {67, "Psychadelic"},   {78, "Rock & Roll"},
      {79, "Hard Rock"},      {80, "Folk"},           {81, "Folk/Rock"},     {82, "National folk"},
      {84, "Fast-fusion"},    {85, "Bebob"},          {93, "Psychedelic Rock"}, {123, "A Capella"},
      {127, "Drum & Bass"},   {128, "Club House"},    {133, "NegerPunk"},    {136, "Christian Gangsta"},
      {140, "Contemporary C"}, {146, "JPop"},         {147, "SynthPop"}};
  for (const auto& [number, name] : spot) EXPECT_EQ(names[number], name) << number;
  for (std::size_t i = 0; i < names.size(); ++i) {
    EXPECT_EQ(formats::GenreNumber(names[i]), i) << names[i];  // no name appears twice
    EXPECT_EQ(formats::GenreName(static_cast<std::uint8_t>(i)), names[i]);
  }
  clsID3V111Writer writer;
  const std::vector<std::pair<std::string, int>> lookups = {
      {"BLUES", 0},  {"synthpop", 147}, {" Blues", 255},      {"Blues ", 255},
      {"", 255},     {"Psychedelic", 255}, {"Folk-Rock", 255}};
  for (const auto& [name, number] : lookups) EXPECT_EQ(writer.GetGenre(name), number) << name;
}

}  // namespace
