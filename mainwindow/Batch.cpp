// Start-up preparation of the batch panel: the field-order lists and the place of the
// drag-and-drop option. Both act on controls that the batch panel brings; a control
// that is not there is skipped.
#include <QListWidget>

#include "mainwindow/Tagger.h"

namespace mainwindow {

void Tagger::FillFieldOrderLists() {
  if (auto* artistTitle = findChild<QListWidget*>(QStringLiteral("lstDetect(1)"))) {
    artistTitle->clear();
    artistTitle->addItems({QStringLiteral("Interpret"), QStringLiteral("Titel")});
  }
  if (auto* numbered = findChild<QListWidget*>(QStringLiteral("lstDetect(2)"))) {
    numbered->clear();
    numbered->addItems({QStringLiteral("Nr"), QStringLiteral("Interpret"), QStringLiteral("Titel")});
  }
}

void Tagger::AlignDragDropOption() {
  auto* dragDrop = findChild<QWidget*>(QStringLiteral("chkDragDrop"));
  const auto* ignore = findChild<QWidget*>(QStringLiteral("chkIgnore"));
  if (dragDrop && ignore) dragDrop->move(dragDrop->x(), ignore->y());
}

}  // namespace mainwindow
