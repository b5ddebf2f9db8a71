#include "mainwindow/FileListBox.h"
#include "mainwindow/FileDrops.h"

#include <QDragEnterEvent>
#include <QDropEvent>
#include <QKeyEvent>
#include <QMimeData>
#include <QMouseEvent>
#include <algorithm>

#include "mainwindow/NativeNames.h"

namespace mainwindow {

namespace {
constexpr int NameRole = Qt::UserRole;
}

FileListBox::FileListBox(QWidget* parent) : QListWidget(parent) {
  setSelectionMode(QAbstractItemView::ExtendedSelection);
  setAcceptDrops(true);
  viewport()->setAcceptDrops(true);
}

void FillNameList(QListWidget* list, const std::vector<std::string>& names) {
  list->clear();
  // A single pass would measure every entry's text before the next event; in batches the
  // first screenful is there at once and the rest follows between events.
  list->setLayoutMode(QListView::Batched);
  list->setBatchSize(2000);
  for (const std::string& name : names) {
    // The name goes in before the entry joins the list: set afterwards, it would be one
    // more change for the view to follow per entry.
    auto* item = new QListWidgetItem(ToQString(name));
    item->setData(NameRole, ToBytes(name));
    list->addItem(item);  // owned by the list
  }
}

std::string FileListBox::nameAt(int row) const {
  const QListWidgetItem* entry = item(row);
  return entry ? entry->data(NameRole).toByteArray().toStdString() : std::string();
}

int FileListBox::selectedCount() const { return static_cast<int>(selectedItems().size()); }

QList<int> FileListBox::selectedRows() const {
  QList<int> rows;
  for (const QListWidgetItem* entry : selectedItems()) rows << row(entry);
  std::sort(rows.begin(), rows.end());
  return rows;
}

void FileListBox::mousePressEvent(QMouseEvent* event) {
  if (event->button() == Qt::RightButton) {
    // The context menu only: the selection stays as it is.
    emit rightButtonPressed(event->globalPosition().toPoint());
    event->accept();
    return;
  }
  pressedOnEntry_ = itemAt(event->position().toPoint()) != nullptr;
  releaseEndsDoubleClick_ = false;  // a press begins a new gesture
  QListWidget::mousePressEvent(event);
}

void FileListBox::mouseReleaseEvent(QMouseEvent* event) {
  QListWidget::mouseReleaseEvent(event);
  if (event->button() != Qt::LeftButton) return;
  if (releaseEndsDoubleClick_) {
    releaseEndsDoubleClick_ = false;
    return;
  }
  if (pressedOnEntry_ && currentItem()) emit clickedByUser();
  pressedOnEntry_ = false;
}

void FileListBox::mouseDoubleClickEvent(QMouseEvent* event) {
  if (event->button() != Qt::LeftButton) {
    QListWidget::mouseDoubleClickEvent(event);
    return;
  }
  // The release that follows belongs to the double click, not to another click.
  releaseEndsDoubleClick_ = true;
  event->accept();
  if (itemAt(event->position().toPoint())) emit doubleClickedByUser();
}

void FileListBox::keyPressEvent(QKeyEvent* event) {
  const auto modifiers = event->modifiers() & ~Qt::KeypadModifier;
  if (event->key() == Qt::Key_Delete && modifiers == Qt::NoModifier) {
    emit deletePressed();
    event->accept();
    return;
  }
  if (event->key() == Qt::Key_A && modifiers == Qt::ControlModifier) {
    emit selectAllPressed();
    event->accept();
    return;
  }
  const QList<int> before = selectedRows();
  const int currentBefore = currentRow();
  QListWidget::keyPressEvent(event);
  if (selectedRows() != before || currentRow() != currentBefore) {
    if (currentItem()) emit clickedByUser();
  }
}

void FileListBox::dragEnterEvent(QDragEnterEvent* event) { AcceptFileDrag(event); }

void FileListBox::dragMoveEvent(QDragMoveEvent* event) { AcceptFileDrag(event); }

void FileListBox::dropEvent(QDropEvent* event) {
  QList<QUrl> urls;
  if (TakeFileDrop(event, urls)) emit urlsDropped(urls);
}

}  // namespace mainwindow
