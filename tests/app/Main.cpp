#include "support/GuiTestMain.h"

TONEWRIGHT_GUI_TEST_MAIN()
