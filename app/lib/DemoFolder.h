// The demo folder: a dozen short silent MP3 files with tags, made on first use, so
// that the program has something to show without music of one's own.
#pragma once
#include <string>
#include <vector>

namespace app {

struct DemoSong {
  const char* fileName;  // UTF-8, in the "Nr - Interpret - Titel.mp3" pattern
  const char* artist;    // UTF-8; the tags hold it as ISO-8859-1
  const char* title;
  const char* album;
  const char* year;
  const char* genre;     // a name of the genre table
  int track;
  double seconds;
  int kbps;
  int frequency;
  bool mono;
  bool tagged;           // one file is left without any tag
  bool cover;            // one file carries a front cover
};

const std::vector<DemoSong>& DemoSongs();

// Makes the folder (ending with '/') with the demo files when it does not exist yet.
// The files are written into a fresh work folder beside it that takes the folder's
// name when complete, so a half-made demo folder is never left. Returns the path of
// the first demo file, or an empty text when the folder could not be made.
std::string PrepareDemoFolder(const std::string& folder);

// Writes both tags of one demo song to the file; coverPicture is a JPEG file to embed
// when the song has a cover (may be empty).
void WriteDemoTags(const std::string& path, const DemoSong& song, const std::string& coverPicture);

// Draws the demo cover and saves it as a JPEG file; false when that fails.
bool MakeDemoCover(const std::string& path);

}  // namespace app
