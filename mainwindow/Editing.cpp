// Editing routines that other handlers call. The edit fields and modes arrive with the
// editor; until then the focus stays where it is and the tag-list button does nothing.
#include "mainwindow/Tagger.h"

namespace mainwindow {

void Tagger::SetEditFocus() {}

void Tagger::cmdTagCheck_Click() {}

}  // namespace mainwindow
