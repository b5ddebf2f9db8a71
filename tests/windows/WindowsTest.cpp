// The secondary windows driven through their real widgets: the gauge and the progress window,
// the rename dialog, the text window, and the cover window with its picture selection dialog.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QFrame>
#include <QImageReader>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScreen>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>
#include <climits>
#include <cstdio>
#include <functional>
#include <set>

#include "core/AppValues.h"
#include "core/toolkit/Dialogs.h"
#include "core/toolkit/Window.h"
#include "formats/FileIo.h"
#include "formats/ID3V230Writer.h"
#include "formats/SilentMpeg.h"
#include "support/FileHelpers.h"
#include "support/TempDir.h"
#include "tagging/ShownFile.h"
#include "windows/Gauge.h"
#include "windows/GaugeArithmetic.h"
#include "windows/frmCover.h"
#include "windows/frmPicSelect.h"
#include "windows/frmProgress.h"
#include "windows/frmRename.h"
#include "windows/frmText.h"

namespace {

using Names = std::vector<std::string>;
using windows::Gauge, windows::frmText, windows::frmPicSelect;

// The child of that object name; a missing one fails the test.
template <class Widget = QWidget>
Widget* Child(const QObject& parent, const char* name) {
  auto* child = parent.findChild<Widget*>(QString::fromLatin1(name));
  EXPECT_NE(child, nullptr) << name;
  return child;
}

// Triggers the menu entry of that name once its caption is checked.
void Trigger(const QObject& window, const char* name, const char* caption) {
  QAction* action = Child<QAction>(window, name);
  ASSERT_NE(action, nullptr);
  EXPECT_EQ(action->text(), QString::fromUtf8(caption)) << name;
  action->trigger();
}

void Click(const QObject& parent, const char* button) { QTest::mouseClick(Child<QPushButton>(parent, button), Qt::LeftButton); }

QListWidget* Files(const frmPicSelect& dialog) { return Child<QListWidget>(dialog, "File1"); }

// Selects the listed picture of that name (if listed) and clicks "Command1" (accept) or "Command2".
void Pick(frmPicSelect& dialog, const std::string& name, const char* button) {
  for (QListWidgetItem* item : Files(dialog)->findItems(QString::fromStdString(name), Qt::MatchExactly))
    Files(dialog)->setCurrentItem(item);
  Click(dialog, button);
}

TEST(GaugeArithmetic, FillEndsOnWholePixelsSixtyTwipsShortTextAndColours) {
  const struct { int backWidth, percent, controlWidth, twipsPerPixel, expected; } cases[] = {
      // A 3000-twip control whose back label is 2950 wide: 29.5 twips is one whole pixel,
      // 1475 are 98.33 pixels, 2920.5 are 194.7, and at 100 % 196 whole pixels are 60 short.
      {2950, 0, 3000, 15, 0}, {2950, 1, 3000, 15, 15}, {2950, 50, 3000, 15, 1470},
      {2950, 99, 3000, 15, 2910}, {2950, 100, 3000, 15, 2940},
      {2955, 100, 3000, 15, 2940},  // a back label snapped to 197 pixels would reach past 2950
      // Beyond 100 the fill still stops 60 short, below 0 the bar stays empty.
      {2950, INT_MAX, 3000, 15, 2940}, {2950, INT_MIN, 3000, 15, 0},
      {950, 33, 1000, 1, 313},  // at one twip per pixel nothing is rounded away
      {0, 100, 30, 15, 0},      // narrower than 60 twips: no room for a fill
  };
  for (const auto& c : cases)
    EXPECT_EQ(windows::GaugeFillWidth(c.backWidth, c.percent, c.controlWidth, c.twipsPerPixel), c.expected) << c.percent;
  // The text shows any number as it is; a colour has red in its low byte and no top byte.
  EXPECT_EQ(windows::GaugePercentText(0) + windows::GaugePercentText(-5) + windows::GaugePercentText(150), "0%-5%150%");
  const windows::RgbColor color = windows::ColorFromBgr(static_cast<std::int32_t>(0xFF804020u));
  EXPECT_EQ((std::vector<int>{color.red, color.green, color.blue}), (std::vector<int>{0x20, 0x40, 0x80}));
}

QFrame* Inside(const Gauge& gauge) { return Child<QFrame>(gauge, "fInside"); }
QLabel* Label(const Gauge& gauge, const char* name) { return Child<QLabel>(gauge, name); }

// Which of red, green, blue and white show in that part of the image, in that order (the
// blends at the edges of a text, near none of them, are left out).
std::string Colours(const QImage& image, const QRect& part) {
  std::set<char> seen;
  const std::pair<char, QColor> pure[] = {{'b', Qt::blue}, {'g', Qt::green}, {'r', Qt::red}, {'w', Qt::white}};
  for (int y = part.top(); y <= part.bottom(); ++y)
    for (int x = part.left(); x <= part.right(); ++x)
      for (const auto& [name, p] : pure) {
        const QColor c = image.pixelColor(x, y);
        if (std::abs(c.red() - p.red()) + std::abs(c.green() - p.green()) + std::abs(c.blue() - p.blue()) < 100)
          seen.insert(name);
      }
  return std::string(seen.begin(), seen.end());
}

// "50%" is centred across the edge of the fill: in the light colour over the fill, which
// clips it, in the dark colour over the empty bar. Only changed properties are stored; what
// a stored set lacks goes back to its default.
TEST(Gauge, TextIsLightOverTheFillDarkOverTheBarAndOnlyChangesAreStored) {
  Gauge gauge, restored;
  gauge.resize(300, 30);  // 4500 x 450 twips
  gauge.applyLayout();
  gauge.setColorDark(0x00FF00);       // green fill
  gauge.setColorLight(0xFFFFFF);      // white bar: the default, set but not worth storing
  gauge.setTextColorLight(0x0000FF);  // red text over the fill
  gauge.setTextColorDark(0xFF0000);   // blue text over the bar
  gauge.setProgressPercent(50);       // the default too
  EXPECT_EQ(Label(gauge, "lblFront")->mapTo(&gauge, QPoint(0, 0)), Label(gauge, "lblBack")->pos());
  const QRect fill = Inside(gauge)->geometry();
  ASSERT_TRUE(fill.right() > 100 && fill.right() < 200);
  const QImage image = gauge.grab().toImage();
  EXPECT_EQ(Colours(image, fill), "gr");
  EXPECT_EQ(Colours(image, QRect(fill.right() + 1, fill.top(), image.width() - fill.right() - 1, fill.height())), "bw");
  const QVariantMap stored = {{QStringLiteral("ColorDark"), 0x00FF00}, {QStringLiteral("TextColorLight"), 0x0000FF},
                              {QStringLiteral("TextColorDark"), 0xFF0000}};
  EXPECT_EQ(gauge.writeProperties(), stored);
  restored.setColorLight(0x123456);
  restored.readProperties(stored);
  EXPECT_TRUE(restored.ColorLight() == Gauge::DefaultColorLight && restored.TextColorDark() == 0xFF0000 &&
              restored.changedProperties().isEmpty());
  // 3000 x 250 twips: 200 pixels wide, its back label 2950 twips (197 pixels).
  restored.SetProgress(20);  // redraws without changing the property
  EXPECT_EQ(restored.ProgressPercent(), Gauge::DefaultProgressPercent);
  EXPECT_EQ(Label(restored, "lblBack")->text() + Label(restored, "lblFront")->text(), QStringLiteral("20%20%"));
  EXPECT_EQ(Inside(restored)->width(), 39);  // 2955 * 0.2 = 591 twips: 39.4 pixels
}

TEST(frmProgress, IsTopmostCentredAndItsValueDrivesTheGaugeNamedProgress) {
  int yields = 0;
  windows::frmProgress window([&yields] { ++yields; });
  EXPECT_TRUE((window.windowFlags() & Qt::WindowStaysOnTopHint) && yields > 0);  // topmost lets events run
  // Centred across, and in the upper 95 % of the screen's height (room for a task bar).
  const QSize screen = QGuiApplication::primaryScreen()->size(), size = window.frameGeometry().size();
  const QPoint expected(screen.width() / 2 - size.width() / 2, qRound(screen.height() * 0.95) / 2 - size.height() / 2);
  EXPECT_LE((window.frameGeometry().topLeft() - expected).manhattanLength(), 2);
  ASSERT_TRUE(window.findChildren<Gauge*>() == QList<Gauge*>{window.Progress()} && window.Progress()->objectName() == "Progress");
  window.setValue(37);  // before the first show
  window.show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
  EXPECT_TRUE(window.value() == 37 && Label(*window.Progress(), "lblBack")->text() == "37%");
  // "Abbrechen" and Escape each ask the run to stop; the run closes the window, not they.
  QSignalSpy cancelled(&window, &windows::frmProgress::cancelRequested);
  Click(window, "cmdCancel");
  QTest::keyClick(&window, Qt::Key_Escape);
  EXPECT_TRUE(cancelled.count() == 2 && window.isVisible() && window.cmdCancel()->text() == "Abbrechen");
}

TEST(frmRename, LayoutAndRenamesOnlyOntoAFreeValidName) {
  const windows::RenameLayout at = windows::RenameLayoutFor(6000);
  EXPECT_EQ((std::vector<double>{at.txtFileNameWidth, at.lblMP3Left, at.cmdCancelLeft, at.cmdRenameLeft}),
            (std::vector<double>{4845, 5055, 1995, 3825}));
  support::TempDir temp;
  core::AppValues values;
  values.CurrentDir = temp.folder();
  values.CurrentFile = temp / "song.mp3";
  ASSERT_TRUE(support::WriteFileBytes(values.CurrentFile, "song") && support::WriteFileBytes(temp / "other.mp3", "other"));
  ASSERT_EQ(::mkdir((temp / "sub").c_str(), 0755), 0);
  core::ScriptedDialogService dialogs;
  int refreshed = 0;
  windows::frmRename dialog(values, dialogs, formats::FileSystem::standard(), {}, [&] { ++refreshed; });
  dialog.show();
  auto* cancel = Child<QPushButton>(dialog, "cmdCancel");
  const int before = cancel->x();
  dialog.resize(dialog.width() + 100, dialog.height() + 100);
  EXPECT_TRUE(core::OuterBoundsTwips(&dialog).height == windows::RenameWindowHeight && cancel->x() == before + 100);
  // The name exists; never into another folder, even one that exists; Cancel closes, renames nothing.
  const std::tuple<const char*, const char*, bool> rows[] = {  // typed, the button, stays open with a message
      {"other", "cmdRename", true}, {"sub/b", "cmdRename", true}, {"..", "cmdRename", true},
      {"", "cmdRename", true},      {"x", "cmdCancel", false},    {"best", "cmdRename", false},
  };
  for (const auto& [typed, button, stays] : rows) {
    dialogs.shown.clear();
    dialog.show();
    Child<QLineEdit>(dialog, "txtFileName")->setText(QString::fromUtf8(typed));
    Click(dialog, button);
    EXPECT_TRUE(dialog.isVisible() == stays && dialogs.shown.size() == (stays ? 1u : 0u)) << typed;
  }
  EXPECT_EQ(support::FolderEntries(temp.path()), (Names{"best.mp3", "other.mp3", "sub"}));
  EXPECT_EQ(refreshed, 1);
  EXPECT_EQ(support::ReadFileBytes(temp / "other.mp3") + support::ReadFileBytes(temp / "best.mp3"), "othersong");
}

// Steps: the selection set (-1: the cursor at the end, -2: as it is), text typed there, an
// entry triggered (none: the close box) with the file chooser's answer; then "text|clipboard|
// selection|" and the window: on top (T), shown (S), edited (E), the texts handed over, the file
// holding its text (F) or the older one (O), a message (M). Only an edited text is handed over.
TEST(frmText, FileAndEditEntriesDoWhatTheirCaptionsSay) {
  support::TempDir temp;
  const std::string path = temp / "kommentar.txt", folder = temp / "a folder", older = "an older and longer text";
  ASSERT_TRUE(support::WriteFileBytes(path, older) && ::mkdir(folder.c_str(), 0755) == 0);
  core::AppValues values;
  core::ScriptedDialogService dialogs;
  int yields = 0;
  frmText window{values, dialogs, [&] { ++yields; }};
  EXPECT_TRUE(window.windowTitle() == "TextEdit" && (window.windowFlags() & Qt::WindowStaysOnTopHint) && yields > 0);
  QPlainTextEdit* txtText = Child<QPlainTextEdit>(window, "txtText");
  QApplication::clipboard()->clear();
  using Step = std::tuple<int, int, const char*, const char*, const char*, std::string, const char*>;
  const auto run = [&](const std::vector<Step>& steps) {
    QSignalSpy taken(&window, &frmText::textTakenOver);
    for (const auto& [from, to, typed, entry, caption, chosen, after] : steps) {
      SCOPED_TRACE(std::string(entry) + typed + chosen);
      dialogs.shown.clear();
      window.show();
      ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
      QTextCursor cursor = txtText->textCursor();
      if (from == -1) cursor.movePosition(QTextCursor::End);
      if (from >= 0) cursor.setPosition(from), cursor.setPosition(to, QTextCursor::KeepAnchor);
      txtText->setTextCursor(cursor);
      QTest::keyClicks(txtText, QString::fromUtf8(typed));
      if (!chosen.empty()) dialogs.setNextFileName(QString::fromStdString(chosen));
      EXPECT_TRUE(*entry ? (Trigger(window, entry, caption), true) : window.close());
      const QString text = window.text();
      const std::string file = support::ReadFileBytes(path);
      const char* saved = file == text.toStdString() ? "F" : file == older ? "O" : "";
      QString state = text + '|' + QApplication::clipboard()->text() + '|' + txtText->textCursor().selectedText() + '|';
      state += QString(window.windowFlags().testFlag(Qt::WindowStaysOnTopHint) ? "T" : "") + (window.isVisible() ? "S" : "");
      state += (window.isModified() ? "E" : "") + QString::number(taken.count()) + saved + (dialogs.shown.empty() ? "" : "M");
      EXPECT_EQ(state, QString::fromUtf8(after));
      EXPECT_TRUE(taken.isEmpty() || taken.last().at(0).toString() == text);
      for (const auto& m : dialogs.shown)
        EXPECT_TRUE(m.kind == core::MessageKind::Critical && m.title == "Quillmere Tonewright" &&
                    m.text.contains(QString::fromStdString(chosen)));
    }
  };
  window.setText(QStringLiteral("Grüße\nLive"));
  const char* saveAs = "Speichern &unter...";
  run({
      {-1, 0, "", "mnuOnTop", "Immer im Vordergrund", "", "Grüße\nLive|||S0O"},  // switched without hiding the window
      {-1, 0, "", "mnuOnTop", "Immer im Vordergrund", "", "Grüße\nLive|||TS0O"},
      {-1, 0, "", "mnuExit", "&Beenden", "", "Grüße\nLive|||T0O"},  // unedited: nothing handed over
      {-1, 0, " 1998", "mnuSave(0)", "&Speichern", "", "Grüße\nLive 1998|||TS1O"},
      {-1, 0, "!", "", "", "", "Grüße\nLive 1998!|||T2O"},
      {-1, 0, "", "mnuSave(1)", saveAs, "", "Grüße\nLive 1998!|||TS2O"},  // the chooser was cancelled
      {-1, 0, "", "mnuSave(1)", saveAs, path, "Grüße\nLive 1998!|||TS2F"},
      {-1, 0, "", "mnuSave(1)", saveAs, folder, "Grüße\nLive 1998!|||TS2FM"},
      {-1, 0, "", "mnuSave(1)", saveAs, temp / "missing/file.txt", "Grüße\nLive 1998!|||TS2FM"},
  });
  EXPECT_TRUE(support::FolderEntries(folder).empty());
  EXPECT_EQ(support::FolderEntries(temp.path()), (Names{"a folder", "kommentar.txt"}));
  window.setText(QStringLiteral("old comment"));
  window.setText(QStringLiteral("alpha beta gamma"));
  run({
      {0, 0, "", "mnuUndo", "Rückgängig", "", "alpha beta gamma|||TS0"},  // setText leaves no undo history
      {0, 5, "", "mnuCopy", "Kopieren", "", "alpha beta gamma|alpha|alpha|TS0"},
      {5, 10, "", "mnuCut", "Ausschneiden", "", "alpha gamma| beta||TSE0"},
      {-1, 0, "", "mnuPaste", "Einfügen", "", "alpha gamma beta| beta||TSE0"},
      {0, 6, "", "mnuDelete", "Löschen", "", "gamma beta| beta||TSE0"},  // the clipboard stays
      {0, 0, "", "mnuDelete", "Löschen", "", "gamma beta| beta||TSE0"},  // nothing selected: nothing deleted
      {0, 0, "", "mnuUndo", "Rückgängig", "", "alpha gamma beta| beta||TSE0"},
      {0, 1, "", "mnuAll", "Alles kopieren", "", "alpha gamma beta|alpha gamma beta|a|TSE0"},  // the selection stays
      {0, 0, "", "mnuSelAll", "Alles markieren", "", "alpha gamma beta|alpha gamma beta|alpha gamma beta|TSE0"},
      {-2, 0, "", "mnuDelete", "Löschen", "", "|alpha gamma beta||TSE0"},
  });
}

class CoverWindow : public ::testing::Test {
 protected:
  void SetUp() override {
    values.AppPath = temp.folder();
    values.CoverDir = values.AppPath + "Cover Art/";
    ::mkdir(pictures.c_str(), 0755);
    cover.setSelectedType([this]() -> std::optional<int> { return type; });
    cover.setShownFile(&shown);
  }
  // A 60 x 40 picture in one colour, written by Qt in the given format.
  std::string picture(const std::string& name, const char* format, Qt::GlobalColor colour) {
    QImage image(60, 40, QImage::Format_RGB32);
    image.fill(colour);
    EXPECT_TRUE(image.save(QString::fromStdString(pictures + name), format));
    return pictures + name;
  }
  void showWindow() {
    cover.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&cover));
  }
  void load(const std::function<void(frmPicSelect&)>& answer = {}) {
    QTimer poll;  // `answer` answers the picture dialog once it is up
    QObject::connect(&poll, &QTimer::timeout, [&] {
      for (QWidget* top : QApplication::topLevelWidgets()) {
        auto* dialog = qobject_cast<frmPicSelect*>(top);
        if (dialog == nullptr || !dialog->isVisible()) continue;
        poll.stop();
        if (!answer) dialog->setFolder(pictures);  // by default chosen.png from the pictures' folder
        answer ? answer(*dialog) : Pick(*dialog, "chosen.png", "Command1");
        dialog->close();  // an answer that left it open must not leave the test waiting
        return;
      }
    });
    poll.start(10);
    Trigger(cover, "mnuPicLoad", "Bild laden...");
  }

  support::TempDir temp;
  core::AppValues values;
  tagging::ShownFile shown;
  const std::string pictures = temp / "pics/";
  std::optional<int> type = 3;
  int yields = 0;
  core::ScriptedDialogService dialogs;
  windows::frmCover cover{values, dialogs, [this] { ++yields; }};
};

