// Frames of every size around the bounds of the size field (1 to 70,000 characters, in
// ISO-8859-1 and in UTF-16), both ways between the shared save and the peers: every field,
// a carried TXXX and PRIV and two pictures saved by us read exactly in mutagen, TagLib
// (tests/peers/TagLibFrames.cpp), ffprobe and id3v2; the same frames written by mutagen
// read into the fields exactly and save with nothing lost.
#include <gtest/gtest.h>

#include <cstdlib>
#include <map>
#include <sstream>
#include <string>
#include <vector>

#include "formats/FrameBodies.h"
#include "formats/SilentMpeg.h"
#include "support/FileHelpers.h"
#include "support/ID3V230Bytes.h"
#include "support/Process.h"
#include "support/TempDir.h"
#include "tagging/FileReading.h"
#include "tagging/TagSaveRules.h"

namespace {

using support::ShellQuote;
using Frames = std::map<std::string, std::string>;  // key (ID, or ID:description) -> value bytes

std::string Hex(const std::string& bytes) {
  static const char digits[] = "0123456789abcdef";
  std::string out;
  for (unsigned char c : bytes) out += {digits[c >> 4], digits[c & 15]};
  return out.empty() ? "-" : out;
}

std::string Unhex(const std::string& hex) {
  const auto digit = [](char c) { return c <= '9' ? c - '0' : c - 'a' + 10; };
  std::string out;
  if (hex == "-") return out;
  out.reserve(hex.size() / 2);
  for (std::size_t i = 0; i + 1 < hex.size(); i += 2) out += static_cast<char>(digit(hex[i]) * 16 + digit(hex[i + 1]));
  return out;
}

// Each file as the peers named with it read it (arguments "peer,peer=path"): lines "file
// peer key value", key and value in hex.
// Values are texts in UTF-8, the data of PRIV and APIC frames (id3v2 tells only the size
// of a picture and nothing of PRIV).
const char* const kReadWithPeers = R"PY(
import json, re, subprocess, sys
from mutagen.id3 import ID3
def put(n, peer, key, value):
    if isinstance(value, str): value = value.encode('utf-8')
    print(n, peer, key.encode('utf-8').hex() or '-', value.hex() or '-')
for n, argument in enumerate(sys.argv[1:]):
    peers, path = argument.split('=', 1)
    peers = peers.split(',')
    for f in ID3(path, translate=False, load_v1=False).values() if 'mutagen' in peers else []:
        i = f.FrameID
        if i == 'TXXX': put(n, 'mutagen', 'TXXX:' + f.desc, '\n'.join(f.text))
        elif i[0] == 'T': put(n, 'mutagen', i, '\n'.join(str(t) for t in f.text))
        elif i == 'COMM': put(n, 'mutagen', 'COMM:' + f.desc, '\n'.join(f.text))
        elif i == 'USLT': put(n, 'mutagen', 'USLT:' + f.desc, f.text)
        elif i == 'WXXX': put(n, 'mutagen', 'WXXX:' + f.desc, f.url)
        elif i == 'PRIV': put(n, 'mutagen', 'PRIV:' + f.owner, f.data)
        elif i == 'APIC': put(n, 'mutagen', 'APIC:' + f.desc, f.data)
    if 'ffprobe' not in peers: continue
    probe = json.loads(subprocess.check_output(['ffprobe', '-v', 'error', '-show_entries',
        'format_tags:stream=index:stream_tags:stream_disposition=attached_pic', '-of', 'json', path]))
    for key, value in probe['format'].get('tags', {}).items(): put(n, 'ffprobe', key, value)
    pictures = [s for s in probe['streams'] if s.get('disposition', {}).get('attached_pic')]
    command = ['ffmpeg', '-v', 'error', '-y', '-i', path]
    for s in pictures: command += ['-map', '0:%d' % s['index'], '-c', 'copy', '-f', 'image2', '%s.%d.pic' % (path, s['index'])]
    if pictures: subprocess.check_call(command)
    for s in pictures:
        put(n, 'ffprobe', 'APIC:' + s.get('tags', {}).get('title', ''), open('%s.%d.pic' % (path, s['index']), 'rb').read())
    if 'id3v2' not in peers: continue
    for raw in subprocess.check_output(['id3v2', '-l', path]).split(b'\n'):
        try: line = raw.decode('utf-8')  # id3v2 prints UTF-16 texts in UTF-8, ISO-8859-1 ones as they are
        except UnicodeDecodeError: line = raw.decode('latin-1')
        m = re.match(r'^([A-Z0-9]{4}) \(.*?\): (.*)$', line)
        if not m: continue
        i, value = m.groups()
        described = re.match(r'^\(([^)]*)\)(?:\[[^]]*\])?: (.*)$', value)
        if i == 'TCON': value = re.sub(r' \(\d+\)$', '', value)
        if i == 'APIC': put(n, 'id3v2', 'APIC:' + described.group(1), described.group(2).split(', ')[-1].split(' ')[0])
        elif described and i in ('TXXX', 'COMM', 'USLT', 'WXXX'): put(n, 'id3v2', i + ':' + described.group(1), described.group(2))
        elif i != 'PRIV': put(n, 'id3v2', i, value)
)PY";

