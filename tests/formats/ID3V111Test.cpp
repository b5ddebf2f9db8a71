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

clsID3V111Writer FullWriter() {
  clsID3V111Writer writer;
  writer.setSongTitle("Song title");
  writer.setArtist("Some artist");
  writer.setAlbum("An album");
  writer.setYear("1999");
  writer.setComment("A comment");
  writer.setTrack(7);
  writer.setGenre(17);
  return writer;
}

std::string Audio() { return formats::SilentMpegFrames(20); }

TEST(ID3V111Writer, BuildsTheBlockFieldByField) {
  EXPECT_TRUE(FullWriter().BuildTagBlock() == kFullBlock);
}

TEST(ID3V111Writer, AppendsTheBlockToAFileWithoutTag) {
  TempDir dir;
  const std::string path = dir.file("song.mp3");
  WriteFileBytes(path, Audio());
  FullWriter().WriteID3V111Tag(path);
  EXPECT_TRUE(ReadFileBytes(path) == Audio() + kFullBlock);
  EXPECT_EQ(FolderEntries(dir.path()), std::vector<std::string>{"song.mp3"});
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
      {&clsID3V111Writer::setComment, "abc", 97, "abc" + std::string(25, ' ')},
      {&clsID3V111Writer::setComment, std::string(30, 'c'), 97, std::string(28, 'c')},
      {&clsID3V111Writer::setSongTitle, "Caf\xe9", 3, "Caf\xe9" + std::string(26, ' ')},
  };
  for (const auto& c : cases) {
    clsID3V111Writer writer;
    (writer.*c.set)(c.value);
    const std::string block = writer.BuildTagBlock();
    ASSERT_EQ(block.size(), 128u);
    EXPECT_EQ(block.substr(c.offset, c.written.size()), c.written) << c.value;
    EXPECT_EQ(block.substr(0, 3), "TAG");
  }
}

TEST(ID3V111Writer, NewObjectWritesEmptyTextsTrackZeroAndNoGenre) {
  clsID3V111Writer writer;
  EXPECT_EQ(writer.SongTitle(), "");
  EXPECT_EQ(writer.Comment(), "");
  EXPECT_EQ(writer.Track(), 0);
  EXPECT_EQ(writer.Genre(), 0);
  EXPECT_FALSE(writer.GenreAssigned());
  const std::string block = writer.BuildTagBlock();
  EXPECT_EQ(block.substr(3, 122), std::string(122, ' '));
  EXPECT_EQ(block[125], '\0');
  EXPECT_EQ(block[126], '\0');
  EXPECT_EQ(static_cast<unsigned char>(block[127]), 255);
}

TEST(ID3V111Writer, UnassignedGenreIsWrittenAs255AndStaysUnassigned) {
  TempDir dir;
  const std::string path = dir.file("song.mp3");
  WriteFileBytes(path, Audio());
  clsID3V111Writer writer;
  writer.WriteID3V111Tag(path);
  EXPECT_EQ(writer.Genre(), 255);
  EXPECT_FALSE(writer.GenreAssigned());
  EXPECT_EQ(static_cast<unsigned char>(ReadFileBytes(path).back()), 255);

  clsID3V111Writer assigned;
  assigned.setGenre(0);
  EXPECT_TRUE(assigned.GenreAssigned());
  EXPECT_EQ(assigned.BuildTagBlock()[127], '\0');
}

TEST(ID3V111Writer, ReplacingATagKeepsTheLengthAndEqualsRemoveThenAppend) {
  TempDir dir;
  const std::string once = dir.file("once.mp3");
  const std::string twice = dir.file("twice.mp3");
  WriteFileBytes(once, Audio() + kVersion10Block);
  WriteFileBytes(twice, Audio() + kVersion10Block);

  FullWriter().WriteID3V111Tag(once);
  clsID3V111Writer remover;
  remover.RemoveID3V111Tag(twice);
  clsID3V111Writer appender = FullWriter();
  appender.WriteID3V111Tag(twice);

  EXPECT_TRUE(ReadFileBytes(once) == Audio() + kFullBlock);
  EXPECT_TRUE(ReadFileBytes(once) == ReadFileBytes(twice));
  EXPECT_EQ(FolderEntries(dir.path()), (std::vector<std::string>{"once.mp3", "twice.mp3"}));
}

TEST(ID3V111Writer, AFileShorterThanATagGetsOneAppended) {
  TempDir dir;
  const std::string path = dir.file("short.mp3");
  WriteFileBytes(path, "TAG short");
  FullWriter().WriteID3V111Tag(path);
  EXPECT_TRUE(ReadFileBytes(path) == "TAG short" + kFullBlock);
}

