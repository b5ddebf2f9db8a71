// Busy pointers for the length of a scope: the window's hourglass while one file is
// written, the screen's arrow-and-hourglass while a save run lasts.
#pragma once
#include <QApplication>
#include <QWidget>

namespace mainwindow {

class WindowHourglass {
 public:
  explicit WindowHourglass(QWidget* window) : window_(window) { window_->setCursor(Qt::WaitCursor); }
  ~WindowHourglass() { window_->unsetCursor(); }
  WindowHourglass(const WindowHourglass&) = delete;
  WindowHourglass& operator=(const WindowHourglass&) = delete;

 private:
  QWidget* window_;
};

class ScreenBusyPointer {
 public:
  ScreenBusyPointer() { QApplication::setOverrideCursor(Qt::BusyCursor); }
  ~ScreenBusyPointer() { QApplication::restoreOverrideCursor(); }
  ScreenBusyPointer(const ScreenBusyPointer&) = delete;
  ScreenBusyPointer& operator=(const ScreenBusyPointer&) = delete;
};

}  // namespace mainwindow
