// The language switch and the resize layout on the real window.
#include <QLabel>

#include "TaggerFixture.h"
#include "core/toolkit/Window.h"

namespace tagger_test {
namespace {

QString TextOf(QWidget* window, const char* name) {
  auto* button = window->findChild<QAbstractButton*>(QString::fromLatin1(name));
  return button ? button->text() : QString();
}

TEST_F(TaggerTest, LanguageSwitchSetsTheCaptionsOfBothLanguages) {
  struct Row {
    const char* control;
    const char* german;
    const char* english;
  };
  const Row rows[] = {
      {"cmdTagCheck", "TAGS einlesen", "Read TAG list"},
      {"chkView(0)", "Album", "Album"},
      {"chkView(1)", "Jahr", "Year"},
      {"chkView(2)", "Info", "Info"},
      {"chkView(3)", "Zeit", "Time"},
      {"chkView(4)", "kbps", "kbps"},
      {"chkView(5)", "Mode", "Mode"},
      {"chkRecursive", "Rekursiv", "recursive"},
      {"chkAuto", "automatisch", "automatic"},
      {"cmdSaveTag", "TAG \xC3\x9C" "bernehmen", "Save TAG  Data to file"},
  };
  // The field labels lose the colon of their design captions.
  auto* later = window->findChild<QLabel*>(QStringLiteral("lblArtist"));
  ASSERT_NE(later, nullptr);

  item("mnuLanguage(1)")->trigger();
  for (const Row& row : rows) EXPECT_EQ(TextOf(window.get(), row.control), QString::fromUtf8(row.english)) << row.control;
  EXPECT_EQ(later->text(), QStringLiteral("Artist"));
  EXPECT_TRUE(item("mnuLanguage(1)")->isChecked());
  EXPECT_FALSE(item("mnuLanguage(0)")->isChecked());
  EXPECT_EQ(values.LanguageIndex, 1);
  EXPECT_EQ(values.TotalTimeLabel, "Total running time : ");

  item("mnuLanguage(0)")->trigger();
  for (const Row& row : rows) EXPECT_EQ(TextOf(window.get(), row.control), QString::fromUtf8(row.german)) << row.control;
  EXPECT_EQ(later->text(), QStringLiteral("Interpret"));
  EXPECT_EQ(values.LanguageIndex, 0);
  EXPECT_EQ(values.TotalTimeLabel, "Gesamtspieldauer : ");

  // The checked entry chosen again keeps it checked.
  item("mnuLanguage(0)")->trigger();
  EXPECT_TRUE(item("mnuLanguage(0)")->isChecked());
}

TEST_F(TaggerTest, RecursiveCaptionFollowsTheCheckedLanguage) {
  struct Row {
    int language;
    bool recursive;
    const char* caption;
  };
  const Row rows[] = {{0, true, "S T A R T E N"}, {0, false, "TAGS einlesen"}, {1, true, "S T A R T"},
                      {1, false, "Re-read TAG list"}};
  auto* recursive = find<QCheckBox>("chkRecursive");
  for (const Row& row : rows) {
    window->mnuLanguage_Click(row.language);
    recursive->setChecked(!row.recursive);
    QTest::mouseClick(recursive, Qt::LeftButton);
    EXPECT_EQ(recursive->isChecked(), row.recursive);
    EXPECT_EQ(TextOf(window.get(), "cmdTagCheck"), QString::fromLatin1(row.caption)) << row.language;
  }
}

double TwipsOf(int pixels) { return core::PixelsToTwips(pixels); }

TEST_F(TaggerTest, LowWindowKeepsTheFolderTreeHeight) {
  auto* tree = find<QWidget>("dirListe");
  auto* panel = find<QWidget>("picDir");
  const int treeHeight = tree->height();
  core::SetOuterHeight(window.get(), 2000);

  EXPECT_EQ(tree->height(), treeHeight);
  EXPECT_NEAR(TwipsOf(panel->height()), 1420, 15);
}

TEST_F(TaggerTest, WideningMovesTheFileColumnRight) {
  const char* column[] = {"lstFiles", "lstSortFiles", "picTags", "picBatch"};
  std::vector<int> before;
  for (const char* name : column) before.push_back(find<QWidget>(name)->x());
  core::SetOuterWidth(window.get(), core::OuterBoundsTwips(window.get()).width + 1005);  // 67 pixels

  for (std::size_t i = 0; i < before.size(); ++i) EXPECT_EQ(find<QWidget>(column[i])->x(), before[i] + 67) << column[i];
}

TEST_F(TaggerTest, TallerWindowLowersTheViewSwitchesAndTagPanel) {
  auto* view = find<QWidget>("chkView(4)");
  auto* tags = find<QWidget>("picTags");
  const int viewTop = view->y();
  const int tagsTop = tags->y();
  core::SetOuterHeight(window.get(), core::OuterBoundsTwips(window.get()).height + 600);  // 40 pixels

  EXPECT_EQ(view->y(), viewTop + 40);
  EXPECT_EQ(tags->y(), tagsTop + 40);
  EXPECT_EQ(find<QWidget>("chkView(3)")->y(), view->y());
}

}  // namespace
}  // namespace tagger_test