TEST_F(CoverWindow, ShowsRealPicturesOrNoCoverImageOpensItsMenuOnRightClicksAndClosingOnlyHidesIt) {
  EXPECT_TRUE(cover.windowTitle() == "Cover Art" && !cover.isVisible() && (cover.windowFlags() & Qt::WindowStaysOnTopHint) &&
              yields > 0);
  EXPECT_NEAR(core::OuterBoundsTwips(&cover).width, 4620, core::TwipsPerPixel);
  const QString first = QString::fromStdString(picture("ok.png", "PNG", Qt::blue));
  const std::string huge = picture("huge.bmp", "BMP", Qt::red);  // claiming 16000 x 16000 pixels (1 GB as RGB32)
  ASSERT_TRUE(support::WriteFileBytes(huge, support::ReadFileBytes(huge).replace(18, 8, "\x80\x3E\0\0\x80\x3E\0\0", 8)));
  ASSERT_EQ(QImageReader(QString::fromStdString(huge)).size(), QSize(16000, 16000));  // a BMP that only its size spoils
  ASSERT_TRUE(support::WriteFileBytes(pictures + "garbage.jpg", "not a picture at all"));
  const std::pair<std::string, bool> cases[] = {
      {picture("cover.jpg", "JPEG", Qt::red), true},
      {picture("png-named.jpg", "PNG", Qt::red), true},  // read by its content
      {pictures + "missing.jpg", false}, {pictures + "garbage.jpg", false}, {huge, false},
  };
  QLabel* lblInfo = Child<QLabel>(cover, "lblInfo");  // over the picture display, which takes the clicks
  QWidget* picCover = Child(cover, "picCover");
  showWindow();
  for (const auto& [file, shown] : cases) {
    const QString path = QString::fromStdString(file);
    ASSERT_TRUE(cover.showPicture(first));  // whatever was shown before goes
    EXPECT_EQ(cover.showPicture(path), shown) << file;
    EXPECT_TRUE(cover.picturePath() == (shown ? path : QString()) && lblInfo->isVisible() == !shown) << file;
    // The red picture covers the window, or the text on its background shows.
    const QImage image = cover.grab().toImage();
    EXPECT_EQ(image.pixelColor(image.width() / 2, image.height() / 2 - 30).green() < 60, shown) << file;
  }
  cover.clearPicture();  // the text shows; clicks go through it to the picture display
  EXPECT_TRUE(!cover.hasPicture() && lblInfo->isVisible() && lblInfo->text() == QStringLiteral("No Cover Image"));
  EXPECT_EQ(picCover->geometry(), cover.rect());  // the picture display fills the window
  QTest::mouseClick(picCover, Qt::LeftButton, {}, picCover->rect().center());
  EXPECT_FALSE(cover.mnuPop()->isVisible());
  const QPoint centre = lblInfo->geometry().center();
  ASSERT_EQ(cover.childAt(centre), picCover);
  QTest::mouseClick(picCover, Qt::RightButton, {}, picCover->mapFrom(&cover, centre));
  EXPECT_TRUE(cover.mnuPop()->isVisible() && cover.mnuPop()->actions().size() == 4);
  cover.mnuPop()->hide();
  ASSERT_TRUE(cover.showPicture(first));
  QSignalSpy hidden(&cover, &windows::frmCover::hiddenByUser);
  EXPECT_FALSE(cover.close());  // the close request is refused
  EXPECT_TRUE(!cover.isVisible() && hidden.count() == 1);
  showWindow();
  EXPECT_EQ(cover.picturePath(), first);
}

