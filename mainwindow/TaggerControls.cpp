// The controls of the main window and their design positions, in twips.
#include <QCheckBox>
#include <QListWidget>
#include <QPushButton>
#include <QStyle>

#include "mainwindow/ControlPlacing.h"
#include "mainwindow/DriveBox.h"
#include "mainwindow/FileListBox.h"
#include "mainwindow/FolderTree.h"
#include "mainwindow/Tagger.h"

namespace mainwindow {

namespace {

QWidget* Panel(QWidget* parent, const char* name) {
  auto* panel = Named(new QWidget(parent), QString::fromLatin1(name));  // owned by its parent
  panel->setAutoFillBackground(true);
  return panel;
}

}  // namespace

void Tagger::createBrowsingControls() {
  picDir_ = Panel(this, "picDir");
  Place(picDir_, 60, 60, 3135, 8390);

  drvDrives_ = Named(new DriveBox(picDir_), QStringLiteral("drvDrives"));
  Place(drvDrives_, 60, 60, 3015, 315);

  dirListe_ = Named(new FolderTree(picDir_), QStringLiteral("dirListe"));
  Place(dirListe_, 60, 435, 3015, 6070);

  static const std::array<const char*, 6> viewCaptions = {QT_TR_NOOP("Album"), QT_TR_NOOP("Jahr"), QT_TR_NOOP("Info"),
                                                          QT_TR_NOOP("Zeit"),  QT_TR_NOOP("kbps"), QT_TR_NOOP("Mode")};
  static const std::array<const char*, 6> viewTips = {
      QT_TR_NOOP("Album-Tag auflisten"),   QT_TR_NOOP("Jahr-Tag auflisten"), QT_TR_NOOP("Kommentar-Tag auflisten"),
      QT_TR_NOOP("Titellänge auflisten"), QT_TR_NOOP("Titellänge auflisten"),
      QT_TR_NOOP("Titellänge auflisten")};
  for (int i = 0; i < static_cast<int>(chkView_.size()); ++i) {
    chkView_[i] = Named(Captioned(new QCheckBox(picDir_), viewCaptions[i]), Indexed("chkView", i));
    TipOf(chkView_[i], viewTips[i]);
    chkView_[i]->setChecked(i < 2);
    Place(chkView_[i], 60 + (i % 3) * 1005, i < 3 ? 6670 : 7010, 1000, 255);
  }

  picTagCheck_ = Panel(picDir_, "picTagCheck");
  Place(picTagCheck_, 0, 7390, 3135, 960);
  cmdTagCheck_ = Named(Captioned(new QPushButton(picTagCheck_), QT_TR_NOOP("TAGS einlesen")), QStringLiteral("cmdTagCheck"));
  Place(cmdTagCheck_, 60, 60, 2415, 375);
  cmdRefresh_ = Named(new QPushButton(picTagCheck_), QStringLiteral("cmdRefresh"));
  cmdRefresh_->setIcon(style()->standardIcon(QStyle::SP_BrowserReload));
  TipOf(cmdRefresh_, QT_TR_NOOP("Ordner neu einlesen"));
  Place(cmdRefresh_, 2535, 60, 540, 375);
  chkAuto_ = Named(Captioned(new QCheckBox(picTagCheck_), QT_TR_NOOP("automatisch")), QStringLiteral("chkAuto"));
  chkAuto_->setChecked(true);
  Place(chkAuto_, 60, 540, 1500, 255);
  chkRecursive_ = Named(Captioned(new QCheckBox(picTagCheck_), QT_TR_NOOP("Rekursiv")), QStringLiteral("chkRecursive"));
  Place(chkRecursive_, 1620, 540, 1455, 255);

  lstFiles_ = Named(new FileListBox(this), QStringLiteral("lstFiles"));
  Place(lstFiles_, 12005, 540, 4620, 5090);
  lstSortFiles_ = Named(new QListWidget(this), QStringLiteral("lstSortFiles"));
  Place(lstSortFiles_, 12005, 540, 4620, 5090);
  lstSortFiles_->hide();
}

void Tagger::createTagPanels() {
  picTags_ = Panel(this, "picTags");
  Place(picTags_, 12005, 5690, 4620, 2760);
  cmdSaveTag_ = Named(new QPushButton(tr("TAG speichern"), picTags_), QStringLiteral("cmdSaveTag"));
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
  cmdRemoveTags_ =
      Named(new QPushButton(tr("TAG(s) entfernen"), picRemoveTags_), QStringLiteral("cmdRemoveTags"));
  Place(cmdRemoveTags_, 2700, 2325, 1860, 375);
  createEditorControls();
}

}  // namespace mainwindow
