// A main window in a fresh temporary folder, with recorded playback and scripted
// dialogs, and helpers that act on its widgets as a user does.
#pragma once
#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QListWidget>
#include <QMimeData>
#include <QPushButton>
#include <QTest>
#include <QTreeWidget>
#include <QUrl>
#include <gtest/gtest.h>
#include <memory>
#include <string>
#include <sys/stat.h>
#include <vector>

#include "core/AppValues.h"
#include "core/toolkit/Dialogs.h"
#include "core/toolkit/MediaControl.h"
#include "formats/SilentMpeg.h"
#include "mainwindow/Tagger.h"
#include "support/FileHelpers.h"
#include "support/TempDir.h"

inline void PrintTo(const QString& text, std::ostream* out) { *out << '"' << text.toStdString() << '"'; }
inline void PrintTo(const QStringList& texts, std::ostream* out) {
  *out << "{ " << texts.join(QStringLiteral(" | ")).toStdString() << " }";
}

namespace tagger_test {

inline QString Q(const std::string& native) { return QFile::decodeName(QByteArray::fromStdString(native)); }

class TaggerTest : public ::testing::Test {
 protected:
  void SetUp() override {
    values.AppPath = temp.path() + "/";
    window = std::make_unique<mainwindow::Tagger>(values, dialogs, media, std::function<void()>());
    window->show();
  }

  // A real MPEG file of silence.
  std::string mp3(const std::string& folder, const std::string& name) {
    const std::string path = folder + name;
    support::WriteFileBytes(path, formats::SilentMpegFrames(8));
    return path;
  }
  std::string folder(const std::string& relative) {
    const std::string path = temp.path() + "/" + relative + "/";
    ::mkdir(path.c_str(), 0755);
    return path;
  }
  void open(const std::string& path) { ASSERT_TRUE(window->SetFolder(path, true)) << path; }

  template <typename T>
  T* find(const char* name) {
    T* found = window->findChild<T*>(QString::fromLatin1(name));
    EXPECT_NE(found, nullptr) << name;
    return found;
  }
  QListWidget* files() { return find<QListWidget>("lstFiles"); }
  QAction* item(const char* name) { return find<QAction>(name); }

  std::vector<std::string> listed(QListWidget* list) {
    std::vector<std::string> names;
    for (int i = 0; i < list->count(); ++i) names.push_back(list->item(i)->data(Qt::UserRole).toByteArray().toStdString());
    return names;
  }
  std::vector<std::string> selected() {
    std::vector<std::string> names;
    for (int i = 0; i < files()->count(); ++i) {
      if (files()->item(i)->isSelected()) names.push_back(files()->item(i)->data(Qt::UserRole).toByteArray().toStdString());
    }
    return names;
  }
  QPoint centreOf(int row) { return files()->visualItemRect(files()->item(row)).center(); }
  void click(int row, Qt::KeyboardModifiers modifiers = {}) {
    QTest::mouseClick(files()->viewport(), Qt::LeftButton, modifiers, centreOf(row));
  }
  // As the window system delivers it: press, release, double click, release.
  void doubleClick(int row) {
    QTest::mouseClick(files()->viewport(), Qt::LeftButton, {}, centreOf(row));
    QTest::mouseDClick(files()->viewport(), Qt::LeftButton, {}, centreOf(row));
    QTest::mouseRelease(files()->viewport(), Qt::LeftButton, {}, centreOf(row));
  }

  void drop(QWidget* target, const std::vector<std::string>& paths) {
    QMimeData data;
    QList<QUrl> urls;
    for (const std::string& path : paths) urls << QUrl::fromLocalFile(Q(path));
    data.setUrls(urls);
    QWidget* area = target;
    if (auto* view = qobject_cast<QAbstractItemView*>(target)) area = view->viewport();
    const QPoint at(5, 5);
    QDragEnterEvent enter(at, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(area, &enter);
    QDropEvent dropped(QPointF(at), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(area, &dropped);
  }

  support::TempDir temp;
  core::AppValues values;
  core::ScriptedDialogService dialogs;
  core::RecordingMediaControl media;
  std::unique_ptr<mainwindow::Tagger> window;
};

inline QStringList PlayCommands(const std::string& path) {
  return {QStringLiteral("stop mpeg"), QStringLiteral("close mpeg"),
          QStringLiteral("open \"%1\" type MPEGVideo Alias mpeg").arg(Q(path)), QStringLiteral("play mpeg")};
}
inline QStringList StopCommands() { return {QStringLiteral("stop mpeg"), QStringLiteral("close mpeg")}; }

}  // namespace tagger_test
