// The file information view: reading a file into the edit fields and clearing them.
// The fields arrive with the editor; until then there is nothing to show or clear.
#include "mainwindow/Tagger.h"

namespace mainwindow {

void Tagger::ClearFileInfo() {}

void Tagger::ShowFileInfo(const std::string& path) { (void)path; }

}  // namespace mainwindow
