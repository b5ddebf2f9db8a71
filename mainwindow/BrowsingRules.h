// The small rules of browsing, kept apart from the widgets so they are tested alone.
#pragma once
#include <QString>
#include <optional>
#include <string>
#include <vector>

namespace mainwindow {

// "Quillmere Tonewright  -  /music/album/": two blanks on each side of the hyphen.
std::string WindowTitle(const std::string& appTitle, const std::string& currentDir);

// The caption of cmdTagCheck after chkRecursive changes.
QString TagCheckCaption(bool recursive);

// The captions of cmdSaveTag and cmdRemoveTags after a click in the file list: one
// file or several. The same in both languages.
struct SelectionCaptions {
  QString saveTag;
  QString removeTags;
  bool renameEnabled;
};
SelectionCaptions CaptionsForSelection(int selectedCount);

// Of the names a drop carries, the one that counts: the last. None for a drop
// without any local file name.
std::optional<std::string> LastDroppedName(const std::vector<std::string>& names);

// Where a dropped name leads: the folder to open and the entry to select there.
struct DropTarget {
  std::string folder;
  std::string entry;
};
DropTarget DropTargetOf(const std::string& droppedName);

}  // namespace mainwindow
