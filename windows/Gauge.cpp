#include "windows/Gauge.h"

#include <QFrame>
#include <QLabel>
#include <QPalette>
#include <QResizeEvent>
#include <algorithm>

#include "core/toolkit/Window.h"
#include "windows/GaugeArithmetic.h"

namespace windows {

namespace {

QColor ToQColor(std::int32_t bgr) {
  const RgbColor c = ColorFromBgr(bgr);
  return QColor(c.red, c.green, c.blue);
}

void SetBackground(QWidget* widget, std::int32_t bgr) {
  QPalette palette = widget->palette();
  palette.setColor(QPalette::Window, ToQColor(bgr));
  widget->setPalette(palette);
}

void SetTextColor(QLabel* label, std::int32_t bgr) {
  QPalette palette = label->palette();
  palette.setColor(QPalette::WindowText, ToQColor(bgr));
  label->setPalette(palette);
}

void PlaceInTwips(QWidget* widget, const TwipsBox& box) {
  widget->setGeometry(core::TwipsToPixels(box.left), core::TwipsToPixels(box.top),
                      std::max(0, core::TwipsToPixels(box.width)), std::max(0, core::TwipsToPixels(box.height)));
}

QLabel* MakeTextLabel(QWidget* parent, const char* name) {
  auto* label = new QLabel(QStringLiteral("50%"), parent);
  label->setObjectName(QString::fromLatin1(name));
  // The text sits at the label's top, as the layout's offsets expect.
  label->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
  label->setAutoFillBackground(false);
  return label;
}

}  // namespace

Gauge::Gauge(QWidget* parent) : QWidget(parent) {
  setObjectName(QStringLiteral("Gauge"));
  // Created back to front: later siblings are drawn over earlier ones.
  lblContainer_ = new QLabel(this);
  lblContainer_->setObjectName(QStringLiteral("lblContainer"));
  lblContainer_->setAutoFillBackground(true);
  lblBack_ = MakeTextLabel(this, "lblBack");
  fInside_ = new QFrame(this);
  fInside_->setObjectName(QStringLiteral("fInside"));
  fInside_->setFrameShape(QFrame::NoFrame);
  fInside_->setAutoFillBackground(true);
  // A child widget is clipped to its parent: the front text shows only over the fill.
  lblFront_ = MakeTextLabel(fInside_, "lblFront");
  applyColors();

  resize(core::TwipsToPixels(3000), core::TwipsToPixels(250));
  // The back label starts as high as the fill will be, so that the first layout
  // already puts the text where every later one does.
  lblBack_->resize(lblBack_->width(), core::TwipsToPixels(250 - 55));
  applyLayout();
  SetProgress(progressPercent_);
}

void Gauge::setColorDark(std::int32_t value) {
  colorDark_ = value;
  applyColors();
  markChanged(QStringLiteral("ColorDark"));
}

void Gauge::setColorLight(std::int32_t value) {
  colorLight_ = value;
  applyColors();
  markChanged(QStringLiteral("ColorLight"));
}

void Gauge::setTextColorLight(std::int32_t value) {
  textColorLight_ = value;
  applyColors();
  markChanged(QStringLiteral("TextColorLight"));
}

void Gauge::setTextColorDark(std::int32_t value) {
  textColorDark_ = value;
  applyColors();
  markChanged(QStringLiteral("TextColorDark"));
}

void Gauge::setProgressPercent(std::int32_t value) {
  progressPercent_ = value;
  markChanged(QStringLiteral("ProgressPercent"));
  SetProgress(value);
}

void Gauge::SetProgress(std::int32_t vPercent) {
  const int backWidth = lblBack_->width() * core::TwipsPerPixel;
  const int controlWidth = width() * core::TwipsPerPixel;
  const int fill = GaugeFillWidth(backWidth, vPercent, controlWidth, core::TwipsPerPixel);
  fInside_->resize(fill / core::TwipsPerPixel, fInside_->height());
  const QString text = QString::fromStdString(GaugePercentText(vPercent));
  lblBack_->setText(text);
  lblFront_->setText(text);
}

void Gauge::applyLayout() {
  laidOutSize_ = size();
  const GaugeLayout layout = LayOutGauge(core::PixelsToTwips(width()), core::PixelsToTwips(height()),
                                         core::PixelsToTwips(lblBack_->height()));
  PlaceInTwips(fInside_, layout.inside);
  PlaceInTwips(lblContainer_, layout.container);
  PlaceInTwips(lblBack_, layout.back);
  PlaceInTwips(lblFront_, layout.front);
}

QVariantMap Gauge::writeProperties() const {
  QVariantMap stored;
  auto store = [&stored](const char* name, std::int32_t value, std::int32_t fallback) {
    if (value != fallback) stored.insert(QString::fromLatin1(name), value);
  };
  store("ColorDark", colorDark_, DefaultColorDark);
  store("ColorLight", colorLight_, DefaultColorLight);
  store("ProgressPercent", progressPercent_, DefaultProgressPercent);
  store("TextColorLight", textColorLight_, DefaultTextColorLight);
  store("TextColorDark", textColorDark_, DefaultTextColorDark);
  return stored;
}

void Gauge::readProperties(const QVariantMap& stored) {
  auto read = [&stored](const char* name, std::int32_t fallback) {
    bool ok = false;
    const int value = stored.value(QString::fromLatin1(name), fallback).toInt(&ok);
    return ok ? value : fallback;
  };
  colorDark_ = read("ColorDark", DefaultColorDark);
  colorLight_ = read("ColorLight", DefaultColorLight);
  textColorLight_ = read("TextColorLight", DefaultTextColorLight);
  textColorDark_ = read("TextColorDark", DefaultTextColorDark);
  progressPercent_ = read("ProgressPercent", DefaultProgressPercent);
  applyColors();
  SetProgress(progressPercent_);
  changed_.clear();
}

void Gauge::resizeEvent(QResizeEvent* event) {
  QWidget::resizeEvent(event);
  // A widget resized while hidden gets its resize event only when first shown; the
  // layout was applied then already, and applying it again would undo the fill.
  if (event->size() != laidOutSize_) applyLayout();
}

void Gauge::markChanged(const QString& name) {
  changed_.insert(name);
  emit propertyChanged(name);
}

void Gauge::applyColors() {
  SetBackground(lblContainer_, colorLight_);
  SetBackground(fInside_, colorDark_);
  SetTextColor(lblBack_, textColorDark_);
  SetTextColor(lblFront_, textColorLight_);
}

}  // namespace windows
