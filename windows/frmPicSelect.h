// The picture selection dialog: drive, folder and file lists, a preview, and the two
// buttons. Its outcome goes into PicSelectState and ChosenPicture; an accepted picture
// is also copied into CoverDir (never over a file that lies there).
#pragma once
#include <QDialog>
#include <functional>
#include <string>

class QComboBox;
class QListWidget;
class QPushButton;

namespace core {
struct AppValues;
}

namespace windows {

class CoverPicture;

// Whether a file name is one of the pictures the dialog lists (letter case ignored).
bool IsPictureFileName(const std::string& name);

class frmPicSelect : public QDialog {
  Q_OBJECT
 public:
  frmPicSelect(core::AppValues& values, std::function<void()> yield, QWidget* parent = nullptr);
  // Points Dir1 (and with it File1) at the folder; false when it is no folder.
  bool setFolder(const std::string& folder);
  const std::string& folder() const { return folder_; }
  void Command1_Click();
  void Command2_Click();

 private:
  void fillDrives();
  void fillFiles();
  void selectFile(const std::string& name);
  void File1_Click();
  std::string selectedFile() const;

  core::AppValues& values_;
  std::string folder_;
  QComboBox* Drive1_;
  QListWidget* Dir1_;
  QListWidget* File1_;
  CoverPicture* imgPreview_;
  QPushButton* Command1_;
  QPushButton* Command2_;
};

}  // namespace windows