TEST(ID3V111Writer, ALowerCaseMarkerIsNoTagSoANewOneIsAppended) {
  TempDir dir;
  const std::string path = dir.file("song.mp3");
  const std::string lower = "tag" + kFullBlock.substr(3);
  WriteFileBytes(path, Audio() + lower);
  FullWriter().WriteID3V111Tag(path);
  EXPECT_TRUE(ReadFileBytes(path) == Audio() + lower + kFullBlock);
}

TEST(ID3V111Writer, MissingFileOrFolderIsLeftAlone) {
  TempDir dir;
  FullWriter().WriteID3V111Tag(dir.file("missing.mp3"));
  FullWriter().WriteID3V111Tag(dir.path());
  clsID3V111Writer().RemoveID3V111Tag(dir.file("missing.mp3"));
  EXPECT_TRUE(FolderEntries(dir.path()).empty());
}

TEST(ID3V111Remove, ShortensByTheTagAndLeavesNoWorkFile) {
  TempDir dir;
  const std::string path = dir.file("song.mp3");
  WriteFileBytes(path, Audio() + kFullBlock);
  clsID3V111Writer().RemoveID3V111Tag(path);
  EXPECT_TRUE(ReadFileBytes(path) == Audio());
  EXPECT_EQ(FolderEntries(dir.path()), std::vector<std::string>{"song.mp3"});
}

TEST(ID3V111Remove, FilesWithoutTagAreUnchanged) {
  const std::vector<std::string> contents = {
      "",
      "TAG",
      std::string(127, 'x'),
      Audio(),
      Audio() + "tag" + kFullBlock.substr(3),
  };
  for (const auto& content : contents) {
    TempDir dir;
    const std::string path = dir.file("song.mp3");
    WriteFileBytes(path, content);
    clsID3V111Writer().RemoveID3V111Tag(path);
    EXPECT_TRUE(ReadFileBytes(path) == content) << content.size();
    EXPECT_EQ(FolderEntries(dir.path()), std::vector<std::string>{"song.mp3"});
  }
}

TEST(ID3V111Remove, AFileThatIsOnlyATagBecomesEmpty) {
  TempDir dir;
  const std::string path = dir.file("song.mp3");
  WriteFileBytes(path, kFullBlock);
  clsID3V111Writer().RemoveID3V111Tag(path);
  EXPECT_TRUE(support::FileExists(path));
  EXPECT_EQ(ReadFileBytes(path), "");
}

TEST(ID3V111Remove, LargeFilesAreCopiedInPiecesWithAYieldAfterEach) {
  TempDir dir;
  const std::string path = dir.file("big.mp3");
  std::string audio = formats::SilentMpegFrames(formats::FramesForSeconds(300));
  ASSERT_GT(audio.size(), 2 * formats::CopyPiece);
  ASSERT_LT(audio.size(), 3 * formats::CopyPiece);
  WriteFileBytes(path, audio + kFullBlock);
  int yields = 0;
  formats::FormatEnv env;
  env.yield = [&] { ++yields; };
  clsID3V111Writer(env).RemoveID3V111Tag(path);
  EXPECT_EQ(yields, 3);
  EXPECT_TRUE(ReadFileBytes(path) == audio);
}

TEST(ID3V111Reader, ReadsEveryField) {
  TempDir dir;
  const std::string path = dir.file("song.mp3");
  WriteFileBytes(path, Audio() + kFullBlock);
  clsID3V111Reader reader;
  reader.ReadID3V111Tag(path, false);
  EXPECT_TRUE(reader.TagPresent());
  // No NUL to cut at, so the blank padding is part of each text.
  EXPECT_EQ(reader.SongTitle(), "Song title" + std::string(20, ' '));
  EXPECT_EQ(reader.Artist(), "Some artist" + std::string(19, ' '));
  EXPECT_EQ(reader.Album(), "An album" + std::string(22, ' '));
  EXPECT_EQ(reader.Year(), "1999");
  EXPECT_EQ(reader.Comment(), "A comment" + std::string(19, ' '));
  EXPECT_EQ(reader.Track(), 7);
  EXPECT_EQ(reader.Genre(), "Rock");
}

