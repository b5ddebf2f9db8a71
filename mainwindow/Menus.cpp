// The context menu mnuPop: its items, which of them are enabled, play and stop.
#include <QAction>
#include <QMenu>

#include "core/AppValues.h"
#include "core/toolkit/MediaControl.h"
#include "mainwindow/ControlPlacing.h"
#include "mainwindow/FileListBox.h"
#include "mainwindow/NativeNames.h"
#include "mainwindow/Tagger.h"

namespace mainwindow {

namespace {

QAction* AddItem(QMenu* menu, const QString& name, const char* caption) {
  QAction* item = Captioned(menu->addAction(QString()), caption);  // owned by the menu
  item->setObjectName(name);
  return item;
}

void AddSeparator(QMenu* menu, const char* name) {
  // A plain separator: with a text, some styles draw it as an entry reading "-".
  QAction* line = menu->addSeparator();
  line->setObjectName(QString::fromLatin1(name));
}

}  // namespace

void Tagger::createMenus() {
  // Shown only as a context menu: it has no place in a menu bar.
  mnuPop_ = new QMenu(QStringLiteral("PopupMenu"), this);
  mnuPop_->setObjectName(QStringLiteral("mnuPop"));
  mnuPop_->menuAction()->setVisible(false);
  mnuSaveList_ = AddItem(mnuPop_, QStringLiteral("mnuSaveList"),
                         QT_TR_NOOP("Angezeigte Liste im aktuellen Pfad speichern"));
  mnuCollect_ = AddItem(mnuPop_, QStringLiteral("mnuCollect"), QT_TR_NOOP("Liste im Sammelordner sichern"));
  AddSeparator(mnuPop_, "mnuSep");
  mnuDel_ = AddItem(mnuPop_, QStringLiteral("mnuDel"), QT_TR_NOOP("Ausgewählte Datei(en) löschen..."));
  mnuRename_ = AddItem(mnuPop_, QStringLiteral("mnuRename"), QT_TR_NOOP("Einzelne Datei umbenennen..."));
  mnuUndo_ = AddItem(mnuPop_, QStringLiteral("mnuUndo"), QT_TR_NOOP("Rückgängig"));
  // Ctrl+Z anywhere in the window but in a text field, which takes back its own typing.
  mnuUndo_->setShortcut(QKeySequence::Undo);
  // Every window of the program: a text field still takes Ctrl+Z for its own typing.
  mnuUndo_->setShortcutContext(Qt::ApplicationShortcut);
  addAction(mnuUndo_);
  AddSeparator(mnuPop_, "mnuLine");
  mnuPlay_ = AddItem(mnuPop_, QStringLiteral("mnuPlay"), QT_TR_NOOP("MP3 abspielen (Doppelklick)"));
  mnuStop_ = AddItem(mnuPop_, QStringLiteral("mnuStop"), QT_TR_NOOP("MP3 stoppen (Klick)"));
  AddSeparator(mnuPop_, "mnuNix");
  mnuLanguage_[0] = AddItem(mnuPop_, QStringLiteral("mnuLanguage(0)"), QT_TR_NOOP("Deutsch"));
  mnuLanguage_[1] = AddItem(mnuPop_, QStringLiteral("mnuLanguage(1)"), QT_TR_NOOP("Englisch"));
  for (QAction* language : mnuLanguage_) language->setCheckable(true);
  mnuLanguage_[0]->setChecked(true);
  AddSeparator(mnuPop_, "mnuNothing");
  mnuInfo_ = AddItem(mnuPop_, QStringLiteral("mnuInfo"), QT_TR_NOOP("Info..."));

  fileCommands_ = std::make_unique<FileCommandsController>(
      *this, FileCommandsController::Controls{lstFiles_, lstSortFiles_, mnuRename_});
  FileCommandsController* commands = fileCommands_.get();
  connect(mnuSaveList_, &QAction::triggered, this, [commands] { commands->mnuSaveList_Click(); });
  connect(mnuCollect_, &QAction::triggered, this, [commands] { commands->mnuCollect_Click(); });
  connect(mnuDel_, &QAction::triggered, this, [commands] { commands->mnuDel_Click(); });
  connect(mnuRename_, &QAction::triggered, this, [commands] { commands->mnuRename_Click(); });
  connect(mnuPlay_, &QAction::triggered, this, &Tagger::mnuPlay_Click);
  connect(mnuStop_, &QAction::triggered, this, &Tagger::mnuStop_Click);
  connect(mnuLanguage_[0], &QAction::triggered, this, [this] { mnuLanguage_Click(0); });
  connect(mnuLanguage_[1], &QAction::triggered, this, [this] { mnuLanguage_Click(1); });
  connect(mnuInfo_, &QAction::triggered, this, [commands] { commands->mnuInfo_Click(); });
  connect(mnuUndo_, &QAction::triggered, this, [this] { fileCommands_->mnuUndo_Click(); });
}

void Tagger::EnableFileMenus(int flag) {
  if (flag != 0 && flag != 1) return;
  for (QAction* item : {mnuDel_, mnuPlay_, mnuStop_}) item->setEnabled(flag == 1);
  // Renaming needs one file too; the file click enables it by the number selected.
  if (flag == 0) mnuRename_->setEnabled(false);
}

void Tagger::EnableFolderMenus(int flag) {
  if (flag != 0 && flag != 1) return;
  for (QAction* item : {mnuSaveList_, mnuCollect_}) item->setEnabled(flag == 1);
}

void Tagger::ShowPopupMenu(const QPoint& globalPos) {
  if (!runs().busy()) mnuPop_->popup(globalPos);
}

void Tagger::mnuPlay_Click() {
  const std::string entry = lstFiles_->nameAt(lstFiles_->currentRow());
  if (entry.empty()) return;
  core::PlayFile(media_, ToQString(values_.CurrentDir + entry));
}

void Tagger::mnuStop_Click() { core::StopPlaying(media_); }

}  // namespace mainwindow
