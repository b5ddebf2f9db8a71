// Creating the main window's controls: their design positions in twips, their names
// and the indexed names of control arrays ("chkHold(0)").
#pragma once
#include <QRect>
#include <QRectF>
#include <QString>
#include <QVariant>
#include <QWidget>
#include <utility>

#include "core/toolkit/Translation.h"
#include "core/toolkit/Window.h"

namespace mainwindow {

// The design position is kept with the control (twips), for fitting the file column to
// its captions.
inline constexpr const char* DesignTwips = "tonewrightDesignTwips";

inline void Place(QWidget* widget, double left, double top, double width, double height) {
  widget->setProperty(DesignTwips, QRectF(left, top, width, height));
  widget->setGeometry(core::TwipsToPixels(left), core::TwipsToPixels(top), core::TwipsToPixels(width),
                      core::TwipsToPixels(height));
}

// The caption of a label or button and the room it has inside its control, in pixels;
// nothing for a control without a caption.
std::pair<QString, QRect> CaptionRoom(QWidget* control);

inline QString Indexed(const char* name, int index) {
  return QStringLiteral("%1(%2)").arg(QString::fromLatin1(name)).arg(index);
}

// The catalogue context of the main window's texts, the one Tagger::tr uses.
inline constexpr const char* TaggerContext = "mainwindow::Tagger";

// A caption that follows the interface language; source is the German text, marked for
// the catalogue where it is written (QT_TR_NOOP).
template <typename T>
T* Captioned(T* control, const char* source) {
  core::SetCaption(control, TaggerContext, source);
  return control;
}
inline void TipOf(QWidget* control, const char* source) { core::SetToolTip(control, TaggerContext, source); }

template <typename T>
T* Named(T* widget, const QString& name) {
  widget->setObjectName(name);
  return widget;
}

}  // namespace mainwindow
