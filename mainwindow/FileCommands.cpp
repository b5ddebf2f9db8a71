// The file commands of the context menu: saving the tag list, deleting, renaming and
// the information box. They arrive with their own work; until then they do nothing.
#include "mainwindow/Tagger.h"

namespace mainwindow {

void Tagger::mnuSaveList_Click() {}

void Tagger::mnuCollect_Click() {}

void Tagger::mnuDel_Click() {}

void Tagger::mnuRename_Click() {}

void Tagger::mnuInfo_Click() {}

}  // namespace mainwindow
