// The file view: a click on a file fills the fields, the labels and the pictures.
#include "TaggerFixture.h"
#include "support/ID3V230Bytes.h"

namespace tagger_test {
namespace {

TEST_F(EditorTest, ClickShowsTheTagsOfEachKindOfFile) {
  struct Row {
    const char* name;
    V1 v1;
    V2 v2;
    const char* title, *artist, *year, *genre, *composer, *lyrics;
    int urls;
    bool v1Found, v2Found;
  };
  const V1 v1 = [](auto& t) {
    t.setSongTitle("Ein Titel von genau dreissig Z");
    t.setArtist("Anna Berg");
    t.setYear("2021");
    t.setGenre(t.GetGenre("Ambient"));
  };
  const V2 v2 = [](auto& t) {
    t.setSongTitle("Ein Titel von genau dreissig Zeichen + zehn \xC3\xA9");
    t.setArtist("Anna");  // shorter: the ID3v1.1 artist stays
    t.setGenre("Chanson");
    t.setComposer("Comp");
    t.setURL("http://a|http://b|http://c");
    t.setLyrics("Zeile 1\r\nZeile 2");
  };
  const char* const v2Title = "Ein Titel von genau dreissig Zeichen + zehn \xC3\xA9";
  // Shown in this order, so that each file follows one with other tags.
  const Row rows[] = {
      {"1 ID3v1.1 only", v1, {}, "Ein Titel von genau dreissig Z", "Anna Berg", "2021", "Ambient", "", "", 0, true, false},
      {"2 ID3v2.3 only", {}, v2, v2Title, "Anna", "", "Chanson", "Comp", "Zeile 1\nZeile 2", 3, false, true},
      {"3 both", v1, v2, v2Title, "Anna Berg", "2021", "Ambient", "Comp", "Zeile 1\nZeile 2", 3, true, true},
      {"4 neither", {}, {}, "", "", "", "", "", "", 0, false, false},
  };
  for (const Row& row : rows) song(std::string(row.name) + ".mp3", row.v1, row.v2, formats::FramesForSeconds(65));
  open(music);
  for (int i = 0; i < 4; ++i) {
    const Row& row = rows[i];
    SCOPED_TRACE(row.name);
    click(i);
    EXPECT_EQ(text("txtTitle"), U(row.title));
    EXPECT_EQ(text("txtArtist"), U(row.artist));
    EXPECT_EQ(text("txtYear"), U(row.year));
    EXPECT_EQ(genre(), U(row.genre));
    EXPECT_EQ(text("txtComposer"), U(row.composer));
    EXPECT_EQ(find<QPlainTextEdit>("txtLyrics")->toPlainText(), U(row.lyrics));
    EXPECT_EQ(find<QListWidget>("lstURL")->count(), row.urls);
    EXPECT_EQ(find<QLabel>("lblTime")->text(), U("1:05"));
    EXPECT_EQ(find<QLabel>("lblBitrate")->text(), U("128 kbps / 44100 Hz"));
    EXPECT_EQ(window->tagFlags().ID3V111Found, row.v1Found);
    EXPECT_EQ(window->tagFlags().ID3V230Found, row.v2Found);
  }

  // A longer artist in UTF-16 is decoded and replaces the ID3v1.1 one.
  const std::string path = music + "utf16.mp3";
  support::WriteFileBytes(path, support::Tag({support::Frame("TPE1", support::Bytes("\x01" "\xFF\xFE" "L\x00o\x00n\x00g\x00" "e\x00r\x00"))}) +
                                    support::Audio());
  formats::clsID3V111Writer short1;
  short1.setArtist("Short");
  short1.WriteID3V111Tag(path);
  window->ShowFileInfo(path);
  EXPECT_EQ(text("txtArtist"), U("Longer"));
}

TEST_F(EditorTest, HeldFieldsStayWhileClickingThroughFilesAndSelectingAll) {
  for (const char* name : {"a.mp3", "b.mp3", "c.mp3"}) {
    song(name, [name](auto& t) {
      t.setSongTitle(name);
      t.setArtist(std::string("Artist of ") + name);
      t.setGenre(t.GetGenre("Rock"));
    }, {});
  }
  open(music);
  click(0);
  QTest::mouseClick(hold(0), Qt::LeftButton);
  QTest::mouseClick(hold(4), Qt::LeftButton);
  type("txtArtist", U("Held Artist"));
  find<QComboBox>("cboGenre")->setEditText(U("Jazz"));
  for (int row : {1, 2, 0}) {
    click(row);
    EXPECT_EQ(text("txtArtist") + "|" + genre(), U("Held Artist|Jazz"));
    EXPECT_EQ(text("txtTitle"), Q(listed(files())[row]));
  }
  // All files selects every entry without a click of the list and clears what is not held.
  media.commands.clear();
  press("cmdAllFiles(0)");
  EXPECT_EQ(selected(), (Names{"a.mp3", "b.mp3", "c.mp3"}));
  EXPECT_EQ(text("txtArtist") + "|" + text("txtTitle"), U("Held Artist|"));
  EXPECT_TRUE(media.commands.isEmpty());
}

TEST_F(EditorTest, PicturesBecomeTemporaryFilesGoneAfterTheNextClick) {
  const std::string front = picture("front.png", Qt::red);
  song("pictures.mp3", {}, [&](auto& t) {
    t.setGraphic(picture("back.png", Qt::green) + "|" + front + "|" + picture("band.png", Qt::blue));
    t.setGraphicType("4|3|10");
    t.setGraphicTitle("Back|Front|Band");
  });
  song("plain.mp3", {}, [](auto& t) { t.setSongTitle("Plain"); });
  open(music);
  click(0);

  const auto& shown = values.PictureList;
  ASSERT_EQ(shown.size(), 4u);
  Names made;
  for (std::size_t i = 1; i < shown.size(); ++i) {
    made.push_back(shown[i].FileName);
    EXPECT_EQ(shown[i].FileName.rfind(values.TempCoverBase, 0), 0u) << shown[i].FileName;
  }
  EXPECT_EQ(support::ReadFileBytes(shown[2].FileName), support::ReadFileBytes(front));
  EXPECT_EQ(shown[3].Title, "Band");
  // The cleared view chooses "Front Cover", and the cover window shows that picture.
  auto* types = find<QComboBox>("cboPictureType");
  EXPECT_EQ(types->currentText(), U("Front Cover"));
  EXPECT_EQ(cover->picturePath(), Q(shown[2].FileName));
  for (const auto& [type, path] : {std::pair{"Back Cover", shown[1].FileName}, std::pair{"Band Logo", std::string()}}) {
    types->setCurrentIndex(types->findText(U(type)));
    emit types->activated(types->currentIndex());
    EXPECT_EQ(cover->hasPicture() ? cover->picturePath() : QString(), Q(path)) << type;
  }

  click(1);
  for (const std::string& path : made) EXPECT_FALSE(support::FileExists(path)) << path;
  EXPECT_EQ(values.PictureList.size(), 1u);
  EXPECT_FALSE(cover->hasPicture());
}

}  // namespace
}  // namespace tagger_test
