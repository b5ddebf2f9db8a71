// lstFiles: the list of the folder's MP3 files, several selectable. Each entry shows the
// file name and keeps its native bytes. The list reports what the user did; the main
// window decides what follows.
#pragma once
#include <QList>
#include <QListWidget>
#include <QUrl>
#include <string>

namespace mainwindow {

class FileListBox : public QListWidget {
  Q_OBJECT
 public:
  explicit FileListBox(QWidget* parent = nullptr);

  void addName(const std::string& name);
  // The file name of entry row (native bytes); empty for no such row.
  std::string nameAt(int row) const;
  int selectedCount() const;

 signals:
  // A click, or a keyboard move that changed the selection.
  void clickedByUser();
  void doubleClickedByUser();
  void deletePressed();
  void selectAllPressed();
  void rightButtonPressed(const QPoint& globalPos);
  void urlsDropped(const QList<QUrl>& urls);

 protected:
  void mousePressEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void mouseDoubleClickEvent(QMouseEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
  void dragEnterEvent(QDragEnterEvent* event) override;
  void dragMoveEvent(QDragMoveEvent* event) override;
  void dropEvent(QDropEvent* event) override;

 private:
  QList<int> selectedRows() const;

  bool releaseEndsDoubleClick_ = false;
  bool pressedOnEntry_ = false;
};

}  // namespace mainwindow
