#include "app/lib/DemoFolder.h"

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <sys/stat.h>
#include <unistd.h>

#include "core/Paths.h"
#include "formats/SilentMpeg.h"

namespace app {

namespace {

bool WriteWholeFile(const std::string& path, const std::string& bytes) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  out.flush();
  return static_cast<bool>(out);
}

void RemoveFolderWithFiles(const std::string& folder) {
  for (const std::string& name : core::ListMp3Files(folder)) std::remove((folder + name).c_str());
  std::remove((folder + "cover.jpg").c_str());
  rmdir(folder.c_str());
}

}  // namespace

const std::vector<DemoSong>& DemoSongs() {
  static const std::vector<DemoSong> songs = {
      {"01 - Anna Berg - Morgenlicht.mp3", "Anna Berg", "Morgenlicht", "Stille Wege", "2021", "Pop", 1, 3.0, 128,
       44100, false, true, true},
      {"02 - Anna Berg - \xC3\x9C" "ber den D\xC3\xA4" "chern.mp3", "Anna Berg", "\xC3\x9C" "ber den D\xC3\xA4" "chern",
       "Stille Wege", "2021", "Pop", 2, 2.5, 128, 44100, false, true, false},
      {"03 - Jonas Falk - Nordwind.mp3", "Jonas Falk", "Nordwind", "Stille Wege", "2020", "Rock", 3, 4.0, 192, 44100,
       false, true, false},
      {"04 - Jonas Falk - Caf\xC3\xA9 am Fluss.mp3", "Jonas Falk", "Caf\xC3\xA9 am Fluss", "Stille Wege", "2020", "Rock",
       4, 2.0, 160, 48000, false, true, false},
      {"05 - Mira Sol - Sommerregen.mp3", "Mira Sol", "Sommerregen", "Stille Wege", "2022", "Jazz", 5, 3.5, 128, 44100,
       false, true, false},
      {"06 - Mira Sol - Blaue Stunde.mp3", "Mira Sol", "Blaue Stunde", "Stille Wege", "2022", "Jazz", 6, 2.2, 96, 32000,
       true, true, false},
      {"07 - Lena Str\xC3\xB8m - Fjordlicht.mp3", "Lena Str\xC3\xB8m", "Fjordlicht", "Stille Wege", "2019", "Folk", 7,
       3.0, 256, 44100, false, true, false},
      {"08 - Lena Str\xC3\xB8m - Himmelsleiter.mp3", "Lena Str\xC3\xB8m", "Himmelsleiter", "Stille Wege", "2019", "Folk",
       8, 2.8, 128, 44100, false, true, false},
      {"09 - Th\xC3\xA9o Martin - Chanson d'\xC3\xA9t\xC3\xA9.mp3", "Th\xC3\xA9o Martin", "Chanson d'\xC3\xA9t\xC3\xA9",
       "Stille Wege", "2023", "Chanson", 9, 3.2, 320, 48000, false, true, false},
      {"10 - Th\xC3\xA9o Martin - Le Dernier Train.mp3", "Th\xC3\xA9o Martin", "Le Dernier Train", "Stille Wege", "2023",
       "Chanson", 10, 2.4, 128, 44100, false, true, false},
      {"11 - Kai Winter - Schneelicht.mp3", "Kai Winter", "Schneelicht", "Stille Wege", "2024", "Ambient", 11, 3.6, 112,
       44100, true, true, false},
      {"12 - Kai Winter - Ausklang.mp3", "Kai Winter", "Ausklang", "Stille Wege", "2024", "Ambient", 12, 2.0, 128, 44100,
       false, false, false},
  };
  return songs;
}

std::string PrepareDemoFolder(const std::string& folder) {
  if (folder.empty() || DemoSongs().empty()) return std::string();
  const std::string first = folder + DemoSongs().front().fileName;
  if (core::FolderExists(folder)) return first;

  std::string work = core::RemoveBackslash(folder) + ".partial-XXXXXX";
  if (mkdtemp(work.data()) == nullptr) return std::string();
  core::AddBackslash(work);
  const std::string cover = work + "cover.jpg";
  const bool haveCover = MakeDemoCover(cover);
  bool complete = true;
  for (const DemoSong& song : DemoSongs()) {
    const int frequency = song.frequency;
    const std::string audio =
        formats::SilentMpegFrames(formats::FramesForSeconds(song.seconds, frequency), song.kbps, frequency,
                                  song.mono ? formats::ChannelMode::Mono : formats::ChannelMode::JointStereo);
    const std::string path = work + song.fileName;
    if (audio.empty() || !WriteWholeFile(path, audio)) {
      complete = false;
      break;
    }
    if (song.tagged) WriteDemoTags(path, song, song.cover && haveCover ? cover : std::string());
  }
  std::remove(cover.c_str());
  // mkdtemp made the work folder private; the demo folder gets the usual mode.
  const mode_t mask = umask(0);
  umask(mask);
  chmod(work.c_str(), 0777 & ~mask);
  const std::string target = core::RemoveBackslash(folder);
  if (!complete || rename(core::RemoveBackslash(work).c_str(), target.c_str()) != 0) {
    RemoveFolderWithFiles(work);
    // Someone else may have made the folder meanwhile: then it is there all the same.
    return core::FolderExists(folder) ? first : std::string();
  }
  return first;
}

}  // namespace app