TEST_F(CoverWindow, TheDialogListsPicturesAndCopiesTheChoiceIntoCoverDir) {
  const std::string red = picture("red.JPG", "JPEG", Qt::red);
  picture("chosen.png", "PNG", Qt::blue);
  support::WriteFileBytes(pictures + "notes.txt", "x");
  values.CoverDir = pictures;  // the dialog starts in CoverDir when it exists
  load([&](frmPicSelect& dialog) {
    EXPECT_EQ(dialog.windowTitle(), QStringLiteral("Bild / Cover Art auswählen"));
    EXPECT_TRUE(Files(dialog)->count() == 2 && Files(dialog)->item(0)->text() == QStringLiteral("chosen.png") &&
                Files(dialog)->item(1)->text() == QStringLiteral("red.JPG"));
    Pick(dialog, "", "Command1");  // nothing chosen: the dialog stays open
    EXPECT_TRUE(dialog.isVisible());
    Pick(dialog, "red.JPG", "Command1");
  });
  EXPECT_TRUE(values.PicSelectState == 2 && values.ChosenPicture == red && cover.picturePath().toStdString() == red);
  // The next time it starts in AppPath (CoverDir is not there yet); the accepted picture is
  // copied into CoverDir, where a copy already there stays.
  values.CoverDir = values.AppPath + "Cover Art/";
  load([&](frmPicSelect& dialog) {
    EXPECT_EQ(dialog.folder(), values.AppPath);
    dialog.setFolder(pictures);
    Pick(dialog, "chosen.png", "Command1");
  });
  support::WriteFileBytes(values.CoverDir + "red.JPG", "older copy");
  values.ChosenPicture = red;
  frmPicSelect again(values, {});  // starts beside the picture chosen before, with it selected
  EXPECT_TRUE(again.folder() == pictures && Files(again)->currentItem()->text() == QStringLiteral("red.JPG"));
  again.show();
  Pick(again, "red.JPG", "Command1");
  values.ChosenPicture = pictures + "notes.txt";  // a file the list does not hold: nothing selected
  frmPicSelect unlisted(values, {});
  EXPECT_EQ(Files(unlisted)->currentItem(), nullptr);
  EXPECT_EQ(support::FolderEntries(values.CoverDir), (Names{"chosen.png", "red.JPG"}));
  EXPECT_EQ(support::ReadFileBytes(values.CoverDir + "red.JPG"), "older copy");
  for (const char* cancel : {"Command2", ""}) {  // the cancel button, then the close box
    values.PicSelectState = 2;
    load([&](frmPicSelect& dialog) { *cancel ? Pick(dialog, "red.JPG", cancel) : void(dialog.close()); });
    EXPECT_EQ(values.PicSelectState, 0) << cancel;
  }
}

