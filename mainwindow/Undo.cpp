// Undo: the last run that changed files taken back from the journal the command line
// shares; what was changed since that run is left alone and named.
#include <QCheckBox>
#include <memory>

#include "core/AppValues.h"
#include "core/toolkit/Dialogs.h"
#include "core/toolkit/Trash.h"
#include "mainwindow/NativeNames.h"
#include "mainwindow/RunController.h"
#include "mainwindow/EditingController.h"
#include "mainwindow/FileCommandsController.h"
#include "mainwindow/TagListController.h"
#include "mainwindow/Tagger.h"
#include "tagging/Journal.h"

namespace mainwindow {

namespace {

QString FileLines(const std::vector<std::string>& paths) {
  QStringList lines;
  for (const std::string& path : paths) lines << ToQString(path);
  return lines.join(QLatin1Char('\n'));
}

}  // namespace

void FileCommandsController::mnuUndo_Click() {
  Tagger& w = window_;
  if (w.runs().busy()) return;
  // The undo is a run of its own: on the worker, one at a time, the window locked meanwhile.
  auto result = std::make_shared<tagging::UndoResult>();
  RunController::Run run;
  run.showProgress = false;
  run.work = [result](RunContext&) { *result = tagging::Journal().undoLast(core::MoveToTrash); };
  run.done = [&w, result] {
    const QString title = ToQString(w.values().AppTitle);
    if (!result->found) {
      w.dialogs().message(Tagger::tr("Es gibt nichts rückgängig zu machen."), core::MessageKind::Information, title);
      return;
    }
    w.editing().ClearFileInfo();
    w.FillFileList();
    if (w.tagList().AutoTagList()) w.tagList().BuildTagList(w.values().CurrentDir);
    if (result->changed.empty() && result->failed.empty()) return;
    QString text = Tagger::tr("Rückgängig gemacht: %1").arg(ToQString(result->title));
    if (!result->changed.empty())
      text += QStringLiteral("\n\n") + Tagger::tr("Seit dem Lauf geändert, daher nicht angetastet:") + QLatin1Char('\n') +
              FileLines(result->changed);
    if (!result->failed.empty())
      text += QStringLiteral("\n\n") + Tagger::tr("Nicht wiederhergestellt (der Name ist vergeben oder die Datei nicht "
                                            "beschreibbar):") +
              QLatin1Char('\n') + FileLines(result->failed);
    w.dialogs().message(text, core::MessageKind::Exclamation, title);
  };
  w.runs().start(std::move(run));
}

}  // namespace mainwindow
