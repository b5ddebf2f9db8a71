// The main window with its editor ready as the start-up leaves it (genres, picture types,
// a hidden cover window), a private picture folder, and real MP3 files of silence tagged
// with our own writers.
#pragma once
#include <QComboBox>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <functional>

#include "TaggerFixture.h"
#include "formats/ID3V111.h"
#include "formats/ID3V230Reader.h"
#include "formats/ID3V230Writer.h"
#include "windows/frmCover.h"

namespace editor_test {

using V1 = std::function<void(formats::clsID3V111Writer&)>;
using V2 = std::function<void(formats::clsID3V230Writer&)>;

class EditorTest : public tagger_test::TaggerTest {
 protected:
  void SetUp() override {
    TaggerTest::SetUp();
    pictures = folder("pictures");
    values.TempDir = pictures;
    values.TempCoverBase = pictures + "cover";
    window->FillGenres();
    window->FillPictureTypes();
    window->ClearFileInfo();
    cover = std::make_unique<windows::frmCover>(values, std::function<void()>());
    window->setCoverWindow(cover.get());
    music = folder("music");
  }

  // A file of silence in the music folder with the tags the two setters give (none
  // when a setter is empty).
  std::string song(const std::string& name, const V1& v1, const V2& v2, int frames = 8) {
    const std::string path = music + name;
    support::WriteFileBytes(path, formats::SilentMpegFrames(frames));
    if (v1) {
      formats::clsID3V111Writer writer;
      v1(writer);
      writer.WriteID3V111Tag(path);
    }
    if (v2) {
      formats::clsID3V230Writer writer;
      v2(writer);
      EXPECT_TRUE(writer.WriteID3V230Tag(path)) << path;
    }
    return path;
  }

  // A small picture file of one colour, in a format the cover window shows.
  std::string picture(const std::string& name, Qt::GlobalColor colour) {
    QImage image(8, 8, QImage::Format_RGB32);
    image.fill(colour);
    const std::string path = temp.path() + "/" + name;
    EXPECT_TRUE(image.save(tagger_test::Q(path)));
    return path;
  }

  void showMusic() { open(music); }
  // A click on entry `row`, after the list shows the music folder.
  void show(int row) { click(row); }

  QLineEdit* field(const char* name) { return find<QLineEdit>(name); }
  QString text(const char* name) { return field(name)->text(); }
  QString label(const char* name) { return find<QLabel>(name)->text(); }
  QString genre() { return find<QComboBox>("cboGenre")->currentText(); }
  QCheckBox* hold(int index) { return find<QCheckBox>(QStringLiteral("chkHold(%1)").arg(index).toLatin1().constData()); }
  QPushButton* button(const QString& name) { return window->findChild<QPushButton*>(name); }
  QString saveCaption() { return find<QPushButton>("cmdSaveTag")->text(); }

  // Typed key by key; QTest has keys for ASCII only, so other text is inserted as a paste would.
  void type(const char* name, const QString& newText) {
    field(name)->clear();
    bool ascii = true;
    for (const QChar c : newText) ascii = ascii && c.unicode() < 128;
    if (ascii)
      QTest::keyClicks(field(name), newText);
    else
      field(name)->insert(newText);
  }
  void enter(const char* name) { QTest::keyClick(field(name), Qt::Key_Return); }
  void selectRows(std::initializer_list<int> rows) {
    files()->clearSelection();
    for (int row : rows) files()->item(row)->setSelected(true);
  }

  // The temporary picture files of the file on show.
  std::vector<std::string> pictureFiles() const {
    std::vector<std::string> paths;
    for (std::size_t i = 1; i < values.PictureList.size(); ++i) paths.push_back(values.PictureList[i].FileName);
    return paths;
  }

  std::string pictures;
  std::string music;
  std::unique_ptr<windows::frmCover> cover;
};

// What the format readers find in a file.
struct ReadBack {
  formats::clsID3V111Reader v1;
  formats::clsID3V230Reader v2;
  explicit ReadBack(const std::string& path) {
    v1.ReadID3V111Tag(path);
    v2.ReadID3V230Tag(path);
  }
};

inline QString U(const char* utf8) { return QString::fromUtf8(utf8); }

// Passes everything to the real file system and calls `onReplace` before each rename
// of a finished work file over its target, to look at the window in the middle of a run.
class WatchingFileSystem final : public formats::FileSystem {
 public:
  std::function<void(const std::string&)> onReplace;
  std::unique_ptr<formats::InputFile> openRead(const std::string& p) override { return real().openRead(p); }
  std::unique_ptr<formats::OutputFile> createNew(const std::string& p) override { return real().createNew(p); }
  std::unique_ptr<formats::OutputFile> createNewLike(const std::string& p, const std::string& m) override {
    return real().createNewLike(p, m);
  }
  std::unique_ptr<formats::OutputFile> openAppend(const std::string& p) override { return real().openAppend(p); }
  bool replace(const std::string& from, const std::string& to) override {
    if (onReplace) onReplace(to);
    return real().replace(from, to);
  }
  bool remove(const std::string& p) override { return real().remove(p); }
  bool exists(const std::string& p) override { return real().exists(p); }
  bool truncate(const std::string& p, std::uint64_t n) override { return real().truncate(p, n); }

 private:
  static formats::FileSystem& real() { return formats::FileSystem::standard(); }
};

class SaveTest : public EditorTest {
 protected:
  // Three files, each with its own title, artist and track, and a cover picture.
  void threeSongs() {
    const std::string front = picture("front.png", Qt::red);
    for (int i = 1; i <= 3; ++i) {
      paths.push_back(song("song" + std::to_string(i) + ".mp3", {}, [&](auto& t) {
        t.setSongTitle("Title " + std::to_string(i));
        t.setArtist("Artist " + std::to_string(i));
        t.setTrack(std::to_string(i));
        t.setGraphic(front);
        t.setGraphicType("3");
      }));
    }
    showMusic();
  }
  std::vector<std::string> contents() const {
    std::vector<std::string> bytes;
    for (const std::string& path : paths) bytes.push_back(support::ReadFileBytes(path));
    return bytes;
  }
  // The one exclamation message after a run, or a failure.
  QString failureMessage() {
    EXPECT_EQ(dialogs.shown.size(), 1u);
    if (dialogs.shown.empty()) return {};
    EXPECT_EQ(dialogs.shown.back().kind, core::MessageKind::Exclamation);
    EXPECT_EQ(dialogs.shown.back().title, U("Quillmere Tonewright"));
    return dialogs.shown.back().text;
  }
  void heldArtistOntoAll(const QString& artist, core::Answer answer) {
    QTest::mouseClick(button(QStringLiteral("cmdAllFiles(0)")), Qt::LeftButton);
    QTest::mouseClick(hold(0), Qt::LeftButton);
    type("txtArtist", artist);
    dialogs.setNextAnswer(answer);
    QTest::mouseClick(button(QStringLiteral("cmdSaveTag")), Qt::LeftButton);
  }

  std::vector<std::string> paths;
};

}  // namespace editor_test
