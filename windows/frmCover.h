// The cover window: shows one picture of the file on show, or "No Cover Image".
// Closing it only hides it. Its context menu mnuPop holds the picture commands.
#pragma once
#include <QString>
#include <QWidget>
#include <functional>
#include <optional>
#include <string>

class QAction;
class QLabel;
class QMenu;

namespace core {
struct AppValues;
struct PictureRecord;
class DialogService;
}  // namespace core

namespace tagging {
class ShownFile;
}  // namespace tagging

namespace windows {

class CoverPicture;

class frmCover : public QWidget {
  Q_OBJECT
 public:
  // values: the folders and the picture choice, for the picture commands; dialogs: their
  // messages. yield lets pending events run (it is handed to SetOnTop); it may be empty.
  frmCover(core::AppValues& values, core::DialogService& dialogs, std::function<void()> yield,
           QWidget* parent = nullptr);

  // Shows the picture file in picCover. A file that cannot be shown (missing, not a
  // picture, a WMF file) leaves the window empty with "No Cover Image"; returns
  // whether a picture is shown.
  bool showPicture(const QString& path);
  void clearPicture();
  bool hasPicture() const;
  // The file on show, empty when there is none.
  QString picturePath() const;

  QMenu* mnuPop() const { return mnuPop_; }
  // The picture type chosen in the main window's cboPictureType; none when its text is
  // empty. The picture commands work on the pictures of that type.
  void setSelectedType(std::function<std::optional<int>()> selectedType) { selectedType_ = std::move(selectedType); }
  // The file on show, whose pictures the commands change; without one they do nothing.
  void setShownFile(tagging::ShownFile* shown) { shown_ = shown; }

  void mnuPicLoad_Click();
  void mnuPicDel_Click();
  void mnuExport_Click();

 signals:
  // The user asked to close the window; it has been hidden instead.
  void hiddenByUser();

 protected:
  void resizeEvent(QResizeEvent* event) override;
  void closeEvent(QCloseEvent* event) override;

 private:
  QAction* addEntry(const char* name, const QString& caption);
  void showInfo();

  std::optional<int> selectedType() const;
  // Writes the picture's bytes to the export target; false when there were none to write.
  bool exportPicture(const core::PictureRecord& record, int type, const std::string& target);

  core::AppValues& values_;  // used by the picture commands of the menu
  core::DialogService& dialogs_;
  std::function<void()> yield_;
  std::function<std::optional<int>()> selectedType_;
  tagging::ShownFile* shown_ = nullptr;
  CoverPicture* picCover_;
  QLabel* lblInfo_;
  QMenu* mnuPop_;
};

}  // namespace windows
