// Cross-checks with independent programs: what our writer tags reads back in mutagen
// (python3-mutagen) with the same values, ffprobe still finds the audio stream, and a tag
// that mutagen writes as ID3v2.3 with ISO-8859-1 texts reads correctly in our reader.
#include <gtest/gtest.h>

#include <cstdlib>
#include <map>
#include <sstream>
#include <string>

#include "formats/ID3V230Layout.h"
#include "formats/ID3V230Reader.h"
#include "formats/ID3V230Writer.h"
#include "support/FileHelpers.h"
#include "support/ID3V230Bytes.h"
#include "support/TempDir.h"

using formats::clsID3V230Reader;
using formats::clsID3V230Writer;

namespace {

std::string quoted(const std::string& text) {
  std::string out = "'";
  for (char c : text) out += c == '\'' ? std::string("'\\''") : std::string(1, c);
  return out + "'";
}

// The Debian interpreter first: it is the one that has python3-mutagen.
std::string pythonWithMutagen() {
  for (const char* candidate : {"/usr/bin/python3", "python3"}) {
    const std::string command = std::string(candidate) + " -c 'import mutagen' >/dev/null 2>&1";
    if (std::system(command.c_str()) == 0) return candidate;
  }
  return {};
}

std::string hex(const std::string& bytes) {
  static const char digits[] = "0123456789abcdef";
  std::string out;
  for (unsigned char c : bytes) {
    out += digits[c >> 4];
    out += digits[c & 15];
  }
  return out;
}

// Runs a python script with arguments; its output lines "key hexvalue" become a map.
std::map<std::string, std::string> runScript(const std::string& python, const support::TempDir& dir,
                                             const std::string& script, const std::string& arguments) {
  const std::string scriptPath = dir.file("check.py"), outputPath = dir.file("output.txt");
  support::WriteFileBytes(scriptPath, script);
  const std::string command = python + " " + quoted(scriptPath) + " " + arguments + " > " + quoted(outputPath);
  EXPECT_EQ(std::system(command.c_str()), 0) << command;
  std::map<std::string, std::string> values;
  std::istringstream lines(support::ReadFileBytes(outputPath));
  std::string key, value;
  while (lines >> key >> value) values[key] = value;
  return values;
}

const char* const kReadWithMutagen = R"PY(
import sys
from mutagen.id3 import ID3
tags = ID3(sys.argv[1], translate=False)
def put(key, text):
    print(key, (text.encode('latin-1') if isinstance(text, str) else text).hex() or '-')
print('version', ('%d.%d' % tags.version[:2]).encode().hex())
for frame_id in ('TIT2', 'TPE1', 'TALB', 'TYER', 'TRCK', 'TCON'):
    put(frame_id, tags[frame_id].text[0])
comm = tags.getall('COMM')[0]
put('COMM.lang', comm.lang); put('COMM.desc', comm.desc); put('COMM.text', comm.text[0])
for n, url in enumerate(tags.getall('WXXX')):
    put('WXXX.%d' % n, url.url)
put('USLT', tags.getall('USLT')[0].text)
for n, pic in enumerate(tags.getall('APIC')):
    put('APIC.%d.mime' % n, pic.mime); put('APIC.%d.type' % n, str(int(pic.type)))
    put('APIC.%d.desc' % n, pic.desc); put('APIC.%d.data' % n, pic.data)
)PY";

const char* const kWriteWithMutagen = R"PY(
import sys
from mutagen.id3 import ID3, TIT2, TPE1, TALB, TYER, TRCK, TCON, COMM, WXXX, USLT, APIC, TCOM
tags = ID3()
tags.add(TIT2(encoding=0, text='T\u00eftle'))
tags.add(TPE1(encoding=0, text='Artist'))
tags.add(TALB(encoding=0, text='Album'))
tags.add(TYER(encoding=0, text='1999'))
tags.add(TRCK(encoding=0, text='3/10'))
tags.add(TCON(encoding=0, text='Jazz'))
tags.add(TCOM(encoding=0, text='Composer'))
tags.add(COMM(encoding=0, lang='eng', desc='', text='A comment'))
tags.add(WXXX(encoding=0, desc='', url='http://example.invalid/'))
tags.add(USLT(encoding=0, lang='eng', desc='', text='la la'))
tags.add(APIC(encoding=0, mime='image/jpeg', type=3, desc='front', data=b'JPEGBYTES'))
tags.save(sys.argv[1], v2_version=3)
)PY";

class CrossCheckTest : public ::testing::Test {
 protected:
  void SetUp() override {
    python = pythonWithMutagen();
    if (python.empty()) GTEST_SKIP() << "python3 with mutagen (python3-mutagen) is not installed";
  }
  std::string python;
  support::TempDir dir;
  const std::string audio = support::Audio(60);
};

