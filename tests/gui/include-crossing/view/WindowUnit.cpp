// A unit of the window that reaches into the main window's class instead of
// its interface: the include check must refuse it.

#include "view/MainForm.h"
#include "view/WindowStatus.h"
