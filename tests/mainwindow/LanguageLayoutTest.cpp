// The language switch and the resize layout on the real window.

#include "TaggerFixture.h"
#include "core/toolkit/Window.h"

namespace tagger_test {
namespace {

// The caption of whatever kind of control carries the name; null when there is none.
std::optional<QString> CaptionOf(QWidget* window, const char* name) {
  QObject* control = window->findChild<QObject*>(QString::fromLatin1(name));
  if (auto* button = qobject_cast<QAbstractButton*>(control)) return button->text();
  if (auto* label = qobject_cast<QLabel*>(control)) return label->text();
  if (auto* box = qobject_cast<QGroupBox*>(control)) return box->title();
  return std::nullopt;
}

TEST_F(TaggerTest, LanguageSwitchSetsEveryCaptionOfTheTable) {
  // The captions as the interface gives them; "&&" shows as one ampersand.
  const char* table[][3] = {
      {"optTagEdit(0)", "Normal", "Default"}, {"optTagEdit(1)", "Dateiname -> ID3-TAG", "Filename -> ID3-TAG"},
      {"optTagEdit(2)", "ID3-TAG -> Dateiname", "ID3-TAG -> Filename"}, {"lblArtist", "Interpret", "Artist"},
      {"lblTitle", "Titel", "Title"}, {"lblAlbum", "Album", "Album"}, {"lblComment", "Kommentar", "Comment"},
      {"lblYear", "Jahr", "Year"}, {"lblSeparator", "Trennzeichen:", "Separator:"}, {"lblTimeCaption", "Laufzeit:", "Time:"},
      {"cmdTagCheck", "TAGS einlesen", "Read TAG list"}, {"chkView(1)", "Jahr", "Year"}, {"chkView(3)", "Zeit", "Time"},
      {"chkRecursive", "Rekursiv", "recursive"}, {"cmdAllFiles(0)", "Alle Dateien", "Select all files"},
      {"cmdNew", "< Neu   ", "< New   "}, {"cmdSaveTag", "TAG \xC3\x9C" "bernehmen", "Save TAG  Data to file"},
      {"chkTagTab(0)", "mehr", "more"}, {"chkTagTab(1)", "mehr", "more"}, {"chkAuto", "automatisch", "automatic"},
      {"chkNoTagOnly", "nur auf MP3s ohne Tags anwenden", "only apply to MP3s without Tags"},
      {"chkDragDrop", "Reihenfolge per Drag && Drop \xC3\xA4ndern bzw. Playlist erstellen",
       "Change order via Drag && Drop and rename files"},
      {"chkMerge", "Alle Dateien im Ordner zu einem MP3 Album zusammenf\xC3\xBChren",
       "Merge all files in current folder into one big MP3 album file"},
      {"chkIgnore", "Die ersten            Zeichen vom Dateinamen ignorieren",
       "Ignore first            characters from file name"},
      {"cmdAllFiles(1)", "Alle Dateien", "Select all files"},
      {"cmdAllFiles(2)", "Alle Dateien", "Alle Dateien"},  // not in the switch: it keeps its caption
  };
  for (const int language : {1, 0, 1}) {
    item(language == 1 ? "mnuLanguage(1)" : "mnuLanguage(0)")->trigger();
    for (const auto& row : table) {
      const auto shown = CaptionOf(window.get(), row[0]);
      ASSERT_TRUE(shown) << row[0] << " is missing";
      EXPECT_EQ(*shown, U(row[1 + language])) << row[0];
    }
    EXPECT_TRUE(item(language == 1 ? "mnuLanguage(1)" : "mnuLanguage(0)")->isChecked());
    EXPECT_FALSE(item(language == 1 ? "mnuLanguage(0)" : "mnuLanguage(1)")->isChecked());
    EXPECT_EQ(values.LanguageIndex, language);
    EXPECT_EQ(values.TotalTimeLabel, language == 1 ? "Total running time : " : "Gesamtspieldauer : ");
  }
  item("mnuLanguage(1)")->trigger();
  EXPECT_TRUE(item("mnuLanguage(1)")->isChecked()) << "the checked entry chosen again stays checked";
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
