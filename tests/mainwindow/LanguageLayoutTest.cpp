// The language switch and the resize layout on the real window.
#include <QGroupBox>
#include <QLabel>

#include "TaggerFixture.h"
#include "core/toolkit/Window.h"
#include "mainwindow/LanguageCaptions.h"

namespace tagger_test {
namespace {

// The caption of whatever kind of control carries the name; "<missing>" when there is none.
QString CaptionOf(QWidget* window, const QString& name) {
  QObject* control = window->findChild<QObject*>(name);
  if (auto* button = qobject_cast<QAbstractButton*>(control)) return button->text();
  if (auto* label = qobject_cast<QLabel*>(control)) return label->text();
  if (auto* box = qobject_cast<QGroupBox*>(control)) return box->title();
  if (auto* action = qobject_cast<QAction*>(control)) return action->text();
  return QStringLiteral("<missing>");
}

TEST_F(TaggerTest, LanguageSwitchSetsEveryCaptionOfTheTable) {
  const char* keyRows[][3] = {  // control, German, English: the table itself is checked here
      {"cmdSaveTag", "TAG \xC3\x9C" "bernehmen", "Save TAG  Data to file"},
      {"lblArtist", "Interpret", "Artist"},
      {"cmdTagCheck", "TAGS einlesen", "Read TAG list"},
      {"chkView(1)", "Jahr", "Year"},
      {"chkRecursive", "Rekursiv", "recursive"},
  };
  for (const int language : {1, 0}) {
    item(language == 1 ? "mnuLanguage(1)" : "mnuLanguage(0)")->trigger();
    const auto table = mainwindow::LanguageCaptions(language);
    EXPECT_EQ(table.size(), 25u);
    for (const mainwindow::Caption& caption : table) {  // controls of panels not built yet are skipped
      const QString shown = CaptionOf(window.get(), caption.control);
      if (shown != QLatin1String("<missing>")) {
        EXPECT_EQ(shown, caption.text) << caption.control.toStdString();
      }
    }
    for (const auto& row : keyRows)
      EXPECT_EQ(CaptionOf(window.get(), U(row[0])), U(row[1 + language])) << row[0];
    EXPECT_TRUE(item(language == 1 ? "mnuLanguage(1)" : "mnuLanguage(0)")->isChecked());
    EXPECT_FALSE(item(language == 1 ? "mnuLanguage(0)" : "mnuLanguage(1)")->isChecked());
    EXPECT_EQ(values.LanguageIndex, language);
    EXPECT_EQ(values.TotalTimeLabel, language == 1 ? "Total running time : " : "Gesamtspieldauer : ");
  }
  item("mnuLanguage(0)")->trigger();
  EXPECT_TRUE(item("mnuLanguage(0)")->isChecked()) << "the checked entry chosen again stays checked";
}

TEST_F(TaggerTest, RecursiveCaptionFollowsTheCheckedLanguage) {
  const std::tuple<int, bool, const char*> rows[] = {
      {0, true, "S T A R T E N"}, {0, false, "TAGS einlesen"}, {1, true, "S T A R T"}, {1, false, "Re-read TAG list"}};
  auto* recursive = find<QCheckBox>("chkRecursive");
  for (const auto& [language, checked, text] : rows) {
    window->mnuLanguage_Click(language);
    recursive->setChecked(!checked);
    QTest::mouseClick(recursive, Qt::LeftButton);
    EXPECT_EQ(recursive->isChecked(), checked);
    EXPECT_EQ(caption("cmdTagCheck"), QString::fromLatin1(text)) << language;
  }
}

TEST_F(TaggerTest, ResizingPlacesTheControls) {
  auto* tree = find<QWidget>("dirListe");
  const int treeHeight = tree->height();
  const int filesLeft = files()->x();
  core::SetOuterHeight(window.get(), 2000);
  EXPECT_EQ(tree->height(), treeHeight);
  EXPECT_NEAR(core::PixelsToTwips(find<QWidget>("picDir")->height()), 1420, 15);
  core::SetOuterWidth(window.get(), core::OuterBoundsTwips(window.get()).width + 1005);  // 67 pixels
  EXPECT_EQ(files()->x(), filesLeft + 67);
}

}  // namespace
}  // namespace tagger_test
