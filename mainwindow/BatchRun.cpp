// The batch button: file names to tags (mode 1), tags to file names (mode 2), or the
// album merge; the rules and the file work are the tagging jobs, here the widgets are
// read and written.
#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>

#include "core/AppValues.h"
#include "core/Ini.h"
#include "core/Paths.h"
#include "core/toolkit/Dialogs.h"
#include "mainwindow/ControlPlacing.h"
#include "mainwindow/EditCaptions.h"
#include "mainwindow/EditorCursors.h"
#include "mainwindow/FileListBox.h"
#include "mainwindow/NativeNames.h"
#include "mainwindow/Tagger.h"
#include "tagging/BatchFill.h"
#include "tagging/BatchRename.h"
#include "tagging/Merge.h"
#include "windows/frmProgress.h"

namespace mainwindow {

namespace {

QString HeldBatchQuestion() {
  return Tagger::tr("Gehaltene Tags (siehe auch Option NORMAL) wirklich auf alle ausgewählte Dateien anwenden ?   ");
}

std::string EntryName(const QListWidget* list, int row) {
  return list->item(row)->data(Qt::UserRole).toByteArray().toStdString();
}

}  // namespace

tagging::FileView Tagger::currentView() const {
  tagging::FileView view;
  view.fields = editFields();
  view.shown = shownFields_;
  view.flags = tagFlags_;
  view.pictures = values_.PictureList;
  // A tag that cannot be read is named by the loss question of the save.
  view.complete = !picturesMissing_;
  return view;
}

tagging::FileView Tagger::viewOfFile(const std::string& path) {
  ClearFileInfo();
  ShowFileInfo(path);
  yield();
  return currentView();
}

tagging::Progress Tagger::gaugeProgress() {
  windows::frmProgress* progress = progressWindow();
  return [progress](std::size_t index, std::size_t count) {
    progress->setValue(SaveProgressPercent(static_cast<int>(count), static_cast<int>(index)));
  };
}

void Tagger::reportFailures(const std::vector<tagging::FileOutcome>& outcomes, const QString& notice) {
  QString text = notice;
  const std::string failures = RunWords().failureMessage(outcomes);
  if (!failures.empty()) text += (text.isEmpty() ? QString() : QStringLiteral("\n\n")) + ToQString(failures);
  if (text.isEmpty()) return;
  dialogs_.message(text, core::MessageKind::Exclamation, ToQString(values_.AppTitle));
}

void Tagger::renameFromTags(QListWidget* workList, const std::vector<int>& rows, const std::string& separator,
                            std::vector<tagging::FileOutcome>& outcomes) {
  const tagging::Progress progress = gaugeProgress();
  std::vector<tagging::RenameSource> sources;
  for (int row : rows) {
    progress(static_cast<std::size_t>(row), static_cast<std::size_t>(workList->count()));
    tagging::RenameSource source;
    source.path = core::LongPath(values_.CurrentDir + EntryName(workList, row));
    const tagging::FileView view = viewOfFile(source.path);
    source.tagFound = view.flags.TagFound;
    source.fields = view.fields;
    sources.push_back(std::move(source));
  }
  formats::FileSystem& fs = *formatEnv().fs;
  const tagging::RenamePlan plan = tagging::PlanRenames(sources, static_cast<std::size_t>(workList->count()),
                                                        detectList(2), separator, fs);
  outcomes = tagging::RunRenames(plan, fs);
}

void Tagger::cmdBatch_Click() {
  BatchControls& b = batch_;
  if (batchRunning_ || lstFiles_->count() == 0 || b.lstDetect[0]->count() == 0 || b.lstDetect[1]->count() == 0) return;
  if (holdFlags().any() &&
      dialogs_.question(HeldBatchQuestion(), ToQString(values_.AppTitle)) != core::Answer::Yes)
    return;

  batchRunning_ = true;
  const int suppressedBefore = listClickSuppressed_;
  listClickSuppressed_ = 1;  // a click in the list must not show another file mid-run
  std::vector<tagging::FileOutcome> outcomes;
  QString notice;
  // One loss question covers the run.
  lossAnswer_ = 0;
  lossAnswerForRun_ = true;
  {
    ScreenBusyPointer busy;
    b.cmdBatch->setEnabled(false);
    b.cmdBatch->setText(tr("in Arbeit..."));
    windows::frmProgress* progress = progressWindow();
    progress->setValue(0);
    progress->show();
    const std::string separator = b.txtSeparator->text().toStdString();
    const int mode = Mode();

    if (b.chkMerge->isChecked()) {
      MergeAlbum(values_.CurrentDir + "_merged.mp3");
      outcomes = std::move(mergeOutcomes_);
      notice = mergeNotice_;
      mergeOutcomes_.clear();
    } else {
      QListWidget* workList = b.chkDragDrop->isChecked() ? lstSortFiles_ : static_cast<QListWidget*>(lstFiles_);
      std::vector<int> rows;
      for (int row = 0; row < workList->count(); ++row) {
        if (workList->item(row)->isSelected() || (mode == 2 && b.chkDragDrop->isChecked())) rows.push_back(row);
      }
      if (mode == 1) {
        std::vector<std::string> paths;
        for (int row : rows) paths.push_back(core::LongPath(values_.CurrentDir + EntryName(workList, row)));
        tagging::FillOptions options;
        options.words = detectList(1);
        options.separator = separator;
        options.noTagOnly = b.chkNoTagOnly->isChecked();
        if (b.chkIgnore->isChecked()) options.skip = core::LeadingNumber(b.txtIgnore->text().toStdString());
        options.policy = askingPolicy();
        const auto read = [this](const std::string& path) { return viewOfFile(path); };
        const auto shown = [this](const EditFields& fields) { setEditFields(fields); };
        for (const tagging::FillStep& step : tagging::FillTagsFromNames(paths, options, read, formatEnv(), gaugeProgress(), shown))
          outcomes.push_back(step.outcome);
      } else if (mode == 2) {
        renameFromTags(workList, rows, separator, outcomes);
        EnableFileMenus(0);
        FillFileList();
      }
    }
    b.cmdBatch->setEnabled(true);
    Captioned(b.cmdBatch, QT_TR_NOOP("S T A R T"));
    progress->hide();
  }
  listClickSuppressed_ = suppressedBefore;
  lossAnswer_ = 0;
  lossAnswerForRun_ = false;
  batchRunning_ = false;
  if (Mode() != 0) b.txtSeparator->setFocus();
  if (chkAuto_->isChecked()) BuildTagList(values_.CurrentDir);
  reportFailures(outcomes, notice);
}

void Tagger::MergeAlbum(const std::string& target) {
  std::vector<std::string> names;
  for (int row = 0; row < lstSortFiles_->count(); ++row) names.push_back(EntryName(lstSortFiles_, row));
  const auto read = [this](const std::string& path) { return viewOfFile(path); };
  tagging::MergePlan plan =
      tagging::PlanMerge(values_.CurrentDir, names, batch_.txtSeparator->text().toStdString(), holdFlags(), read);
  plan.intermediate = target;
  const tagging::MergeResult result = tagging::MergeAlbum(plan, formatEnv(), gaugeProgress());
  ClearFileInfo();
  setEditFields(plan.fields);
  EnableFileMenus(0);
  FillFileList();
  const QString notice = ToQString(RunWords().mergeNotice(plan, result));
  if (batchRunning_) {
    // The batch run shows it when it has ended.
    mergeOutcomes_ = result.outcomes;
    mergeNotice_ = notice;
  } else {
    reportFailures(result.outcomes, notice);
  }
}

}  // namespace mainwindow
