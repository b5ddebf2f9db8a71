#include "support/Process.h"

#include <cstdio>
#include <gtest/gtest.h>
#include <csignal>
#include <sstream>
#include <sys/wait.h>

namespace support {

int RunCommand(const std::string& command, std::string& output) {
  output.clear();
  FILE* pipe = ::popen(command.c_str(), "r");
  if (pipe == nullptr) return -1;
  char buffer[4096];
  std::size_t n;
  while ((n = std::fread(buffer, 1, sizeof buffer, pipe)) > 0) output.append(buffer, n);
  const int status = ::pclose(pipe);
  if (status == -1 || !WIFEXITED(status)) return -1;
  return WEXITSTATUS(status);
}

bool CommandSucceeds(const std::string& command) {
  std::string ignored;
  return RunCommand(command + " >/dev/null 2>&1", ignored) == 0;
}

void KillAndReap(int pid) {
  ASSERT_EQ(::kill(pid, SIGKILL), 0);
  int status = 0;
  ASSERT_EQ(::waitpid(pid, &status, 0), pid);
}

std::string ShellQuote(const std::string& text) {
  std::string out = "'";
  for (char c : text) out += c == '\'' ? std::string("'\\''") : std::string(1, c);
  return out + "'";
}

std::string RunPython(const std::string& script, const std::vector<std::string>& arguments) {
  std::string command = SystemPython() + " -c " + ShellQuote(script), output;
  for (const std::string& argument : arguments) command += " " + ShellQuote(argument);
  const int status = RunCommand(command, output);
  if (status != 0) ADD_FAILURE() << "python3 exited with " << status << ": " << output;
  return output;
}

std::map<std::string, std::string> MutagenFacts(const std::string& path) {
  static const char* const script = R"PY(
import sys
from mutagen.id3 import ID3, ID3NoHeaderError, ParseID3v1, TextFrame
from mutagen.mp3 import MP3
def put(key, value):
    print(key.encode().hex(), (value.encode() if isinstance(value, str) else value).hex() or '-')
def fact(f):
    if f.FrameID == 'TCON': return '\n'.join(f.genres)
    if f.FrameID in ('COMM', 'USLT'): return '%s|%s|%s' % (f.lang, f.desc, '\n'.join(f.text) if f.FrameID == 'COMM' else f.text)
    if isinstance(f, TextFrame): return '\n'.join(str(t) for t in f.text)
    if f.FrameID == 'APIC': return '%s %d %s' % (f.mime, f.type, f.desc)
    return getattr(f, 'url', None) or getattr(f, 'data', b'')
try:
    tags = ID3(sys.argv[1], translate=False, load_v1=False)
    put('version', '%d.%d' % tags.version[:2])
    for key, f in tags.items(): put(key, fact(f))
except ID3NoHeaderError:
    pass
for key, f in (ParseID3v1(open(sys.argv[1], 'rb').read()[-128:]) or {}).items(): put('v1.' + key, fact(f))
info = MP3(sys.argv[1]).info
put('bitrate', str(info.bitrate // 1000)); put('rate', str(info.sample_rate))
)PY";
  const auto text = [](const std::string& hex) {
    std::string out;
    for (std::size_t i = 0; hex != "-" && i + 1 < hex.size(); i += 2) out += static_cast<char>(std::stoi(hex.substr(i, 2), nullptr, 16));
    return out;
  };
  std::map<std::string, std::string> facts;
  std::istringstream lines(RunPython(script, {path}));
  for (std::string key, value; lines >> key >> value;) facts[text(key)] = text(value);
  return facts;
}

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
