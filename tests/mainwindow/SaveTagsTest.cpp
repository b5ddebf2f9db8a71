// Saving: the Enter key that saves and moves on, the save button for one file and for
// the held fields of several, and saves that cannot write a file.
#include <QSignalSpy>

#include "EditorFixture.h"
#include "support/Process.h"
#include "windows/frmProgress.h"

namespace editor_test {
namespace {

TEST_F(SaveTest, EnterSavesTheFileAndShowsTheNextOne) {
  threeSongs();
  show(0);
  type("txtTitle", U("Neuer Titel \xC3\xA4"));
  enter("txtTitle");

  ReadBack first(paths[0]);
  EXPECT_EQ(mainwindow::TrimBlanks(first.v1.SongTitle()), "Neuer Titel \xE4");
  EXPECT_EQ(first.v2.SongTitle(), "Neuer Titel \xE4");
  EXPECT_EQ(first.v2.Artist(), "Artist 1");
  EXPECT_EQ(first.v2.GraphicSize().find('|'), std::string::npos);  // the picture is still there, once
  EXPECT_FALSE(first.v2.GraphicSize().empty());
  EXPECT_EQ(selected(), (std::vector<std::string>{"song2.mp3"}));
  EXPECT_EQ(values.CurrentFile, paths[1]);
  EXPECT_EQ(text("txtTitle"), U("Title 2"));
  EXPECT_EQ(saveCaption(), U("TAG \xC3\x9C" "bernehmen"));
  EXPECT_TRUE(dialogs.shown.empty());

  // mutagen reads the saved file as an ID3v2.3 file with the new title and an ID3v1 block.
  const std::string script =
      "import sys\nfrom mutagen.id3 import ID3\nt = ID3(sys.argv[1])\n"
      "print(t.version[:2], t['TIT2'].text[0].encode('latin-1').hex(), open(sys.argv[1],'rb').read()[-128:-125])\n";
  const std::string scriptPath = temp.path() + "/check.py";
  support::WriteFileBytes(scriptPath, script);
  std::string output;
  ASSERT_EQ(support::RunCommand(support::SystemPython() + " " + support::ShellQuote(scriptPath) + " " +
                                    support::ShellQuote(paths[0]),
                                output),
            0);
  EXPECT_EQ(output, "(2, 3) 4e6575657220546974656c20e4 b'TAG'\n");
}

TEST_F(SaveTest, EnterInEveryTextFieldSaves) {
  threeSongs();
  const std::vector<std::pair<const char*, std::function<std::string(const formats::clsID3V230Reader&)>>> cases = {
      {"txtArtist", [](const auto& r) { return r.Artist(); }},
      {"txtAlbum", [](const auto& r) { return r.Album(); }},
      {"txtComment", [](const auto& r) { return r.Comment(); }},
      {"txtYear", [](const auto& r) { return r.Year(); }},
  };
  for (const auto& [name, savedValue] : cases) {
    SCOPED_TRACE(name);
    show(0);
    type(name, U("1234"));
    enter(name);
    EXPECT_EQ(savedValue(ReadBack(paths[0]).v2), "1234");
    EXPECT_EQ(selected(), (std::vector<std::string>{"song2.mp3"}));
  }
}

TEST_F(SaveTest, EnterOnTheLastFileSavesAndKeepsIt) {
  threeSongs();
  show(2);
  type("txtTitle", U("Letzter"));
  enter("txtTitle");
  EXPECT_EQ(ReadBack(paths[2]).v2.SongTitle(), "Letzter");
  EXPECT_EQ(selected(), (std::vector<std::string>{"song3.mp3"}));
  EXPECT_EQ(text("txtTitle"), U("Letzter"));
  EXPECT_EQ(saveCaption(), U("TAG \xC3\x9C" "bernehmen"));
}

TEST_F(SaveTest, EnterWithTwoSelectedOnlySwallowsTheKey) {
  threeSongs();
  show(0);
  selectRows({0, 1});
  const auto before = contents();
  QSignalSpy returnPressed(field("txtTitle"), &QLineEdit::returnPressed);
  type("txtTitle", U("Nicht gespeichert"));
  enter("txtTitle");
  EXPECT_EQ(returnPressed.count(), 0);
  EXPECT_EQ(contents(), before);
  EXPECT_EQ(selected(), (std::vector<std::string>{"song1.mp3", "song2.mp3"}));
}

TEST_F(SaveTest, HeldArtistGoesToEverySelectedFileWhichKeepsItsOwnFields) {
  threeSongs();
  auto* progress = window->findChild<windows::frmProgress*>();
  WatchingFileSystem watcher;
  std::vector<std::pair<int, bool>> progressAtSave;
  // One rename per saved file; the other renames are pictures made ready for the view.
  watcher.onReplace = [&](const std::string& target) {
    if (std::find(paths.begin(), paths.end(), target) == paths.end()) return;
    auto* shown = window->findChild<windows::frmProgress*>();
    progressAtSave.emplace_back(shown->value(), shown->isVisible());
  };
  window->setFormatFileSystem(watcher);
  EXPECT_EQ(progress, nullptr);  // loaded on first use
  heldArtistOntoAll(U("Alle zusammen"), core::Answer::Yes);

  ASSERT_EQ(dialogs.shown.size(), 1u);
  EXPECT_EQ(dialogs.shown[0].text, U("Gehaltene Tags wirklich auf alle ausgew\xC3\xA4hlte Dateien anwenden ?   "));
  EXPECT_EQ(dialogs.shown[0].kind, core::MessageKind::Question);
  EXPECT_EQ(dialogs.shown[0].title, U("Quillmere Tonewright"));
  for (int i = 0; i < 3; ++i) {
    ReadBack saved(paths[i]);
    EXPECT_EQ(saved.v2.Artist(), "Alle zusammen");
    EXPECT_EQ(mainwindow::TrimBlanks(saved.v1.Artist()), "Alle zusammen");
    EXPECT_EQ(saved.v2.SongTitle(), "Title " + std::to_string(i + 1));
    EXPECT_EQ(saved.v2.Track(), i + 1);
    EXPECT_FALSE(saved.v2.GraphicSize().empty()) << "the picture stays";
  }
  EXPECT_EQ(progressAtSave, (std::vector<std::pair<int, bool>>{{33, true}, {67, true}, {100, true}}));
  EXPECT_FALSE(window->findChild<windows::frmProgress*>()->isVisible());
  EXPECT_EQ(saveCaption(), U("TAG speichern"));
  EXPECT_TRUE(button(QStringLiteral("cmdSaveTag"))->isEnabled());
  EXPECT_EQ(window->ListClickSuppressed(), 0);
}

TEST_F(SaveTest, GaugeCountsEveryListEntryNotOnlyTheSelectedOnes) {
  for (int i = 0; i < 7; ++i) song("s" + std::to_string(i) + ".mp3", {}, [](auto& t) { t.setSongTitle("x"); });
  showMusic();
  WatchingFileSystem watcher;
  std::vector<int> percent;
  watcher.onReplace = [&](const std::string&) { percent.push_back(window->findChild<windows::frmProgress*>()->value()); };
  window->setFormatFileSystem(watcher);
  selectRows({1, 4});
  QTest::mouseClick(hold(1), Qt::LeftButton);
  dialogs.setNextAnswer(core::Answer::Yes);
  QTest::mouseClick(button(QStringLiteral("cmdSaveTag")), Qt::LeftButton);
  EXPECT_EQ(percent, (std::vector<int>{29, 71}));
}

TEST_F(SaveTest, SeveralFilesWithoutHeldFieldOrAnsweredNoStayAsTheyWere) {
  struct Case {
    const char* name;
    bool held;
  };
  for (const Case& c : {Case{"nothing held", false}, Case{"answered No", true}}) {
    SCOPED_TRACE(c.name);
    paths.clear();
    dialogs.shown.clear();
    threeSongs();
    const auto before = contents();
    QTest::mouseClick(button(QStringLiteral("cmdAllFiles(0)")), Qt::LeftButton);
    for (int i = 0; i < 5; ++i) hold(i)->setChecked(c.held && i == 0);
    dialogs.setNextAnswer(core::Answer::No);
    type("txtArtist", U("Niemand"));
    QTest::mouseClick(button(QStringLiteral("cmdSaveTag")), Qt::LeftButton);
    EXPECT_EQ(contents(), before);
    EXPECT_EQ(saveCaption(), U("TAGs \xC3\x9C" "bernehmen"));
    EXPECT_EQ(dialogs.shown.size(), c.held ? 1u : 0u);
    dialogs.answers.clear();
  }
}

}  // namespace
}  // namespace editor_test
