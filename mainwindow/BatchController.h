// The batch panel: its settings (the detection lists with their previews, the separator,
// the skip count, the merge and play-order options) and the batch button: file names to
// tags (mode 1), tags to file names (mode 2), or the album merge, each a run. The widgets
// are read when the run starts and written when it ends; the files are read and written
// by the tagging jobs on the run's worker.
#pragma once
#include "tagging/BatchNames.h"

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

  // The detection list k (1: file name to tags, 2: tags to file name) as words.
  tagging::DetectList detectList(int k) const;
  void ShowDetectPattern(int k);
  void chkDetect_Click(int index);
  void cmdNew_Click();
  void txtSeparator_Change();
  void txtSeparator_DblClick();
  void txtIgnore_KeyPress(int& keyAscii);
  void chkDragDrop_Click();
  void chkMerge_Click();

 private:
  Tagger& window_;
  Controls c_;
};

}  // namespace mainwindow
