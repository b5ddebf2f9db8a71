// Other programs' reading of a file (mutagen, ffprobe, id3v2, TagLib): readers that share none of our code.
#pragma once
#include <map>
#include <string>
#include <vector>

namespace support {

// Key -> value bytes, texts in UTF-8.
using PeerFrames = std::map<std::string, std::string>;

// The readers print each key and value as hexadecimal bytes ("-" for none): any bytes pass through a line.
inline std::string Hex(const std::string& bytes) {
  static const char digits[] = "0123456789abcdef";
  std::string out;
  for (unsigned char c : bytes) out += {digits[c >> 4], digits[c & 15]};
  return out.empty() ? "-" : out;
}

// Each file's ID3v2 frames as `peer` reads them, keyed by ID (with ":description" or ":owner"), PRIV and APIC
// data as it is, several texts joined by "|". "mutagen": as stored, with "version" and "length" (seconds);
// "mutagen-v24": in ID3v2.4 form, with a line "KEY~" of each frame's other attributes; "mutagen-facts":
// MutagenFacts(); "ffprobe": its tag names, "duration", the first stream's "bit_rate", the pictures as ffmpeg
// copies them out; "id3v2": a picture's size, no PRIV, texts as id3v2 prints them; "taglib": TDRC as TYER,
// nothing where TagLibBuilt() is false.
std::vector<PeerFrames> PeerRead(const std::string& peer, const std::vector<std::string>& paths);
PeerFrames PeerRead(const std::string& peer, const std::string& path);
bool TagLibBuilt();  // whether tests/peers (libtag1-dev) was built

// mutagen's view of a file: "version"; each frame under mutagen's key ("COMM:desc:lang") with its text, a
// comment or lyrics as "lang|desc|text", a picture as "mime type desc", a URL as its address, others as their
// data; the ID3v1 block's frames as "v1.TIT2" ... (a genre by its name); "bitrate" (kbit/s) and "rate".
std::map<std::string, std::string> MutagenFacts(const std::string& path);

// A python script that tags the file argv[1] with frames of many kinds through mutagen: argv[2] is the ID3
// version (3 or 4), argv[3] the text encoding (0, 1 UTF-16, 3 UTF-8).
extern const char* const kTagWithMutagen;

}  // namespace support
