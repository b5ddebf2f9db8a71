// The cover window: shows one picture of the file on show, or "No Cover Image".
// Closing it only hides it. Its context menu mnuPop holds the picture commands.
#pragma once
#include <QString>
#include <QWidget>
#include <functional>

class QAction;
class QLabel;
class QMenu;

namespace core {
struct AppValues;
}

namespace windows {

class CoverPicture;

class frmCover : public QWidget {
  Q_OBJECT
 public:
  // values: the shared picture list and folders, for the picture commands.
  // yield lets pending events run (it is handed to SetOnTop); it may be empty.
  frmCover(core::AppValues& values, std::function<void()> yield, QWidget* parent = nullptr);

  // Shows the picture file in picCover. A file that cannot be shown (missing, not a
  // picture, a WMF file) leaves the window empty with "No Cover Image"; returns
  // whether a picture is shown.
  bool showPicture(const QString& path);
  void clearPicture();
  bool hasPicture() const;
  // The file on show, empty when there is none.
  QString picturePath() const;

  QMenu* mnuPop() const { return mnuPop_; }

 signals:
  // The user asked to close the window; it has been hidden instead.
  void hiddenByUser();

 protected:
  void resizeEvent(QResizeEvent* event) override;
  void closeEvent(QCloseEvent* event) override;

 private:
  QAction* addEntry(const char* name, const QString& caption);
  void showInfo();

  core::AppValues& values_;  // used by the picture commands of the menu
  CoverPicture* picCover_;
  QLabel* lblInfo_;
  QMenu* mnuPop_;
};

}  // namespace windows
