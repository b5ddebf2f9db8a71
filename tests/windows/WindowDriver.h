// Driving the windows through their widgets: a named child, a menu entry triggered after its
// caption is checked, and the picture selection dialog answered once it is up.
#pragma once
#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QListWidget>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <functional>
#include <string>

#include "windows/frmPicSelect.h"

namespace windows_test {

// The child of that object name; a missing one fails the test.
template <class Widget = QWidget>
Widget* Child(const QObject& parent, const char* name) {
  auto* child = parent.findChild<Widget*>(QString::fromLatin1(name));
  EXPECT_NE(child, nullptr) << name;
  return child;
}

inline void Trigger(const QObject& window, const char* name, const char* caption) {
  QAction* action = Child<QAction>(window, name);
  ASSERT_NE(action, nullptr);
  EXPECT_EQ(action->text(), QString::fromUtf8(caption)) << name;
  action->trigger();
}

inline void Click(const QObject& parent, const char* button) { QTest::mouseClick(Child<QPushButton>(parent, button), Qt::LeftButton); }

inline QListWidget* Files(const windows::frmPicSelect& dialog) { return Child<QListWidget>(dialog, "File1"); }

// Selects the listed picture of that name (if listed) and clicks "Command1" (accept) or "Command2".
inline void Pick(windows::frmPicSelect& dialog, const std::string& name, const char* button) {
  for (QListWidgetItem* item : Files(dialog)->findItems(QString::fromStdString(name), Qt::MatchExactly))
    Files(dialog)->setCurrentItem(item);
  Click(dialog, button);
}

// Runs `open`, which shows the picture dialog and waits for it; `answer` acts on the dialog.
inline void AnswerPictureDialog(const std::function<void()>& open, const std::function<void(windows::frmPicSelect&)>& answer) {
  QTimer poll;
  QObject::connect(&poll, &QTimer::timeout, [&] {
    for (QWidget* top : QApplication::topLevelWidgets()) {
      auto* dialog = qobject_cast<windows::frmPicSelect*>(top);
      if (dialog == nullptr || !dialog->isVisible()) continue;
      poll.stop();
      answer(*dialog);
      dialog->close();  // an answer that left it open must not leave the test waiting
      return;
    }
  });
  poll.start(10);
  open();
}

}  // namespace windows_test
