// The play order as a playlist: after the renumbering of the play-order mode, the files in
// their new order are written as "<folder name>.m3u8" in the folder.
#include "core/AppValues.h"
#include "core/toolkit/Dialogs.h"
#include "mainwindow/BatchController.h"
#include "mainwindow/NativeNames.h"
#include "mainwindow/Tagger.h"
#include "tagging/Journal.h"
#include "tagging/Playlist.h"

namespace mainwindow {

bool BatchController::playlistWanted(std::string& path, bool& replace) {
  path = tagging::PlaylistPath(window_.values().CurrentDir);
  replace = false;
  if (!window_.formatFs().exists(path)) return true;
  replace = window_.dialogs().question(Tagger::tr("Die Playlist \"%1\" gibt es schon. Ersetzen ?   ").arg(ToQString(path)),
                                       ToQString(window_.values().AppTitle)) == core::Answer::Yes;
  return replace;
}

bool BatchController::writePlaylist(const std::string& path, bool replace, const std::vector<tagging::FileOutcome>& order,
                                    tagging::JournalRun& run, const formats::FormatEnv& env) {
  std::vector<std::string> paths;
  for (const tagging::FileOutcome& file : order)
    paths.push_back(file.reason == tagging::Reason::Done && !file.newPath.empty() ? file.newPath : file.path);
  const tagging::ViewReader read = tagging::FileViewReader({}, {}, env, tagging::ReadScope::FieldsOnly);
  const std::string text = tagging::PlaylistText(tagging::PlaylistLines(paths, read, env));
  if (tagging::WritePlaylist(*env.fs, path, text, replace) != tagging::PlaylistWrite::Written) return false;
  if (!replace) run.created(path);
  return true;
}

}  // namespace mainwindow
