#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QPlainTextEdit>
#include <QSignalSpy>
#include <QTest>
#include <QTextCursor>
#include <sys/stat.h>

#include "core/AppValues.h"
#include "core/toolkit/Dialogs.h"
#include "support/FileHelpers.h"
#include "support/TempDir.h"
#include "windows/frmText.h"

namespace {

using windows::frmText;

class TextWindow : public ::testing::Test {
 protected:
  void SetUp() override {
    values.CurrentDir = temp.folder();
    values.AppTitle = "Quillmere Tonewright";
  }
  QPlainTextEdit* txtText() { return window.findChild<QPlainTextEdit*>(QStringLiteral("txtText")); }
  // Triggers the entry of that name after checking its caption.
  void trigger(const char* name, const char* caption) {
    QAction* action = window.findChild<QAction*>(QString::fromLatin1(name));
    ASSERT_NE(action, nullptr) << name;
    EXPECT_EQ(action->text(), QString::fromUtf8(caption)) << name;
    action->trigger();
  }
  void showWindow() {
    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
  }

  support::TempDir temp;
  core::AppValues values;
  core::ScriptedDialogService dialogs;
  int yields = 0;
  frmText window{values, dialogs, [this] { ++yields; }};
};

TEST_F(TextWindow, OpensTopmostAndSavingOrClosingHandsOverAnEditedTextOnly) {
  EXPECT_EQ(window.windowTitle(), QStringLiteral("TextEdit"));
  EXPECT_TRUE((window.windowFlags() & Qt::WindowStaysOnTopHint) && yields > 0);
  QSignalSpy taken(&window, &frmText::textTakenOver);
  window.setText(QStringLiteral("Live"));
  showWindow();
  for (const bool expected : {false, true}) {  // switched without hiding the window
    trigger("mnuOnTop", "Immer im Vordergrund");
    EXPECT_TRUE(window.windowFlags().testFlag(Qt::WindowStaysOnTopHint) == expected && window.isVisible());
  }
  trigger("mnuExit", "&Beenden");  // unedited: nothing handed over
  EXPECT_TRUE(!window.isVisible() && taken.isEmpty());
  showWindow();
  txtText()->moveCursor(QTextCursor::End);
  QTest::keyClicks(txtText(), QStringLiteral(" 1998"));
  trigger("mnuSave(0)", "&Speichern");  // hands over and keeps the window open
  EXPECT_TRUE(window.isVisible() && !window.isModified());
  QTest::keyClicks(txtText(), QStringLiteral("!"));
  EXPECT_TRUE(window.close());
  ASSERT_EQ(taken.count(), 2);
  EXPECT_EQ(taken.at(0).at(0).toString() + QLatin1Char('|') + taken.at(1).at(0).toString(),
            QStringLiteral("Live 1998|Live 1998!"));
}

TEST_F(TextWindow, EditEntriesDoWhatTheirCaptionsSay) {
  QClipboard* clipboard = QApplication::clipboard();
  clipboard->clear();
  window.setText(QStringLiteral("old comment"));
  window.setText(QStringLiteral("alpha beta gamma"));
  const struct {
    int from, to;  // the selection before; -1: the cursor at the end; -2: as it is
    const char *action, *caption, *text, *clipboard, *selected;
  } steps[] = {
      {0, 0, "mnuUndo", "Rückgängig", "alpha beta gamma", "", ""},  // setText leaves no undo history
      {0, 5, "mnuCopy", "Kopieren", "alpha beta gamma", "alpha", "alpha"},
      {5, 10, "mnuCut", "Ausschneiden", "alpha gamma", " beta", ""},
      {-1, -1, "mnuPaste", "Einfügen", "alpha gamma beta", " beta", ""},
      {0, 6, "mnuDelete", "Löschen", "gamma beta", " beta", ""},  // the clipboard stays
      {0, 0, "mnuDelete", "Löschen", "gamma beta", " beta", ""},  // nothing selected: nothing deleted
      {0, 0, "mnuUndo", "Rückgängig", "alpha gamma beta", " beta", ""},
      {0, 1, "mnuAll", "Alles kopieren", "alpha gamma beta", "alpha gamma beta", "a"},  // the selection stays
      {0, 0, "mnuSelAll", "Alles markieren", "alpha gamma beta", "alpha gamma beta", "alpha gamma beta"},
      {-2, -2, "mnuDelete", "Löschen", "", "alpha gamma beta", ""},
  };
  for (const auto& step : steps) {
    QTextCursor cursor = txtText()->textCursor();
    if (step.from == -1) cursor.movePosition(QTextCursor::End);
    if (step.from >= 0) {
      cursor.setPosition(step.from);
      cursor.setPosition(step.to, QTextCursor::KeepAnchor);
    }
    txtText()->setTextCursor(cursor);
    trigger(step.action, step.caption);
    EXPECT_EQ(window.text(), QString::fromUtf8(step.text)) << step.action;
    EXPECT_EQ(clipboard->text(), QString::fromUtf8(step.clipboard)) << step.action;
    EXPECT_EQ(txtText()->textCursor().selectedText(), QString::fromUtf8(step.selected)) << step.action;
  }
}

TEST_F(TextWindow, SaveAsReplacesTheChosenFileOrSaysWhyNotAndLeavesNoOtherFile) {
  const std::string path = temp / "kommentar.txt", folder = temp / "a folder";
  ASSERT_TRUE(support::WriteFileBytes(path, "an older and longer text") && ::mkdir(folder.c_str(), 0755) == 0);
  window.setText(QStringLiteral("Grüße\nzweite Zeile"));
  const std::pair<std::string, const char*> cases[] = {
      {"", "an older and longer text"},  // the chooser was cancelled
      {path, "Grüße\nzweite Zeile"},
      {folder, nullptr},  // a message says why, and nothing changes
      {temp / "missing/file.txt", nullptr}};
  for (const auto& [target, written] : cases) {
    dialogs.shown.clear();
    if (!target.empty()) dialogs.setNextFileName(QString::fromStdString(target));
    trigger("mnuSave(1)", "Speichern &unter...");
    EXPECT_EQ(support::ReadFileBytes(path), written ? written : "Grüße\nzweite Zeile") << target;
    ASSERT_EQ(dialogs.shown.size(), written ? 0u : 1u) << target;
    if (written) continue;
    EXPECT_EQ(dialogs.shown[0].kind, core::MessageKind::Critical);
    EXPECT_EQ(dialogs.shown[0].title, QStringLiteral("Quillmere Tonewright"));
    EXPECT_TRUE(dialogs.shown[0].text.contains(QString::fromStdString(target)));
  }
  EXPECT_TRUE(support::FolderEntries(folder).empty());
  EXPECT_EQ(support::FolderEntries(temp.path()), (std::vector<std::string>{"a folder", "kommentar.txt"}));
}

}  // namespace
