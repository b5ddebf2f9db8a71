// The working modes and the batch panel: the mode options, the panel's settings (the
// detection lists with their previews, the separator, the skip count, the merge and
// play-order options) and the batch button: file names to tags (mode 1), tags to file
// names (mode 2), or the album merge, each a run; in the play-order mode the files in
// their new order are also written as the playlist "<folder name>.m3u8". The widgets
// are read when the run starts and written when it ends; the files are read and written
// by the tagging jobs on the run's worker.
#pragma once
#include <string>
#include <vector>

#include "tagging/BatchNames.h"
#include "tagging/BatchResult.h"

class QListWidget;
class QWidget;

namespace formats {
struct FormatEnv;
}
namespace tagging {
class JournalRun;
}

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
    QWidget* picTags = nullptr;
    QWidget* picTags2 = nullptr;
    QWidget* picBatch = nullptr;
    QWidget* picRemoveTags = nullptr;
  };
  BatchController(Tagger& window, const Controls& controls);

  // The checked optTagEdit: 0 normal, 1 file name to tags, 2 tags to file name.
  int Mode() const;
  void optTagEdit_Click(int index);
  // Start-up preparation: the field-order lists, and the drag-and-drop option beside the
  // skip option.
  void FillFieldOrderLists();
  void AlignDragDropOption();
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
  // Whether the play order's playlist may be written (an older one is replaced only when
  // the user agrees), and its writing for the files in order, on the run's worker (false
  // when it could not be written).
  bool playlistWanted(std::string& path, bool& replace);
  static bool writePlaylist(const std::string& path, bool replace, const std::vector<tagging::FileOutcome>& order,
                            tagging::JournalRun& run, const formats::FormatEnv& env);

  Tagger& window_;
  Controls c_;
};

}  // namespace mainwindow
