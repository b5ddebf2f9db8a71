// The file view: a click on a file fills the fields, the labels and the pictures.
#include "EditorFixture.h"
#include "support/ID3V230Bytes.h"

namespace editor_test {
namespace {

const char* const SecondPage[] = {"txtOriginalArtist", "txtSubtitle", "txtComposer",
                                  "txtCopyright",      "txtEncodedBy", "txtLanguage"};

TEST_F(EditorTest, FileWithOnlyID3V111FillsTheFirstPage) {
  song("a.mp3",
       [](auto& t) {
         t.setSongTitle("Morgenlicht");
         t.setArtist("Anna Berg");
         t.setAlbum("Stille Wege");
         t.setYear("2021");
         t.setComment("Demo");
         t.setTrack(7);
         t.setGenre(t.GetGenre("Ambient"));
       },
       {}, formats::FramesForSeconds(65));
  showMusic();
  show(0);

  EXPECT_EQ(text("txtTitle"), U("Morgenlicht"));
  EXPECT_EQ(text("txtArtist"), U("Anna Berg"));
  EXPECT_EQ(text("txtAlbum"), U("Stille Wege"));
  EXPECT_EQ(text("txtYear"), U("2021"));
  EXPECT_EQ(text("txtComment"), U("Demo"));
  EXPECT_EQ(text("txtTrack"), U("7"));
  EXPECT_EQ(genre(), U("Ambient"));
  for (const char* name : SecondPage) EXPECT_EQ(text(name), QString()) << name;
  EXPECT_EQ(find<QListWidget>("lstURL")->count(), 0);
  EXPECT_EQ(find<QPlainTextEdit>("txtLyrics")->toPlainText(), QString());
  EXPECT_EQ(find<QPlainTextEdit>("txtUnknown")->toPlainText(), QString());
  EXPECT_EQ(label("lblTime"), U("1:05"));
  EXPECT_EQ(label("lblBitrate"), U("128 kbps / 44100 Hz"));
  EXPECT_EQ(label("lblMode"), U("Joint Stereo"));
  EXPECT_TRUE(window->tagFlags().TagFound);
  EXPECT_TRUE(window->tagFlags().ID3V111Found);
  EXPECT_FALSE(window->tagFlags().ID3V230Found);
}

TEST_F(EditorTest, FileWithOnlyID3V230FillsBothPages) {
  song("a.mp3", {}, [](auto& t) {
    t.setSongTitle("Caf\xE9 am Fluss");
    t.setArtist("Jonas Falk");
    t.setTrack("4");
    t.setYear("2019");
    t.setGenre("Chanson");
    t.setOriginalArtist("Orig");
    t.setSubTitle("Sub");
    t.setComposer("Comp");
    t.setCopyright("(c) 2019");
    t.setEncodedBy("Tonewright");
    t.setLanguage("deu");
    t.setURL("http://a|http://b|http://c");
    t.setLyrics("Zeile 1\r\nZeile 2");
  });
  showMusic();
  show(0);

  EXPECT_EQ(text("txtTitle"), U("Caf\xC3\xA9 am Fluss"));
  EXPECT_EQ(text("txtArtist"), U("Jonas Falk"));
  EXPECT_EQ(text("txtTrack"), U("4"));
  EXPECT_EQ(text("txtYear"), U("2019"));
  EXPECT_EQ(genre(), U("Chanson"));
  EXPECT_EQ(text("txtOriginalArtist"), U("Orig"));
  EXPECT_EQ(text("txtSubtitle"), U("Sub"));
  EXPECT_EQ(text("txtComposer"), U("Comp"));
  EXPECT_EQ(text("txtCopyright"), U("(c) 2019"));
  EXPECT_EQ(text("txtEncodedBy"), U("Tonewright"));
  EXPECT_EQ(text("txtLanguage"), U("deu"));
  auto* urls = find<QListWidget>("lstURL");
  ASSERT_EQ(urls->count(), 3);
  EXPECT_EQ(urls->item(2)->text(), U("http://c"));
  EXPECT_EQ(find<QPlainTextEdit>("txtLyrics")->toPlainText(), U("Zeile 1\nZeile 2"));
  EXPECT_EQ(window->editFields().lyrics, "Zeile 1\r\nZeile 2");
  EXPECT_FALSE(window->tagFlags().ID3V111Found);
  EXPECT_TRUE(window->tagFlags().ID3V230Found);
}

TEST_F(EditorTest, FileWithoutTagsShowsOnlyTheLabels) {
  song("tagged.mp3", [](auto& t) { t.setSongTitle("Tagged"); t.setArtist("Someone"); }, {});
  song("untagged.mp3", {}, {});
  showMusic();
  show(0);
  show(1);

  for (const char* name : {"txtTitle", "txtArtist", "txtAlbum", "txtComment", "txtYear", "txtTrack"}) {
    EXPECT_EQ(text(name), QString()) << name;
  }
  EXPECT_EQ(genre(), QString());
  EXPECT_EQ(label("lblTime"), U("0:00"));
  EXPECT_EQ(label("lblBitrate"), U("128 kbps / 44100 Hz"));
  EXPECT_FALSE(window->tagFlags().TagFound);
}

struct MergeCase {
  const char* name;
  const char* v1Title;
  const char* v1Artist;
  const char* v1Year;
  std::string v2Frames;  // the ID3v2.3 frames, laid out by hand
  const char* title;
  const char* artist;
  const char* year;
};

TEST_F(EditorTest, BothTagsMergeByTheFieldRules) {
  using support::Bytes;
  using support::Frame;
  using support::Text;
  const MergeCase cases[] = {
      {"longer ID3v2.3 title wins", "Ein Titel von genau dreissig Z", "Artist", "2000",
       Frame("TIT2", Text("Ein Titel von genau dreissig Zeichen + zehn")), "Ein Titel von genau dreissig Zeichen + zehn",
       "Artist", "2000"},
      {"shorter ID3v2.3 artist loses", "T", "Eight ch", "", Frame("TPE1", Text("X")), "T", "Eight ch", ""},
      {"UTF-16 artist never replaces", "T", "Short", "",
       Frame("TPE1", Bytes("\x01" "\xFF\xFE" "L\x00o\x00n\x00g\x00e\x00r\x00 \x00n\x00a\x00m\x00e\x00")), "T", "Short",
       ""},
      {"empty ID3v1.1 year takes ID3v2.3 year", "T", "A", "", Frame("TYER", Text("1999")), "T", "A", "1999"},
      {"year 0 counts as empty", "T", "A", "0000", Frame("TYER", Text("1999")), "T", "A", "1999"},
      {"ID3v1.1 year stays", "T", "A", "1998", Frame("TYER", Text("1999")), "T", "A", "1998"},
  };
  for (const MergeCase& c : cases) {
    SCOPED_TRACE(c.name);
    const std::string path = music + "merge.mp3";
    support::WriteFileBytes(path, support::Tag({c.v2Frames}) + support::Audio());
    formats::clsID3V111Writer v1;
    v1.setSongTitle(c.v1Title);
    v1.setArtist(c.v1Artist);
    v1.setYear(c.v1Year);
    v1.WriteID3V111Tag(path);
    window->ShowFileInfo(path);
    EXPECT_EQ(text("txtTitle"), U(c.title));
    EXPECT_EQ(text("txtArtist"), U(c.artist));
    EXPECT_EQ(text("txtYear"), U(c.year));
  }
}

TEST_F(EditorTest, HeldFieldsStayWhileClickingThroughFiles) {
  for (const char* name : {"a.mp3", "b.mp3", "c.mp3"}) {
    song(name, [name](auto& t) {
      t.setSongTitle(name);
      t.setArtist(std::string("Artist of ") + name);
      t.setAlbum("Album");
      t.setGenre(t.GetGenre("Rock"));
    }, {});
  }
  showMusic();
  show(0);
  QTest::mouseClick(hold(0), Qt::LeftButton);
  QTest::mouseClick(hold(4), Qt::LeftButton);
  type("txtArtist", U("Held Artist"));
  find<QComboBox>("cboGenre")->setEditText(U("Jazz"));

  for (int row : {1, 2, 0}) {
    show(row);
    EXPECT_EQ(text("txtArtist"), U("Held Artist"));
    EXPECT_EQ(genre(), U("Jazz"));
    EXPECT_EQ(text("txtTitle"), tagger_test::Q(listed(files())[row]));
  }
  open(folder("other"));
  EXPECT_EQ(text("txtArtist"), U("Held Artist"));
  EXPECT_EQ(text("txtTitle"), QString());
}

TEST_F(EditorTest, PicturesBecomeTemporaryFilesGoneAfterTheNextClick) {
  const std::string front = picture("front.png", Qt::red);
  const std::string back = picture("back.png", Qt::green);
  const std::string band = picture("band.png", Qt::blue);
  song("pictures.mp3", {}, [&](auto& t) {
    t.setSongTitle("With pictures");
    t.setGraphic(back + "|" + front + "|" + band);
    t.setGraphicType("4|3|10");
    t.setGraphicTitle("Back|Front|Band");
  });
  song("plain.mp3", {}, [](auto& t) { t.setSongTitle("Plain"); });
  showMusic();
  show(0);

  const std::vector<std::string> shown = pictureFiles();
  ASSERT_EQ(shown.size(), 3u);
  for (std::size_t i = 0; i < shown.size(); ++i) {
    EXPECT_EQ(shown[i].rfind(values.TempCoverBase, 0), 0u) << shown[i];
    EXPECT_TRUE(values.PictureList[i + 1].Temporary);
  }
  EXPECT_EQ(support::ReadFileBytes(shown[1]), support::ReadFileBytes(front));
  EXPECT_EQ(values.PictureList[2].PicType, 3);
  EXPECT_EQ(values.PictureList[3].Title, "Band");
  // The cleared view chooses "Front Cover", and the cover window shows that picture.
  EXPECT_EQ(find<QComboBox>("cboPictureType")->currentText(), U("Front Cover"));
  EXPECT_EQ(cover->picturePath(), tagger_test::Q(shown[1]));

  show(1);
  for (const std::string& path : shown) EXPECT_FALSE(support::FileExists(path)) << path;
  EXPECT_EQ(values.PictureList.size(), 1u);
  EXPECT_FALSE(cover->hasPicture());
}

TEST_F(EditorTest, ChosenPictureTypeShowsItsPictureOrNone) {
  const std::string front = picture("front.png", Qt::red);
  const std::string back = picture("back.png", Qt::green);
  song("pictures.mp3", {}, [&](auto& t) {
    t.setGraphic(front + "|" + back);
    t.setGraphicType("3|4");
    t.setGraphicTitle("Front|Back");
  });
  showMusic();
  show(0);
  auto* types = find<QComboBox>("cboPictureType");
  auto choose = [&](const char* name) {
    types->setCurrentIndex(types->findText(U(name)));
    emit types->activated(types->currentIndex());
  };

  choose("Back Cover");
  EXPECT_EQ(cover->picturePath(), tagger_test::Q(values.PictureList[2].FileName));
  choose("Band Logo");
  EXPECT_FALSE(cover->hasPicture());
}

TEST_F(EditorTest, CommentGoesToTheTextWindowWithoutShowingIt) {
  song("a.mp3", {}, [](auto& t) { t.setComment("Ein langer Kommentar"); });
  showMusic();
  show(0);
  auto* text = window->findChild<QPlainTextEdit*>(QStringLiteral("txtText"));
  ASSERT_NE(text, nullptr);
  EXPECT_EQ(text->toPlainText(), U("Ein langer Kommentar"));
  EXPECT_FALSE(text->window()->isVisible());
}

}  // namespace
}  // namespace editor_test