// Before each row a file is on show, its pictures (front, back, a second front) copied out for
// showing, the first in the window. The export writes the picture on show as its source holds
// it now (another program may have changed the file), named after its format, replacing none.
TEST_F(CoverWindow, LoadDeleteAndExportWorkOnTheFirstPictureOfTheChosenType) {
  const std::string song = values.AppPath + "song.mp3", copies = temp / "copies/", older = pictures + "older.bin";
  const std::string front = picture("front.jpg", "JPEG", Qt::red), back = picture("back.png", "PNG", Qt::blue);
  const std::string second = picture("second.png", "PNG", Qt::cyan), chosen = picture("chosen.png", "PNG", Qt::green);
  support::WriteFileBytes(older, "an export made before");
  ::mkdir(copies.c_str(), 0755);
  const auto tag = [&](const std::string& files, const std::string& types) {  // as another program writes them
    formats::clsID3V230Writer writer;
    writer.setGraphic(files), writer.setGraphicType(types), writer.setGraphicTitle(std::string(types.size() / 2, '|'));
    ASSERT_TRUE(writer.WriteID3V230Tag(song));
  };
  // Each row: the entries used (Load, Delete, Export); after them each record's type and source
  // (Frame, Chosen, - none), whether a picture is shown, the copies for showing left (a copy
  // goes with its record), "|" CoverDir (the dialog's copy of a loaded picture, the export
  // last), "|" what the user is told; and the file whose bytes the export holds.
  const struct {
    const char* name;
    std::function<void()> before;
    std::optional<int> type;
    const char *entries, *state;
    std::string sameAs;
  } rows[] = {
      {"export the front cover", {}, 3, "E", "3F 4F 3F shown 3 | song.jpg", front},
      {"export the back cover", {}, 4, "E", "3F 4F 3F shown 3 | song.png", back},
      {"an earlier export stays",
       [&] { ::mkdir(values.CoverDir.c_str(), 0755), support::WriteFileBytes(values.CoverDir + "song.jpg", "an export made before"); },
       3, "E", "3F 4F 3F shown 3 | song.jpg", older},
      {"changed by another program", [&] { tag(back + "|" + front, "3|4"); }, 3, "E", "3F 4F 3F shown 3 | song.png", back},
      {"a frame the file lost", [&] { tag(back, "3"); }, 4, "E", "3F 4F 3F shown 3 | | Das Bild ist nicht mehr vorhanden.", ""},
      {"load replaces the first", {}, 3, "LE", "3C 4F 3F shown 2 | chosen.png song.png", chosen},
      {"load adds a type", {}, 5, "LE", "3F 4F 3F 5C shown 3 | chosen.png song.png", chosen},
      {"load without a type", {}, std::nullopt, "L", "3F 4F 3F shown 3 | chosen.png", ""},
      {"delete empties the first", {}, 3, "DE", "3- 4F 3F 2 |", ""},
      {"delete, none of the type", {}, 6, "D", "3F 4F 3F 3 |", ""},
      {"delete without a type", {}, std::nullopt, "D", "3F 4F 3F shown 3 |", ""},
  };
  showWindow();
  for (const auto& row : rows) {
    SCOPED_TRACE(row.name);
    for (const std::string& name : support::FolderEntries(values.CoverDir)) std::remove((values.CoverDir + name).c_str());
    support::WriteFileBytes(song, formats::SilentMpegFrames(4));
    tag(front + "|" + back + "|" + second, "3|4|3");
    shown.read(song, {}, {});
    shown.copyPicturesForShowing(copies, {});
    ASSERT_TRUE(cover.showPicture(QString::fromStdString(shown.PictureList().at(1).FileName)));
    if (row.before) row.before();
    dialogs.shown.clear();
    type = row.type;
    for (const char entry : std::string(row.entries)) {
      cover.activateWindow();  // the dialog of a load was in front
      ASSERT_TRUE(QTest::qWaitForWindowActive(&cover));
      entry == 'L'   ? load()
      : entry == 'D' ? Trigger(cover, "mnuPicDel", "Bild löschen...")
                     : Trigger(cover, "mnuExport", "Bild exportieren");
    }
    std::string state;
    for (std::size_t i = 1; i < shown.PictureList().size(); ++i)
      state += std::to_string(shown.PictureList()[i].PicType) + "FC-"[int(tagging::SourceOf(shown.PictureList()[i]))] + " ";
    state += (cover.hasPicture() ? "shown " : "") + std::to_string(support::FolderEntries(copies).size()) + " |";
    const Names exported = support::FolderEntries(values.CoverDir);
    for (const std::string& name : exported) state += " " + name;
    for (const auto& message : dialogs.shown)  // never nothing without a word, in front of the window
      state += " | " + message.text.toStdString() + (message.owner == &cover ? "" : " (elsewhere)");
    EXPECT_EQ(state, row.state);
    EXPECT_TRUE(row.sameAs.empty() ||
                support::ReadFileBytes(values.CoverDir + exported.back()) == support::ReadFileBytes(row.sameAs));
  }
}

}  // namespace
