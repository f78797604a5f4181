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
class QWidget;
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
    // The data type beside the series box, in the data type dialog's words
    // ("Point/Location", "Polyline", "Polygon"): what "Sheet No." will ask for.
    void ShowDataType(DataKind type);
    // Lays the settings panel out for its width: everything on one row with the
    // series box at its design width where that fits, else with the series box
    // narrowed to its text, else the data type and "Find sheet" on a second row,
    // so no control ever covers another.
    void FitPanel2();
    // The status panels for the width of their row: the design widths where
    // they fit, else shares of the row in the design's proportions; a panel is
    // never narrower than its text, and no panel covers another.
    void FitStatusPanels();
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
    QWidget* Panel2Extras = nullptr; // the data type and "Find sheet", moved as one
    QWidget* PanelRow = nullptr;     // the status panels' row
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
    // The width the status panels have between them; unbounded until shown.
    int PanelRoom() const;

    QHBoxLayout* panel2Row1_ = nullptr;
    QHBoxLayout* panel2Row2_ = nullptr;
    bool panel2OneRow_ = true;
};

} // namespace sw::gui
