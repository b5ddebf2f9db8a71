// The tag list of a folder in the report view wb: built below the widgets, written to
// TempIndexFile and shown from there, with the progress window while the files are read.
#include <QCheckBox>
#include <QPushButton>
#include <QTextBrowser>
#include <QUrl>

#include "core/AppValues.h"
#include "mainwindow/BrowsingRules.h"
#include "mainwindow/ControlPlacing.h"
#include "mainwindow/EditorCursors.h"
#include "mainwindow/NativeNames.h"
#include "mainwindow/Tagger.h"
#include "reports/TagListBuilder.h"
#include "windows/frmProgress.h"

namespace mainwindow {

void Tagger::createReportView() {
  wb_ = Named(new QTextBrowser(this), QStringLiteral("wb"));  // owned by the window
  Place(wb_, 3255, 60, 8690, 8610);
  // A link in a tag text must not take the view away from the list.
  wb_->setOpenLinks(false);
}

void Tagger::BuildTagList(const std::string& folder) {
  // The folder walk lets events run: a click that asks for the list again meanwhile is let
  // go, as the disabled button would let it go.
  if (tagListHeld_ || buildingTagList_) return;
  buildingTagList_ = true;
  const bool english = EnglishChecked();
  cmdTagCheck_->setEnabled(false);
  cmdTagCheck_->setText(tr("in Arbeit..."));
  WindowHourglass hourglass(this);

  reports::PageOptions options;
  for (std::size_t i = 0; i < chkView_.size(); ++i) options.view[i] = chkView_[i]->isChecked();
  options.recursive = chkRecursive_->isChecked();
  options.english = english;
  if (folder == values_.CurrentDir) options.folderName = values_.CurrentDirName;
  options.appTitle = values_.AppTitle;
  options.noFilesText = values_.NoFilesText;
  options.noTagText = values_.NoTagText;
  formats::FormatEnv env = formatEnv();
  // One notice box per unsynchronised tag would stop a listing of thousands of files;
  // such a file is listed all the same.
  env.notice = nullptr;
  windows::frmProgress* progress = progressWindow();
  const reports::TagListResult result = reports::BuildTagListPage(folder, options, env, [&](int percent) {
    if (!progress->isVisible()) progress->show();
    progress->setValue(percent);
  });
  progress->setValue(100);
  if (result.fileCount > 0) values_.TotalTimeLabel = reports::TotalTimeLabel(english);

  const std::string& pageFile = values_.TempIndexFile;
  if (!pageFile.empty() && reports::WritePageFile(*env.fs, pageFile, result.page)) {
    wb_->setSource(QUrl::fromLocalFile(ToQString(pageFile)));
    wb_->reload();
  } else {
    // Without a page file (no safe work folder, a full disk) the list is still shown.
    wb_->setHtml(QString::fromLatin1(result.page.data(), static_cast<int>(result.page.size())));
  }

  cmdTagCheck_->setEnabled(true);
  const bool recursive = chkRecursive_->isChecked();
  cmdTagCheck_->setText(recursive ? TagCheckCaption(true) : tr("TAGS einlesen"));
  progress->hide();
  buildingTagList_ = false;
}

}  // namespace mainwindow
