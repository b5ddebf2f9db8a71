// dirListe: the folder list. It shows the chain of folders from the root down to the
// current folder, then the current folder's sub-folders, each level indented. A click
// or Enter on a folder makes it the current one. Everything is read synchronously, so
// the list is settled as soon as a call returns.
#pragma once
#include <QList>
#include <QTreeWidget>
#include <QUrl>
#include <string>

namespace mainwindow {

class FolderTree : public QTreeWidget {
  Q_OBJECT
 public:
  explicit FolderTree(QWidget* parent = nullptr);

  // The current folder, absolute and normalised, without a trailing separator
  // (the root is "/"). Empty before the first setPath.
  const std::string& path() const { return path_; }
  // Goes to the folder and, when it differs from the current one and notify is set,
  // emits pathChanged. A path that is no existing folder changes nothing: false.
  bool setPath(const std::string& folder, bool notify = true);
  // Reads the sub-folders of the current folder again.
  void refresh();
  // The folder an entry stands for (native bytes).
  static std::string folderOf(const QTreeWidgetItem* item);
  // The entry of the current folder.
  QTreeWidgetItem* currentFolderItem() const { return currentFolderItem_; }

 signals:
  void pathChanged();
  // Every mouse button pressed on the list, before the list acts on it.
  void mousePressed(Qt::MouseButton button, const QPoint& globalPos);
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
  void rebuild();
  void goTo(const QTreeWidgetItem* item);

  std::string path_;
  QTreeWidgetItem* currentFolderItem_ = nullptr;
  QTreeWidgetItem* pressedItem_ = nullptr;
};

}  // namespace mainwindow
