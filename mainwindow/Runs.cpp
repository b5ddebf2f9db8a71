// The window's side of the run controller: the controls a run locks, how a run's worker
// reads files and asks its questions, and the message at a run's end.
#include <QAction>
#include <QCheckBox>
#include <QListWidget>
#include <QMenu>

#include "core/AppValues.h"
#include "core/toolkit/Dialogs.h"
#include "mainwindow/EditCaptions.h"
#include "mainwindow/FileListBox.h"
#include "mainwindow/NativeNames.h"
#include "mainwindow/EditingController.h"
#include "mainwindow/Tagger.h"
#include "windows/frmCover.h"
#include "windows/frmProgress.h"

namespace mainwindow {

RunController& Tagger::runs() {
  if (!runs_) {
    RunController::Services services;
    services.progressWindow = [this] { return progressWindow(); };
    services.dialogs = &dialogs_;
    services.title = ToQString(values_.AppTitle);
    services.fileSystem = [this]() -> formats::FileSystem& { return formatFs(); };
    runs_ = std::make_unique<RunController>(std::move(services));
    connect(runs_.get(), &RunController::busyChanged, this, &Tagger::LockForRun);
  }
  return *runs_;
}

void Tagger::LockForRun(bool running) {
  // The panels hold every button, field and list that starts a run, changes the folder or
  // shows another file; a disabled widget takes no click and no key. The progress window
  // with its Cancel is a window of its own and stays usable.
  for (QWidget* panel : {picDir_, static_cast<QWidget*>(lstFiles_), static_cast<QWidget*>(lstSortFiles_), picTags_,
                         picTags2_, picBatch_, picRemoveTags_, batch_.picOptions}) {
    if (panel != nullptr) panel->setEnabled(!running);
  }
  if (mnuPop_ != nullptr) mnuPop_->setEnabled(!running);
  // The cover window works on the pictures of the file on show, which a run may be saving.
  if (windows::frmCover* cover = editing_->coverWindow()) cover->setEnabled(!running);
}

formats::FileSystem& Tagger::formatFs() const {
  return formatFs_ != nullptr ? *formatFs_ : formats::FileSystem::standard();
}

}  // namespace mainwindow
