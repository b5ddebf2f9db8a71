#include "windows/frmProgress.h"

#include "core/toolkit/Translation.h"
#include "core/toolkit/Window.h"
#include "windows/Gauge.h"

namespace windows {

namespace {
// Client area and gauge, in twips: a bar 4500 wide with a margin of 150 around it.
constexpr int ClientWidth = 4800;
constexpr int ClientHeight = 750;
constexpr int Margin = 150;
constexpr int GaugeWidth = 4500;
constexpr int GaugeHeight = 450;
}  // namespace

frmProgress::frmProgress(std::function<void()> yield, QWidget* parent)
    : QWidget(parent, Qt::Window), progress_(new Gauge(this)) {
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

  core::CenterWindow(this);
  core::KeepOnTop(this, yield);
}

void frmProgress::setValue(std::int32_t percent) { progress_->setProgressPercent(percent); }

std::int32_t frmProgress::value() const { return progress_->ProgressPercent(); }

}  // namespace windows
