#pragma once

// A shared piece that includes a dialog: the include check must refuse it too.

#include "dialogs/ReportForm.h"
