// The Qt services under the windows: message boxes, playback commands, window geometry.
#include "core/toolkit/Dialogs.h"
#include "core/toolkit/MediaControl.h"
#include "core/toolkit/Translation.h"
#include "core/toolkit/Window.h"

#include <QAbstractButton>
#include <QApplication>
#include <QMediaPlayer>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <QUrl>
#include <QWidget>

#include "formats/SilentMpeg.h"
#include "support/FileHelpers.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

namespace {

const QString AppTitle = QStringLiteral("Quillmere Tonewright");

// Answers the next message box with a button while the timer lives, and describes the box.
std::unique_ptr<QTimer> AnswerNextBox(QMessageBox::StandardButton press, QString& seen) {
  auto timer = std::make_unique<QTimer>();
  QObject::connect(timer.get(), &QTimer::timeout, [timer = timer.get(), press, &seen] {
    auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
    if (box == nullptr) return;
    timer->stop();
    seen = QStringLiteral("%1 %2 %3 %4").arg(int{box->icon()}).arg(box->windowTitle(), box->text()).arg(box->standardButtons().toInt());
    box->button(press) != nullptr ? box->button(press)->click() : box->reject();
  });
  timer->start(10);
  return timer;
}

// Kinds one to four open a box with its icon, an empty title is the program's; a question returns the button.
TEST(DialogsTest, BoxesCarryIconTitleAndButtonsAndReturnThePressedOne) {
  // kind -1: question()
  const struct { int kind; const char* title; QMessageBox::Icon icon; QMessageBox::StandardButton press; } cases[] = {
      {1, "Löschen", QMessageBox::Information, QMessageBox::Ok}, {2, "", QMessageBox::Warning, QMessageBox::Ok},
      {3, "Löschen", QMessageBox::Critical, QMessageBox::Ok},    {4, "", QMessageBox::Question, QMessageBox::Ok},
      {0, "Löschen", QMessageBox::NoIcon, QMessageBox::Ok},      {5, "", QMessageBox::NoIcon, QMessageBox::Ok},  // no box
      {-1, "", QMessageBox::Question, QMessageBox::Yes},         {-1, "", QMessageBox::Question, QMessageBox::No}};
  core::QtDialogService dialogs;
  for (const auto& c : cases) {
    QString seen, title = QString::fromUtf8(c.title);
    const QString expected = title.isEmpty() ? AppTitle : title;
    const auto answering = AnswerNextBox(c.press, seen);
    if (c.kind >= 0) {
      core::ShowMessage(dialogs, QStringLiteral("Datei fehlt"), c.kind, title, AppTitle);
      EXPECT_EQ(title, expected) << c.kind;  // filled in place, shown or not
    } else {
      EXPECT_EQ(dialogs.question(QStringLiteral("Datei fehlt"), AppTitle),
                c.press == QMessageBox::Yes ? core::Answer::Yes : core::Answer::No);
    }
    const int buttons = c.kind < 0 ? QMessageBox::Yes | QMessageBox::No : QMessageBox::Ok;
    const QString box = QStringLiteral("%1 %2 Datei fehlt %3").arg(int{c.icon}).arg(expected).arg(buttons);
    EXPECT_EQ(seen, c.icon == QMessageBox::NoIcon ? QString() : box) << c.kind;
  }
}

// The commands of a play and a stop; the Qt control takes the quoted path of an open command, hands it to
// the player (no sound device here: a missing file is no error either) and lets both go on close or stop.
TEST(QtMediaControlTest, CommandsTheOpenedPathAndThePlayer) {
  support::TempDir dir;
  const QString path = QString::fromStdString(dir / "Grüße aus Köln – say \"hi\".mp3");
  ASSERT_TRUE(support::WriteFileBytes(path.toStdString(), formats::SilentMpegFrames(40)));
  core::RecordingMediaControl recorded;
  core::PlayFile(recorded, path);
  core::StopPlaying(recorded);
  EXPECT_EQ(recorded.commands, (QStringList{"stop mpeg", "close mpeg", "open \"" + path + "\" type MPEGVideo Alias mpeg",
                                            "play mpeg", "stop mpeg", "close mpeg"}));
  const std::pair<QString, QString> cases[] = {
      {"OPEN \"/Grüße/ä b.mp3\" TYPE mpegvideo ALIAS MPEG", "/Grüße/ä b.mp3"},
      {"open \"" + path + "\" type MPEGVideo Alias mpeg", path},
      {"open /a/b.mp3 type MPEGVideo Alias mpeg", ""},  // no quotes: not a command
      {"open \"/a/b.mp3\" type WaveAudio Alias mpeg", ""}};
  core::QtMediaControl media;
  for (const auto& [command, opened] : cases) {
    media.send(command);
    for (const char* other : {"", "stop mpeg"}) media.send(QString::fromLatin1(other));
    EXPECT_EQ(media.openedPath(), opened) << command.toStdString() << ": changed by a command other than close";
    media.send("play mpeg");
    EXPECT_EQ(media.player().source(), opened.isEmpty() ? QUrl() : QUrl::fromLocalFile(opened));
    QTest::qWait(100);  // let the player start (or fail quietly for want of a device)
    media.send("play mpeg");  // a second play while the first may still run
    media.send("close mpeg");
    EXPECT_EQ(media.openedPath() + media.player().source().toString(), QString());
    EXPECT_EQ(media.player().playbackState(), QMediaPlayer::StoppedState);
  }
  core::PlayFile(media, QString::fromStdString(dir / "missing.mp3"));
  QTest::qWait(100);  // the control is destroyed while a file is open; that must be clean too
}

TEST(WindowTest, CenteredRectAndTwipsArithmetic) {
  // top = round(height * 0.95) \ 2 - window height \ 2; left = width \ 2 - window width \ 2; never below 0
  const struct { QSize screen, window; QPoint topLeft; } cases[] = {
      {{1920, 1080}, {800, 600}, {560, 213}},  // 513 - 300
      {{1024, 768}, {1123, 598}, {0, 66}},     // round(729.6) = 730: 365 - 299; 512 - 561 < 0
      {{1023, 767}, {101, 51}, {461, 339}}};  // round(728.65) = 729: 364 - 25; 511 - 50
  for (const auto& c : cases) EXPECT_EQ(core::CenteredRect(c.screen, c.window), QRect(c.topLeft, c.window)) << c.screen.width();
  const std::pair<double, int> conversions[] = {{8970, 598}, {-150, -10}, {7.5, 0}, {22.5, 2}, {14, 1}, {1e30, INT_MAX}};
  for (const auto& [twips, pixels] : conversions) EXPECT_EQ(core::TwipsToPixels(twips), pixels) << twips;
  EXPECT_EQ(core::PixelsToTwips(598), 8970.0);
}

TEST(WindowTest, OuterBoundsRoundTripInTwipsAndHoldFromBeforeTheFirstShow) {
  for (const bool shownFirst : {true, false}) {
    QWidget window;
    if (shownFirst) window.show();
    core::SetOuterHeight(&window, 5250);
    core::SetOuterWidth(&window, 4620);
    core::SetOuterTop(&window, 1500);
    core::SetOuterLeft(&window, 3000);
    window.show();
    QCoreApplication::processEvents();
    const core::TwipsRect bounds = core::OuterBoundsTwips(&window);
    EXPECT_EQ(std::vector<double>({bounds.left, bounds.top, bounds.width, bounds.height}),
              std::vector<double>({3000, 1500, 4620, 5250}));
    EXPECT_EQ(window.frameGeometry(), QRect(200, 100, 308, 350)) << shownFirst;
  }
}

TEST(WindowTest, SetOnTopKeepsPlaceAndVisibilityAndYields) {
  // flag 2: KeepOnTop
  const struct { bool shown, before; int flag; bool after; } cases[] = {
      {false, false, -1, true}, {true, true, 0, false}, {true, false, 1, false}, {true, false, 2, true}};
  for (const auto& c : cases) {
    QWidget window;
    window.setWindowFlag(Qt::WindowStaysOnTopHint, c.before);
    window.setVisible(c.shown);
    const QPoint place = window.pos();
    int yields = 0;
    const auto yield = [&yields] { ++yields; };
    c.flag == 2 ? core::KeepOnTop(&window, yield) : core::SetOnTop(&window, c.flag, yield);
    EXPECT_EQ(window.windowFlags().testFlag(Qt::WindowStaysOnTopHint), c.after) << c.flag;
    EXPECT_TRUE(window.isVisible() == c.shown && window.pos() == place && yields == 1) << c.flag;
  }
}

// Index 1 is English, any other German; a kept caption follows the switch at once.
TEST(TranslationTest, TheIndexSwitchesKeptCaptionsAtOnce) {
  QPushButton button;
  core::SetCaption(&button, "windows::frmProgress", "Abbrechen");
  const std::pair<int, const char*> steps[] = {{1, "Cancel"}, {2, "Abbrechen"}, {1, "Cancel"}, {0, "Abbrechen"}};
  for (const auto& [index, caption] : steps) {
    ASSERT_TRUE(core::SetInterfaceLanguage(index));
    EXPECT_EQ(button.text() + QString::number(core::InterfaceLanguage()), caption + QString::number(index == 1)) << index;
  }
}

}  // namespace
