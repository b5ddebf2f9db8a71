// The language switch and the resize layout on the real window.
#include <set>

#include "TaggerFixture.h"
#include "mainwindow/ControlPlacing.h"
#include "core/toolkit/Translation.h"
#include "core/toolkit/Window.h"
#include "windows/frmPicSelect.h"
#include "windows/frmProgress.h"
#include "windows/frmRename.h"
#include "windows/frmText.h"

namespace tagger_test {
namespace {

// The caption as drawn: "&&" is one ampersand, a single "&" marks the access key.
QString Drawn(QString text) {
  return text.replace(QLatin1String("&&"), QChar(1)).remove(QLatin1Char('&')).replace(QChar(1), QLatin1Char('&'));
}

// Captions that do not fit their controls, visible controls on top of each other. A control is a named
// widget that is no bare panel and lies in no other control; the count box sits in the gap of its caption.
QStringList LayoutFaults(QWidget* window) {
  const auto named = [](const QWidget* w) {
    return !w->objectName().isEmpty() && !w->objectName().startsWith(QLatin1String("qt_")) && w->metaObject() != &QWidget::staticMetaObject;
  };
  const auto at = [window](QWidget* w) { return QRect(w->mapTo(window, QPoint(0, 0)), w->size()); };
  QStringList faults;
  std::vector<QWidget*> controls;
  for (QWidget* w : window->findChildren<QWidget*>()) {
    bool inner = !named(w) || !w->isVisibleTo(window);
    for (const QWidget* up = w->parentWidget(); up != nullptr && up != window; up = up->parentWidget()) inner = inner || named(up);
    // Not under a panel in front of it (a label the mouse goes through counts as on top).
    QWidget* top = inner ? nullptr : window->childAt(at(w).center());
    if (!inner && (w->testAttribute(Qt::WA_TransparentForMouseEvents) || top == w || w->isAncestorOf(top))) controls.push_back(w);
  }
  for (QWidget* control : controls) {
    const auto [text, room] = mainwindow::CaptionRoom(control);
    const QFontMetrics metrics = control->fontMetrics();
    if (!text.isEmpty() && (metrics.horizontalAdvance(Drawn(text)) > room.width() || metrics.height() > room.height()))
      faults << control->objectName() + ": \"" + Drawn(text) + "\" does not fit";
    if (!window->rect().contains(at(control))) faults << control->objectName() + ": outside the window";
  }
  const std::set<std::pair<QString, QString>> meant = {{"chkIgnore", "txtIgnore"}, {"lblInfo", "picCover"}};
  for (std::size_t i = 0; i < controls.size(); ++i) {
    for (std::size_t j = i + 1; j < controls.size(); ++j) {
      const std::pair<QString, QString> pair = std::minmax(controls[i]->objectName(), controls[j]->objectName());
      if (!meant.count(pair) && at(controls[i]).intersects(at(controls[j]))) faults << pair.first + " overlaps " + pair.second;
    }
  }
  if (auto* ignore = window->findChild<QCheckBox*>(QStringLiteral("chkIgnore")); ignore && ignore->isVisibleTo(window)) {
    const QString text = Drawn(ignore->text());
    const int lead = text.indexOf(QLatin1String("  ")), gapEnd = text.indexOf(QRegularExpression(QStringLiteral("\\S")), lead);
    const int left = mainwindow::CaptionRoom(ignore).second.translated(at(ignore).topLeft()).left();
    const QRect box = at(window->findChild<QWidget*>(QStringLiteral("txtIgnore")));
    if (box.left() < left + ignore->fontMetrics().horizontalAdvance(text.left(lead)) || box.right() > left + ignore->fontMetrics().horizontalAdvance(text.left(gapEnd)))
      faults << "txtIgnore covers the caption of chkIgnore";
  }
  return faults;
}

TEST_F(TaggerTest, LanguageSwitchSetsTheCaptionsAndEveryCaptionFitsWithoutOverlapsAtBothSizes) {
  windows::frmRename rename(values, dialogs, formats::FileSystem::standard(), {}, {});
  windows::frmCover cover(values, dialogs, {});
  windows::frmPicSelect pictures(values, {});
  windows::frmText text(values, dialogs, {});
  windows::frmProgress progress({});
  const std::tuple<const char*, QWidget*, Steps> cases[] = {
      {"main window", window.get(), {}}, {"page 2", window.get(), {"chkTagTab(0)"}},
      {"page 1 again, removal panel", window.get(), {"chkTagTab(1)", "chkRemoveTag(0)"}},
      {"file names to tags", window.get(), {"chkRemoveTag(1)", "optTagEdit(1)"}},
      {"tags to file names", window.get(), {"optTagEdit(2)"}}, {"merge", window.get(), {"chkMerge"}},
      {"rename", &rename, {}}, {"cover", &cover, {}}, {"picture choice", &pictures, {}}, {"text", &text, {}},
      {"progress", &progress, {}}};
  const char* captions[][3] = {  // "&&" shows as one ampersand
      {"optTagEdit(0)", "Normal", "Default"}, {"optTagEdit(1)", "Dateiname -> ID3-TAG", "Filename -> ID3-TAG"},
      {"optTagEdit(2)", "ID3-TAG -> Dateiname", "ID3-TAG -> Filename"}, {"lblArtist", "Interpret", "Artist"},
      {"lblTitle", "Titel", "Title"}, {"lblAlbum", "Album", "Album"}, {"lblComment", "Kommentar", "Comment"},
      {"lblYear", "Jahr", "Year"}, {"lblSeparator", "Trennzeichen:", "Separator:"}, {"lblTimeCaption", "Laufzeit:", "Time:"},
      {"cmdTagCheck", "TAGS einlesen", "Read TAG list"}, {"chkView(1)", "Jahr", "Year"}, {"chkView(3)", "Zeit", "Time"},
      {"chkRecursive", "Rekursiv", "recursive"}, {"cmdAllFiles(0)", "Alle Dateien", "Select all files"},
      {"cmdNew", "< Neu   ", "< New   "}, {"cmdSaveTag", "TAG \xC3\x9C" "bernehmen", "Save TAG  Data to file"},
      {"chkTagTab(0)", "mehr", "more"}, {"chkTagTab(1)", "mehr", "more"}, {"chkAuto", "automatisch", "automatic"},
      {"chkNoTagOnly", "nur auf MP3s ohne Tags anwenden", "only apply to MP3s without Tags"},
      {"chkDragDrop", "Reihenfolge per Drag && Drop \xC3\xA4ndern bzw. Playlist erstellen", "Change order via Drag && Drop and rename files"},
      {"chkMerge", "Alle Dateien im Ordner zu einem MP3 Album zusammenf\xC3\xBChren", "Merge all files in current folder into one big MP3 album file"},
      {"chkIgnore", "Die ersten            Zeichen vom Dateinamen ignorieren", "Ignore first            characters from file name"},
      {"cmdAllFiles(1)", "Alle Dateien", "Select all files"}, {"cmdAllFiles(2)", "Alle Dateien", "Select all files"}};
  for (const int language : {0, 1, 0}) {  // the checked entry chosen again stays checked
    act({language == 1 ? "mnuLanguage(1)" : "mnuLanguage(0)"});
    for (const auto& row : captions) check(std::string(row[0]) + "=" + row[1 + language]);
    check(std::string("checked:mnuLanguage(0),mnuLanguage(1)=") + (language == 1 ? "01" : "10"));
    EXPECT_EQ(values.LanguageIndex, language);
    EXPECT_EQ(values.TotalTimeLabel, language == 1 ? "Total running time : " : "Gesamtspieldauer : ");
    for (const auto& [name, shownWindow, steps] : cases) {
      shownWindow->show();
      act(steps);
      const QSize normal = shownWindow->size();
      ASSERT_GT(shownWindow->minimumWidth(), 0) << name << " has no smallest size";
      for (const QSize size : {normal, shownWindow->minimumSize()}) {
        shownWindow->resize(size);
        QApplication::processEvents();
        const QStringList faults = LayoutFaults(shownWindow);
        EXPECT_TRUE(faults.isEmpty()) << name << ", language " << language << ", " << size.width() << "x"
                                      << size.height() << ":\n  " << faults.join(QStringLiteral("\n  ")).toStdString();
      }
      shownWindow->resize(normal);
    }
    act({"chkMerge", "optTagEdit(0)"});
  }
}

TEST_F(TaggerTest, ResizingPlacesTheControlsAndTheChosenPageFollows) {
  const int filesLeft = files()->x();
  core::SetOuterWidth(window.get(), core::OuterBoundsTwips(window.get()).width + 1005);  // 67 pixels
  EXPECT_EQ(files()->x(), filesLeft + 67);
  // The view switches stand in two rows of three, 1005 twips (67 pixels) apart.
  for (int i = 0; i < 6; ++i) {
    const QPoint at = box(QStringLiteral("chkView(%1)").arg(i))->pos() - box("chkView(0)")->pos();
    EXPECT_EQ(QPoint(at.x(), at.y() > 0), QPoint(i % 3 * 67, i >= 3)) << i;
  }
  // A page chosen at a large size is still there, in the place of picTags, when the window is made smallest.
  const std::pair<const char*, const char*> pages[] = {{"chkTagTab(0)", "picTags2"}, {"chkTagTab(1)", "picTags"},
                                                       {"chkRemoveTag(0)", "picRemoveTags"}};
  for (const auto& [box, page] : pages) {
    window->resize(window->width() + 200, window->height() + 200);
    find<QAbstractButton>(box)->click();
    window->resize(window->minimumSize());
    QWidget* shown = find<QWidget>(page);
    EXPECT_TRUE(shown->isVisible() && window->rect().contains(shown->geometry())) << page;
    EXPECT_EQ(shown->geometry(), find<QWidget>("picTags")->geometry()) << page;
    EXPECT_NEAR(core::PixelsToTwips(find<QWidget>("dirListe")->height()), core::OuterBoundsTwips(window.get()).height - 2900, 15);
  }
}

// Every text of the catalogue has its finished English (lupdate brings a new text in unfinished).
TEST(Catalogue, EveryTextHasAFinishedEnglishTranslation) {
  const QString ts = QString::fromStdString(support::ReadFileBytes(qgetenv("TONEWRIGHT_SOURCE_DIR").toStdString() + "/translations/tonewright_en.ts"));
  EXPECT_GT(ts.count(QLatin1String("<translation>")), 100);
  // A translation with a type (unfinished, vanished, obsolete) or without a text, named by its source text.
  for (const auto& match : QRegularExpression(QStringLiteral("<translation( type=|/>|></)")).globalMatch(ts))
    ADD_FAILURE() << ts.mid(ts.lastIndexOf(QLatin1String("<source>"), match.capturedStart()), 150).toStdString();
  // The compiled catalogue is in the program.
  ASSERT_TRUE(core::SetInterfaceLanguage(1));
  EXPECT_EQ(QCoreApplication::translate("core::DialogService", "Nein"), QStringLiteral("No"));
  core::SetInterfaceLanguage(0);
  EXPECT_EQ(QCoreApplication::translate("core::DialogService", "Nein"), QStringLiteral("Nein"));
}

}  // namespace
}  // namespace tagger_test
