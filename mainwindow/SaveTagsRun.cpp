// The save button: the fields into the one selected file, or the held fields into every
// selected file, each of which keeps its own other fields. Several files are saved by a
// run on the worker; the one file on show is saved here.
#include <QCheckBox>
#include <QPushButton>

#include "core/AppValues.h"
#include "core/toolkit/Dialogs.h"
#include "mainwindow/EditCaptions.h"
#include "mainwindow/EditingController.h"
#include "mainwindow/FileListBox.h"
#include "mainwindow/NativeNames.h"
#include "mainwindow/TagListController.h"
#include "mainwindow/Tagger.h"
#include "tagging/Journal.h"
#include "tagging/TagSaveRules.h"

namespace mainwindow {

void EditingController::cmdSaveTag_Click() {
  FileListBox* files = c_.lstFiles;
  const int count = files->count();
  const int selected = files->selectedCount();
  if (count == 0 || selected == 0 || window_.runs().busy()) return;
  if (selected == 1) {
    c_.cmdSaveTag->setText(SaveTagCaption(SaveCaption::SavingOne));
    std::string fileInWork;
    for (int row = 0; row < count && fileInWork.empty(); ++row)
      if (files->item(row)->isSelected()) fileInWork = values_.CurrentDir + files->nameAt(row);
    StartSaveOfShownFile(fileInWork, [this](const formats::Status& saved) {
      c_.cmdSaveTag->setText(SaveTagCaption(SaveCaption::Ready));
      if (!saved) ReportUnsavedFiles({saved});
      SetEditFocus();
    });
    return;
  }
  if (!holdFlags().any()) return;
  if (window_.dialogs().question(ApplyHeldQuestion(), ToQString(values_.AppTitle)) != core::Answer::Yes) return;
  c_.cmdSaveTag->setText(SaveTagCaption(SaveCaption::SavingSeveral));

  // What the run works on is fixed when it starts: the files, and the held fields as they
  // stand (every other field each file keeps as its own).
  std::vector<std::string> paths;
  for (int row = 0; row < count; ++row)
    if (files->item(row)->isSelected()) paths.push_back(values_.CurrentDir + files->nameAt(row));
  auto outcomes = std::make_shared<std::vector<tagging::FileOutcome>>();
  RunController::Run run;
  run.work = [this, paths, outcomes, held = fields(), holds = holdFlags(),
              title = Tagger::tr("Speichern").toStdString()](RunContext& context) {
    const formats::FormatEnv env = context.env();
    tagging::JournalRun journal = tagging::Journal().begin(title, paths);
    const tagging::SavePolicy policy = context.askingPolicy(true);
    const tagging::Progress progress = context.progress();
    for (std::size_t i = 0; i < paths.size(); ++i) {
      tagging::FileOutcome outcome{paths[i], tagging::Reason::Done, {}};
      if (context.cancelled()) {
        outcome.reason = tagging::Reason::Cancelled;
      } else {
        progress(i, paths.size());
        // Only a file read completely is written: its tag or pictures would otherwise be
        // lost unseen.
        const tagging::FileView view = tagging::ReadFileView(paths[i], held, holds, env);
        const formats::Status saved =
            view.complete ? tagging::SaveTagsToFile(paths[i], view.fields, view.pictures, env, policy, &view.shown)
                          : formats::Status::Io(EIO, paths[i]);
        if (!saved) outcome.reason = tagging::Reason::NotWritable, outcome.status = saved;
      }
      outcomes->push_back(std::move(outcome));
    }
    journal.finish();
  };
  run.done = [this, outcomes] {
    c_.cmdSaveTag->setText(SaveTagCaption(SaveCaption::Ready));
    // The view shows the last file the run wrote, as it now is (held fields as they stand).
    for (auto it = outcomes->rbegin(); it != outcomes->rend(); ++it) {
      if (it->reason == tagging::Reason::Done) {
        ShowFileInfo(it->path);
        break;
      }
    }
    window_.runs().reportFailures(*outcomes);
    if (window_.tagList().AutoTagList()) window_.tagList().cmdTagCheck_Click();
    SetEditFocus();
  };
  window_.runs().start(std::move(run));
}

}  // namespace mainwindow
