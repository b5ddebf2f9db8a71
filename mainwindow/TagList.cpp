// The tag list as the window's switches ask for it: the request made from the view columns,
// the recursive switch and the language; the button's caption while a build runs.
#include <QCheckBox>
#include <QPushButton>

#include "core/AppValues.h"
#include "mainwindow/BrowsingRules.h"
#include "mainwindow/EditingController.h"
#include "mainwindow/TagListController.h"
#include "mainwindow/Tagger.h"

namespace mainwindow {

void TagListController::BuildTagList() { BuildTagList(window_.values().CurrentDir); }

void TagListController::BuildTagList(const std::string& folder) {
  core::AppValues& values = window_.values();
  const bool english = window_.EnglishChecked();
  Request request;
  request.folder = folder;
  reports::PageOptions& options = request.options;
  for (std::size_t i = 0; i < c_.chkView.size(); ++i) options.view[i] = c_.chkView[i]->isChecked();
  options.recursive = c_.chkRecursive->isChecked();
  options.english = english;
  if (folder == values.CurrentDir) options.folderName = values.CurrentDirName;
  options.appTitle = values.AppTitle;
  options.noFilesText = values.NoFilesText;
  options.noTagText = values.NoTagText;
  request.env = window_.formatEnv();
  request.pageFile = values.TempIndexFile;
  request.whenShown = [&values, english](const reports::TagListResult& result) {
    if (result.fileCount > 0) values.TotalTimeLabel = reports::TotalTimeLabel(english);
  };
  build(std::move(request));
}

bool TagListController::AutoTagList() const { return c_.chkAuto->isChecked(); }

void TagListController::cmdTagCheck_Click() {
  // The tag list reads the folder itself, so there is no separate file list to refresh.
  if (window_.yieldHook()) window_.yieldHook()();
  BuildTagList();
  window_.editing().SetEditFocus();
}

void TagListController::chkView_Click(int index) {
  (void)index;
  // The list gets the new columns at once, unless a recursive list would have to walk a
  // whole tree for it.
  if (!c_.chkRecursive->isChecked() && c_.chkAuto->isChecked()) cmdTagCheck_Click();
}

void TagListController::chkRecursive_Click() {
  c_.cmdTagCheck->setText(TagCheckCaption(c_.chkRecursive->isChecked()));
  window_.editing().SetEditFocus();
}

void TagListController::chkAuto_Click() { window_.editing().SetEditFocus(); }

void TagListController::buildingShown(bool building) {
  if (building) {
    c_.cmdTagCheck->setText(Tagger::tr("in Arbeit..."));
    window_.setCursor(Qt::BusyCursor);
    return;
  }
  window_.unsetCursor();
  const bool recursive = c_.chkRecursive->isChecked();
  c_.cmdTagCheck->setText(recursive ? TagCheckCaption(true) : Tagger::tr("TAGS einlesen"));
}

void Tagger::createReportView() {
  // Owned by the window.
  tagList_ = new TagListController(*this, TagListController::Controls{chkView_, chkRecursive_, chkAuto_, cmdTagCheck_},
                                   [this] { return progressWindow(); });
}

}  // namespace mainwindow
