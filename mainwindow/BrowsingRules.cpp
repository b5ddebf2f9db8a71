#include "mainwindow/BrowsingRules.h"

#include <QCoreApplication>

#include "core/Paths.h"

namespace mainwindow {

std::string WindowTitle(const std::string& appTitle, const std::string& currentDir) {
  return appTitle + "  -  " + currentDir;
}

QString TagCheckCaption(bool recursive) {
  if (recursive) return QCoreApplication::translate("mainwindow::Tagger", "S T A R T E N");
  // The list is there already: the English caption asks to read it again.
  return QCoreApplication::translate("mainwindow::Tagger", "TAGS einlesen", "again");
}

SelectionCaptions CaptionsForSelection(int selectedCount) {
  if (selectedCount < 2) return {QCoreApplication::translate("mainwindow::Tagger", "TAG speichern"), QCoreApplication::translate("mainwindow::Tagger", "TAG entfernen"), true};
  return {QCoreApplication::translate("mainwindow::Tagger", "TAGs bearbeiten"), QCoreApplication::translate("mainwindow::Tagger", "TAGs entfernen"), false};
}

std::optional<std::string> LastDroppedName(const std::vector<std::string>& names) {
  for (auto name = names.rbegin(); name != names.rend(); ++name) {
    if (!name->empty()) return *name;
  }
  return std::nullopt;
}

DropTarget DropTargetOf(const std::string& droppedName) {
  return {core::ParentFolder(droppedName), core::FileNameOf(droppedName)};
}

}  // namespace mainwindow
