// The rename dialog: its layout and what its buttons do to the file.
#include <gtest/gtest.h>

#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <sys/stat.h>

#include "core/AppValues.h"
#include "core/toolkit/Dialogs.h"
#include "core/toolkit/Window.h"
#include "formats/FileIo.h"
#include "support/FileHelpers.h"
#include "support/TempDir.h"
#include "windows/frmRename.h"

namespace {

using Names = std::vector<std::string>;

// The controls follow the width and the height stays fixed; a rename goes only onto a free,
// valid name.
TEST(frmRename, LayoutAndRenamesOnlyOntoAFreeValidName) {
  const windows::RenameLayout at = windows::RenameLayoutFor(6000);
  EXPECT_EQ((std::vector<double>{at.txtFileNameWidth, at.lblMP3Left, at.cmdCancelLeft, at.cmdRenameLeft}),
            (std::vector<double>{4845, 5055, 1995, 3825}));
  const struct {
    const char* typed;
    Names after;
    bool stays;  // open, with a message saying why
  } cases[] = {
      {"other", {"other.mp3", "song.mp3", "sub"}, true},  // the name exists: both files unchanged
      {"sub/b", {"other.mp3", "song.mp3", "sub"}, true},  // never into another folder, even one that exists
      {"..", {"other.mp3", "song.mp3", "sub"}, true},
      {"", {"other.mp3", "song.mp3", "sub"}, true},
      {"best", {"best.mp3", "other.mp3", "sub"}, false},
  };
  support::TempDir temp;
  core::AppValues values;
  values.CurrentDir = temp.path() + "/";
  values.CurrentFile = values.CurrentDir + "song.mp3";
  support::WriteFileBytes(values.CurrentFile, "song");
  support::WriteFileBytes(values.CurrentDir + "other.mp3", "other");
  ASSERT_EQ(::mkdir((values.CurrentDir + "sub").c_str(), 0755), 0);
  core::ScriptedDialogService dialogs;
  int refreshed = 0;
  windows::frmRename dialog(values, dialogs, formats::FileSystem::standard(), {}, [&] { ++refreshed; });
  dialog.show();
  auto* cancel = dialog.findChild<QPushButton*>(QStringLiteral("cmdCancel"));
  const int before = cancel->x();
  dialog.resize(dialog.width() + 100, dialog.height() + 100);
  EXPECT_EQ(core::OuterBoundsTwips(&dialog).height, windows::RenameWindowHeight);
  EXPECT_EQ(cancel->x(), before + 100);
  dialog.resize(30, dialog.height());  // the dialog goes no narrower than its buttons need
  EXPECT_EQ(dialog.width(), dialog.minimumWidth());
  EXPECT_GT(cancel->x(), 0);
  for (const auto& c : cases) {
    dialogs.shown.clear();
    dialog.show();
    dialog.findChild<QLineEdit*>(QStringLiteral("txtFileName"))->setText(QString::fromUtf8(c.typed));
    QTest::mouseClick(dialog.findChild<QPushButton*>(QStringLiteral("cmdRename")), Qt::LeftButton);
    EXPECT_EQ(support::FolderEntries(temp.path()), c.after) << c.typed;
    EXPECT_EQ(dialog.isVisible(), c.stays) << c.typed;
    EXPECT_EQ(dialogs.shown.size(), c.stays ? 1u : 0u) << c.typed;
  }
  EXPECT_EQ(refreshed, 1);
  EXPECT_EQ(support::ReadFileBytes(values.CurrentDir + "other.mp3"), "other");
  EXPECT_EQ(support::ReadFileBytes(values.CurrentDir + "best.mp3"), "song");
  // Cancel closes and changes nothing.
  values.CurrentFile = values.CurrentDir + "best.mp3";
  dialog.show();
  dialog.findChild<QLineEdit*>(QStringLiteral("txtFileName"))->setText(QStringLiteral("x"));
  QTest::mouseClick(cancel, Qt::LeftButton);
  EXPECT_FALSE(dialog.isVisible());
  EXPECT_EQ(support::FolderEntries(temp.path()), (Names{"best.mp3", "other.mp3", "sub"}));
}

}  // namespace
