#include "core/toolkit/MediaControl.h"

#include <QAudioOutput>
#include <QMediaPlayer>
#include <QRegularExpression>
#include <QUrl>

namespace core {

namespace {

// The command words are matched regardless of case, as the media control interface does.
const QRegularExpression& OpenCommand() {
  // The path runs to the last double quote that the fixed tail follows, so a quote
  // inside a POSIX file name does not cut it short.
  static const QRegularExpression pattern(
      QString::fromLatin1(R"re(^open\s+"(.*)"\s+type\s+mpegvideo\s+alias\s+mpeg$)re"),
      QRegularExpression::CaseInsensitiveOption | QRegularExpression::DotMatchesEverythingOption);
  return pattern;
}

bool IsCommand(const QString& command, const char* expected) {
  return command.compare(QLatin1String(expected), Qt::CaseInsensitive) == 0;
}

}  // namespace

QtMediaControl::QtMediaControl()
    : player_(std::make_unique<QMediaPlayer>()), output_(std::make_unique<QAudioOutput>()) {
  player_->setAudioOutput(output_.get());
  // Errors (no sound device, a file the decoder refuses) are signalled by the player
  // and ignored here: the file simply stays silent.
}

QtMediaControl::~QtMediaControl() {
  player_->stop();
  player_->setAudioOutput(nullptr);
}

void QtMediaControl::send(const QString& command) {
  const QString text = command.trimmed();
  if (IsCommand(text, "stop mpeg")) {
    player_->stop();
  } else if (IsCommand(text, "close mpeg")) {
    player_->stop();
    player_->setSource(QUrl());
    path_.clear();
  } else if (IsCommand(text, "play mpeg")) {
    if (!path_.isEmpty()) player_->play();
  } else if (const auto match = OpenCommand().match(text); match.hasMatch()) {
    path_ = match.captured(1);
    player_->setSource(QUrl::fromLocalFile(path_));
  }
  // Any other command is not one of ours and does nothing.
}

void PlayFile(MediaControl& media, const QString& path) {
  media.send(QStringLiteral("stop mpeg"));
  media.send(QStringLiteral("close mpeg"));
  media.send(QStringLiteral("open \"") + path + QStringLiteral("\" type MPEGVideo Alias mpeg"));
  media.send(QStringLiteral("play mpeg"));
}

void StopPlaying(MediaControl& media) {
  media.send(QStringLiteral("stop mpeg"));
  media.send(QStringLiteral("close mpeg"));
}

}  // namespace core