// Tags files with mutagen in ID3v2.3: the arguments come in threes, the file, the text
// encoding, and a file of its frames (lines "key value" in hex, keys as above).
const char* const kWriteWithMutagen = R"PY(
import sys
from mutagen.id3 import ID3, Frames, TXXX, COMM, USLT, WXXX, PRIV, APIC
def tag(path, enc, spec):
  t = ID3()
  for line in open(spec):
      key, value = [bytes.fromhex(x) if x != '-' else b'' for x in line.split()]
      key = key.decode(); i, _, desc = key.partition(':')
      text = value.decode('utf-8', 'replace')
      if i == 'TXXX': t.add(TXXX(encoding=enc, desc=desc, text=text))
      elif i in ('COMM', 'USLT'): t.add((COMM if i == 'COMM' else USLT)(encoding=enc, lang='eng', desc=desc, text=text))
      elif i == 'WXXX': t.add(WXXX(encoding=0, desc=desc, url=text))
      elif i == 'PRIV': t.add(PRIV(owner=desc, data=value))
      elif i == 'APIC': t.add(APIC(encoding=enc, mime='image/png' if value[:4] == b'\x89PNG' else 'image/jpeg',
                                   type=3 if desc == 'front' else 4, desc=desc, data=value))
      else: t.add(Frames[i](encoding=enc, text=text))
  t.save(path, v2_version=3, v1=0)
for k in range(1, len(sys.argv), 3): tag(sys.argv[k], int(sys.argv[k + 1]), sys.argv[k + 2])
)PY";

// n characters for the field numbered k: the first tells the fields apart, the rest are
// ISO-8859-1 or, with Greek letters, need UTF-16.
std::string TextOf(int k, std::size_t n, bool utf16) {
  std::string text = utf16 ? std::string{'\xCE', static_cast<char>(0x91 + k)} : std::string(1, static_cast<char>('A' + k));
  const char* const filler[] = {"a", "\xC3\xA9", "b", "c"};
  const char* const greek[] = {"\xCE\xB1", "\xCE\xB2", "x", "\xC3\xA9"};
  for (std::size_t i = 1; i < n; ++i) text += (utf16 ? greek : filler)[i % 4];
  return text;
}

// The frames per file and peer, of the peers named for each file (TagLib included where
// "taglib" is named and TagLib installed).
std::map<int, std::map<std::string, Frames>> ReadWithPeers(const std::vector<std::string>& paths,
                                                           const std::vector<std::string>& peers) {
  std::map<int, std::map<std::string, Frames>> seen;
  std::vector<std::string> arguments;
  for (std::size_t n = 0; n < paths.size(); ++n) arguments.push_back(peers[n] + "=" + paths[n]);
  std::istringstream lines(support::RunPython(kReadWithPeers, arguments));
  for (std::string n, peer, key, value; lines >> n >> peer >> key >> value;) seen[std::stoi(n)][peer][Unhex(key)] = Unhex(value);
  const char* taglib = std::getenv("TONEWRIGHT_TAGLIB_FRAMES");
  for (std::size_t n = 0; taglib != nullptr && n < paths.size(); ++n) {
    if (peers[n].find("taglib") == std::string::npos) continue;
    std::string output;
    EXPECT_EQ(support::RunCommand(ShellQuote(taglib) + " " + ShellQuote(paths[n]), output), 0);
    std::istringstream frames(output);
    for (std::string key, value; frames >> key >> value;) {
      key = Unhex(key);
      seen[static_cast<int>(n)]["taglib"][key == "TDRC" ? "TYER" : key] = Unhex(value);  // TagLib's ID3v2.4 name
    }
  }
  return seen;
}

