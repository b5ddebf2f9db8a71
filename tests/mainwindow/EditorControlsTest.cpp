// The editor's controls: names, captions and lists, the page switch, the hold, text and
// all-files buttons, the year filter, the comment window and the cover toggle.

#include "TaggerFixture.h"

namespace tagger_test {
namespace {

TEST_F(EditorTest, ControlsSitOnTheirPagesAndCaptionsFollowTheMoment) {
  const QString first = QStringLiteral(
      "txtTitle txtArtist txtAlbum txtComment txtYear txtTrack cboGenre cboPictureType chkHold(0) chkHold(3) "
      "cmdHold(0) cmdHold(1) cmdText(0) cmdText(1) cmdAllFiles(0) cmdSaveTag cmdCover chkTagTab(0) lblTime lblBitrate lblMode");
  const QString second = QStringLiteral(
      "txtOriginalArtist txtSubtitle txtComposer txtCopyright txtEncodedBy txtLanguage lstURL txtUnknown txtLyrics chkTagTab(1)");
  for (const auto& [page, names] : {std::pair{"picTags", first}, std::pair{"picTags2", second}}) {
    for (const QString& name : names.split(' ')) {
      auto* control = window->findChild<QWidget*>(name);
      ASSERT_NE(control, nullptr) << name.toStdString();
      EXPECT_EQ(control->parentWidget()->objectName(), U(page)) << name.toStdString();
    }
  }
  EXPECT_EQ(hold(0)->toolTip(), U("Halten"));
  EXPECT_EQ(hold(4)->toolTip(), U("Alles halten + Nummerieren"));
  EXPECT_EQ(find<QWidget>("cmdText(0)")->toolTip(), U("Unterstriche durch Spaces ersetzen"));
  // The genres with an empty first entry, and the picture types with their default chosen.
  EXPECT_EQ(find<QComboBox>("cboGenre")->count(), 149);
  EXPECT_EQ(find<QComboBox>("cboGenre")->itemText(0), QString());
  EXPECT_EQ(find<QComboBox>("cboPictureType")->count(), 21);
  window->editing().FillPictureTypes();
  EXPECT_EQ(find<QComboBox>("cboPictureType")->currentIndex(), 17);

  // The save button through one file, an Enter save, several files and a held save.
  threeSongs();
  const std::pair<std::vector<std::string>, const char*> moments[] = {
      {{"#0"}, "TAG speichern"}, {{"txtTitle!"}, "TAG \xC3\x9C" "bernehmen"}, {{"^#2"}, "TAGs bearbeiten"},
      {{"cmdAllFiles(0)", "chkHold(0)", "txtArtist=A", "Yes", "cmdSaveTag"}, "TAG speichern"},
      {{"cmdAllFiles(0)"}, "TAGs \xC3\x9C" "bernehmen"}};
  for (const auto& [steps, shown] : moments) {
    act(steps);
    EXPECT_EQ(caption("cmdSaveTag"), U(shown)) << steps[0];
  }
}

TEST_F(EditorTest, TagTabSwitchesPagesAndTheBoxesReturnToRest) {
  auto* first = find<QWidget>("picTags");
  auto* second = find<QWidget>("picTags2");
  auto* more = find<QCheckBox>("chkTagTab(0)");
  auto* back = find<QCheckBox>("chkTagTab(1)");
  first->move(first->pos() + QPoint(7, 3));
  for (QCheckBox* box : {more, back, more}) {
    QTest::mouseClick(box, Qt::LeftButton);
    EXPECT_EQ(second->isVisible(), box == more);
    EXPECT_NE(first->isVisible(), second->isVisible());
    EXPECT_EQ(second->pos(), first->pos());
    EXPECT_FALSE(more->isChecked());
    EXPECT_TRUE(back->isChecked());
  }
}

TEST_F(EditorTest, HoldAndTextButtons) {
  hold(4)->setChecked(false);
  act({"cmdHold(0)"});
  for (int i = 0; i < 5; ++i) EXPECT_EQ(hold(i)->isChecked(), i < 4) << i;
  hold(4)->setChecked(true);
  act({"cmdHold(1)"});
  for (int i = 0; i < 5; ++i) EXPECT_EQ(hold(i)->isChecked(), i == 4) << i;

  const char* const tidied[] = {"txtArtist", "txtTitle", "txtAlbum", "txtComment"};
  for (const char* name : tidied) field(name)->setText(U("die_\xC3\xA4rzte-live (best_of)"));
  field("txtYear")->setText(U("19_9"));
  act({"cmdText(0)"});
  for (const char* name : tidied) EXPECT_EQ(text(name), U("die \xC3\xA4rzte-live (best of)")) << name;
  EXPECT_EQ(text("txtYear"), U("19_9"));
  act({"cmdText(1)"});
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

  field("txtComment")->clear();
  QTest::mouseDClick(field("txtComment"), Qt::LeftButton);
  EXPECT_FALSE(textWindow->isVisible()) << "an empty comment opens nothing";
}

TEST_F(EditorTest, CoverButtonTogglesTheCoverWindow) {
  for (const bool shown : {true, false, true}) {
    act({"cmdCover"});
    EXPECT_EQ(window->editing().coverShown(), shown);
    EXPECT_EQ(cover->isVisible(), shown);
  }
  cover->close();  // closing only hides it
  EXPECT_FALSE(window->editing().coverShown());
  act({"cmdCover"});
  EXPECT_TRUE(cover->isVisible());
}

}  // namespace
}  // namespace tagger_test
