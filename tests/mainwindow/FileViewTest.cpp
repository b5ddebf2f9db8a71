// The file view: a click on a file fills the fields, the labels and the pictures.
#include "TaggerFixture.h"

namespace tagger_test {
namespace {

TEST_F(EditorTest, ClickShowsTheTagsOfEachKindOfFile) {
  const V1 v1 = [](auto& t) {
    t.setSongTitle("Ein Titel von genau dreissig Z"), t.setArtist("Anna Berg"), t.setYear("2021"), t.setGenre(t.GetGenre("Ambient"));
  };
  const V2 v2 = [](auto& t) {
    t.setSongTitle("Ein Titel von genau dreissig Zeichen + zehn \xC3\xA9"), t.setGenre("Chanson"), t.setComposer("Comp");
    t.setArtist("Anna");  // shorter: the ID3v1.1 artist stays
    t.setURL("http://a|http://b|http://c"), t.setLyrics("Zeile 1\r\nZeile 2");
  };
  // Shown in this order, so that each file follows one with other tags. Shown: title|artist|
  // year|genre|composer|lyrics|URL count|ID3v1.1 found|ID3v2.3 found.
  const std::tuple<const char*, V1, V2, const char*> rows[] = {
      {"1 ID3v1.1 only", v1, {}, "Ein Titel von genau dreissig Z|Anna Berg|2021|Ambient|||0|1|0"},
      {"2 ID3v2.3 only", {}, v2, "Ein Titel von genau dreissig Zeichen + zehn \xC3\xA9|Anna||Chanson|Comp|Zeile 1\nZeile 2|3|0|1"},
      {"3 both", v1, v2, "Ein Titel von genau dreissig Zeichen + zehn \xC3\xA9|Anna Berg|2021|Ambient|Comp|Zeile 1\nZeile 2|3|1|1"},
      {"4 neither", {}, {}, "||||||0|0|0"},
  };
  for (const auto& [name, withV1, withV2, shown] : rows) song(std::string(name) + ".mp3", withV1, withV2, formats::FramesForSeconds(65));
  open(music);
  for (int i = 0; i < 4; ++i) {
    SCOPED_TRACE(std::get<0>(rows[i]));
    click(i);
    const QStringList fields = {text("txtTitle"), text("txtArtist"), text("txtYear"), find<QComboBox>("cboGenre")->currentText(), text("txtComposer"),
                                find<QPlainTextEdit>("txtLyrics")->toPlainText(), QString::number(find<QListWidget>("lstURL")->count()),
                                QString::number(window->editing().tagFlags().ID3V111Found), QString::number(window->editing().tagFlags().ID3V230Found)};
    EXPECT_EQ(fields.join('|'), U(std::get<3>(rows[i])));
    EXPECT_EQ(find<QLabel>("lblTime")->text() + " " + find<QLabel>("lblBitrate")->text(), U("1:05 128 kbps / 44100 Hz"));
  }
}

TEST_F(EditorTest, HeldFieldsStayWhileClickingThroughFilesAndSelectingAll) {
  for (const char* name : {"a.mp3", "b.mp3", "c.mp3"})
    song(name, [name](auto& t) { t.setSongTitle(name), t.setArtist(std::string("Artist of ") + name), t.setGenre(t.GetGenre("Rock")); }, {});
  open(music);
  act({"#0", "chkHold(0)", "chkHold(4)", "txtArtist=Held Artist"});
  find<QComboBox>("cboGenre")->setEditText(U("Jazz"));
  for (int row : {1, 2, 0}) {
    click(row);
    EXPECT_EQ(text("txtArtist") + "|" + find<QComboBox>("cboGenre")->currentText(), U("Held Artist|Jazz"));
    EXPECT_EQ(text("txtTitle"), Q(listed(files())[row]));
  }
  // All files selects every entry without a click of the list and clears what is not held.
  media.commands.clear();
  act({"cmdAllFiles(0)"});
  EXPECT_EQ(selected(), (Names{"a.mp3", "b.mp3", "c.mp3"}));
  EXPECT_EQ(text("txtArtist") + "|" + text("txtTitle"), U("Held Artist|"));
  EXPECT_TRUE(media.commands.isEmpty());
}

TEST_F(EditorTest, PicturesBecomeTemporaryFilesGoneAfterTheNextClick) {
  const std::string front = picture("front.png", Qt::red);
  song("pictures.mp3", {}, [&](auto& t) {
    t.setGraphic(picture("back.png", Qt::green) + "|" + front + "|" + picture("band.png", Qt::blue));
    t.setGraphicType("4|3|1");
    t.setGraphicTitle("Back|Front|Icon");
  });
  song("plain.mp3", {}, [](auto& t) { t.setSongTitle("Plain"); });
  open(music);
  click(0);

  const auto& shown = pictureList();
  ASSERT_EQ(shown.size(), 4u);
  Names made;
  for (std::size_t i = 1; i < shown.size(); ++i) {
    made.push_back(shown[i].FileName);
    EXPECT_EQ(shown[i].FileName.rfind(values.TempCoverBase, 0), 0u) << shown[i].FileName;
  }
  EXPECT_EQ(support::ReadFileBytes(shown[2].FileName), support::ReadFileBytes(front));
  EXPECT_EQ(shown[3].Title, "Icon");
  // The cleared view chooses "Front Cover", and the cover window shows that picture.
  auto* types = find<QComboBox>("cboPictureType");
  EXPECT_EQ(types->currentText(), U("Front Cover"));
  EXPECT_EQ(cover->picturePath(), Q(shown[2].FileName));
  for (const auto& [type, path] : {std::pair{"Back Cover", shown[1].FileName}, std::pair{"32x32 Icon", shown[3].FileName},
                            std::pair{"Band Logo", std::string()}}) {
    types->setCurrentIndex(types->findText(U(type)));
    emit types->activated(types->currentIndex());
    EXPECT_EQ(cover->hasPicture() ? cover->picturePath() : QString(), Q(path)) << type;
  }

  click(1);
  for (const std::string& path : made) EXPECT_FALSE(support::FileExists(path)) << path;
  EXPECT_EQ(pictureList().size(), 1u);
  EXPECT_FALSE(cover->hasPicture());
}

}  // namespace
}  // namespace tagger_test
