// The resize layout and the window's background colour.
#include <QApplication>
#include <QCheckBox>
#include <QPalette>
#include <QResizeEvent>

#include "core/toolkit/Window.h"
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
