#include "mainwindow/EditorKeys.h"

#include <QEvent>
#include <QKeyEvent>
#include <QWidget>

namespace mainwindow {

int KeyAsciiOf(const QKeyEvent& event) {
  switch (event.key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
      return 13;
    case Qt::Key_Backspace:
      return 8;
    case Qt::Key_Tab:
    case Qt::Key_Backtab:
      return -1;
    default:
      break;
  }
  // Ctrl with a letter gives the control code of that letter (Ctrl+C 3, Ctrl+V 22),
  // whatever text the platform attaches to the event.
  if (event.modifiers().testFlag(Qt::ControlModifier) && event.key() >= Qt::Key_A && event.key() <= Qt::Key_Z) {
    return event.key() - Qt::Key_A + 1;
  }
  const QString text = event.text();
  if (text.isEmpty()) return -1;
  return text.at(0).unicode();
}

KeyPressFilter::KeyPressFilter(QWidget* field, std::function<void(int&)> handler)
    : QObject(field), handler_(std::move(handler)) {
  field->installEventFilter(this);
}

bool KeyPressFilter::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() != QEvent::KeyPress) return QObject::eventFilter(watched, event);
  int keyAscii = KeyAsciiOf(*static_cast<QKeyEvent*>(event));
  if (keyAscii < 0) return false;
  handler_(keyAscii);
  return keyAscii == 0;
}

DoubleClickFilter::DoubleClickFilter(QWidget* field, std::function<void()> handler)
    : QObject(field), handler_(std::move(handler)) {
  field->installEventFilter(this);
}

bool DoubleClickFilter::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() == QEvent::MouseButtonDblClick) handler_();
  return QObject::eventFilter(watched, event);
}

}  // namespace mainwindow
