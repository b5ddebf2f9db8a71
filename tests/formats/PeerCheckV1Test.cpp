// Other programs read what we write: mutagen reads our ID3v1.1 tags, ffprobe finds the
// audio stream behind them, and both agree with our MPEG header reader.
#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

#include "formats/ID3V111.h"
#include "formats/MP3HeadReader.h"
#include "formats/SilentMpeg.h"
#include "support/FileHelpers.h"
#include "support/Process.h"
#include "support/TempDir.h"

namespace {

using support::ShellQuote;

// Prints, one a line in ISO-8859-1: title, artist, album, year, comment, track, genre,
// then the bit rate and sampling frequency that mutagen finds; "-" for a missing field.
const char kMutagenScript[] = R"(
import sys
from mutagen.id3 import ID3, ID3NoHeaderError
from mutagen.mp3 import MP3
out = []
try:
    t = ID3(sys.argv[1])
except ID3NoHeaderError:
    t = {}
def text(key):
    f = t.get(key)
    return str(f.text[0]) if f else "-"
comments = [f for f in t.values() if f.FrameID == "COMM"]
genre = t.get("TCON")
info = MP3(sys.argv[1]).info
out = [text("TIT2"), text("TPE1"), text("TALB"), text("TDRC"),
       str(comments[0].text[0]) if comments else "-", text("TRCK"),
       genre.genres[0] if genre else "-", str(info.bitrate // 1000), str(info.sample_rate)]
sys.stdout.buffer.write("\n".join(out).encode("latin-1") + b"\n")
)";

std::vector<std::string> Lines(const std::string& text) {
  std::vector<std::string> lines;
  std::istringstream in(text);
  for (std::string line; std::getline(in, line);) lines.push_back(line);
  return lines;
}

bool HaveMutagen() {
  return support::CommandSucceeds(support::SystemPython() + " -c 'import mutagen'");
}

std::vector<std::string> MutagenRead(const std::string& path) {
  std::string output;
  const int status = support::RunCommand(
      support::SystemPython() + " -c " + ShellQuote(kMutagenScript) + " " + ShellQuote(path) + " 2>&1", output);
  EXPECT_EQ(status, 0) << output;
  return Lines(output);
}

TEST(PeerCheckV1, MutagenReadsWhatWeWrite) {
  if (!HaveMutagen()) GTEST_SKIP() << "python3-mutagen is not installed";
  support::TempDir dir;
  const std::string path = dir.file("song.mp3");
  support::WriteFileBytes(path, formats::SilentMpegFrames(formats::FramesForSeconds(3)));

  formats::clsID3V111Writer writer;
  writer.setSongTitle("Caf\xe9 au lait");
  writer.setArtist("An artist with a rather long name, cut");
  writer.setAlbum("Album");
  writer.setYear("2023");
  writer.setComment("Comment");
  writer.setTrack(5);
  writer.setGenre(writer.GetGenre("rock"));
  writer.WriteID3V111Tag(path);
  EXPECT_EQ(MutagenRead(path),
            (std::vector<std::string>{"Caf\xe9 au lait", "An artist with a rather long n", "Album", "2023",
                                      "Comment", "5", "Rock", "128", "44100"}));

  // Replacing the tag in one pass: mutagen sees only the new one.
  formats::clsID3V111Writer second;
  second.setSongTitle("Second");
  second.setTrack(6);
  second.WriteID3V111Tag(path);
  EXPECT_EQ(MutagenRead(path),
            (std::vector<std::string>{"Second", "-", "-", "-", "-", "6", "-", "128", "44100"}));

  formats::clsID3V111Writer().RemoveID3V111Tag(path);
  EXPECT_EQ(MutagenRead(path), (std::vector<std::string>{"-", "-", "-", "-", "-", "-", "-", "128", "44100"}));
}

TEST(PeerCheckV1, FfprobeFindsTheAudioAndAgreesWithOurHeaderReader) {
  if (!support::CommandSucceeds("ffprobe -version")) GTEST_SKIP() << "ffprobe is not installed";
  support::TempDir dir;
  const struct {
    int kbps;
    int frequency;
  } cases[] = {{128, 44100}, {320, 48000}, {64, 32000}};
  for (const auto& c : cases) {
    const std::string path = dir.file("song" + std::to_string(c.kbps) + ".mp3");
    support::WriteFileBytes(path, formats::SilentMpegFrames(formats::FramesForSeconds(2, c.frequency), c.kbps,
                                                            c.frequency));
    formats::clsID3V111Writer writer;
    writer.setSongTitle("Probe");
    writer.WriteID3V111Tag(path);

    std::string output;
    ASSERT_EQ(support::RunCommand("ffprobe -v error -show_entries stream=codec_name,sample_rate,bit_rate"
                                  ":format_tags=title -of default=nw=1 " +
                                      ShellQuote(path),
                                  output),
              0);
    formats::clsMP3HeadReader reader;
    reader.ReadMP3Header(path);
    const std::vector<std::string> expected = {
        "codec_name=mp3", "sample_rate=" + std::to_string(reader.Frequency()),
        "bit_rate=" + std::to_string(reader.Bitrate() * 1000), "TAG:title=Probe"};
    EXPECT_EQ(Lines(output), expected) << path;
    EXPECT_EQ(reader.Bitrate(), c.kbps);
  }
}

}  // namespace
