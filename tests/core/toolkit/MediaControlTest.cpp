#include "core/toolkit/MediaControl.h"

#include <QDir>
#include <QFile>
#include <QMediaPlayer>
#include <QUrl>
#include <QTemporaryDir>
#include <QTest>

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
  QTemporaryDir dir;
  ASSERT_TRUE(dir.isValid());
  const QString path = dir.filePath(QStringLiteral("Stille – ein Lied.mp3"));
  QFile file(path);
  // A second of silence: 40 MPEG-1 Layer III frames of 417 bytes (128 kbit/s, 44.1 kHz, mono), all zero but the header.
  const QByteArray frame = QByteArray::fromHex("FFFB90C4") + QByteArray(144 * 128000 / 44100 - 4, '\0');
  ASSERT_TRUE(file.open(QIODevice::WriteOnly) && file.write(frame.repeated(40)) > 0 && file.flush());
  core::QtMediaControl media;
  for (const QString& played : {path, dir.filePath(QStringLiteral("missing.mp3"))}) {
    core::PlayFile(media, played);
    EXPECT_EQ(media.player().source(), QUrl::fromLocalFile(played));
    QTest::qWait(200);  // let the player start (or fail quietly for want of a device)
    core::PlayFile(media, played);  // a second play while the first may still run
    core::StopPlaying(media);
    EXPECT_EQ(media.player().source(), QUrl());
    EXPECT_EQ(media.player().playbackState(), QMediaPlayer::StoppedState);
  }
  core::PlayFile(media, dir.filePath(QStringLiteral("missing.mp3")));
  QTest::qWait(100);
  // The control is destroyed while a file is open; that must be clean too.
}

}  // namespace
