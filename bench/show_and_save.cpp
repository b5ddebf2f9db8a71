// The editor on a 10 MB file with three cover pictures: the time from a click on the file
// to the filled fields (both tags read, the pictures made ready as files, the chosen one
// shown in the cover window), and the time of saving the fields into the file (both tags
// in one pass through a flushed work file) beside cp and cp + sync of the same file.
//
//   show_and_save [runs, default 10]
#include <QCoreApplication>
#include <QApplication>
#include <QImage>
#include <QLinearGradient>
#include <QListWidget>
#include <QPainter>
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "BenchSupport.h"
#include "core/AppValues.h"
#include "core/toolkit/Dialogs.h"
#include "core/toolkit/MediaControl.h"
#include "formats/ID3V111.h"
#include "formats/ID3V230Writer.h"
#include "formats/SilentMpeg.h"
#include "mainwindow/EditingController.h"
#include "mainwindow/Tagger.h"
#include "windows/frmCover.h"

namespace {

// A cover-sized JPEG picture, so that showing it costs what a real one does.
bool writePicture(const std::string& path, const QColor& colour) {
  QImage image(600, 600, QImage::Format_RGB32);
  QPainter painter(&image);
  QLinearGradient gradient(0, 0, 600, 600);
  gradient.setColorAt(0, colour);
  gradient.setColorAt(1, Qt::black);
  painter.fillRect(image.rect(), gradient);
  painter.end();
  return image.save(QString::fromStdString(path), "JPG", 90);
}

bool writeSong(const std::string& path, const std::string& audio, const std::string& pictures, int number) {
  if (!bench::WriteBytes(path, audio)) return false;
  formats::clsID3V111Writer v1;
  v1.setSongTitle("Song " + std::to_string(number));
  v1.setArtist("Artist");
  v1.setAlbum("Album");
  v1.WriteID3V111Tag(path);
  formats::clsID3V230Writer v2;
  v2.setSongTitle("Song " + std::to_string(number) + " with a longer title");
  v2.setArtist("Artist");
  v2.setAlbum("Album");
  v2.setLyrics("Line one\r\nLine two");
  v2.setGraphic(pictures);
  v2.setGraphicType("3|4|8");
  v2.setGraphicTitle("Front|Back|Artist");
  return static_cast<bool>(v2.WriteID3V230Tag(path));
}

double median(std::vector<double> times) {
  std::sort(times.begin(), times.end());
  return times[times.size() / 2];
}

}  // namespace

int main(int argc, char** argv) {
  qputenv("QT_QPA_PLATFORM", qgetenv("QT_QPA_PLATFORM").isEmpty() ? QByteArray("offscreen") : qgetenv("QT_QPA_PLATFORM"));
  QApplication application(argc, argv);
  const int runs = argc > 1 ? std::max(1, std::atoi(argv[1])) : 10;
  bench::ScratchFolder folder;
  if (!folder.ok()) return 1;
  const std::string music = folder.path() + "/music/", work = folder.path() + "/work/";
  std::filesystem::create_directories(music);
  std::filesystem::create_directories(work);

  std::string pictures;
  const QColor colours[] = {Qt::red, Qt::green, Qt::blue};
  for (int i = 0; i < 3; ++i) {
    const std::string picture = folder.file("picture" + std::to_string(i) + ".jpg");
    if (!writePicture(picture, colours[i])) return 1;
    pictures += (i > 0 ? "|" : "") + picture;
  }
  const std::string frame = formats::SilentMpegFrames(1);
  const std::string audio = formats::SilentMpegFrames(static_cast<int>(10000000 / frame.size()) + 1);
  // Two such files: each click deletes the pictures of the file shown before.
  for (int i = 0; i < 2; ++i) {
    if (!writeSong(music + "song" + std::to_string(i) + ".mp3", audio, pictures, i)) return 1;
  }

  core::AppValues values;
  values.AppPath = folder.path() + "/";
  values.TempDir = work;
  values.TempCoverBase = work + "cover";
  core::ScriptedDialogService dialogs;
  core::RecordingMediaControl media;
  mainwindow::Tagger window(values, dialogs, media, std::function<void()>());
  window.editing().FillGenres();
  window.editing().FillPictureTypes();
  window.editing().ClearFileInfo();
  windows::frmCover cover(values, dialogs, std::function<void()>());
  window.editing().setCoverWindow(&cover);
  window.show();
  if (!window.SetFolder(music, true)) return 1;
  auto* files = window.findChild<QListWidget*>(QStringLiteral("lstFiles"));
  if (files == nullptr || files->count() != 2) return 1;

  std::vector<double> show, save, cp, cpSync;
  const std::string copy = folder.file("copy.mp3");
  for (int run = 0; run < runs; ++run) {
    const int row = run % 2;
    files->clearSelection();
    files->setCurrentRow(row);
    auto start = std::chrono::steady_clock::now();
    window.lstFiles_Click();
    show.push_back(bench::SecondsSince(start));
    if (window.editing().model().PictureList().size() != 4 || !cover.hasPicture()) {
      std::fprintf(stderr, "the pictures were not made ready\n");
      return 1;
    }

    start = std::chrono::steady_clock::now();
    // The save of the file on show, as the button starts it: a run on the worker.
    bool ended = false;
    formats::Status saved;
    window.editing().StartSaveOfShownFile(values.CurrentFile, [&](const formats::Status& status) {
      saved = status;
      ended = true;
    });
    while (!ended) QCoreApplication::processEvents(QEventLoop::AllEvents, 1);
    if (!saved) {
      std::fprintf(stderr, "the save failed\n");
      return 1;
    }
    save.push_back(bench::SecondsSince(start));
    std::remove(copy.c_str());
    cp.push_back(bench::TimeCommand("cp " + bench::ShellQuoted(values.CurrentFile) + " " + bench::ShellQuoted(copy)));
    std::remove(copy.c_str());
    cpSync.push_back(bench::TimeCommand("cp " + bench::ShellQuoted(values.CurrentFile) + " " + bench::ShellQuoted(copy) + " && sync " + bench::ShellQuoted(copy)));
  }

  const auto size = std::filesystem::file_size(values.CurrentFile);
  std::printf("file of %ju bytes with three pictures, %d runs, best / median:\n", static_cast<std::uintmax_t>(size),
              runs);
  std::printf("  click to filled fields (ShowFileInfo): %8.2f / %8.2f ms\n", *std::min_element(show.begin(), show.end()) * 1000,
              median(show) * 1000);
  std::printf("  save of the file on show (a run):       %8.2f / %8.2f ms\n", *std::min_element(save.begin(), save.end()) * 1000,
              median(save) * 1000);
  std::printf("  cp:                                    %8.2f / %8.2f ms\n", *std::min_element(cp.begin(), cp.end()) * 1000,
              median(cp) * 1000);
  std::printf("  cp && sync copy:                       %8.2f / %8.2f ms\n",
              *std::min_element(cpSync.begin(), cpSync.end()) * 1000, median(cpSync) * 1000);
  return 0;
}
