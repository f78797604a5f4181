#pragma once

// The controls of the main window, top to bottom: the tool bar with its ten
// command buttons, the settings panel with the scale and series boxes and the
// Find sheet field, the scroll box that holds the layout image, the status bar
// of three panels, and the save dialog. Building them is kept apart from what
// the window does with them.

#include <QString>

#include <cstdint>

class QComboBox;
class QFileDialog;
class QFrame;
class QHBoxLayout;
class QLabel;
class QLineEdit;
class QMainWindow;
class QProgressBar;
class QScrollArea;
class QStatusBar;
class QToolBar;
class QToolButton;

namespace sw {
struct Settings;
enum class DataKind : uint8_t;
} // namespace sw

namespace sw::gui {

struct MainFormControls {
    // Makes every control as a child of `w` (the window's own caption, font,
    // size and colours too); connects nothing.
    void BuildControls(QMainWindow* w);
    // The settings panel's colour, which the window sets at its creation.
    void StylePanel2();
    // A status panel's text. The panel widens to show all of it and keeps that
    // width, so the panels beside it do not jump as the pointer moves; it never
    // gets narrower than its design width.
    void ShowPanelText(int panel, const QString& text);
    // Back to the design widths, where the texts allow (new settings).
    void RelaxPanels();
    // The scale and series boxes as the settings say, and the "Find sheet"
    // field's hint: an example number of the current series.
    void ShowSettingsBoxes(const Settings& s);
    // "Data type: Polygon" beside the series box: what "Sheet No." will ask for.
    void ShowDataType(DataKind type);
    // The commands' enable state: those that change the state only while
    // nothing runs (`idle`); "Save Layout" and "Report" as the session says.
    void EnableCommands(bool idle, bool saveEnabled, bool reportEnabled);

    QToolBar* ToolBar1 = nullptr;
    QFrame* Panel2 = nullptr;
    QLabel* Label2 = nullptr;
    QComboBox* ComboBox1 = nullptr; // scale
    QComboBox* ComboBox2 = nullptr; // series
    QLineEdit* FindSheetEdit = nullptr;
    QLabel* DataTypeLabel = nullptr;
    QScrollArea* ScrollBox1 = nullptr;
    QStatusBar* StatusBar1 = nullptr;
    QLabel* panels_[3] = {nullptr, nullptr, nullptr};
    QProgressBar* progressBar_ = nullptr;
    QToolButton* OpenLayerBtn = nullptr; // "Open layer"
    QToolButton* SpeedButton1 = nullptr; // "Data Type"
    QToolButton* PointBtn = nullptr;     // "Sheet No."
    QToolButton* ReportBtn = nullptr;
    QToolButton* SaveBtn = nullptr;
    QToolButton* ClearBtn = nullptr;
    QToolButton* SpeedButton4 = nullptr; // "Fit to Screen"
    QToolButton* ZoominBtn = nullptr;
    QToolButton* ZoomoutBtn = nullptr;
    QToolButton* Aboutbtn = nullptr;
    QToolButton* exitbtn = nullptr;
    QFileDialog* SaveDialog1 = nullptr;

private:
    void BuildFindSheet(QHBoxLayout& row);
};

} // namespace sw::gui
