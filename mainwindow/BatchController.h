// The batch button: file names to tags (mode 1), tags to file names (mode 2), or the
// album merge, each a run. The widgets are read when the run starts and written when it
// ends; the files are read and written by the tagging jobs on the run's worker.
#pragma once

class QListWidget;

namespace mainwindow {

class FileListBox;
class Tagger;
struct BatchControls;

class BatchController {
 public:
  struct Controls {
    BatchControls* batch = nullptr;
    FileListBox* lstFiles = nullptr;
    QListWidget* lstSortFiles = nullptr;
  };
  BatchController(Tagger& window, const Controls& controls);

  // Starts the run of the chosen mode (after the question when fields are held).
  void cmdBatch_Click();

 private:
  Tagger& window_;
  Controls c_;
};

}  // namespace mainwindow
