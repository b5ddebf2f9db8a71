#include "windows/frmRename.h"

#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QKeyEvent>
#include <cerrno>
#include <cstring>

#include "core/AppValues.h"
#include "core/Paths.h"
#include "core/toolkit/Dialogs.h"
#include "core/toolkit/Translation.h"
#include "core/toolkit/Window.h"
#include "formats/FileIo.h"
#include "tagging/Journal.h"

namespace windows {

namespace {

template <typename T>
T* Named(T* widget, const char* name) {
  widget->setObjectName(QString::fromLatin1(name));
  return widget;
}

void PlaceTwips(QWidget* widget, double left, double top, double width, double height) {
  widget->setGeometry(core::TwipsToPixels(left), core::TwipsToPixels(top), core::TwipsToPixels(width),
                      core::TwipsToPixels(height));
}

QString Native(const std::string& bytes) { return QFile::decodeName(QByteArray::fromStdString(bytes)); }

}  // namespace

RenameLayout RenameLayoutFor(double w) { return {w - 1155, w - 945, w - 4005, w - 2175}; }

QString RenameRefusal(const std::string& name) {
  if (name.empty() || name == "." || name == "..") return frmRename::tr("Bitte einen Dateinamen eingeben.");
  if (name.find('/') != std::string::npos || name.find('\0') != std::string::npos) {
    return frmRename::tr("Ein Dateiname darf kein \"/\" enthalten.");
  }
  return {};
}

frmRename::frmRename(core::AppValues& values, core::DialogService& dialogs, formats::FileSystem& fs,
                     std::function<void()> yield, std::function<void()> refreshList, QWidget* parent)
    : QWidget(parent, Qt::Dialog),
      values_(values),
      dialogs_(dialogs),
      fs_(fs),
      yield_(std::move(yield)),
      refreshList_(std::move(refreshList)),
      txtFileName_(Named(new QLineEdit(this), "txtFileName")),
      lblMP3_(Named(new QLabel(QStringLiteral(".mp3"), this), "lblMP3")),
      cmdRename_(Named(new QPushButton(this), "cmdRename")),
      cmdCancel_(Named(new QPushButton(this), "cmdCancel")) {
  setObjectName(QStringLiteral("frmRename"));
  core::SetCaption(this, staticMetaObject.className(), QT_TR_NOOP("Umbenennen"));
  core::SetCaption(cmdRename_, staticMetaObject.className(), QT_TR_NOOP("Übernehmen"));
  core::SetCaption(cmdCancel_, staticMetaObject.className(), QT_TR_NOOP("Abbrechen"));
  // Two controls of the design that this dialog does not use.
  Named(new QListWidget(this), "ErkennListe")->hide();
  Named(new QPushButton(this), "dum")->hide();
  PlaceTwips(txtFileName_, 120, 180, 5340, 315);
  PlaceTwips(lblMP3_, 5520, 210, 600, 255);
  PlaceTwips(cmdCancel_, 2490, 780, 1695, 375);
  PlaceTwips(cmdRename_, 4320, 780, 1695, 375);
  core::SetOuterWidth(this, 6615);
  core::SetOuterHeight(this, RenameWindowHeight);
  // Narrower, the cancel button would leave the window on the left.
  setMinimumWidth(core::TwipsToPixels(4200));
  core::CenterWindow(this);
  core::KeepOnTop(this, yield_);
  connect(cmdRename_, &QPushButton::clicked, this, &frmRename::cmdRename_Click);
  connect(cmdCancel_, &QPushButton::clicked, this, &QWidget::close);
  connect(txtFileName_, &QLineEdit::returnPressed, this, &frmRename::cmdRename_Click);
}

void frmRename::setFileName(const QString& name) { txtFileName_->setText(name); }

QString frmRename::renameFile(const std::string& name) {
  if (QString refusal = RenameRefusal(name); !refusal.isEmpty()) return refusal;
  const std::string& from = values_.CurrentFile;
  const std::string to = values_.CurrentDir + name + ".mp3";
  if (from.empty() || !fs_.exists(from)) return tr("Die Datei gibt es nicht mehr.");
  if (to == from) return {};
  tagging::JournalRun run = tagging::Journal().begin(tr("Umbenennen").toStdString(), {from});
  if (fs_.renameNoReplace(from, to)) {
    run.renamed(from, to);
    run.finish();
    return {};
  }
  const int error = errno;
  run.abandon();
  if (fs_.exists(to)) return tr("Eine Datei namens \"%1.mp3\" gibt es in diesem Ordner schon.").arg(Native(name));
  return tr("Die Datei konnte nicht umbenannt werden: %1").arg(QString::fromLocal8Bit(std::strerror(error)));
}

void frmRename::cmdRename_Click() {
  const std::string name = QFile::encodeName(txtFileName_->text()).toStdString();
  const QString failure = renameFile(name);
  if (!failure.isEmpty()) {
    dialogs_.message(failure, core::MessageKind::Exclamation, Native(values_.AppTitle));
    txtFileName_->setFocus();
    return;
  }
  if (yield_) yield_();
  if (refreshList_) refreshList_();
  close();
}

void frmRename::keyPressEvent(QKeyEvent* event) {
  // Escape cancels, as the cancel button does.
  if (event->key() == Qt::Key_Escape) {
    close();
    return;
  }
  QWidget::keyPressEvent(event);
}

void frmRename::resizeEvent(QResizeEvent* event) {
  QWidget::resizeEvent(event);
  const double width = core::PixelsToTwips(this->width());
  const RenameLayout at = RenameLayoutFor(width);
  const auto set = [](QWidget* control, double value, bool isWidth) {
    if (value < 0) return;  // narrower than the offsets: the control stays as it is
    QRect box = control->geometry();
    if (isWidth) {
      box.setWidth(core::TwipsToPixels(value));
    } else {
      box.moveLeft(core::TwipsToPixels(value));
    }
    control->setGeometry(box);
  };
  set(txtFileName_, at.txtFileNameWidth, true);
  set(lblMP3_, at.lblMP3Left, false);
  set(cmdCancel_, at.cmdCancelLeft, false);
  set(cmdRename_, at.cmdRenameLeft, false);
  // The height is fixed; setting it again from inside the resize must not recurse.
  if (!fixingHeight_ && core::OuterBoundsTwips(this).height != RenameWindowHeight) {
    fixingHeight_ = true;
    core::SetOuterHeight(this, RenameWindowHeight);
    fixingHeight_ = false;
  }
}

}  // namespace windows
