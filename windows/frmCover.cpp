#include "windows/frmCover.h"

#include <QAction>
#include <QCloseEvent>
#include <QLabel>
#include <QMenu>

#include "core/AppValues.h"
#include "core/toolkit/Translation.h"
#include "core/toolkit/Window.h"
#include "windows/CoverPicture.h"

namespace windows {

namespace {

// An entry of the picture menu whose caption follows the interface language.
QAction* Captioned(QAction* entry, const char* source) {
  core::SetCaption(entry, frmCover::staticMetaObject.className(), source);
  return entry;
}

// The window's first outer size, in twips, until the settings give it its own.
constexpr double InitialWidth = 4620;
constexpr double InitialHeight = 5250;
constexpr int Topmost = -1;
}  // namespace

frmCover::frmCover(core::AppValues& values, core::DialogService& dialogs, std::function<void()> yield, QWidget* parent)
    : QWidget(parent, Qt::Window),
      values_(values),
      dialogs_(dialogs),
      yield_(yield),
      picCover_(new CoverPicture(this)),
      lblInfo_(new QLabel(this)),
      mnuPop_(new QMenu(this)) {
  setObjectName(QStringLiteral("frmCover"));
  core::SetCaption(this, staticMetaObject.className(), QT_TR_NOOP("Cover Art"));
  core::SetCaption(lblInfo_, staticMetaObject.className(), QT_TR_NOOP("No Cover Image"));
  core::SetCaption(mnuPop_, staticMetaObject.className(), QT_TR_NOOP("Options"));
  picCover_->setObjectName(QStringLiteral("picCover"));
  lblInfo_->setObjectName(QStringLiteral("lblInfo"));
  lblInfo_->setAlignment(Qt::AlignCenter);
  // Clicks on the text belong to the picture display beneath it.
  lblInfo_->setAttribute(Qt::WA_TransparentForMouseEvents);
  lblInfo_->raise();

  // The menu is only ever a context menu: it has no entry on a menu bar.
  mnuPop_->setObjectName(QStringLiteral("mnuPop"));
  mnuPop_->menuAction()->setVisible(false);
  connect(Captioned(addEntry("mnuPicLoad", QString()), QT_TR_NOOP("Bild laden...")), &QAction::triggered, this,
          &frmCover::mnuPicLoad_Click);
  connect(Captioned(addEntry("mnuPicDel", QString()), QT_TR_NOOP("Bild löschen...")), &QAction::triggered, this,
          &frmCover::mnuPicDel_Click);
  connect(Captioned(addEntry("mnuExport", QString()), QT_TR_NOOP("Bild exportieren")), &QAction::triggered, this,
          &frmCover::mnuExport_Click);
  Captioned(addEntry("mnuDirCover", QString()), QT_TR_NOOP("Bild als Ordner-Icon"));  // no command of its own
  connect(picCover_, &CoverPicture::rightButtonPressed, mnuPop_, [this](const QPoint& at) { mnuPop_->popup(at); });

  core::SetOuterWidth(this, InitialWidth);
  core::SetOuterHeight(this, InitialHeight);
  setMinimumSize(core::TwipsToPixels(2400), core::TwipsToPixels(1200));  // room for "No Cover Image"
  core::SetOnTop(this, Topmost, yield);
  showInfo();
}

bool frmCover::showPicture(const QString& path) {
  const bool shown = picCover_->load(path);
  showInfo();
  return shown;
}

void frmCover::clearPicture() {
  picCover_->clear();
  showInfo();
}

bool frmCover::hasPicture() const { return picCover_->hasPicture(); }

QString frmCover::picturePath() const { return picCover_->path(); }

void frmCover::resizeEvent(QResizeEvent* event) {
  QWidget::resizeEvent(event);
  const QSize client = size();
  picCover_->setGeometry(0, 0, client.width(), client.height());
  const int infoHeight = lblInfo_->sizeHint().height();
  lblInfo_->setGeometry(0, client.height() / 2 - infoHeight / 2, client.width(), infoHeight);
}

void frmCover::closeEvent(QCloseEvent* event) {
  event->ignore();
  hide();
  emit hiddenByUser();
}

QAction* frmCover::addEntry(const char* name, const QString& caption) {
  QAction* entry = mnuPop_->addAction(caption);
  entry->setObjectName(QString::fromLatin1(name));
  return entry;
}

void frmCover::showInfo() { lblInfo_->setVisible(!picCover_->hasPicture()); }

}  // namespace windows
