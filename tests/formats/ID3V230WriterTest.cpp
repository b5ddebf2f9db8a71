// The ID3v2.3 writer: every frame's bytes, picture bodies, old tags, the one-pass save of both tags.

#include "FormatsTest.h"
#include "support/Peers.h"

namespace {

class ID3V230WriterTest : public ::testing::Test {
 protected:
  // Writes the tag over `before` through a counting file system; the file's new bytes.
  std::string write(clsID3V230Writer writer, const std::string& before, bool remove = false) {
    WriteFileBytes(path, before);
    fs.reset();
    EXPECT_TRUE(remove ? writer.RemoveID3V230Tag(path) : writer.WriteID3V230Tag(path));
    EXPECT_EQ(FolderEntries(dir.path()), std::vector<std::string>{"song.mp3"});  // no work file left
    return ReadFileBytes(path);
  }
  std::vector<std::string> works(bool one, const char* suffix = ".mp3") const {
    return std::vector<std::string>(one ? 1 : 0, WorkFilePath(path, suffix));
  }

  TempDir dir;
  const std::string path = dir.file("song.mp3");
  support::FailingFileSystem fs;
  FormatEnv env{&fs, {}, {}};
  const std::string audio = support::Audio();
};

TEST_F(ID3V230WriterTest, EveryFrameInItsFixedOrderWithItsIdSizeFlagsAndBody) {
  using W = clsID3V230Writer;
  const std::string l200(200, 'l');
  const std::pair<void (W::*)(const std::string&), std::string> fields[] = {
      {&W::setSongTitle, std::string(200, 't')}, {&W::setArtist, Bytes("ar\0")}, {&W::setAlbum, "al"},
      {&W::setYear, "1999"}, {&W::setTrack, "3/12"}, {&W::setGenre, "Rock"}, {&W::setComment, "hi"},
      {&W::setComposer, "c"}, {&W::setOriginalArtist, "o"}, {&W::setLanguage, "de"}, {&W::setSubTitle, "s"},
      {&W::setCopyright, "c"}, {&W::setEncodedBy, "e"}, {&W::setURL, "home->x|y"}, {&W::setLyrics, l200},
      {&W::setGraphicTitle, "front|"}, {&W::setGraphicType, "3|4"}};
  // Frame sizes plain (201 is 00 00 00 C9), the tag size 7-bit. A text that ends in a NUL gets a terminator.
  const std::string frames =
      Bytes("TIT2" "\x00\x00\x00\xC9" "\x00\x00" "\x00") + std::string(200, 't') +
      Bytes("TPE1" "\x00\x00\x00\x05" "\x00\x00" "\x00" "ar\x00\x00" "TALB" "\x00\x00\x00\x03" "\x00\x00" "\x00" "al") +
      Bytes("TYER" "\x00\x00\x00\x05" "\x00\x00" "\x00" "1999" "TRCK" "\x00\x00\x00\x05" "\x00\x00" "\x00" "3/12") +
      Bytes("TCON" "\x00\x00\x00\x05" "\x00\x00" "\x00" "Rock") +
      Bytes("COMM" "\x00\x00\x00\x07" "\x00\x00" "\x00" "eng" "\x00" "hi") +
      Bytes("TCOM" "\x00\x00\x00\x02" "\x00\x00" "\x00" "c" "TOPE" "\x00\x00\x00\x02" "\x00\x00" "\x00" "o") +
      Bytes("TLAN" "\x00\x00\x00\x03" "\x00\x00" "\x00" "de" "TIT3" "\x00\x00\x00\x02" "\x00\x00" "\x00" "s") +
      Bytes("TCOP" "\x00\x00\x00\x02" "\x00\x00" "\x00" "c" "TENC" "\x00\x00\x00\x02" "\x00\x00" "\x00" "e") +
      Bytes("WXXX" "\x00\x00\x00\x09" "\x00\x00" "\x00" "\x00" "home->x") +
      Bytes("WXXX" "\x00\x00\x00\x03" "\x00\x00" "\x00" "\x00" "y") +
      Bytes("USLT" "\x00\x00\x00\xCD" "\x00\x00" "\x00" "eng" "\x00") + l200 +
      Bytes("APIC" "\x00\x00\x00\x16" "\x00\x00" "\x00" "image/jpg" "\x00" "\x03" "front" "\x00" "JPEG") +
      Bytes("APIC" "\x00\x00\x00\x0D" "\x00\x00" "\x00" "image/" "\x00" "\x04" "\x00" "PNG");
  TempDir other;
  WriteFileBytes(other / "a.jpeg", "JPEG"), WriteFileBytes(other / "b.png", "PNG");
  clsID3V230Writer w(env);
  w.setGraphic(other / "a.jpeg" + "|" + other / "b.png");
  for (auto f = std::rbegin(fields); f != std::rend(fields); ++f) (w.*(f->first))(f->second);
  // No padding between the frames and the audio; one pass, one work file.
  EXPECT_EQ(write(w, audio), TagHeader(static_cast<std::uint32_t>(frames.size())) + frames + audio);
  EXPECT_EQ(fs.created(), works(true));
  // The comment's language is the language only when it has three characters.
  for (const auto& [language, commLanguage] : {std::pair{"", "eng"}, {"de", "eng"}, {"deu", "deu"}, {"deut", "eng"}}) {
    clsID3V230Writer comment(env);
    comment.setComment("x"), comment.setLanguage(language);
    EXPECT_EQ(write(comment, audio).substr(10, 14), Bytes("COMM" "\x00\x00\x00\x06" "\x00\x00" "\x00") + commLanguage);
  }
}

TEST_F(ID3V230WriterTest, OldTagsOfAnyVersionAreReplacedOrRemoved) {
  const std::string v1 = support::ID3v1Block("old");
  const std::string newTag = Tagged(Bytes("TIT2" "\x00\x00\x00\x04" "\x00\x00" "\x00" "new"));
  const struct { std::string before, title, after; bool remove; const char* workSuffix; } cases[] = {
      {TagHeader(20, 0, 4) + std::string(20, 'x') + audio + v1, "new", newTag + audio + v1, false, ".mp3"},
      {Tag({Frame("TIT2", Text("old")), Frame("TPOS", Text("1"))}, 100) + audio + v1, "new", newTag + audio + v1,
       false, ".mp3"},
      {newTag + audio, "", audio, false, ".new"},  // no field: the old tag only goes away
      {audio, "", audio, false, ""}, {audio, "new", newTag + audio, false, ".mp3"},
      {Tag({Frame("TIT2", Text("x"))}, 10) + audio + v1, "", audio + v1, true, ".new"},
      {"id3" + audio, "", "id3" + audio, true, ""}};
  for (const auto& c : cases) {
    clsID3V230Writer w(env);
    w.setSongTitle(c.title);
    EXPECT_EQ(write(w, c.before, c.remove), c.after);
    EXPECT_EQ(fs.created(), works(*c.workSuffix, c.workSuffix));
  }
  // Large copies go in pieces, with a yield after each: 5 MB of audio in three, 3 MB of picture in two.
  const std::string big(5 * 1000 * 1000, 'a');
  WriteFileBytes(dir.file("p.jpg"), std::string(3 * 1000 * 1000, 'p'));
  int yields = 0;
  env.yield = [&yields] { ++yields; };
  clsID3V230Writer w(env);
  w.setGraphic(dir.file("p.jpg")), w.setGraphicType("3");
  WriteFileBytes(path, big);
  ASSERT_TRUE(w.WriteID3V230Tag(path));
  EXPECT_TRUE(fs.largestWrite() <= formats::CopyPiece && fs.largestRead() <= formats::CopyPiece);
  EXPECT_EQ(yields, 3 + 2);
  const std::string bytes = ReadFileBytes(path);
  EXPECT_EQ(bytes.substr(bytes.size() - big.size()), big);
}

// The one-pass save gives the bytes of the two writes one after the other; mutagen reads the ID3v1.1 block,
// the comment's language, picture kinds and the audio of one (the frames: the tagging peer table).
TEST_F(ID3V230WriterTest, SavingBothTagsGivesTheBytesOfTheTwoWritesOneAfterTheOther) {
  const std::string front = dir / "front.jpg", back = dir / "back.png", oldV1 = support::ID3v1Block("old");
  WriteFileBytes(front, "\xFF\xD8\xFF\xE0 jpeg"), WriteFileBytes(back, "\x89PNG\r\n\x1A\n");
  clsID3V111Writer v1;
  v1.setSongTitle("Caf\xC3\xA9 au lait"), v1.setArtist("An artist with a rather long name, cut"), v1.setAlbum("Album");
  v1.setYear("2023"), v1.setComment("Comment"), v1.setTrack(5), v1.setGenre(v1.GetGenre("rock"));
  clsID3V230Writer v2(env);
  v2.setComment("A comment"), v2.setLanguage("deu");
  v2.setGraphic(front + "|" + back), v2.setGraphicType("3|4"), v2.setGraphicTitle("front|");
  // The last two: an old tag over the old ID3v1 block; "ID3" and the new block: a tag past the file, refused.
  const std::string starts[] = {
      formats::SilentMpegFrames(formats::FramesForSeconds(2, 48000), 320, 48000) + oldV1, audio,
      Tag({Frame("TIT2", Text("old")), Frame("TPOS", Text("1"))}, 20) + audio + oldV1,
      TagHeader(10, 0, 4) + std::string(10, 'x') + audio + oldV1, oldV1, "",
      TagHeader(static_cast<std::uint32_t>(audio.size() + 128)) + audio + oldV1, "ID3"};
  for (const bool emptyV2 : {false, true}) {
    for (const auto& start : starts) {
      SCOPED_TRACE(std::to_string(start.size()) + (emptyV2 ? " bytes, without ID3v2 fields" : " bytes"));
      const clsID3V230Writer second = emptyV2 ? clsID3V230Writer(env) : v2;
      WriteFileBytes(path, start);
      clsID3V111Writer(v1).WriteID3V111Tag(path);
      const bool twoStepsDone(clsID3V230Writer(second).WriteID3V230Tag(path));
      EXPECT_EQ(twoStepsDone, start != "ID3") << "the reference is the two writes";
      EXPECT_NE(ReadFileBytes(path), start);
      const std::string expected = twoStepsDone ? ReadFileBytes(path) : start;
      WriteFileBytes(path, start);
      fs.reset();
      EXPECT_EQ(bool(formats::TagSaver(env).SaveTags(path, v1, second)), twoStepsDone);
      EXPECT_EQ(ReadFileBytes(path), expected);
      EXPECT_EQ(fs.created(), works(twoStepsDone));  // one pass
      EXPECT_EQ(FolderEntries(dir.path()), (Names{"back.png", "front.jpg", "song.mp3"}));
    }
  }
  WriteFileBytes(path, starts[0]);
  ASSERT_TRUE(formats::TagSaver().SaveTags(path, v1, v2));
  EXPECT_EQ(support::MutagenFacts(path), (std::map<std::string, std::string>{
      {"version", "2.3"}, {"TLAN", "deu"}, {"COMM::deu", "deu||A comment"}, {"APIC:front", "image/jpeg 3 front"},
      {"APIC:", "image/png 4 "}, {"v1.TIT2", "Caf\xC3\xA9 au lait"}, {"v1.TPE1", "An artist with a rather long n"},
      {"v1.TALB", "Album"}, {"v1.TDRC", "2023"}, {"v1.TRCK", "5"}, {"v1.COMM", "eng|ID3v1 Comment|Comment"},
      {"v1.TCON", "Rock"}, {"bitrate", "320"}, {"rate", "48000"}}));
}

// The MIME type comes from the picture's first bytes, else from its name. A missing picture file is left out.
TEST_F(ID3V230WriterTest, PictureBodiesAsWritten) {
  TempDir pics;
  // The data goes into the last file named. A GIF needs its version; one title is taken whole; no data: no frame.
  const struct { std::string graphic, data, type, title, mime; char kind; std::string description; } cases[] = {
      {"jpeg.png", "\xFF\xD8\xFF\xE0", "3", "", "image/jpeg", 3, ""},
      {"png.jpg", "\x89PNG\r\n\x1A\n", "3", "", "image/png", 3, ""}, {"gif", "GIF89a", "3", "", "image/gif", 3, ""},
      {"bmp.JPEG", "BM6", "3", "", "image/bmp", 3, ""}, {"gif8.gif", "GIF8", "3", "", "image/", 3, ""},
      {"short.png", "\x89PNG", "3", "", "image/", 3, ""}, {"a.JPEG", "DATA", "4", "back", "image/jpg", 4, "back"},
      {"a.jpg", "DATA", "4", "back", "image/jpg", 4, "back"}, {"noextension", "DATA", "0", "a|b", "image/", 0, "a|b"},
      {"gone.jpg|a.jpg", "DATA", "3|4", "a|b", "image/jpg", 4, "b"}, {"gone.jpg", "", "3", "", "", 0, ""}};
  for (const auto& c : cases) {
    clsID3V230Writer w(env);
    std::string paths;
    for (const auto& name : formats::id3v230::SplitList(c.graphic)) paths += (paths.empty() ? "" : "|") + pics / name;
    if (!c.data.empty()) WriteFileBytes(paths.substr(paths.rfind('|') + 1), c.data);
    w.setGraphic(paths), w.setGraphicType(c.type), w.setGraphicTitle(c.title);
    const std::string frame = Frame("APIC", ApicBody(c.mime, c.kind, c.description, c.data));
    EXPECT_EQ(write(w, audio), (c.data.empty() ? "" : Tagged(frame)) + audio) << c.graphic;
  }
}

}  // namespace
