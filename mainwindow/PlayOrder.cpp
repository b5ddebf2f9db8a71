// The play-order list lstSortFiles: the entries travel with the mouse while the left
// button is held (only the texts move; the files are renamed by the batch run), a click
// stops playing, a double click plays, Delete deletes, the right button opens the menu.
#include <QCheckBox>
#include <QEvent>
#include <QKeyEvent>
#include <QListWidget>
#include <QMouseEvent>

#include "core/AppValues.h"
#include "core/toolkit/MediaControl.h"
#include "mainwindow/NativeNames.h"
#include "mainwindow/Tagger.h"

namespace mainwindow {

namespace {

// Hands the mouse and key events of the list to the window's handlers; the list still
// sees them (its current entry follows the mouse).
class PlayOrderEvents : public QObject {
 public:
  PlayOrderEvents(QListWidget* list, Tagger* window) : QObject(list), list_(list), window_(window) {
    list->viewport()->installEventFilter(this);
    list->installEventFilter(this);
  }

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override {
    if (watched == list_ && event->type() == QEvent::KeyPress) {
      if (static_cast<QKeyEvent*>(event)->key() == Qt::Key_Delete) window_->mnuDel_Click();
      return false;
    }
    const auto* mouse = dynamic_cast<QMouseEvent*>(event);
    if (mouse == nullptr) return false;
    const QPoint pos = mouse->position().toPoint();
    switch (event->type()) {
      case QEvent::MouseButtonPress:
        window_->lstSortFiles_MouseDown(mouse->button(), pos, mouse->globalPosition().toPoint());
        break;
      case QEvent::MouseMove: window_->lstSortFiles_MouseMove(mouse->buttons(), pos); break;
      case QEvent::MouseButtonRelease:
        // The release that ends a double click is no click: it would stop the file just started.
        if (mouse->button() == Qt::LeftButton && !releaseEndsDoubleClick_) window_->lstSortFiles_Click();
        releaseEndsDoubleClick_ = false;
        break;
      case QEvent::MouseButtonDblClick:
        releaseEndsDoubleClick_ = true;
        window_->lstSortFiles_DblClick(pos);
        break;
      default: break;
    }
    return false;
  }

 private:
  QListWidget* list_;
  Tagger* window_;
  bool releaseEndsDoubleClick_ = false;
};

}  // namespace

void Tagger::connectPlayOrder() {
  lstSortFiles_->setSelectionMode(QAbstractItemView::SingleSelection);
  new PlayOrderEvents(lstSortFiles_, this);  // owned by the list
}

void Tagger::lstSortFiles_MouseDown(Qt::MouseButton button, const QPoint& pos, const QPoint& globalPos) {
  previousSortIndex_ = lstSortFiles_->indexAt(pos).row();
  if (button == Qt::RightButton) ShowPopupMenu(globalPos);
}

void Tagger::lstSortFiles_MouseMove(Qt::MouseButtons buttons, const QPoint& pos) {
  if (!(batch_.chkDragDrop->isChecked() || batch_.chkMerge->isChecked()) || Mode() != 2) return;
  const int current = lstSortFiles_->indexAt(pos).row();
  if (buttons & Qt::LeftButton) {
    if (current == previousSortIndex_) return;
    QListWidgetItem* here = lstSortFiles_->item(current);
    QListWidgetItem* before = lstSortFiles_->item(previousSortIndex_);
    if (here != nullptr && before != nullptr) {
      const QString text = here->text();
      const QVariant name = here->data(Qt::UserRole);
      here->setText(before->text());
      here->setData(Qt::UserRole, before->data(Qt::UserRole));
      before->setText(text);
      before->setData(Qt::UserRole, name);
    }
  }
  previousSortIndex_ = current;
}

void Tagger::lstSortFiles_Click() { core::StopPlaying(media_); }

void Tagger::lstSortFiles_DblClick(const QPoint& pos) {
  const QListWidgetItem* entry = lstSortFiles_->itemAt(pos);
  if (entry == nullptr) return;
  core::PlayFile(media_, ToQString(values_.CurrentDir + entry->data(Qt::UserRole).toByteArray().toStdString()));
}

}  // namespace mainwindow
