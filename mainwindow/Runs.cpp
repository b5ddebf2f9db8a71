// The window's side of the run controller: the controls a run locks, how a run's worker
// reads files and asks its questions, and the message at a run's end.
#include <QAction>
#include <QCheckBox>
#include <QListWidget>
#include <QMenu>
#include <algorithm>

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
    runs_ = std::make_unique<RunController>([this] { return progressWindow(); });
    connect(runs_.get(), &RunController::busyChanged, this, &Tagger::LockForRun);
  }
  return *runs_;
}

bool Tagger::AutoTagList() const { return chkAuto_->isChecked(); }

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

tagging::FileView Tagger::currentView() const { return editing_->view(); }

const std::string& Tagger::ShownFile() const { return editing_->model().path(); }

formats::FileSystem& Tagger::formatFs() const {
  return formatFs_ != nullptr ? *formatFs_ : formats::FileSystem::standard();
}

formats::FormatEnv Tagger::runEnv(RunContext& run, formats::FileSystem& fs) {
  return run.env(fs, [this](const std::string& text) {
    dialogs_.message(FromUtf8(text), core::MessageKind::Information, ToQString(values_.AppTitle));
  });
}

tagging::SavePolicy Tagger::runAskingPolicy(RunContext& run, bool oneAnswer) {
  // The answer belongs to the run: 0 not asked yet, 1 Yes, 2 No.
  auto answer = std::make_shared<int>(0);
  tagging::SavePolicy policy;
  policy.mode = tagging::SavePolicy::Mode::Ask;
  policy.ask = [this, &run, answer, oneAnswer](const tagging::SaveLoss& loss) {
    if (*answer != 0) return *answer == 1;
    bool yes = false;
    run.onGui([&] {
      yes = dialogs_.question(LossQuestion(loss), ToQString(values_.AppTitle)) == core::Answer::Yes;
    });
    if (oneAnswer) *answer = yes ? 1 : 2;
    return yes;
  };
  return policy;
}

void Tagger::reportFailures(const std::vector<tagging::FileOutcome>& outcomes, const QString& notice) {
  QString text = notice;
  const auto cancelled = std::count_if(outcomes.begin(), outcomes.end(), [](const tagging::FileOutcome& outcome) {
    return outcome.reason == tagging::Reason::Cancelled;
  });
  if (cancelled > 0) {
    const QString stopped = tr("Abgebrochen: %1 von %2 Dateien bearbeitet, die übrigen sind unverändert.")
                                .arg(static_cast<long long>(outcomes.size()) - cancelled)
                                .arg(outcomes.size());
    text = text.isEmpty() ? stopped : stopped + QStringLiteral("\n\n") + text;
  }
  const std::string failures = RunWords().failureMessage(outcomes);
  if (!failures.empty()) text += (text.isEmpty() ? QString() : QStringLiteral("\n\n")) + ToQString(failures);
  if (text.isEmpty()) return;
  dialogs_.message(text, core::MessageKind::Exclamation, ToQString(values_.AppTitle));
}

}  // namespace mainwindow
