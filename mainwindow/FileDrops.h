// Drops of file lists from the desktop, taken the same way by the folder tree and the
// file list.
#pragma once
#include <QList>
#include <QUrl>

class QDropEvent;

namespace mainwindow {

// Accepts a drag (enter or move) that carries a list of files; ignores any other.
void AcceptFileDrag(QDropEvent* event);
// Takes the dropped file list; false (and the drop ignored) when it carries none.
bool TakeFileDrop(QDropEvent* event, QList<QUrl>& urls);

}  // namespace mainwindow
