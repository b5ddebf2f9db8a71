// The editor's controls: names, captions and lists, the language switch, the page
// switch, the hold, text and all-files buttons, the year filter, the comment window and
// the cover toggle.
#include <QKeyEvent>
#include <QMainWindow>

#include "EditorFixture.h"
#include "mainwindow/EditorKeys.h"

namespace editor_test {
namespace {

TEST_F(EditorTest, ControlsCarryTheirNamesCaptionsAndTooltipsOnTheirPages) {
  struct Control {
    const char* name;
    const char* page;
    const char* caption;  // nullptr: no caption to check
    const char* tip;
  };
  const Control controls[] = {
      {"txtTitle", "picTags", nullptr, nullptr},          {"txtArtist", "picTags", nullptr, nullptr},
      {"txtAlbum", "picTags", nullptr, nullptr},          {"txtComment", "picTags", nullptr, nullptr},
      {"txtYear", "picTags", nullptr, nullptr},           {"txtTrack", "picTags", nullptr, nullptr},
      {"cboGenre", "picTags", nullptr, nullptr},          {"cboPictureType", "picTags", nullptr, nullptr},
      {"chkHold(0)", "picTags", nullptr, "Halten"},       {"chkHold(3)", "picTags", nullptr, "Halten"},
      {"chkHold(4)", "picTags", nullptr, "Alles halten + Nummerieren"},
      {"cmdHold(0)", "picTags", "+", nullptr},            {"cmdHold(1)", "picTags", "-", nullptr},
      {"cmdText(0)", "picTags", "_", "Unterstriche durch Spaces ersetzen"},
      {"cmdText(1)", "picTags", "A", "Anfangsbuchstaben GROSS"},
      {"cmdAllFiles(0)", "picTags", "Alle Dateien", nullptr}, {"cmdSaveTag", "picTags", "TAG speichern", nullptr},
      {"cmdCover", "picTags", "Cover", nullptr},          {"chkTagTab(0)", "picTags", "mehr", nullptr},
      {"lblTitle", "picTags", "Titel:", nullptr},          {"lblArtist", "picTags", "Interpret:", nullptr},
      {"lblAlbum", "picTags", "Album", nullptr},          {"lblComment", "picTags", "Kommentar:", nullptr},
      {"lblYear", "picTags", "Jahr:", nullptr},            {"lblTimeCaption", "picTags", "Laufzeit:", nullptr},
      {"lblTime", "picTags", "", nullptr},                {"lblBitrate", "picTags", "", nullptr},
      {"lblMode", "picTags", "", nullptr},                {"txtOriginalArtist", "picTags2", nullptr, nullptr},
      {"txtSubtitle", "picTags2", nullptr, nullptr},      {"txtComposer", "picTags2", nullptr, nullptr},
      {"txtCopyright", "picTags2", nullptr, nullptr},     {"txtEncodedBy", "picTags2", nullptr, nullptr},
      {"txtLanguage", "picTags2", nullptr, nullptr},      {"lstURL", "picTags2", nullptr, nullptr},
      {"txtUnknown", "picTags2", nullptr, nullptr},       {"txtLyrics", "picTags2", nullptr, nullptr},
      {"chkTagTab(1)", "picTags2", "mehr", nullptr},
  };
  for (const Control& c : controls) {
    SCOPED_TRACE(c.name);
    auto* control = find<QWidget>(c.name);
    ASSERT_NE(control, nullptr);
    EXPECT_EQ(control->parentWidget()->objectName(), QString::fromLatin1(c.page));
    const QRect inside = control->parentWidget()->rect();
    EXPECT_TRUE(inside.contains(control->geometry())) << "lies inside its page";
    if (c.caption != nullptr) {
      QString caption;
      if (auto* button = qobject_cast<QAbstractButton*>(control)) caption = button->text();
      if (auto* label = qobject_cast<QLabel*>(control)) caption = label->text();
      EXPECT_EQ(caption, U(c.caption));
    }
    if (c.tip != nullptr) {
      EXPECT_EQ(control->toolTip(), U(c.tip));
    }
  }
}

TEST_F(EditorTest, GenreAndPictureTypeListsAreFilled) {
  auto* genres = find<QComboBox>("cboGenre");
  ASSERT_EQ(genres->count(), 149);
  EXPECT_EQ(genres->itemText(0), QString());
  EXPECT_EQ(genres->itemText(1), U("Blues"));
  EXPECT_EQ(genres->itemText(148), U("SynthPop"));

  auto* types = find<QComboBox>("cboPictureType");
  ASSERT_EQ(types->count(), 21);
  std::vector<int> numbers;
  for (int i = 0; i < types->count(); ++i) numbers.push_back(types->itemData(i).toInt());
  std::sort(numbers.begin(), numbers.end());
  for (int i = 0; i < 21; ++i) EXPECT_EQ(numbers[i], i);
  EXPECT_EQ(types->itemData(types->findText(U("A Bright Colored Fish"))).toInt(), 17);
  EXPECT_EQ(types->itemData(types->findText(U("Front Cover"))).toInt(), 3);
  window->FillPictureTypes();
  EXPECT_EQ(types->currentIndex(), 17);
  window->ClearFileInfo();
  EXPECT_EQ(types->currentIndex(), 10);
  EXPECT_EQ(types->currentData().toInt(), 3);
}

TEST_F(EditorTest, LanguageSwitchReachesTheEditorCaptions) {
  const std::vector<std::pair<const char*, std::pair<const char*, const char*>>> captions = {
      {"lblArtist", {"Interpret", "Artist"}},      {"lblTitle", {"Titel", "Title"}},
      {"lblComment", {"Kommentar", "Comment"}},    {"lblYear", {"Jahr", "Year"}},
      {"lblTimeCaption", {"Laufzeit:", "Time:"}},  {"cmdAllFiles(0)", {"Alle Dateien", "Select all files"}},
      {"cmdSaveTag", {"TAG \xC3\x9C" "bernehmen", "Save TAG  Data to file"}},
      {"chkTagTab(0)", {"mehr", "more"}},          {"chkTagTab(1)", {"mehr", "more"}},
  };
  for (int language : {1, 0}) {
    window->mnuLanguage_Click(language);
    for (const auto& [name, texts] : captions) {
      auto* control = find<QWidget>(name);
      QString caption;
      if (auto* button = qobject_cast<QAbstractButton*>(control)) caption = button->text();
      if (auto* label = qobject_cast<QLabel*>(control)) caption = label->text();
      EXPECT_EQ(caption, U(language == 1 ? texts.second : texts.first)) << name;
    }
  }
}

TEST_F(EditorTest, TagTabSwitchesPagesAndTheBoxesReturnToRest) {
  auto* first = find<QWidget>("picTags");
  auto* second = find<QWidget>("picTags2");
  auto* more = find<QCheckBox>("chkTagTab(0)");
  auto* back = find<QCheckBox>("chkTagTab(1)");
  first->move(first->pos() + QPoint(7, 3));

  QTest::mouseClick(more, Qt::LeftButton);
  EXPECT_TRUE(second->isVisible());
  EXPECT_FALSE(first->isVisible());
  EXPECT_EQ(second->pos(), first->pos());
  EXPECT_FALSE(more->isChecked());
  EXPECT_TRUE(back->isChecked());

  QTest::mouseClick(back, Qt::LeftButton);
  EXPECT_TRUE(first->isVisible());
  EXPECT_FALSE(second->isVisible());
  EXPECT_FALSE(more->isChecked());
  EXPECT_TRUE(back->isChecked());
}

TEST_F(EditorTest, HoldButtonsSetAndClearAllButTheGenre) {
  hold(4)->setChecked(false);
  QTest::mouseClick(button(QStringLiteral("cmdHold(0)")), Qt::LeftButton);
  for (int i = 0; i < 4; ++i) EXPECT_TRUE(hold(i)->isChecked()) << i;
  EXPECT_FALSE(hold(4)->isChecked());
  hold(4)->setChecked(true);
  QTest::mouseClick(button(QStringLiteral("cmdHold(1)")), Qt::LeftButton);
  for (int i = 0; i < 4; ++i) EXPECT_FALSE(hold(i)->isChecked()) << i;
  EXPECT_TRUE(hold(4)->isChecked());
}

TEST_F(EditorTest, TextButtonsTidyTheFourTextFields) {
  const char* const tidied[] = {"txtArtist", "txtTitle", "txtAlbum", "txtComment"};
  for (const char* name : tidied) field(name)->setText(U("die_\xC3\xA4rzte-live (best_of)"));
  field("txtYear")->setText(U("19_9"));
  QTest::mouseClick(button(QStringLiteral("cmdText(0)")), Qt::LeftButton);
  for (const char* name : tidied) EXPECT_EQ(text(name), U("die \xC3\xA4rzte-live (best of)")) << name;
  EXPECT_EQ(text("txtYear"), U("19_9"));
  QTest::mouseClick(button(QStringLiteral("cmdText(1)")), Qt::LeftButton);
  for (const char* name : tidied) EXPECT_EQ(text(name), U("Die \xC3\x84rzte-Live (Best Of)")) << name;
}

TEST_F(EditorTest, YearTakesOnlyDigitsAndItsPunctuation) {
  QTest::keyClicks(field("txtYear"), U("19a9-x ,.:8"));
  EXPECT_EQ(text("txtYear"), U("199,.:8"));
  QTest::keyClick(field("txtYear"), Qt::Key_Backspace);
  QTest::keyClick(field("txtYear"), Qt::Key_Left);
  QTest::keyClick(field("txtYear"), Qt::Key_A, Qt::ControlModifier);  // Ctrl+A is no key it takes
  QTest::keyClicks(field("txtYear"), U("0"));
  EXPECT_EQ(text("txtYear"), U("199,.0:"));
}

TEST(KeyAscii, CharacterCodesOfKeys) {
  struct Case {
    Qt::Key key;
    Qt::KeyboardModifiers modifiers;
    const char* text;
    int code;
  };
  const Case cases[] = {
      {Qt::Key_Return, {}, "\r", 13},          {Qt::Key_Enter, Qt::KeypadModifier, "\r", 13},
      {Qt::Key_Backspace, {}, "\b", 8},        {Qt::Key_C, Qt::ControlModifier, "\x03", 3},
      {Qt::Key_V, Qt::ControlModifier, "", 22}, {Qt::Key_7, {}, "7", '7'},
      {Qt::Key_A, Qt::ShiftModifier, "A", 'A'}, {Qt::Key_Left, {}, "", -1},
      {Qt::Key_Delete, {}, "", -1},            {Qt::Key_Tab, {}, "\t", -1},
  };
  for (const Case& c : cases) {
    const QKeyEvent event(QEvent::KeyPress, c.key, c.modifiers, QString::fromLatin1(c.text));
    EXPECT_EQ(mainwindow::KeyAsciiOf(event), c.code) << c.key;
  }
}

TEST_F(EditorTest, AllFilesSelectsEveryFileAndClearsWhatIsNotHeld) {
  for (const char* name : {"a.mp3", "b.mp3"}) song(name, [](auto& t) { t.setSongTitle("T"); t.setArtist("A"); }, {});
  showMusic();
  show(0);
  hold(0)->setChecked(true);
  const QString mediaBefore = media.commands.join(QStringLiteral(";"));
  QTest::mouseClick(button(QStringLiteral("cmdAllFiles(0)")), Qt::LeftButton);
  EXPECT_EQ(selected(), (std::vector<std::string>{"a.mp3", "b.mp3"}));
  EXPECT_EQ(text("txtArtist"), U("A"));
  EXPECT_EQ(text("txtTitle"), QString());
  EXPECT_EQ(saveCaption(), U("TAGs \xC3\x9C" "bernehmen"));
  EXPECT_EQ(media.commands.join(QStringLiteral(";")), mediaBefore) << "no click of the list ran";
}

TEST_F(EditorTest, CommentDoubleClickOpensTheTextWindowWhichHandsTheTextBack) {
  field("txtComment")->setText(U("Kurz"));
  QTest::mouseDClick(field("txtComment"), Qt::LeftButton);
  auto* textWindow = window->findChild<QMainWindow*>(QStringLiteral("frmText"));
  ASSERT_NE(textWindow, nullptr);
  EXPECT_TRUE(textWindow->isVisible());
  EXPECT_EQ(textWindow->windowTitle(), U("Kommentar"));
  auto* edit = textWindow->findChild<QPlainTextEdit*>(QStringLiteral("txtText"));
  EXPECT_EQ(edit->toPlainText(), U("Kurz"));
  edit->moveCursor(QTextCursor::End);
  QTest::keyClicks(edit, U(" und lang"));
  textWindow->close();
  EXPECT_EQ(text("txtComment"), U("Kurz und lang"));

  window->mnuLanguage_Click(1);
  QTest::mouseDClick(field("txtComment"), Qt::LeftButton);
  EXPECT_EQ(textWindow->windowTitle(), U("Comment"));
  textWindow->close();

  field("txtComment")->clear();
  textWindow->hide();
  QTest::mouseDClick(field("txtComment"), Qt::LeftButton);
  EXPECT_FALSE(textWindow->isVisible()) << "an empty comment opens nothing";
}

TEST_F(EditorTest, CoverButtonTogglesTheCoverWindow) {
  EXPECT_FALSE(window->CoverShown());
  QTest::mouseClick(button(QStringLiteral("cmdCover")), Qt::LeftButton);
  EXPECT_TRUE(window->CoverShown());
  EXPECT_TRUE(cover->isVisible());
  QTest::mouseClick(button(QStringLiteral("cmdCover")), Qt::LeftButton);
  EXPECT_FALSE(window->CoverShown());
  EXPECT_FALSE(cover->isVisible());

  QTest::mouseClick(button(QStringLiteral("cmdCover")), Qt::LeftButton);
  cover->close();  // closing only hides it
  EXPECT_FALSE(window->CoverShown());
  QTest::mouseClick(button(QStringLiteral("cmdCover")), Qt::LeftButton);
  EXPECT_TRUE(cover->isVisible());
}

}  // namespace
}  // namespace editor_test
