// The secondary windows' tests drive real widgets on the offscreen platform.
#include "support/GuiTestMain.h"

TONEWRIGHT_GUI_TEST_MAIN()
