// Creating the main window's controls: their design positions in twips, their names
// and the indexed names of control arrays ("chkHold(0)").
#pragma once
#include <QString>
#include <QWidget>

#include "core/toolkit/Window.h"

namespace mainwindow {

inline void Place(QWidget* widget, double left, double top, double width, double height) {
  widget->setGeometry(core::TwipsToPixels(left), core::TwipsToPixels(top), core::TwipsToPixels(width),
                      core::TwipsToPixels(height));
}

inline QString Indexed(const char* name, int index) {
  return QStringLiteral("%1(%2)").arg(QString::fromLatin1(name)).arg(index);
}

template <typename T>
T* Named(T* widget, const QString& name) {
  widget->setObjectName(name);
  return widget;
}

}  // namespace mainwindow
