#include "mainwindow/Tagger.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QPushButton>

#include "core/AppValues.h"
#include "core/toolkit/Dialogs.h"
#include "core/toolkit/Translation.h"
#include "core/toolkit/Window.h"
#include "mainwindow/DriveBox.h"
#include "mainwindow/FileListBox.h"
#include "mainwindow/FolderTree.h"
#include "mainwindow/NativeNames.h"
#include "windows/frmProgress.h"

namespace mainwindow {

namespace {
// The window's design size, in twips.
constexpr double DesignWidth = 16845;
constexpr double DesignHeight = 8970;
}  // namespace

Tagger::Tagger(core::AppValues& values, core::DialogService& dialogs, core::MediaControl& media,
               std::function<void()> yield, QWidget* parent)
    : QWidget(parent), values_(values), dialogs_(dialogs), media_(media), yield_(std::move(yield)) {
  setObjectName(QStringLiteral("Tagger"));
  // The window is made in its design language; the switch applies the chosen one.
  core::SetInterfaceLanguage(0);
  setWindowTitle(ToQString(values_.AppTitle));
  core::SetOuterWidth(this, DesignWidth);
  core::SetOuterHeight(this, DesignHeight);
  createBrowsingControls();
  createTagPanels();
  createReportView();
  createBatchControls();
  createMenus();
  connectBrowsing();
  connectBatch();
  // The folder list starts in the program's folder; start-up moves it on from there.
  SetFolder(values_.AppPath, false);
  SetDriveOf(dirListe_->path());
  FitFileColumn();
}

Tagger::~Tagger() = default;

void Tagger::yield() const {
  if (yield_) yield_();
}

void Tagger::connectBrowsing() {
  connect(drvDrives_, &QComboBox::currentIndexChanged, this, [this] { drvDrives_Change(); });
  connect(dirListe_, &FolderTree::pathChanged, this, [this] { dirListe_Change(); });
  connect(dirListe_, &FolderTree::mousePressed, this, &Tagger::dirListe_MouseDown);
  connect(dirListe_, &FolderTree::urlsDropped, this, &Tagger::dirListe_DragDrop);
  connect(lstFiles_, &FileListBox::clickedByUser, this, &Tagger::lstFiles_Click);
  connect(lstFiles_, &FileListBox::doubleClickedByUser, this, &Tagger::lstFiles_DblClick);
  connect(lstFiles_, &FileListBox::deletePressed, this, &Tagger::lstFiles_Delete);
  connect(lstFiles_, &FileListBox::selectAllPressed, this, &Tagger::lstFiles_SelectAll);
  connect(lstFiles_, &FileListBox::rightButtonPressed, this, &Tagger::ShowPopupMenu);
  // A drop on the file list is handed to the folder list's handler.
  connect(lstFiles_, &FileListBox::urlsDropped, this, &Tagger::dirListe_DragDrop);
  connect(cmdRefresh_, &QPushButton::clicked, this, &Tagger::cmdRefresh_Click);
}

formats::FormatEnv Tagger::formatEnv() const {
  formats::FormatEnv env;
  env.fs = &formatFs();
  env.yield = yield_;
  env.notice = [this](const std::string& text) {
    dialogs_.message(FromUtf8(text), core::MessageKind::Information, ToQString(values_.AppTitle));
  };
  return env;
}

windows::frmProgress* Tagger::progressWindow() {
  if (progress_ == nullptr) progress_ = new windows::frmProgress(yield_, this);  // a window, owned by this one
  return progress_;
}

void Tagger::closeEvent(QCloseEvent* event) {
  if (runs_) runs_->cancel();  // the run ends after its file when the window goes
  if (unloadHandler_) unloadHandler_();
  event->accept();
}

}  // namespace mainwindow
