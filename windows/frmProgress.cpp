#include "windows/frmProgress.h"

#include <QKeyEvent>
#include <QPushButton>

#include "core/toolkit/Translation.h"
#include "core/toolkit/Window.h"
#include "windows/Gauge.h"

namespace windows {

namespace {
// Client area, gauge and button, in twips: a bar 4500 wide with a margin of 150 around it,
// the Cancel button beneath it at the right.
constexpr int ClientWidth = 4800;
constexpr int ClientHeight = 1260;
constexpr int Margin = 150;
constexpr int GaugeWidth = 4500;
constexpr int GaugeHeight = 450;
constexpr int ButtonWidth = 1215;
constexpr int ButtonHeight = 360;
}  // namespace

frmProgress::frmProgress(std::function<void()> yield, QWidget* parent)
    : QWidget(parent, Qt::Window), progress_(new Gauge(this)), cancel_(new QPushButton(this)) {
  setObjectName(QStringLiteral("frmProgress"));
  core::SetCaption(this, staticMetaObject.className(), QT_TR_NOOP("Fortschritt"));
  setFixedSize(core::TwipsToPixels(ClientWidth), core::TwipsToPixels(ClientHeight));
  progress_->setObjectName(QStringLiteral("Progress"));
  progress_->setGeometry(core::TwipsToPixels(Margin), core::TwipsToPixels(Margin), core::TwipsToPixels(GaugeWidth),
                         core::TwipsToPixels(GaugeHeight));
  // The window is not shown yet: lay the gauge out now rather than at the first show.
  // The text is centred on the back label's height from before each layout, so the
  // second pass centres it on the fill's height at this size.
  progress_->applyLayout();
  progress_->applyLayout();
  progress_->SetProgress(progress_->ProgressPercent());

  cancel_->setObjectName(QStringLiteral("cmdCancel"));
  core::SetCaption(cancel_, staticMetaObject.className(), QT_TR_NOOP("Abbrechen"));
  cancel_->setGeometry(core::TwipsToPixels(Margin + GaugeWidth - ButtonWidth),
                       core::TwipsToPixels(2 * Margin + GaugeHeight), core::TwipsToPixels(ButtonWidth),
                       core::TwipsToPixels(ButtonHeight));
  connect(cancel_, &QPushButton::clicked, this, &frmProgress::cancelRequested);

  core::CenterWindow(this);
  core::KeepOnTop(this, yield);
}

void frmProgress::setValue(std::int32_t percent) { progress_->setProgressPercent(percent); }

std::int32_t frmProgress::value() const { return progress_->ProgressPercent(); }

void frmProgress::keyPressEvent(QKeyEvent* event) {
  if (event->key() == Qt::Key_Escape) {
    emit cancelRequested();
    return;
  }
  QWidget::keyPressEvent(event);
}


}  // namespace windows