struct Field {
  std::string tagging::EditFields::*member;
  const char* key;     // the frame, as mutagen, TagLib and id3v2 name it
  const char* ffprobe;  // the name ffprobe gives it; null: not shown
};
const Field kFields[] = {
    {&tagging::EditFields::title, "TIT2", "title"},       {&tagging::EditFields::artist, "TPE1", "artist"},
    {&tagging::EditFields::album, "TALB", "album"},       {&tagging::EditFields::year, "TYER", "TYER"},
    {&tagging::EditFields::genre, "TCON", "genre"},       {&tagging::EditFields::comment, "COMM:", "comment"},
    {&tagging::EditFields::composer, "TCOM", "composer"}, {&tagging::EditFields::originalArtist, "TOPE", "TOPE"},
    {&tagging::EditFields::language, "TLAN", "language"}, {&tagging::EditFields::subTitle, "TIT3", "TIT3"},
    {&tagging::EditFields::copyright, "TCOP", "copyright"}, {&tagging::EditFields::encodedBy, "TENC", "encoded_by"},
    {&tagging::EditFields::lyrics, "USLT:", "lyrics-eng"}};

TEST(PeerTable, EveryFrameSizeReadsAlikeBothWays) {
  support::TempDir dir;
  const std::string jpeg = dir.file("front.jpg"), png = dir.file("back.png");
  for (const auto& [file, colour] : {std::pair{jpeg, "blue"}, std::pair{png, "red"}})
    ASSERT_TRUE(support::CommandSucceeds("ffmpeg -v error -y -f lavfi -i color=c=" + std::string(colour) +
                                         ":s=16x16 -frames:v 1 " + ShellQuote(file)));
  const std::string jpegBytes = support::ReadFileBytes(jpeg), pngBytes = support::ReadFileBytes(png);
  const std::string audio = formats::SilentMpegFrames(40);

  std::vector<std::string> ours, theirs;
  std::vector<Frames> expected;
  std::vector<std::string> peersOf;
  std::vector<std::string> mutagenArguments;
  std::vector<tagging::EditFields> allFields;
  for (const bool utf16 : {false, true}) {
    for (const std::size_t n : {1, 127, 128, 255, 256, 1000, 70000}) {
      const std::string name = std::to_string(n) + (utf16 ? "-utf16" : "-latin1");
      SCOPED_TRACE(name);
      Frames frames;
      tagging::EditFields fields;
      for (int k = 0; k < static_cast<int>(std::size(kFields)); ++k) {
        fields.*kFields[k].member = TextOf(k, n, utf16);
        frames[kFields[k].key] = fields.*kFields[k].member;
      }
      fields.track = "7";
      fields.urls = {"http://" + std::string(n, 'u')};
      frames["TRCK"] = fields.track;
      frames["WXXX:"] = fields.urls[0];
      frames["TXXX:k"] = TextOf(20, n, utf16);
      frames["PRIV:o"] = std::string(n, 'p');
      frames["APIC:back"] = pngBytes;
      frames["APIC:front"] = jpegBytes;
      expected.push_back(frames);
      // id3v2 (id3lib) crashes on UTF-16 texts of more than about 32,000 characters, also in
      // files that mutagen writes: it is not asked about them.
      peersOf.push_back(utf16 && n == 70000 ? "mutagen,ffprobe,taglib" : "mutagen,ffprobe,id3v2,taglib");

      // Ours: a file holding the TXXX, PRIV and PNG picture that the save carries, saved
      // with every field and the JPEG picture from its file.
      const std::string path = dir.file(name + "-ours.mp3");
      ASSERT_TRUE(support::WriteFileBytes(
          path, support::Tag({support::PlainFrame("TXXX", formats::bodies::UserText("k", frames["TXXX:k"])),
                              support::PlainFrame("PRIV", "o" + std::string(1, '\0') + frames["PRIV:o"]),
                              support::PlainFrame("APIC", formats::bodies::PictureFront("image/png", 4, "back") + pngBytes)}) +
                    audio));
      const tagging::FileReading before = tagging::ReadFileIntoFields(path, {}, {});
      ASSERT_EQ(before.pictures.size(), 1u);
      std::vector<core::PictureRecord> pictures{{}, before.pictures[0], {jpeg, 3, "front"}};
      ASSERT_TRUE(tagging::SaveTagsToFile(path, fields, pictures));
      ours.push_back(path);

      // Theirs: the same frames, for mutagen to write.
      const std::string spec = dir.file(name + ".frames"), mutagenPath = dir.file(name + "-mutagen.mp3");
      std::string lines;
      for (const auto& [key, value] : frames) lines += Hex(key) + " " + Hex(value) + "\n";
      ASSERT_TRUE(support::WriteFileBytes(spec, lines));
      ASSERT_TRUE(support::WriteFileBytes(mutagenPath, audio));
      mutagenArguments.insert(mutagenArguments.end(), {mutagenPath, utf16 ? "1" : "0", spec});
      allFields.push_back(fields);
    }
  }
  // What mutagen wrote reads into the same fields, and saves.
  support::RunPython(kWriteWithMutagen, mutagenArguments);
  for (std::size_t n = 0; n < allFields.size(); ++n) {
    const std::string& path = mutagenArguments[3 * n];
    SCOPED_TRACE(path);
    const tagging::FileReading reading = tagging::ReadFileIntoFields(path, {}, {});
    EXPECT_TRUE(reading.losses.empty());
    for (const Field& field : kFields) EXPECT_EQ(reading.fields.*field.member, allFields[n].*field.member) << field.key;
    EXPECT_EQ(reading.fields.track, allFields[n].track);
    EXPECT_EQ(reading.fields.urls, allFields[n].urls);
    std::vector<core::PictureRecord> theirPictures(1);
    theirPictures.insert(theirPictures.end(), reading.pictures.begin(), reading.pictures.end());
    EXPECT_EQ(theirPictures.size(), 3u);
    ASSERT_TRUE(tagging::SaveTagsToFile(path, reading.fields, theirPictures));
    theirs.push_back(path);
  }

  const auto seen = ReadWithPeers(ours, peersOf);
  const std::vector<std::string> peers = {"mutagen", "ffprobe", "id3v2", "taglib"};
  for (std::size_t n = 0; n < ours.size(); ++n) {
    SCOPED_TRACE(ours[n]);
    for (const std::string& peer : peers) {
      if (peer == "taglib" && std::getenv("TONEWRIGHT_TAGLIB_FRAMES") == nullptr) continue;  // TagLib not installed
      if (peersOf[n].find(peer) == std::string::npos) continue;
      const Frames& got = seen.count(static_cast<int>(n)) && seen.at(static_cast<int>(n)).count(peer)
                              ? seen.at(static_cast<int>(n)).at(peer) : Frames{};
      for (const auto& [expectedKey, expectedValue] : expected[n]) {
        std::string key = expectedKey, value = expectedValue;
        if (peer == "ffprobe") {
          // ffprobe names the frames its own way and shows no addresses.
          const char* named = nullptr;
          for (const Field& field : kFields) if (key == field.key) named = field.ffprobe;
          if (key == "TRCK") named = "track";
          if (key == "TXXX:k") named = "k";
          if (key == "PRIV:o") named = "id3v2_priv.o";
          if (named == nullptr && key.rfind("APIC:", 0) != 0) continue;
          if (named != nullptr) key = std::string(named);
        }
        if (peer == "id3v2" && key == "PRIV:o") continue;
        if (peer == "id3v2" && key.rfind("APIC:", 0) == 0) value = std::to_string(value.size());
        const auto found = got.find(key);
        EXPECT_TRUE(found != got.end() && found->second == value)
            << peer << " " << key << ": " << (found == got.end() ? "missing" : "differs");
      }
    }
  }
  // Nothing that mutagen wrote is lost, as mutagen sees it: it wrote exactly the frames
  // expected, and finds them all after the save.
  const auto mutagenSeen = ReadWithPeers(theirs, std::vector<std::string>(theirs.size(), "mutagen"));
  for (std::size_t n = 0; n < theirs.size(); ++n) {
    SCOPED_TRACE(theirs[n]);
    const bool read = mutagenSeen.count(static_cast<int>(n)) && mutagenSeen.at(static_cast<int>(n)).count("mutagen");
    EXPECT_TRUE(read && mutagenSeen.at(static_cast<int>(n)).at("mutagen") == expected[n]);
  }
}

}  // namespace
