#include "tagging/Playlist.h"

#include "core/Paths.h"
#include "formats/MP3HeadReader.h"

namespace tagging {

std::string PlaylistPath(const std::string& folder) {
  const std::string bare = core::RemoveBackslash(folder);
  std::string name = core::FileNameOf(bare);
  if (name.empty()) name = "playlist";
  std::string path = folder;
  return core::AddBackslash(path) + name + ".m3u8";
}

std::string PlaylistText(const std::vector<PlaylistLine>& lines) {
  std::string text = "#EXTM3U\n";
  for (const PlaylistLine& line : lines) {
    std::string shown = line.artist;
    if (!line.artist.empty() && !line.title.empty()) shown += " - ";
    shown += line.title;
    if (shown.empty()) shown = core::StripExtension(line.name);
    // A line end inside a tag would start a new entry of the list.
    for (char& c : shown)
      if (c == '\n' || c == '\r') c = ' ';
    text += "#EXTINF:" + std::to_string(line.seconds) + "," + shown + "\n" + line.name + "\n";
  }
  return text;
}

std::vector<PlaylistLine> PlaylistLines(const std::vector<std::string>& paths, const ViewReader& read,
                                        const formats::FormatEnv& env) {
  std::vector<PlaylistLine> lines;
  for (const std::string& path : paths) {
    PlaylistLine line;
    line.name = core::FileNameOf(path);
    const FileView view = read(path);
    line.artist = view.fields.artist;
    line.title = view.fields.title;
    formats::clsMP3HeadReader header(env);
    header.ReadMP3Header(path);
    line.seconds = header.Length();
    lines.push_back(line);
  }
  return lines;
}

PlaylistWrite WritePlaylist(formats::FileSystem& fs, const std::string& path, const std::string& text, bool replace) {
  formats::WorkFile work(fs, path, ".part");
  if (!work.ok() || !work.write(text)) return PlaylistWrite::Failed;
  if (replace ? static_cast<bool>(work.commitAs(path)) : work.commitAsNew(path)) return PlaylistWrite::Written;
  return !replace && fs.exists(path) ? PlaylistWrite::Exists : PlaylistWrite::Failed;
}

}  // namespace tagging
