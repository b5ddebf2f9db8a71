// The play order as a playlist: "<folder name>.m3u8" in the folder, UTF-8, "#EXTM3U" and
// for each file an "#EXTINF:<seconds>,<Artist> - <Title>" line and its name relative to
// the folder, in the order given.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "formats/FileIo.h"
#include "tagging/BatchFileView.h"

namespace tagging {

struct PlaylistLine {
  std::string name;  // relative to the playlist's folder
  std::int32_t seconds = 0;
  std::string artist;
  std::string title;
};

// folder (with or without its trailing separator) + its own name + ".m3u8".
std::string PlaylistPath(const std::string& folder);

// The playlist's bytes. The text after the comma is "Artist - Title", either alone when the
// other is empty, the name without ".mp3" when both are.
std::string PlaylistText(const std::vector<PlaylistLine>& lines);

// The lines of the files (full paths in one folder): artist and title read as the file view
// reads them, the seconds from the MPEG header.
std::vector<PlaylistLine> PlaylistLines(const std::vector<std::string>& paths, const ViewReader& read,
                                        const formats::FormatEnv& env);

enum class PlaylistWrite { Written, Exists, Failed };
// Writes the playlist through a work file; an existing file of that name is replaced only
// when `replace` is set (Exists otherwise, and nothing is changed).
PlaylistWrite WritePlaylist(formats::FileSystem& fs, const std::string& path, const std::string& text, bool replace);

}  // namespace tagging
