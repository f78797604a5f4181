// The main window's own file includes its header; the check lets it.

#include "view/MainForm.h"
