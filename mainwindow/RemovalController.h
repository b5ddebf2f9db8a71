// The removal panel picRemoveTags: opened over picTags with the "X" box there, closed with
// its twin, and the removal run over the selected files.
#pragma once

class QComboBox;
class QPushButton;
class QWidget;

namespace mainwindow {

class FileListBox;
class Tagger;
struct BatchControls;

class RemovalController {
 public:
  struct Controls {
    BatchControls* batch = nullptr;  // the "X" boxes and the optRem options
    QWidget* picTags = nullptr;
    QWidget* picRemoveTags = nullptr;
    QPushButton* cmdRemoveTags = nullptr;
    QComboBox* cboPictureType = nullptr;
    FileListBox* lstFiles = nullptr;
  };
  RemovalController(Tagger& window, const Controls& controls);

  void chkRemoveTag_Click(int index);
  // Starts the removal run over the selected files (after the question for several).
  void cmdRemoveTags_Click();

 private:
  Tagger& window_;
  Controls c_;
};

}  // namespace mainwindow
