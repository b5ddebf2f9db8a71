// Cross-check with an independent reader, mutagen (python3-mutagen), of what our writers write.
#include <gtest/gtest.h>

#include <map>
#include <sstream>

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
comm = tags.getall('COMM')[0]
put('COMM', '%s|%s|%s' % (comm.lang, comm.desc, comm.text[0]))
for n, pic in enumerate(tags.getall('APIC')):
    put('APIC.%d' % n, '%s %d %s ' % (pic.mime, pic.type, pic.desc))
with open(sys.argv[1], 'rb') as f:
    v1 = ParseID3v1(f.read()[-128:])
for key in ('TIT2', 'TPE1', 'TALB', 'TDRC', 'TRCK'):
    put('v1.' + key, str(v1[key].text[0]))
put('v1.COMM', v1['COMM'].text[0]); put('v1.TCON', v1['TCON'].genres[0])
info = MP3(sys.argv[1]).info
put('bitrate', str(info.bitrate // 1000)); put('rate', str(info.sample_rate))
)PY";

// The ID3v2.3 frames one by one are cross-checked through the shared save in the tagging
// peer table; here the ID3v1.1 block, the comment's language, picture kinds and the audio.
TEST(PeerCheck, MutagenReadsWhatWeWrite) {
  support::TempDir dir;
  const std::string path = dir.file("ours.mp3");
  support::WriteFileBytes(path, formats::SilentMpegFrames(formats::FramesForSeconds(2, 48000), 320, 48000) +
                                    support::ID3v1Block("old"));
  support::WriteFileBytes(dir.file("front.jpg"), std::string("\xFF\xD8\xFF\xE0 jpeg", 9));
  support::WriteFileBytes(dir.file("back.png"), "\x89PNG\r\n\x1A\n");
  formats::clsID3V111Writer v1;
  v1.setSongTitle("Caf\xC3\xA9 au lait"), v1.setArtist("An artist with a rather long name, cut");
  v1.setAlbum("Album"), v1.setYear("2023"), v1.setComment("Comment"), v1.setTrack(5);
  v1.setGenre(v1.GetGenre("rock"));
  formats::clsID3V230Writer v2;
  v2.setComment("A comment"), v2.setLanguage("deu");
  v2.setGraphic(dir.file("front.jpg") + "|" + dir.file("back.png")), v2.setGraphicType("3|4"), v2.setGraphicTitle("front|");
  ASSERT_TRUE(formats::TagSaver().SaveTags(path, v1, v2));
  const std::map<std::string, std::string> expected = {
      {"version", Hex("2.3")}, {"COMM", Hex("deu||A comment")},
      {"APIC.0", Hex("image/jpeg 3 front ")}, {"APIC.1", Hex("image/png 4  ")},
      {"v1.TIT2", Hex("Caf\xe9 au lait")}, {"v1.TPE1", Hex("An artist with a rather long n")},
      {"v1.TALB", Hex("Album")}, {"v1.TDRC", Hex("2023")}, {"v1.TRCK", Hex("5")}, {"v1.COMM", Hex("Comment")},
      {"v1.TCON", Hex("Rock")}, {"bitrate", Hex("320")}, {"rate", Hex("48000")}};
  EXPECT_EQ(RunMutagen(kReadWithMutagen, path), expected);
}

}  // namespace
