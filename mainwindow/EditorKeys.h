// Key presses and double clicks of the edit fields, handed to the window's handlers.
// A key press arrives as the character code of the key (13 Enter, 8 backspace, 3 and
// 22 for Ctrl+C and Ctrl+V); a handler that sets the code to 0 swallows the key. Keys
// without a character (arrows, Delete, Tab) are not handed on: they move the cursor
// or the focus and never reach a key-press handler.
#pragma once
#include <QObject>
#include <functional>

class QKeyEvent;
class QWidget;

namespace mainwindow {

// The character code of a key event, or -1 for a key that gives no character.
int KeyAsciiOf(const QKeyEvent& event);

class KeyPressFilter : public QObject {
 public:
  // Watches `field`; the filter belongs to the field.
  KeyPressFilter(QWidget* field, std::function<void(int&)> handler);

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  std::function<void(int&)> handler_;
};

class DoubleClickFilter : public QObject {
 public:
  // Watches `field`; the filter belongs to the field. The field still sees the click.
  DoubleClickFilter(QWidget* field, std::function<void()> handler);

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  std::function<void()> handler_;
};

}  // namespace mainwindow
