#pragma once

// A dialog that reaches into the main window: the include check must refuse it.

#include "gui/AppTitle.h"
#include "view/MainForm.h"
