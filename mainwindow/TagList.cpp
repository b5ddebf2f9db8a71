// The tag list of a folder in the report view wb: the request made from the window's
// switches here, the build and the view in TagListController.
#include <QCheckBox>
#include <QPushButton>

#include "core/AppValues.h"
#include "mainwindow/BrowsingRules.h"
#include "mainwindow/Tagger.h"
#include "mainwindow/TagListController.h"

namespace mainwindow {

void Tagger::createReportView() {
  tagList_ = new TagListController(this, [this] { return progressWindow(); });  // owned by the window
  connect(tagList_, &TagListController::buildingChanged, this, &Tagger::tagListBuilding);
}

void Tagger::setTagListHeld(bool held) { tagList_->setHeld(held); }

void Tagger::BuildTagList(const std::string& folder) {
  const bool english = EnglishChecked();
  TagListController::Request request;
  request.folder = folder;
  reports::PageOptions& options = request.options;
  for (std::size_t i = 0; i < chkView_.size(); ++i) options.view[i] = chkView_[i]->isChecked();
  options.recursive = chkRecursive_->isChecked();
  options.english = english;
  if (folder == values_.CurrentDir) options.folderName = values_.CurrentDirName;
  options.appTitle = values_.AppTitle;
  options.noFilesText = values_.NoFilesText;
  options.noTagText = values_.NoTagText;
  request.env = formatEnv();
  request.pageFile = values_.TempIndexFile;
  request.whenShown = [this, english](const reports::TagListResult& result) {
    if (result.fileCount > 0) values_.TotalTimeLabel = reports::TotalTimeLabel(english);
  };
  tagList_->build(std::move(request));
}

// The button stays usable while the files are read: a click starts the list again.
void Tagger::tagListBuilding(bool building) {
  if (building) {
    cmdTagCheck_->setText(tr("in Arbeit..."));
    setCursor(Qt::BusyCursor);
    return;
  }
  unsetCursor();
  const bool recursive = chkRecursive_->isChecked();
  cmdTagCheck_->setText(recursive ? TagCheckCaption(true) : tr("TAGS einlesen"));
}

}  // namespace mainwindow
