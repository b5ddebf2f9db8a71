#include "support/Peers.h"

#include <cstdlib>
#include <gtest/gtest.h>
#include <sstream>

#include "support/Process.h"

namespace support {
namespace {

std::string Unhex(const std::string& hex) {
  std::string out;
  for (std::size_t i = 0; hex != "-" && i + 1 < hex.size(); i += 2) out += static_cast<char>(std::stoi(hex.substr(i, 2), nullptr, 16));
  return out;
}

// Each reader prints lines "file key value", the file by its place among the arguments.
const char* const kPut = R"PY(
import json, re, subprocess, sys
def put(n, key, value):
    value = value if isinstance(value, bytes) else str(value).encode('utf-8')
    print(n, key.encode('utf-8').hex() or '-', value.hex() or '-')
)PY";
// argv[1] the mode: "v23", "v24" or "facts"; then the files.
const std::map<std::string, std::string> kReaders = {
    {"mutagen", R"PY(
from mutagen.id3 import ID3, ID3NoHeaderError, ParseID3v1, TextFrame
from mutagen.mp3 import MP3
mode = sys.argv[1]
def fact(f):
    if f.FrameID == 'TCON': return '\n'.join(f.genres)
    if f.FrameID in ('COMM', 'USLT'): return '%s|%s|%s' % (f.lang, f.desc, '\n'.join(f.text) if f.FrameID == 'COMM' else f.text)
    if isinstance(f, TextFrame): return '\n'.join(str(t) for t in f.text)
    if f.FrameID == 'APIC': return '%s %d %s' % (f.mime, f.type, f.desc)
    return getattr(f, 'url', None) or getattr(f, 'data', b'')
for n, path in enumerate(sys.argv[2:]):
    try: info = MP3(path).info
    except Exception: info = None
    if info and mode == 'v23': put(n, 'length', info.length)
    if info and mode == 'facts': put(n, 'bitrate', info.bitrate // 1000), put(n, 'rate', info.sample_rate)
    if mode == 'facts':
        for key, f in (ParseID3v1(open(path, 'rb').read()[-128:]) or {}).items(): put(n, 'v1.' + key, fact(f))
    try: t = ID3(path, translate=mode == 'v24', load_v1=False)
    except ID3NoHeaderError: continue
    mode == 'v24' or put(n, 'version', '2.%d' % t.version[1])
    for hashKey, f in t.items():
        if mode == 'facts':
            put(n, hashKey, fact(f))
            continue
        key = f.FrameID + ''.join(':' + getattr(f, a) for a in ('desc', 'owner') if hasattr(f, a))
        value = next((getattr(f, a) for a in ('text', 'url', 'data') if hasattr(f, a)), '')
        put(n, key, value if isinstance(value, (str, bytes)) else '|'.join(str(v) for v in value))
        rest = [(a, v) for a, v in sorted(vars(f).items()) if a not in ('encoding', 'desc', 'owner', 'text', 'url', 'data')]
        if mode == 'v24' and rest: put(n, key + '~', ' '.join('%s=%s' % r for r in rest))
)PY"},
    {"ffprobe", R"PY(
for n, path in enumerate(sys.argv[2:]):
    probe = json.loads(subprocess.check_output(['ffprobe', '-v', 'error', '-show_entries',
        'format=duration:format_tags:stream=index,bit_rate:stream_tags:stream_disposition=attached_pic', '-of', 'json', path]))
    put(n, 'duration', probe['format']['duration'])
    put(n, 'bit_rate', probe['streams'][0].get('bit_rate', ''))
    for key, value in probe['format'].get('tags', {}).items(): put(n, key, value)
    pictures = [s for s in probe['streams'] if s.get('disposition', {}).get('attached_pic')]
    command = ['ffmpeg', '-v', 'error', '-y', '-i', path]
    for s in pictures: command += ['-map', '0:%d' % s['index'], '-c', 'copy', '-f', 'image2', '%s.%d.pic' % (path, s['index'])]
    if pictures: subprocess.check_call(command)
    for s in pictures:
        put(n, 'APIC:' + s.get('tags', {}).get('title', ''), open('%s.%d.pic' % (path, s['index']), 'rb').read())
)PY"},
    {"id3v2", R"PY(
for n, path in enumerate(sys.argv[2:]):
    for raw in subprocess.check_output(['id3v2', '-l', path]).split(b'\n'):
        try: line = raw.decode('utf-8')
        except UnicodeDecodeError: line = raw.decode('latin-1')
        m = re.match(r'^([A-Z0-9]{4}) \(.*?\): (.*)$', line)
        if not m: continue
        i, value = m.groups()
        described = re.match(r'^\(([^)]*)\)(?:\[[^]]*\])?: (.*)$', value)
        if i == 'TCON': value = re.sub(r' \(\d+\)$', '', value)
        if i == 'APIC': put(n, 'APIC:' + described.group(1), described.group(2).split(', ')[-1].split(' ')[0])
        elif described and i in ('TXXX', 'COMM', 'USLT', 'WXXX'): put(n, i + ':' + described.group(1), described.group(2))
        elif i != 'PRIV': put(n, i, value)
)PY"}};

}  // namespace

bool TagLibBuilt() { return std::getenv("TONEWRIGHT_TAGLIB_FRAMES") != nullptr; }

std::vector<PeerFrames> PeerRead(const std::string& peer, const std::vector<std::string>& paths) {
  std::vector<PeerFrames> seen(paths.size());
  std::string output;
  for (std::size_t n = 0; peer == "taglib" && TagLibBuilt() && n < paths.size(); ++n) {
    EXPECT_EQ(RunCommand(ShellQuote(std::getenv("TONEWRIGHT_TAGLIB_FRAMES")) + " " + ShellQuote(paths[n]), output), 0);
    std::istringstream lines(output);
    for (std::string key, value; lines >> key >> value;) seen[n][Unhex(key) == "TDRC" ? "TYER" : Unhex(key)] = Unhex(value);
  }
  if (peer == "taglib") return seen;
  const std::size_t dash = peer.find('-');
  std::vector<std::string> arguments{dash == std::string::npos ? "v23" : peer.substr(dash + 1)};
  arguments.insert(arguments.end(), paths.begin(), paths.end());
  std::istringstream lines(RunPython(kPut + kReaders.at(peer.substr(0, dash)), arguments));
  for (std::string n, key, value; lines >> n >> key >> value;) seen.at(std::stoul(n))[Unhex(key)] = Unhex(value);
  return seen;
}

PeerFrames PeerRead(const std::string& peer, const std::string& path) { return PeerRead(peer, std::vector<std::string>{path}).at(0); }

std::map<std::string, std::string> MutagenFacts(const std::string& path) { return PeerRead("mutagen-facts", path); }

const char* const kTagWithMutagen = R"PY(
import sys
from mutagen.id3 import (ID3, TIT2, TPE1, TALB, TPE2, TPOS, TBPM, TSRC, TRCK, TDRC, TXXX, POPM, UFID, PRIV,
                         COMM, USLT, WXXX, APIC)
path, version, enc = sys.argv[1], int(sys.argv[2]), int(sys.argv[3])
title = "Plain title" if enc == 0 else "Καλημέρα 東京"
t = ID3()
for f in [TIT2(encoding=enc, text=title), TPE1(encoding=enc, text="Artist"), TALB(encoding=enc, text="Album"),
          TPE2(encoding=enc, text="Band"), TPOS(encoding=enc, text="1/2"), TBPM(encoding=enc, text="120"),
          TSRC(encoding=enc, text="GBAYE0000001"), TRCK(encoding=enc, text="7/9"), TDRC(encoding=enc, text="2004-05-06"),
          TXXX(encoding=enc, desc="REPLAYGAIN_TRACK_GAIN", text="-6.5 dB"),
          POPM(email="me@example.invalid", rating=196, count=3), UFID(owner="http://ufid.invalid", data=b"id-1"),
          PRIV(owner="priv.invalid", data=b"\x00\x01secret"), COMM(encoding=enc, lang="eng", desc="", text="First"),
          COMM(encoding=enc, lang="deu", desc="note", text="Zweite"), USLT(encoding=enc, lang="eng", desc="", text="la la"),
          WXXX(encoding=enc, desc="home", url="http://home.invalid/"),
          APIC(encoding=enc, mime="image/jpeg", type=3, desc="front", data=b"\xff\xd8\xff\xe0" + b"J" * 3000),
          APIC(encoding=enc, mime="image/png", type=4, desc="back", data=b"\x89PNG\r\n\x1a\n" + b"P" * 2000)]:
    t.add(f)
t.save(path, v2_version=version, v1=0)
)PY";

}  // namespace support
