// The toolkit tests drive real widgets: they need a QApplication.
#include "support/GuiTestMain.h"

TONEWRIGHT_GUI_TEST_MAIN()
