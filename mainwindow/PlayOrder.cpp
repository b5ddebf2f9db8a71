#include <QCheckBox>
#include <QEvent>
#include <QKeyEvent>
#include <QListWidget>
#include <QMouseEvent>

#include "core/AppValues.h"
#include "core/toolkit/MediaControl.h"
#include "mainwindow/FileCommandsController.h"
#include "mainwindow/NativeNames.h"
#include "mainwindow/PlayOrderController.h"
#include "mainwindow/Tagger.h"

namespace mainwindow {

PlayOrderController::PlayOrderController(Tagger& window, QListWidget* lstSortFiles, const BatchControls& batch)
    : QObject(lstSortFiles), window_(window), list_(lstSortFiles), batch_(batch) {
  list_->setSelectionMode(QAbstractItemView::SingleSelection);
  list_->viewport()->installEventFilter(this);
  list_->installEventFilter(this);
}

bool PlayOrderController::eventFilter(QObject* watched, QEvent* event) {
  if (watched == list_ && event->type() == QEvent::KeyPress) {
    if (static_cast<QKeyEvent*>(event)->key() == Qt::Key_Delete) window_.fileCommands().mnuDel_Click();
    return false;
  }
  const auto* mouse = dynamic_cast<QMouseEvent*>(event);
  if (mouse == nullptr) return false;
  const QPoint pos = mouse->position().toPoint();
  switch (event->type()) {
    case QEvent::MouseButtonPress:
      lstSortFiles_MouseDown(mouse->button(), pos, mouse->globalPosition().toPoint());
      break;
    case QEvent::MouseMove: lstSortFiles_MouseMove(mouse->buttons(), pos); break;
    case QEvent::MouseButtonRelease:
      // The release that ends a double click is no click: it would stop the file just started.
      if (mouse->button() == Qt::LeftButton && !releaseEndsDoubleClick_) lstSortFiles_Click();
      releaseEndsDoubleClick_ = false;
      break;
    case QEvent::MouseButtonDblClick:
      releaseEndsDoubleClick_ = true;
      lstSortFiles_DblClick(pos);
      break;
    default: break;
  }
  return false;
}

void PlayOrderController::lstSortFiles_MouseDown(Qt::MouseButton button, const QPoint& pos, const QPoint& globalPos) {
  previousIndex_ = list_->indexAt(pos).row();
  if (button == Qt::RightButton) window_.ShowPopupMenu(globalPos);
}

void PlayOrderController::lstSortFiles_MouseMove(Qt::MouseButtons buttons, const QPoint& pos) {
  if (!(batch_.chkDragDrop->isChecked() || batch_.chkMerge->isChecked()) || window_.batchRun().Mode() != 2) return;
  const int current = list_->indexAt(pos).row();
  if (buttons & Qt::LeftButton) {
    if (current == previousIndex_) return;
    QListWidgetItem* here = list_->item(current);
    QListWidgetItem* before = list_->item(previousIndex_);
    if (here != nullptr && before != nullptr) {
      const QString text = here->text();
      const QVariant name = here->data(Qt::UserRole);
      here->setText(before->text());
      here->setData(Qt::UserRole, before->data(Qt::UserRole));
      before->setText(text);
      before->setData(Qt::UserRole, name);
    }
  }
  previousIndex_ = current;
}

void PlayOrderController::lstSortFiles_Click() { core::StopPlaying(window_.media()); }

void PlayOrderController::lstSortFiles_DblClick(const QPoint& pos) {
  const QListWidgetItem* entry = list_->itemAt(pos);
  if (entry == nullptr) return;
  core::PlayFile(window_.media(),
                 ToQString(window_.values().CurrentDir + entry->data(Qt::UserRole).toByteArray().toStdString()));
}

}  // namespace mainwindow
