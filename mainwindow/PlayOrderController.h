// The play-order list lstSortFiles: the entries travel with the mouse while the left
// button is held (only the texts move; the files are renamed by the batch run), a click
// stops playing, a double click plays, Delete deletes, the right button opens the menu.
#pragma once
#include <QObject>
#include <QPoint>

class QListWidget;

namespace mainwindow {

class Tagger;
struct BatchControls;

class PlayOrderController : public QObject {
 public:
  // Watches the list's mouse and keys; the list still sees them (its current entry
  // follows the mouse). Owned by the window.
  PlayOrderController(Tagger& window, QListWidget* lstSortFiles, const BatchControls& batch);

  void lstSortFiles_MouseDown(Qt::MouseButton button, const QPoint& pos, const QPoint& globalPos);
  void lstSortFiles_MouseMove(Qt::MouseButtons buttons, const QPoint& pos);
  void lstSortFiles_Click();
  void lstSortFiles_DblClick(const QPoint& pos);

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  Tagger& window_;
  QListWidget* list_;
  const BatchControls& batch_;
  int previousIndex_ = -1;  // the list index under the mouse at the last mouse event
  bool releaseEndsDoubleClick_ = false;
};

}  // namespace mainwindow
