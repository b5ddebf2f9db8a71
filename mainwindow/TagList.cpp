// The tag list of a folder in the report view. The report arrives with its own work;
// until then a folder change builds nothing.
#include "mainwindow/Tagger.h"

namespace mainwindow {

void Tagger::BuildTagList(const std::string& folder) { (void)folder; }

}  // namespace mainwindow
