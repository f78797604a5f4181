#pragma once

// The "OK" (default, Enter) and "Cancel" pair the small dialogs share, centred
// in a row, with the object names the windows are known by.

class QHBoxLayout;
class QPushButton;
class QWidget;

namespace sw::gui {

QHBoxLayout* MakeOkCancelRow(QWidget* dialog, QPushButton*& ok, QPushButton*& cancel);

} // namespace sw::gui
