#include "mainwindow/FileDrops.h"

#include <QDropEvent>
#include <QMimeData>

namespace mainwindow {

void AcceptFileDrag(QDropEvent* event) {
  if (event->mimeData()->hasUrls()) event->acceptProposedAction();
  else event->ignore();
}

bool TakeFileDrop(QDropEvent* event, QList<QUrl>& urls) {
  if (!event->mimeData()->hasUrls()) {
    event->ignore();
    return false;
  }
  event->acceptProposedAction();
  urls = event->mimeData()->urls();
  return true;
}

}  // namespace mainwindow
