// The resize layout and the window's background colour.
#include <QApplication>
#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPalette>
#include <QRadioButton>
#include <QRegularExpression>
#include <QResizeEvent>
#include <QStyle>
#include <QStyleOptionButton>
#include <algorithm>
#include <array>

#include "core/toolkit/Window.h"
#include "mainwindow/BatchControls.h"
#include "mainwindow/ControlPlacing.h"
#include "mainwindow/FileListBox.h"
#include "mainwindow/LayoutRules.h"
#include "mainwindow/Tagger.h"

namespace mainwindow {

namespace {

double Twips(int pixels) { return core::PixelsToTwips(pixels); }

void Assign(QWidget* control, Edge edge, double twips) {
  const int pixels = core::TwipsToPixels(twips);
  QRect box = control->geometry();
  switch (edge) {
    case Edge::Top: box.moveTop(pixels); break;
    case Edge::Left: box.moveLeft(pixels); break;
    case Edge::Height: box.setHeight(pixels); break;
    case Edge::Width: box.setWidth(pixels); break;
  }
  control->setGeometry(box);
}

}  // namespace

void Tagger::resizeEvent(QResizeEvent* event) {
  QWidget::resizeEvent(event);
  ApplyResizeLayout();
}

void Tagger::ApplyResizeLayout() {
  const core::TwipsRect outer = core::OuterBoundsTwips(this);
  CurrentLayout now;
  now.outerHeight = outer.height;
  now.outerWidth = outer.width;
  now.innerHeight = Twips(height());
  now.innerWidth = Twips(width());
  if (const auto* files = findChild<QWidget*>(QStringLiteral("lstFiles"))) {
    now.lstFilesHeight = Twips(files->height());
    now.lstFilesWidth = Twips(files->width());
  }
  if (const auto* tags = findChild<QWidget*>(QStringLiteral("picTags"))) now.picTagsHeight = Twips(tags->height());
  if (const auto* noTag = findChild<QWidget*>(QStringLiteral("chkNoTagOnly"))) now.chkNoTagOnlyTop = Twips(noTag->y());
  for (const Placement& placement : ResizeLayout(now)) {
    // Controls that arrive with later work are laid out as soon as they are there.
    if (auto* control = findChild<QWidget*>(placement.control)) Assign(control, placement.edge, placement.twips);
  }
}

std::pair<QString, QRect> CaptionRoom(QWidget* control) {
  if (auto* label = qobject_cast<QLabel*>(control)) return {label->text(), label->contentsRect()};
  auto* button = qobject_cast<QAbstractButton*>(control);
  if (button == nullptr || button->text().isEmpty()) return {};
  QStyleOptionButton option;
  option.initFrom(button);
  option.text = button->text();
  QStyle::SubElement part = QStyle::SE_PushButtonContents;
  if (qobject_cast<QCheckBox*>(button)) part = QStyle::SE_CheckBoxContents;
  if (qobject_cast<QRadioButton*>(button)) part = QStyle::SE_RadioButtonContents;
  return {button->text(), button->style()->subElementRect(part, &option, button)};
}

namespace {

// The caption as drawn: "&&" shows one ampersand, a single "&" marks the access key.
QString Drawn(QString text) {
  text.replace(QLatin1String("&&"), QChar(1));
  text.remove(QLatin1Char('&'));
  return text.replace(QChar(1), QLatin1Char('&'));
}

QRectF DesignOf(const QWidget* control) { return control->property(DesignTwips).toRectF(); }

// Smallest room of the window, in twips: the file list keeps 1800 and the report view 1500.
constexpr double SmallestFilesHeight = 1800, SmallestReportWidth = 1500;

}  // namespace

void Tagger::FitFileColumn() {
  const std::array<QWidget*, 5> panels = {batch_.picOptions, picTags_, picTags2_, picBatch_, picRemoveTags_};
  // How much wider than designed the column must be for the widest caption.
  double factor = 1;
  for (QWidget* panel : panels) {
    for (QWidget* control : panel->findChildren<QWidget*>()) {
      const QRectF design = DesignOf(control);
      const auto [text, room] = CaptionRoom(control);
      if (design.isEmpty() || text.isEmpty()) continue;
      // What the control needs beside its caption (box, frame, margins) stays the same.
      const int needed = control->fontMetrics().horizontalAdvance(Drawn(text)) + control->width() - room.width() + 1;
      factor = std::max(factor, needed * double(core::TwipsPerPixel) / design.width());
    }
  }
  const auto scaled = [factor](QWidget* control) {
    const QRectF design = DesignOf(control);
    control->setGeometry(core::TwipsToPixels(design.left() * factor), control->y(),
                         core::TwipsToPixels(design.width() * factor), control->height());
  };
  for (QWidget* panel : panels) {
    panel->resize(core::TwipsToPixels(DesignOf(panel).width() * factor), panel->height());
    for (QWidget* control : panel->findChildren<QWidget*>()) {
      if (!DesignOf(control).isEmpty()) scaled(control);
    }
  }
  for (QWidget* list : {static_cast<QWidget*>(lstFiles_), static_cast<QWidget*>(lstSortFiles_)}) {
    list->resize(core::TwipsToPixels(DesignFileColumnWidth * factor), list->height());
  }
  // The skip count sits in the run of blanks of its caption, whatever the language.
  const auto [caption, room] = CaptionRoom(batch_.chkIgnore);
  const QString text = Drawn(caption);
  const int gap = text.indexOf(QLatin1String("  "));
  if (gap > 0) {
    const int gapEnd = text.indexOf(QRegularExpression(QStringLiteral("\\S")), gap);
    const QFontMetrics metrics = batch_.chkIgnore->fontMetrics();
    const int blank = metrics.horizontalAdvance(QLatin1Char(' '));
    const int left = batch_.chkIgnore->x() + room.left() + metrics.horizontalAdvance(text.left(gap)) + blank;
    const int right = batch_.chkIgnore->x() + room.left() + metrics.horizontalAdvance(text.left(gapEnd)) - blank;
    batch_.txtIgnore->setGeometry(left, batch_.txtIgnore->y(), std::max(right - left, 1), batch_.txtIgnore->height());
  }
  // The smallest size at which every assignment of the resize layout still holds.
  const double column = DesignFileColumnWidth * factor;
  setMinimumSize(core::TwipsToPixels(8180 + column - DesignFileColumnWidth + SmallestReportWidth),
                 core::TwipsToPixels(3880 + SmallestFilesHeight));
  ApplyResizeLayout();
}

void Tagger::SetFormBackColor(const QColor& color) {
  QPalette palette = this->palette();
  palette.setColor(QPalette::Window, color);
  setPalette(palette);
  setAutoFillBackground(true);
  FormBackColor();
}

void Tagger::FormBackColor() {
  const QColor color = palette().color(QPalette::Window);
  QStringList names = {QStringLiteral("picTagCheck"), QStringLiteral("picDir"), QStringLiteral("picOptions"),
                       QStringLiteral("chkAuto"), QStringLiteral("chkRecursive")};
  for (int i = 0; i < 6; ++i) names << QStringLiteral("chkView(%1)").arg(i);
  for (int i = 0; i < 3; ++i) names << QStringLiteral("optTagEdit(%1)").arg(i);
  for (const QString& name : names) {
    auto* control = findChild<QWidget*>(name);
    if (!control) continue;
    QPalette palette = control->palette();
    palette.setColor(QPalette::Window, color);
    // The captions of the boxes must stay readable on the dark blue.
    palette.setColor(QPalette::WindowText, Qt::white);
    control->setPalette(palette);
    control->setBackgroundRole(QPalette::Window);  // a button's own role would be Button
    control->setAutoFillBackground(true);
  }
  // The tag panels keep the ordinary dialog colour of their own.
  for (const char* name : {"picTags", "picTags2", "picBatch", "picRemoveTags"}) {
    auto* panel = findChild<QWidget*>(QString::fromLatin1(name));
    if (!panel) continue;
    QPalette own = QApplication::palette(panel);
    // Set explicitly, so that the window's colour is not inherited.
    own.setColor(QPalette::Window, own.color(QPalette::Window));
    own.setColor(QPalette::WindowText, own.color(QPalette::WindowText));
    panel->setPalette(own);
  }
}

}  // namespace mainwindow