TEST(ID3V111Reader, CutsTextsBeforeTheFirstNul) {
  TempDir dir;
  const std::string path = dir.file("song.mp3");
  WriteFileBytes(path, Audio() + kNulPaddedBlock);
  clsID3V111Reader reader;
  reader.ReadID3V111Tag(path);
  EXPECT_TRUE(reader.TagPresent());
  EXPECT_EQ(reader.SongTitle(), "Nul");
  EXPECT_EQ(reader.Artist(), "Ar");
  EXPECT_EQ(reader.Album(), "");
  EXPECT_EQ(reader.Year(), "19");
  EXPECT_EQ(reader.Comment(), "c");
  EXPECT_EQ(reader.Track(), 3);
  EXPECT_EQ(reader.Genre(), "SynthPop");
}

TEST(ID3V111Reader, AVersion10CommentGivesTwentyEightCharactersAndATrack) {
  TempDir dir;
  const std::string path = dir.file("song.mp3");
  WriteFileBytes(path, kVersion10Block);
  clsID3V111Reader reader;
  reader.ReadID3V111Tag(path);
  EXPECT_EQ(reader.Comment(), "abcdefghijklmnopqrstuvwxyz12");
  EXPECT_EQ(reader.Track(), '4');
  EXPECT_EQ(reader.Genre(), "");
}

TEST(ID3V111Reader, GenreNumbersBeyondTheTableReadAsEmpty) {
  TempDir dir;
  const std::string path = dir.file("song.mp3");
  const std::vector<std::pair<int, std::string>> cases = {
      {0, "Blues"}, {79, "Hard Rock"}, {80, "Folk"}, {147, "SynthPop"}, {148, ""}, {254, ""}, {255, ""}};
  for (const auto& [number, name] : cases) {
    std::string block = kFullBlock;
    block[127] = static_cast<char>(number);
    WriteFileBytes(path, block);
    clsID3V111Reader reader;
    reader.ReadID3V111Tag(path);
    EXPECT_TRUE(reader.TagPresent());
    EXPECT_EQ(reader.Genre(), name) << number;
  }
}

TEST(ID3V111Reader, WrittenValuesReadBack) {
  TempDir dir;
  const std::string path = dir.file("song.mp3");
  WriteFileBytes(path, Audio());
  clsID3V111Writer writer;
  writer.setSongTitle(std::string(30, 'T'));
  writer.setArtist("\xc4rzte");
  writer.setComment("abc");
  writer.setYear("2024");
  writer.setTrack(255);
  writer.setGenre(writer.GetGenre("power ballad"));
  writer.WriteID3V111Tag(path);
  clsID3V111Reader reader;
  reader.ReadID3V111Tag(path);
  EXPECT_TRUE(reader.TagPresent());
  EXPECT_EQ(reader.SongTitle(), std::string(30, 'T'));
  EXPECT_EQ(reader.Artist(), "\xc4rzte" + std::string(25, ' '));
  EXPECT_EQ(reader.Comment(), "abc" + std::string(25, ' '));
  EXPECT_EQ(reader.Year(), "2024");
  EXPECT_EQ(reader.Track(), 255);
  EXPECT_EQ(reader.Genre(), "Power Ballad");
}

TEST(ID3V111Reader, NewObjectHasNoTagAndEmptyFields) {
  clsID3V111Reader reader;
  EXPECT_FALSE(reader.TagPresent());
  EXPECT_EQ(reader.SongTitle(), "");
  EXPECT_EQ(reader.Genre(), "");
  EXPECT_EQ(reader.Track(), 0);
}

// A file that cannot be opened changes nothing; a file too short for a tag is a failed
// read (TagPresent false, fields kept); a readable file without the marker clears the
// fields and leaves TagPresent alone.
TEST(ID3V111Reader, ReadsWithoutATagTouchOnlyWhatTheyShould) {
  TempDir dir;
  WriteFileBytes(dir.file("short.mp3"), std::string(127, 'x'));
  WriteFileBytes(dir.file("lower.mp3"), "tag" + kFullBlock.substr(3));
  WriteFileBytes(dir.file("audio.mp3"), Audio());
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

TEST(ID3V111Genres, LookupIgnoresCaseButNothingElse) {
  clsID3V111Writer writer;
  const std::vector<std::pair<std::string, int>> cases = {
      {"Blues", 0},      {"blues", 0},          {"BLUES", 0},     {"Power Ballad", 117},
      {"SynthPop", 147}, {"synthpop", 147},     {" Blues", 255},  {"Blues ", 255},
      {"", 255},         {"Psychedelic", 255},  {"Psychadelic", 67}, {"Folk-Rock", 255}};
  for (const auto& [name, number] : cases) EXPECT_EQ(writer.GetGenre(name), number) << name;
}

TEST(ID3V111Genres, TableHasTheProgramsSpellings) {
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
}

}  // namespace