TEST_F(CrossCheckTest, MutagenReadsWhatWeWrite) {
  const std::string path = dir.file("ours.mp3");
  support::WriteFileBytes(path, audio + support::ID3v1Block("v1"));
  support::WriteFileBytes(dir.file("front.jpg"), std::string("\xFF\xD8\xFF\xE0 jpeg", 9));
  support::WriteFileBytes(dir.file("back.png"), std::string("\x89PNG\r\n\x1A\n", 8));
  clsID3V230Writer writer;
  writer.setSongTitle("Caf\xE9 title");
  writer.setArtist("Artist");
  writer.setAlbum("Album");
  writer.setYear("2004");
  writer.setTrack("7/12");
  writer.setGenre("Rock");
  writer.setComment("A comment");
  writer.setLanguage("deu");
  // One address: mutagen keeps one WXXX frame per description, and ours all have the
  // empty description, so of several it would show only the last.
  writer.setURL("http://a.invalid/");
  writer.setLyrics("la la la");
  writer.setGraphic(dir.file("front.jpg") + "|" + dir.file("back.png"));
  writer.setGraphicType("3|4");
  writer.setGraphicTitle("front|");
  ASSERT_TRUE(writer.WriteID3V230Tag(path));

  auto values = runScript(python, dir, kReadWithMutagen, quoted(path));
  EXPECT_EQ(values["version"], hex("2.3"));
  EXPECT_EQ(values["TIT2"], hex("Caf\xE9 title"));
  EXPECT_EQ(values["TPE1"], hex("Artist"));
  EXPECT_EQ(values["TALB"], hex("Album"));
  EXPECT_EQ(values["TYER"], hex("2004"));
  EXPECT_EQ(values["TRCK"], hex("7/12"));
  EXPECT_EQ(values["TCON"], hex("Rock"));
  EXPECT_EQ(values["COMM.lang"], hex("deu"));
  EXPECT_EQ(values["COMM.desc"], "-");
  EXPECT_EQ(values["COMM.text"], hex("A comment"));
  EXPECT_EQ(values["WXXX.0"], hex("http://a.invalid/"));
  EXPECT_EQ(values["USLT"], hex("la la la"));
  EXPECT_EQ(values["APIC.0.mime"], hex("image/jpg"));
  EXPECT_EQ(values["APIC.0.type"], hex("3"));
  EXPECT_EQ(values["APIC.0.desc"], hex("front"));
  EXPECT_EQ(values["APIC.0.data"], hex(support::ReadFileBytes(dir.file("front.jpg"))));
  EXPECT_EQ(values["APIC.1.mime"], hex("image/"));
  EXPECT_EQ(values["APIC.1.type"], hex("4"));
  EXPECT_EQ(values["APIC.1.desc"], "-");
  EXPECT_EQ(values["APIC.1.data"], hex(support::ReadFileBytes(dir.file("back.png"))));
}

TEST_F(CrossCheckTest, FfprobeStillFindsTheAudioStream) {
  if (std::system("ffprobe -version >/dev/null 2>&1") != 0) GTEST_SKIP() << "ffprobe (ffmpeg) is not installed";
  const std::string path = dir.file("probe.mp3");
  support::WriteFileBytes(path, audio);
  support::WriteFileBytes(dir.file("front.jpg"), std::string(5000, 'j'));
  clsID3V230Writer writer;
  writer.setSongTitle("Probe");
  writer.setLyrics(std::string(300, 'l'));
  writer.setGraphic(dir.file("front.jpg"));
  writer.setGraphicType("3");
  ASSERT_TRUE(writer.WriteID3V230Tag(path));
  const std::string out = dir.file("probe.txt");
  const std::string command = "ffprobe -v error -show_entries stream=codec_type,codec_name:format_tags=title "
                              "-of default=noprint_wrappers=1 " + quoted(path) + " > " + quoted(out);
  ASSERT_EQ(std::system(command.c_str()), 0);
  const std::string probe = support::ReadFileBytes(out);
  EXPECT_NE(probe.find("codec_name=mp3"), std::string::npos) << probe;
  EXPECT_NE(probe.find("codec_type=audio"), std::string::npos) << probe;
  EXPECT_NE(probe.find("TAG:title=Probe"), std::string::npos) << probe;
}

TEST_F(CrossCheckTest, WeReadWhatMutagenWritesAsID3v23) {
  const std::string path = dir.file("theirs.mp3");
  support::WriteFileBytes(path, audio);
  runScript(python, dir, kWriteWithMutagen, quoted(path));
  clsID3V230Reader reader(formats::FormatEnv{}, dir.file("cover"));
  reader.ReadID3V230Tag(path);
  EXPECT_TRUE(reader.TagPresent());
  // mutagen ends every ID3v2.3 text with a NUL; texts are not trimmed, so it stays.
  const std::string end(1, '\0');
  EXPECT_EQ(reader.SongTitle(), "T\xEFtle" + end);  // ISO-8859-1, one byte per character
  EXPECT_EQ(reader.Artist(), "Artist" + end);
  EXPECT_EQ(reader.Album(), "Album" + end);
  EXPECT_EQ(reader.Year(), "1999" + end);
  EXPECT_EQ(reader.Genre(), "Jazz" + end);
  EXPECT_EQ(reader.Composer(), "Composer" + end);
  // The track number reads; the total "10" plus NUL is not a number and gives 0.
  EXPECT_EQ(reader.Track(), 3);
  EXPECT_EQ(reader.Tracks(), 0);
  // Comment and address are the piece after the first NUL: no NUL in them.
  EXPECT_EQ(reader.Comment(), "A comment");
  EXPECT_EQ(reader.URL(), "http://example.invalid/");
  // Three pieces of lyrics (language, text, the empty piece after the NUL) are joined by
  // a line break.
  EXPECT_EQ(reader.Lyrics(), "la la\r\n");
  EXPECT_EQ(reader.GraphicExtended(), "Front Cover");
  EXPECT_EQ(reader.GraphicTitle(), "front");
  std::string info, type;
  const std::string picture = reader.ExtractGraphic(path, std::stoll(reader.GraphicStartPos()),
                                                    std::stoll(reader.GraphicSize()), info, type);
  EXPECT_EQ(picture, dir.file("cover-1.jpg"));
  EXPECT_EQ(support::ReadFileBytes(picture), "JPEGBYTES");
  EXPECT_EQ(info, "front");
  EXPECT_EQ(type, "jpeg");
}

}  // namespace
