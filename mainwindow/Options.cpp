// The option boxes and the lists filled once when the window opens. The genre and
// picture-type lists arrive with the editor; until then there is nothing to fill.
#include "mainwindow/Tagger.h"

namespace mainwindow {

void Tagger::FillGenres() {}

void Tagger::FillPictureTypes() {}

void Tagger::chkView_Click(int index) {
  (void)index;
  // The report columns follow the view switches once the tag list is there.
}

void Tagger::chkAuto_Click() { SetEditFocus(); }

}  // namespace mainwindow
