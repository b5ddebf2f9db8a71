// The controls of the working modes, the batch panel picBatch and the removal panel
// picRemoveTags. The widgets belong to their panels; this record only points at them.
#pragma once
#include <QString>
#include <array>

#include "tagging/BatchNames.h"

class QCheckBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;
class QRadioButton;
class QWidget;

namespace mainwindow {

// The preview of a detection list, "  Interpret - Titel.mp3  ", with the words in the
// interface language.
QString ShownDetectPattern(const tagging::DetectList& words, const QString& separator);

struct BatchControls {
  // The mode options stay reachable in every mode, so they sit above the file list.
  QWidget* picOptions = nullptr;
  std::array<QRadioButton*, 3> optTagEdit{};

  // picBatch.
  QLineEdit* txtSeparator = nullptr;
  QPushButton* cmdNew = nullptr;
  std::array<QCheckBox*, 4> chkDetect{};
  std::array<QListWidget*, 2> lstDetect{};  // (1) and (2); hidden: the previews show them
  std::array<QLabel*, 2> lblDetect{};       // (1) and (2)
  QCheckBox* chkIgnore = nullptr;
  QLineEdit* txtIgnore = nullptr;
  QCheckBox* chkNoTagOnly = nullptr;
  QCheckBox* chkMerge = nullptr;
  QCheckBox* chkDragDrop = nullptr;
  QPushButton* cmdAllFiles1 = nullptr;  // cmdAllFiles(1)
  QPushButton* cmdBatch = nullptr;

  // The removal panel and its opener on picTags.
  std::array<QCheckBox*, 2> chkRemoveTag{};
  std::array<QRadioButton*, 4> optRem{};
  QPushButton* cmdAllFiles2 = nullptr;  // cmdAllFiles(2)
};

}  // namespace mainwindow
