// lstFiles: the list of the folder's MP3 files, several selectable. Each entry shows the
// file name and keeps its native bytes. The list reports what the user did; the main
// window decides what follows.
#pragma once
#include <QList>
#include <QListWidget>
#include <QUrl>
#include <string>
#include <vector>

namespace mainwindow {

// Fills a list with file names, each entry keeping its native bytes (Qt::UserRole), and
// lays it out in batches between events: a folder of 30,000 files fills without holding
// the window up.
void FillNameList(QListWidget* list, const std::vector<std::string>& names);

class FileListBox : public QListWidget {
  Q_OBJECT
 public:
  explicit FileListBox(QWidget* parent = nullptr);

  // The list holds these names, in this order, and nothing else.
  void setNames(const std::vector<std::string>& names) { FillNameList(this, names); }
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
