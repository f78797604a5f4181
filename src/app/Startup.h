#pragma once

// The application's start: its title and every window it will ever show,
// created once in a fixed order. main() and the end-to-end tests share it.

#include <QString>

#include <filesystem>
#include <memory>

namespace sw::gui {

class TMainForm;
class TAboutBox;
class TPointInputForm;
class TPolyInputForm;
class TReportForm;
class TSetInputForm;

// The windows of one run. The dialogs are children of the main window and go
// with it; none is ever destroyed before the end.
struct AppWindows {
    std::unique_ptr<TMainForm> MainForm;
    TAboutBox* AboutBox = nullptr;
    TPointInputForm* PointInputForm = nullptr;
    TPolyInputForm* PolyInputForm = nullptr;
    TReportForm* ReportForm = nullptr;
    TSetInputForm* SetInputForm = nullptr;

    AppWindows();
    ~AppWindows();
    AppWindows(const AppWindows&) = delete;
    AppWindows& operator=(const AppWindows&) = delete;
};

// Needs the application object. Sets the title, creates the main window (which
// sets the start settings), then the About box, the point dialog, the vertex
// dialog (laid out in degrees-minutes-seconds mode), the report window and the
// data type dialog, all hidden, and hands them to the main window. The main
// window is shown maximised when `showMain`.
std::unique_ptr<AppWindows> StartApplication(bool showMain = true);

// A file named on the command line, opened once the event loop runs as a file
// dropped on the main window is: through the vertex dialog's reader for its
// extension, or refused in the status bar.
void OpenStartFile(AppWindows& windows, const std::filesystem::path& path);
// The same for a name spelled as Qt spells it, converted to a path once.
void OpenStartFile(AppWindows& windows, const QString& path);

} // namespace sw::gui
