// The batch button: file names to tags (mode 1), tags to file names (mode 2), or the
// album merge. The widgets are read when the run starts and written when it ends; the
// files are read and written by the tagging jobs on the run's worker.
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
#include "mainwindow/FileListBox.h"
#include "mainwindow/NativeNames.h"
#include "mainwindow/Tagger.h"
#include "tagging/BatchFill.h"
#include "tagging/BatchRename.h"
#include "tagging/Merge.h"

namespace mainwindow {

namespace {

QString HeldBatchQuestion() {
  return Tagger::tr("Gehaltene Tags (siehe auch Option NORMAL) wirklich auf alle ausgewählte Dateien anwenden ?   ");
}

std::string EntryName(const QListWidget* list, int row) {
  return list->item(row)->data(Qt::UserRole).toByteArray().toStdString();
}

// What a batch run leaves for its end.
struct BatchResult {
  std::vector<tagging::FileOutcome> outcomes;
  tagging::MergePlan plan;      // a merge: the album's fields
  tagging::MergeResult merged;  // a merge: where the album went
};

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

void Tagger::cmdBatch_Click() {
  BatchControls& b = batch_;
  if (runs().busy() || lstFiles_->count() == 0 || b.lstDetect[0]->count() == 0 || b.lstDetect[1]->count() == 0) return;
  if (holdFlags().any() &&
      dialogs_.question(HeldBatchQuestion(), ToQString(values_.AppTitle)) != core::Answer::Yes)
    return;

  // Everything the run needs from the widgets, read now.
  const std::string folder = values_.CurrentDir;
  const std::string separator = b.txtSeparator->text().toStdString();
  const int mode = Mode();
  const bool merge = b.chkMerge->isChecked();
  const EditFields held = editFields();
  const HoldFlags holds = holdFlags();
  QListWidget* workList = b.chkDragDrop->isChecked() ? lstSortFiles_ : static_cast<QListWidget*>(lstFiles_);
  std::vector<std::string> names;  // the entries the run works on, in list order
  for (int row = 0; row < workList->count(); ++row) {
    if (workList->item(row)->isSelected() || (mode == 2 && b.chkDragDrop->isChecked())) names.push_back(EntryName(workList, row));
  }
  const std::size_t listSize = static_cast<std::size_t>(workList->count());
  std::vector<std::string> order;  // the play order, for the merge
  for (int row = 0; row < lstSortFiles_->count(); ++row) order.push_back(EntryName(lstSortFiles_, row));
  tagging::FillOptions fill;
  fill.words = detectList(1);
  fill.separator = separator;
  fill.noTagOnly = b.chkNoTagOnly->isChecked();
  if (b.chkIgnore->isChecked()) fill.skip = core::LeadingNumber(b.txtIgnore->text().toStdString());
  const tagging::DetectList renameWords = detectList(2);

  b.cmdBatch->setEnabled(false);
  b.cmdBatch->setText(tr("in Arbeit..."));
  auto result = std::make_shared<BatchResult>();
  RunController::Run run;
  run.work = [=, &fs = formatFs()](RunContext& context) mutable {
    const formats::FormatEnv env = runEnv(context, fs);
    if (merge) {
      result->plan = tagging::PlanMerge(folder, order, separator, holds, tagging::FileViewReader(held, holds, env));
      result->plan.intermediate = folder + "_merged.mp3";
      result->merged = tagging::MergeAlbum(result->plan, env, context.progress(), context.cancel());
      result->outcomes = result->merged.outcomes;
    } else if (mode == 1) {
      std::vector<std::string> paths;
      for (const std::string& name : names) paths.push_back(core::LongPath(folder + name));
      fill.policy = runAskingPolicy(context, true);
      for (const tagging::FillStep& step :
           tagging::FillTagsFromNames(paths, fill, tagging::FileViewReader(held, holds, env), env, context.progress(),
                                      {}, context.cancel()))
        result->outcomes.push_back(step.outcome);
    } else if (mode == 2) {
      // Reading changes nothing: a cancel is looked at by the renames, between two files.
      const tagging::ViewReader read = tagging::FileViewReader(held, holds, env, tagging::ReadScope::FieldsOnly);
      const tagging::Progress progress = context.progress();
      std::vector<tagging::RenameSource> sources;
      for (std::size_t i = 0; i < names.size(); ++i) {
        progress(i, names.size());
        tagging::RenameSource source;
        source.path = core::LongPath(folder + names[i]);
        const tagging::FileView view = read(source.path);
        source.tagFound = view.flags.TagFound;
        source.fields = view.fields;
        sources.push_back(std::move(source));
      }
      const tagging::RenamePlan plan = tagging::PlanRenames(sources, listSize, renameWords, separator, fs);
      result->outcomes = tagging::RunRenames(plan, fs, {}, context.cancel());
    }
  };
  run.done = [this, result, merge, mode] {
    BatchControls& b = batch_;
    QString notice;
    if (merge) {
      if (!result->merged.album.empty()) {
        ClearFileInfo();
        setEditFields(result->plan.fields);
      }
      notice = ToQString(tagging::MergeNotice(result->plan, result->merged, EnglishChecked() ? 1 : 0));
    } else if (mode == 1) {
      // The view shows the last file filled, as it now is.
      for (auto it = result->outcomes.rbegin(); it != result->outcomes.rend(); ++it) {
        if (it->reason == tagging::Reason::Done) {
          ShowFileInfo(it->path);
          break;
        }
      }
    }
    if (merge || mode == 2) {
      EnableFileMenus(0);
      FillFileList();
    }
    b.cmdBatch->setEnabled(true);
    Captioned(b.cmdBatch, QT_TR_NOOP("S T A R T"));
    if (Mode() != 0) b.txtSeparator->setFocus();
    if (chkAuto_->isChecked()) BuildTagList(values_.CurrentDir);
    reportFailures(result->outcomes, notice);
  };
  runs().start(std::move(run));
}

}  // namespace mainwindow
