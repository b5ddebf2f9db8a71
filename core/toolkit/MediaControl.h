// Playback through command strings: "stop mpeg", "close mpeg",
// open "<path>" type MPEGVideo Alias mpeg, "play mpeg". Only one file plays at a time.
#pragma once
#include <QString>
#include <QStringList>
#include <memory>

class QMediaPlayer;
class QAudioOutput;

namespace core {

class MediaControl {
 public:
  virtual ~MediaControl() = default;
  // Sends one command; the answer is never needed, so there is none.
  virtual void send(const QString& command) = 0;
};

// Drives QMediaPlayer. No sound device is no error: the file simply stays silent.
class QtMediaControl : public MediaControl {
 public:
  QtMediaControl();
  ~QtMediaControl() override;
  void send(const QString& command) override;
  QString openedPath() const { return path_; }
  // What the player was handed, for tests.
  const QMediaPlayer& player() const { return *player_; }

 private:
  std::unique_ptr<QMediaPlayer> player_;
  std::unique_ptr<QAudioOutput> output_;
  QString path_;
};

// For tests: records the commands.
class RecordingMediaControl : public MediaControl {
 public:
  void send(const QString& command) override { commands << command; }
  QStringList commands;
};

void PlayFile(MediaControl& media, const QString& path);
void StopPlaying(MediaControl& media);

}  // namespace core
