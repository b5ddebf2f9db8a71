#include <algorithm>
#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>

#include "core/AppValues.h"
#include "core/Ini.h"
#include "core/Paths.h"
#include "core/toolkit/Dialogs.h"
#include "mainwindow/BatchController.h"
#include "mainwindow/ControlPlacing.h"
#include "mainwindow/EditCaptions.h"
#include "mainwindow/FileListBox.h"
#include "mainwindow/NativeNames.h"
#include "mainwindow/EditingController.h"
#include "mainwindow/TagListController.h"
#include "mainwindow/Tagger.h"
#include "tagging/Journal.h"
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
  bool playlistFailed = false;  // the play order's playlist could not be written
};

}  // namespace

BatchController::BatchController(Tagger& window, const Controls& controls) : window_(window), c_(controls) {}

void BatchController::cmdBatch_Click() {
  Tagger& w = window_;
  BatchControls& b = *c_.batch;
  if (w.runs().busy() || c_.lstFiles->count() == 0 || b.lstDetect[0]->count() == 0 || b.lstDetect[1]->count() == 0)
    return;
  if (w.editing().holdFlags().any() &&
      w.dialogs().question(HeldBatchQuestion(), ToQString(w.values().AppTitle)) != core::Answer::Yes)
    return;

  // Everything the run needs from the widgets, read now.
  const std::string folder = w.values().CurrentDir;
  const std::string separator = b.txtSeparator->text().toStdString();
  const int mode = Mode();
  const bool merge = b.chkMerge->isChecked();
  const EditFields held = w.editing().fields();
  const HoldFlags holds = w.editing().holdFlags();
  QListWidget* workList = b.chkDragDrop->isChecked() ? c_.lstSortFiles : static_cast<QListWidget*>(c_.lstFiles);
  std::vector<std::string> names;  // the entries the run works on, in list order
  for (int row = 0; row < workList->count(); ++row) {
    if (workList->item(row)->isSelected() || (mode == 2 && b.chkDragDrop->isChecked())) names.push_back(EntryName(workList, row));
  }
  const std::size_t listSize = static_cast<std::size_t>(workList->count());
  std::vector<std::string> order;  // the play order, for the merge
  for (int row = 0; row < c_.lstSortFiles->count(); ++row) order.push_back(EntryName(c_.lstSortFiles, row));
  tagging::FillOptions fill;
  fill.words = detectList(1);
  fill.separator = separator;
  fill.noTagOnly = b.chkNoTagOnly->isChecked();
  if (b.chkIgnore->isChecked()) fill.skip = core::LeadingNumber(b.txtIgnore->text().toStdString());
  const tagging::DetectList renameWords = detectList(2);
  // The play-order mode also writes the order as a playlist.
  std::string playlist;
  bool replacePlaylist = false;
  const bool withPlaylist =
      mode == 2 && b.chkDragDrop->isChecked() && !merge && playlistWanted(playlist, replacePlaylist);
  const char* const titleSource = merge       ? QT_TRANSLATE_NOOP("mainwindow::Tagger", "Zusammenfügen")
                                  : mode == 1 ? QT_TRANSLATE_NOOP("mainwindow::Tagger", "Tags aus Dateinamen")
                                              : QT_TRANSLATE_NOOP("mainwindow::Tagger", "Dateinamen aus Tags");
  const std::string title = Tagger::tr(titleSource).toStdString();

  b.cmdBatch->setEnabled(false);
  b.cmdBatch->setText(Tagger::tr("in Arbeit..."));
  auto result = std::make_shared<BatchResult>();
  RunController::Run run;
  run.work = [=, &w, &fs = w.formatFs()](RunContext& context) mutable {
    const formats::FormatEnv env = context.env();
    if (merge) {
      result->plan = tagging::PlanMerge(folder, order, separator, holds, tagging::FileViewReader(held, holds, env));
      result->plan.intermediate = folder + "_merged.mp3";
      tagging::JournalRun journal = tagging::Journal().begin(title, {});
      result->merged = tagging::MergeAlbum(result->plan, env, context.progress(), context.cancel());
      result->outcomes = result->merged.outcomes;
      if (!result->merged.album.empty()) journal.created(result->merged.album);
      journal.finish();
    } else if (mode == 1) {
      std::vector<std::string> paths;
      for (const std::string& name : names) paths.push_back(core::LongPath(folder + name));
      fill.policy = context.askingPolicy(true);
      tagging::JournalRun journal = tagging::Journal().begin(title, paths);
      for (const tagging::FillStep& step :
           tagging::FillTagsFromNames(paths, fill, tagging::FileViewReader(held, holds, env), env, context.progress(),
                                      {}, context.cancel()))
        result->outcomes.push_back(step.outcome);
      journal.finish();
    } else if (mode == 2) {
      // A cancel while the files are read renames those read so far and leaves the rest; a
      // cancel while they are renamed stops between two renames.
      const tagging::ViewReader read = tagging::FileViewReader(held, holds, env, tagging::ReadScope::FieldsOnly);
      const tagging::Progress progress = context.progress();
      std::vector<tagging::RenameSource> sources;
      std::vector<tagging::FileOutcome> notRead;
      for (std::size_t i = 0; i < names.size(); ++i) {
        if (context.cancelled()) {
          notRead.push_back({core::LongPath(folder + names[i]), tagging::Reason::Cancelled, {}});
          continue;
        }
        progress(i, names.size());
        tagging::RenameSource source;
        source.path = core::LongPath(folder + names[i]);
        const tagging::FileView view = read(source.path);
        source.tagFound = view.flags.TagFound;
        source.fields = view.fields;
        sources.push_back(std::move(source));
      }
      std::vector<std::string> paths;
      for (const std::string& name : names) paths.push_back(core::LongPath(folder + name));
      tagging::JournalRun journal = tagging::Journal().begin(
          title, paths, withPlaylist && replacePlaylist ? std::vector<std::string>{playlist} : std::vector<std::string>{});
      const tagging::RenamePlan plan = tagging::PlanRenames(sources, listSize, renameWords, separator, fs);
      result->outcomes = tagging::RunRenames(plan, fs, {}, notRead.empty() ? context.cancel() : nullptr);
      tagging::RecordRenames(journal, result->outcomes);
      // The playlist names the files of the whole order: a cancelled run writes none.
      const bool whole = notRead.empty() && std::none_of(result->outcomes.begin(), result->outcomes.end(), [](const auto& o) {
                           return o.reason == tagging::Reason::Cancelled;
                         });
      if (withPlaylist && whole) result->playlistFailed = !writePlaylist(playlist, replacePlaylist, result->outcomes, journal, env);
      journal.finish();
      result->outcomes.insert(result->outcomes.end(), notRead.begin(), notRead.end());
    }
  };
  run.done = [this, &w, &b, result, merge, mode, playlist] {
    QString notice;
    if (result->playlistFailed)
      notice = Tagger::tr("Die Playlist \"%1\" konnte nicht geschrieben werden.").arg(ToQString(playlist));
    if (merge) {
      if (!result->merged.album.empty()) {
        w.editing().ClearFileInfo();
        w.editing().present(result->plan.fields);
      }
      notice = ToQString(RunWords().mergeNotice(result->plan, result->merged));
    } else if (mode == 1) {
      // The view shows the last file filled, as it now is.
      for (auto it = result->outcomes.rbegin(); it != result->outcomes.rend(); ++it) {
        if (it->reason == tagging::Reason::Done) {
          w.editing().ShowFileInfo(it->path);
          break;
        }
      }
    }
    if (merge || mode == 2) {
      w.EnableFileMenus(0);
      w.FillFileList();
    }
    b.cmdBatch->setEnabled(true);
    Captioned(b.cmdBatch, QT_TRANSLATE_NOOP("mainwindow::Tagger", "S T A R T"));
    if (Mode() != 0) b.txtSeparator->setFocus();
    if (w.tagList().AutoTagList()) w.tagList().BuildTagList(w.values().CurrentDir);
    w.runs().reportFailures(result->outcomes, notice);
  };
  w.runs().start(std::move(run));
}

}  // namespace mainwindow
