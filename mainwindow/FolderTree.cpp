#include "mainwindow/FolderTree.h"
#include "mainwindow/FileDrops.h"

#include <QApplication>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QHeaderView>
#include <QKeyEvent>
#include <QMimeData>
#include <QMouseEvent>
#include <QStyle>

#include "core/Paths.h"
#include "mainwindow/NativeNames.h"

namespace mainwindow {

namespace {

constexpr int FolderRole = Qt::UserRole;

std::string WithoutTrailingSeparator(const std::string& folder) {
  if (folder.size() > 1 && folder.back() == '/') return folder.substr(0, folder.size() - 1);
  return folder;
}

QTreeWidgetItem* MakeItem(const std::string& folder, const QString& text, const QIcon& icon) {
  auto* item = new QTreeWidgetItem(QStringList{text});  // owned by its parent in the tree
  item->setData(0, FolderRole, ToBytes(folder));
  item->setIcon(0, icon);
  return item;
}

}  // namespace

FolderTree::FolderTree(QWidget* parent) : QTreeWidget(parent) {
  setHeaderHidden(true);
  setColumnCount(1);
  setRootIsDecorated(false);
  setItemsExpandable(false);
  setExpandsOnDoubleClick(false);
  setIndentation(12);
  setSelectionMode(QAbstractItemView::SingleSelection);
  setAcceptDrops(true);
  viewport()->setAcceptDrops(true);
}

std::string FolderTree::folderOf(const QTreeWidgetItem* item) {
  return item ? item->data(0, FolderRole).toByteArray().toStdString() : std::string();
}

bool FolderTree::setPath(const std::string& folder, bool notify) {
  if (folder.empty()) return false;
  const std::string longForm = core::LongPath(folder);
  if (longForm.empty() || longForm.front() != '/' || !core::FolderExists(longForm)) return false;
  const std::string normal = WithoutTrailingSeparator(longForm);
  const bool changed = normal != path_;
  path_ = normal;
  if (changed) rebuild();
  if (changed && notify) emit pathChanged();
  return true;
}

void FolderTree::refresh() { rebuild(); }

void FolderTree::rebuild() {
  clear();
  currentFolderItem_ = nullptr;
  if (path_.empty()) return;
  const QIcon openIcon = style()->standardIcon(QStyle::SP_DirOpenIcon);
  const QIcon closedIcon = style()->standardIcon(QStyle::SP_DirClosedIcon);

  QTreeWidgetItem* item = MakeItem("/", QStringLiteral("/"), openIcon);
  addTopLevelItem(item);
  std::string chain;
  std::string::size_type start = 1;
  while (start < path_.size()) {
    auto end = path_.find('/', start);
    if (end == std::string::npos) end = path_.size();
    const std::string name = path_.substr(start, end - start);
    chain += "/" + name;
    auto* child = MakeItem(chain, ToQString(name), openIcon);
    item->addChild(child);
    item = child;
    start = end + 1;
  }
  currentFolderItem_ = item;
  const std::string base = path_ == "/" ? std::string() : path_;
  for (const std::string& name : core::ListSubFolders(path_ + "/", true)) {
    item->addChild(MakeItem(base + "/" + name, ToQString(name), closedIcon));
  }
  expandAll();
  setCurrentItem(currentFolderItem_);
  scrollToItem(currentFolderItem_);
}

void FolderTree::goTo(const QTreeWidgetItem* item) {
  const std::string folder = folderOf(item);
  if (!folder.empty()) setPath(folder);
}

void FolderTree::mousePressEvent(QMouseEvent* event) {
  emit mousePressed(event->button(), event->globalPosition().toPoint());
  pressedItem_ = itemAt(event->position().toPoint());
  if (event->button() == Qt::RightButton) return;  // the context menu is all a right press does
  QTreeWidget::mousePressEvent(event);
}

void FolderTree::mouseReleaseEvent(QMouseEvent* event) {
  QTreeWidget::mouseReleaseEvent(event);
  QTreeWidgetItem* released = itemAt(event->position().toPoint());
  const bool click = event->button() == Qt::LeftButton && released && released == pressedItem_;
  pressedItem_ = nullptr;
  if (click) goTo(released);  // the item may be gone afterwards: the list is rebuilt
}

void FolderTree::mouseDoubleClickEvent(QMouseEvent* event) {
  // The first click of the pair has already opened the folder; the second one would
  // open whatever entry now lies under the pointer.
  emit mousePressed(event->button(), event->globalPosition().toPoint());
  pressedItem_ = nullptr;
  event->accept();
}

void FolderTree::keyPressEvent(QKeyEvent* event) {
  if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
    goTo(currentItem());
    event->accept();
    return;
  }
  QTreeWidget::keyPressEvent(event);
}

void FolderTree::dragEnterEvent(QDragEnterEvent* event) { AcceptFileDrag(event); }

void FolderTree::dragMoveEvent(QDragMoveEvent* event) { AcceptFileDrag(event); }

void FolderTree::dropEvent(QDropEvent* event) {
  QList<QUrl> urls;
  if (TakeFileDrop(event, urls)) emit urlsDropped(urls);
}

}  // namespace mainwindow
