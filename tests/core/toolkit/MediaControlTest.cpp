#include "core/toolkit/MediaControl.h"

#include <QMediaPlayer>
#include <QTest>
#include <QUrl>

#include "formats/SilentMpeg.h"
#include "support/FileHelpers.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

namespace {

TEST(PlaybackCommandsTest, PlayFileAndStopPlayingSendTheirCommands) {
  const QString path = QStringLiteral("/Musik/Grüße aus Köln/say \"hi\".mp3");
  core::RecordingMediaControl media;
  core::PlayFile(media, path);
  core::StopPlaying(media);
  EXPECT_EQ(media.commands,
            (QStringList{QStringLiteral("stop mpeg"), QStringLiteral("close mpeg"),
                         QStringLiteral("open \"") + path + QStringLiteral("\" type MPEGVideo Alias mpeg"),
                         QStringLiteral("play mpeg"), QStringLiteral("stop mpeg"), QStringLiteral("close mpeg")}));
}

TEST(QtMediaControlTest, OpenTakesThePathBetweenTheQuotesAndCloseForgetsIt) {
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

}  // namespace
