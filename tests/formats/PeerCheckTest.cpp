// Cross-checks with an independent reader and writer, mutagen (python3-mutagen): it reads
// what our writers write, every field and picture and the audio's bit rate. (Files that
// mutagen writes are read, saved and compared in the tagging tests.)
#include <gtest/gtest.h>

#include <map>
#include <sstream>
#include <string>

#include "formats/ID3V111.h"
#include "formats/ID3V230Writer.h"
#include "formats/SilentMpeg.h"
#include "formats/TagSaver.h"
#include "support/FileHelpers.h"
#include "support/ID3V230Bytes.h"
#include "support/Process.h"
#include "support/TempDir.h"

namespace {

std::string Hex(const std::string& bytes) {
  static const char digits[] = "0123456789abcdef";
  std::string out;
  for (unsigned char c : bytes) out += {digits[c >> 4], digits[c & 15]};
  return out.empty() ? "-" : out;
}

// Runs a python script on a file; its output lines "key hexvalue" become a map.
std::map<std::string, std::string> RunMutagen(const char* script, const std::string& path) {
  std::map<std::string, std::string> values;
  std::istringstream lines(support::RunPython(script, {path}));
  for (std::string key, value; lines >> key >> value;) values[key] = value;
  return values;
}

const char* const kReadWithMutagen = R"PY(
import sys
from mutagen.id3 import ID3, ParseID3v1
from mutagen.mp3 import MP3
def put(key, text):
    print(key, (text.encode('latin-1') if isinstance(text, str) else text).hex() or '-')
tags = ID3(sys.argv[1], translate=False)
put('version', '%d.%d' % tags.version[:2])
for frame_id in ('TIT2', 'TPE1', 'TALB', 'TYER', 'TRCK', 'TCON', 'TCOM', 'TOPE', 'TLAN', 'TIT3', 'TCOP', 'TENC'):
    put(frame_id, tags[frame_id].text[0])
comm = tags.getall('COMM')[0]
put('COMM.lang', comm.lang); put('COMM.desc', comm.desc); put('COMM.text', comm.text[0])
put('WXXX', tags.getall('WXXX')[0].url)
put('USLT', tags.getall('USLT')[0].text)
for n, pic in enumerate(tags.getall('APIC')):
    put('APIC.%d' % n, '%s %d %s ' % (pic.mime, pic.type, pic.desc)); put('APIC.%d.data' % n, pic.data)
with open(sys.argv[1], 'rb') as f:
    v1 = ParseID3v1(f.read()[-128:])
for key in ('TIT2', 'TPE1', 'TALB', 'TDRC', 'TRCK'):
    put('v1.' + key, str(v1[key].text[0]))
put('v1.COMM', v1['COMM'].text[0]); put('v1.TCON', v1['TCON'].genres[0])
info = MP3(sys.argv[1]).info
put('bitrate', str(info.bitrate // 1000)); put('rate', str(info.sample_rate))
)PY";

TEST(PeerCheck, MutagenReadsWhatWeWrite) {
  support::TempDir dir;
  const std::string path = dir.file("ours.mp3");
  support::WriteFileBytes(path, formats::SilentMpegFrames(formats::FramesForSeconds(2, 48000), 320, 48000) +
                                    support::ID3v1Block("old"));
  const std::string front("\xFF\xD8\xFF\xE0 jpeg", 9), back("\x89PNG\r\n\x1A\n", 8);
  support::WriteFileBytes(dir.file("front.jpg"), front);
  support::WriteFileBytes(dir.file("back.png"), back);
  formats::clsID3V111Writer v1;
  v1.setSongTitle("Caf\xC3\xA9 au lait"), v1.setArtist("An artist with a rather long name, cut");
  v1.setAlbum("Album"), v1.setYear("2023"), v1.setComment("Comment"), v1.setTrack(5);
  v1.setGenre(v1.GetGenre("rock"));
  formats::clsID3V230Writer v2;
  using W = formats::clsID3V230Writer;
  // One address: mutagen keeps one WXXX frame per description, and ours all have the empty
  // description, so of several it would show only the last. Lyrics: a 32-bit size above 127.
  const std::pair<void (W::*)(const std::string&), std::string> fields[] = {
      {&W::setSongTitle, "Caf\xC3\xA9 title"}, {&W::setArtist, "Artist"}, {&W::setAlbum, "Album"},
      {&W::setYear, "2004"}, {&W::setTrack, "7/12"}, {&W::setGenre, "Rock"}, {&W::setComment, "A comment"},
      {&W::setComposer, "Composer"}, {&W::setOriginalArtist, "Original"}, {&W::setLanguage, "deu"},
      {&W::setSubTitle, "Sub"}, {&W::setCopyright, "Copy"}, {&W::setEncodedBy, "Enc"},
      {&W::setURL, "http://a.invalid/"}, {&W::setLyrics, std::string(300, 'l')},
      {&W::setGraphic, dir.file("front.jpg") + "|" + dir.file("back.png")}, {&W::setGraphicType, "3|4"},
      {&W::setGraphicTitle, "front|"}};
  for (const auto& [set, value] : fields) (v2.*set)(value);
  ASSERT_TRUE(formats::TagSaver().SaveTags(path, v1, v2));

  const std::map<std::string, std::string> expected = {
      {"version", Hex("2.3")}, {"TIT2", Hex("Caf\xE9 title")}, {"TPE1", Hex("Artist")}, {"TALB", Hex("Album")},
      {"TYER", Hex("2004")}, {"TRCK", Hex("7/12")}, {"TCON", Hex("Rock")}, {"TCOM", Hex("Composer")},
      {"TOPE", Hex("Original")}, {"TLAN", Hex("deu")}, {"TIT3", Hex("Sub")}, {"TCOP", Hex("Copy")},
      {"TENC", Hex("Enc")}, {"COMM.lang", Hex("deu")}, {"COMM.desc", "-"}, {"COMM.text", Hex("A comment")},
      {"WXXX", Hex("http://a.invalid/")}, {"USLT", Hex(std::string(300, 'l'))},
      {"APIC.0", Hex("image/jpeg 3 front ")}, {"APIC.0.data", Hex(front)}, {"APIC.1", Hex("image/png 4  ")},
      {"APIC.1.data", Hex(back)}, {"v1.TIT2", Hex("Caf\xe9 au lait")}, {"v1.TPE1", Hex("An artist with a rather long n")},
      {"v1.TALB", Hex("Album")}, {"v1.TDRC", Hex("2023")}, {"v1.TRCK", Hex("5")}, {"v1.COMM", Hex("Comment")},
      {"v1.TCON", Hex("Rock")}, {"bitrate", Hex("320")}, {"rate", Hex("48000")}};
  EXPECT_EQ(RunMutagen(kReadWithMutagen, path), expected);
}

}  // namespace
