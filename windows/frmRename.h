// The rename dialog: the file on show gets the name typed in txtFileName, with ".mp3".
// A rename never replaces another file; one that cannot be done says why and the
// dialog stays open, so that the name can be corrected.
#pragma once
#include <QWidget>
#include <functional>
#include <string>

class QLabel;
class QLineEdit;
class QPushButton;

namespace core {
struct AppValues;
class DialogService;
}  // namespace core
namespace formats {
class FileSystem;
}

namespace windows {

// Where the controls go for a client width in twips; a negative value is not applied.
struct RenameLayout {
  double txtFileNameWidth, lblMP3Left, cmdCancelLeft, cmdRenameLeft;
};
RenameLayout RenameLayoutFor(double clientWidth);
constexpr double RenameWindowHeight = 1770;

// Why a typed name cannot be a file name, in the interface language; empty when it can.
QString RenameRefusal(const std::string& name);

class frmRename : public QWidget {
  Q_OBJECT
 public:
  // refreshList: what the main window's cmdRefresh does, run after a rename.
  frmRename(core::AppValues& values, core::DialogService& dialogs, formats::FileSystem& fs,
            std::function<void()> yield, std::function<void()> refreshList, QWidget* parent = nullptr);
  void setFileName(const QString& name);
  void cmdRename_Click();

 protected:
  void resizeEvent(QResizeEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;

 private:
  // The reason the rename failed, empty when it was done.
  QString renameFile(const std::string& name);

  core::AppValues& values_;
  core::DialogService& dialogs_;
  formats::FileSystem& fs_;
  std::function<void()> yield_;
  std::function<void()> refreshList_;
  QLineEdit* txtFileName_;
  QLabel* lblMP3_;
  QPushButton* cmdRename_;
  QPushButton* cmdCancel_;
  bool fixingHeight_ = false;
};

}  // namespace windows
