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

TEST(ShowMessageTest, KindsOneToFourShowTheirIconAndAnEmptyTitleBecomesTheAppTitle) {
  const std::pair<int, const char*> cases[] = {{1, "Löschen"}, {2, ""}, {3, "Löschen"}, {4, ""}, {0, "Löschen"}, {5, ""}};
  for (const auto& [kind, given] : cases) {
    core::ScriptedDialogService dialogs;
    QString title = QString::fromUtf8(given);
    const QString expected = title.isEmpty() ? AppTitle : title;
    core::ShowMessage(dialogs, QStringLiteral("Text"), kind, title, AppTitle);
    EXPECT_EQ(title, expected) << kind;  // filled in place, shown or not
    const bool shown = kind >= 1 && kind <= 4;
    ASSERT_EQ(dialogs.shown.size(), shown ? 1u : 0u) << kind;
    if (shown) {
      EXPECT_EQ(static_cast<int>(dialogs.shown[0].kind), kind);
      EXPECT_EQ(dialogs.shown[0].text + QLatin1Char('|') + dialogs.shown[0].title, QStringLiteral("Text|") + expected);
    }
  }
}

// Answers the message box the service opens next with a button, and describes the box.
void AnswerNextBox(QMessageBox::StandardButton press, QString& seen) {
  auto* timer = new QTimer(qApp);
  QObject::connect(timer, &QTimer::timeout, [timer, press, &seen] {
    auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
    if (box == nullptr) return;
    timer->deleteLater();
    timer->stop();
    seen = QStringLiteral("%1 %2 %3 %4").arg(int{box->icon()}).arg(box->windowTitle(), box->text()).arg(box->standardButtons().toInt());
    box->button(press) != nullptr ? box->button(press)->click() : box->reject();
  });
  timer->start(10);
}

TEST(QtDialogServiceTest, BoxesCarryIconTitleAndButtonsAndReturnThePressedOne) {
  const struct {
    core::MessageKind kind;
    QMessageBox::Icon icon;
    QMessageBox::StandardButton press;  // Ok: message(); Yes or No: question()
  } cases[] = {
      {core::MessageKind::Information, QMessageBox::Information, QMessageBox::Ok},
      {core::MessageKind::Exclamation, QMessageBox::Warning, QMessageBox::Ok},
      {core::MessageKind::Critical, QMessageBox::Critical, QMessageBox::Ok},
      {core::MessageKind::Question, QMessageBox::Question, QMessageBox::Yes},
      {core::MessageKind::Question, QMessageBox::Question, QMessageBox::No},
  };
  core::QtDialogService dialogs;
  for (const auto& c : cases) {
    QString seen;
    AnswerNextBox(c.press, seen);
    int buttons = QMessageBox::Ok;
    if (c.press == QMessageBox::Ok) {
      dialogs.message(QStringLiteral("Datei fehlt"), c.kind, AppTitle);
    } else {
      buttons = QMessageBox::Yes | QMessageBox::No;
      EXPECT_EQ(dialogs.question(QStringLiteral("Datei fehlt"), AppTitle),
                c.press == QMessageBox::Yes ? core::Answer::Yes : core::Answer::No);
    }
    EXPECT_EQ(seen, QStringLiteral("%1 %2 Datei fehlt %3").arg(int{c.icon}).arg(AppTitle).arg(buttons));
  }
}

// The commands a play and a stop send; the Qt control takes the path between the quotes of
// an open command and forgets it on close.
TEST(QtMediaControlTest, CommandsAndTheOpenedPath) {
  const QString path = QStringLiteral("/Musik/Grüße aus Köln/say \"hi\".mp3");
  core::RecordingMediaControl recorded;
  core::PlayFile(recorded, path);
  core::StopPlaying(recorded);
  EXPECT_EQ(recorded.commands,
            (QStringList{QStringLiteral("stop mpeg"), QStringLiteral("close mpeg"),
                         QStringLiteral("open \"") + path + QStringLiteral("\" type MPEGVideo Alias mpeg"),
                         QStringLiteral("play mpeg"), QStringLiteral("stop mpeg"), QStringLiteral("close mpeg")}));
  const std::pair<QString, QString> cases[] = {
      {QStringLiteral("OPEN \"/Grüße/ä b.mp3\" TYPE mpegvideo ALIAS MPEG"), QStringLiteral("/Grüße/ä b.mp3")},
      {QStringLiteral("open \"/x/say \"hi\".mp3\" type MPEGVideo Alias mpeg"), QStringLiteral("/x/say \"hi\".mp3")},
      {QStringLiteral("open /a/b.mp3 type MPEGVideo Alias mpeg"), QString()},  // no quotes: not a command
      {QStringLiteral("open \"/a/b.mp3\" type WaveAudio Alias mpeg"), QString()},
  };
  for (const auto& [command, opened] : cases) {
    core::QtMediaControl media;
    media.send(command);
    EXPECT_EQ(media.openedPath(), opened) << command.toStdString();
    for (const char* other : {"", "stop mpeg"}) media.send(QString::fromLatin1(other));
    EXPECT_EQ(media.openedPath(), opened) << "changed by a command other than close";
    media.send(QStringLiteral("close mpeg"));
    EXPECT_EQ(media.openedPath(), QString());
  }
}

// No sound device here: the file is handed to the player all the same, a missing file
// is no error, and either is stopped and let go.
TEST(QtMediaControlTest, HandsTheFileToThePlayerAndStopsIt) {
  support::TempDir dir;
  const std::string path = dir / "Stille – ein Lied.mp3";
  ASSERT_TRUE(support::WriteFileBytes(path, formats::SilentMpegFrames(40)));
  core::QtMediaControl media;
  for (const QString& played : {QString::fromStdString(path), QString::fromStdString(dir / "missing.mp3")}) {
    core::PlayFile(media, played);
    EXPECT_EQ(media.player().source(), QUrl::fromLocalFile(played));
    QTest::qWait(200);  // let the player start (or fail quietly for want of a device)
    core::PlayFile(media, played);  // a second play while the first may still run
    core::StopPlaying(media);
    EXPECT_EQ(media.player().source(), QUrl());
    EXPECT_EQ(media.player().playbackState(), QMediaPlayer::StoppedState);
  }
  core::PlayFile(media, QString::fromStdString(dir / "missing.mp3"));
  QTest::qWait(100);
  // The control is destroyed while a file is open; that must be clean too.
}

TEST(WindowTest, CenteredRectAndTwipsArithmetic) {
  // top = round(height * 0.95) \ 2 - window height \ 2; left = width \ 2 - window width \ 2; never below 0
  const struct {
    QSize screen, window;
    QPoint topLeft;
  } cases[] = {
      {{1920, 1080}, {800, 600}, {560, 213}},  // 513 - 300
      {{1024, 768}, {1123, 598}, {0, 66}},     // round(729.6) = 730: 365 - 299; 512 - 561 < 0
      {{1023, 767}, {101, 51}, {461, 339}},    // round(728.65) = 729: 364 - 25; 511 - 50
  };
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
  const struct {
    bool shown, before;
    int flag;  // 2: KeepOnTop
    bool after;
  } cases[] = {{false, false, -1, true}, {true, true, 0, false}, {true, false, 1, false}, {true, false, 2, true}};
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
