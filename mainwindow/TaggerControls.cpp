// The controls of the main window and their design positions, in twips.
#include <QCheckBox>
#include <QListWidget>
#include <QPushButton>
#include <QStyle>

#include "core/toolkit/Window.h"
#include "mainwindow/DriveBox.h"
#include "mainwindow/FileListBox.h"
#include "mainwindow/FolderTree.h"
#include "mainwindow/Tagger.h"

namespace mainwindow {

namespace {

void Place(QWidget* widget, double left, double top, double width, double height) {
  widget->setGeometry(core::TwipsToPixels(left), core::TwipsToPixels(top), core::TwipsToPixels(width),
                      core::TwipsToPixels(height));
}

QWidget* Panel(QWidget* parent, const char* name) {
  auto* panel = new QWidget(parent);  // owned by its parent
  panel->setObjectName(QString::fromLatin1(name));
  panel->setAutoFillBackground(true);
  return panel;
}

QString Indexed(const char* name, int index) {
  return QStringLiteral("%1(%2)").arg(QString::fromLatin1(name)).arg(index);
}

}  // namespace

void Tagger::createBrowsingControls() {
  picDir_ = Panel(this, "picDir");
  Place(picDir_, 60, 60, 3135, 8390);

  drvDrives_ = new DriveBox(picDir_);
  drvDrives_->setObjectName(QStringLiteral("drvDrives"));
  Place(drvDrives_, 60, 60, 3015, 315);

  dirListe_ = new FolderTree(picDir_);
  dirListe_->setObjectName(QStringLiteral("dirListe"));
  Place(dirListe_, 60, 435, 3015, 6070);

  static const std::array<const char*, 6> viewCaptions = {"Album", "Jahr", "Info", "Zeit", "kbps", "Mode"};
  static const std::array<const char*, 6> viewTips = {"Album-Tag auflisten", "Jahr-Tag auflisten",
                                                      "Kommentar-Tag auflisten", "Titell\xC3\xA4nge auflisten",
                                                      "Titell\xC3\xA4nge auflisten", "Titell\xC3\xA4nge auflisten"};
  for (int i = 0; i < static_cast<int>(chkView_.size()); ++i) {
    chkView_[i] = new QCheckBox(QString::fromUtf8(viewCaptions[i]), picDir_);
    chkView_[i]->setObjectName(Indexed("chkView", i));
    chkView_[i]->setToolTip(QString::fromUtf8(viewTips[i]));
    chkView_[i]->setChecked(i < 2);
    Place(chkView_[i], 60 + (i % 3) * 1005, i < 3 ? 6670 : 7010, 1000, 255);
  }

  picTagCheck_ = Panel(picDir_, "picTagCheck");
  Place(picTagCheck_, 0, 7390, 3135, 960);
  cmdTagCheck_ = new QPushButton(QStringLiteral("TAGS einlesen"), picTagCheck_);
  cmdTagCheck_->setObjectName(QStringLiteral("cmdTagCheck"));
  Place(cmdTagCheck_, 60, 60, 2415, 375);
  cmdRefresh_ = new QPushButton(picTagCheck_);
  cmdRefresh_->setObjectName(QStringLiteral("cmdRefresh"));
  cmdRefresh_->setIcon(style()->standardIcon(QStyle::SP_BrowserReload));
  cmdRefresh_->setToolTip(QStringLiteral("Ordner neu einlesen"));
  Place(cmdRefresh_, 2535, 60, 540, 375);
  chkAuto_ = new QCheckBox(QStringLiteral("automatisch"), picTagCheck_);
  chkAuto_->setObjectName(QStringLiteral("chkAuto"));
  chkAuto_->setChecked(true);
  Place(chkAuto_, 60, 540, 1500, 255);
  chkRecursive_ = new QCheckBox(QStringLiteral("Rekursiv"), picTagCheck_);
  chkRecursive_->setObjectName(QStringLiteral("chkRecursive"));
  Place(chkRecursive_, 1620, 540, 1455, 255);

  lstFiles_ = new FileListBox(this);
  lstFiles_->setObjectName(QStringLiteral("lstFiles"));
  Place(lstFiles_, 12005, 540, 4620, 5090);
  lstSortFiles_ = new QListWidget(this);
  lstSortFiles_->setObjectName(QStringLiteral("lstSortFiles"));
  Place(lstSortFiles_, 12005, 540, 4620, 5090);
  lstSortFiles_->hide();
}

void Tagger::createTagPanels() {
  picTags_ = Panel(this, "picTags");
  Place(picTags_, 12005, 5690, 4620, 2760);
  cmdSaveTag_ = new QPushButton(QStringLiteral("TAG speichern"), picTags_);
  cmdSaveTag_->setObjectName(QStringLiteral("cmdSaveTag"));
  Place(cmdSaveTag_, 2700, 2325, 1860, 375);

  picTags2_ = Panel(this, "picTags2");
  Place(picTags2_, 12005, 5690, 4620, 2760);
  picTags2_->hide();

  picBatch_ = Panel(this, "picBatch");
  Place(picBatch_, 12005, 5690, 4620, 2760);
  picBatch_->hide();

  picRemoveTags_ = Panel(this, "picRemoveTags");
  Place(picRemoveTags_, 12005, 5690, 4620, 2760);
  picRemoveTags_->hide();
  cmdRemoveTags_ = new QPushButton(QStringLiteral("TAG(s) entfernen"), picRemoveTags_);
  cmdRemoveTags_->setObjectName(QStringLiteral("cmdRemoveTags"));
  Place(cmdRemoveTags_, 2700, 2325, 1860, 375);
  createEditorControls();
}

}  // namespace mainwindow
