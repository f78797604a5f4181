#include "app/Startup.h"

#include "dialogs/AboutBox.h"
#include "dialogs/PointInputForm.h"
#include "dialogs/PolyInputForm.h"
#include "dialogs/ReportForm.h"
#include "dialogs/SetInputForm.h"
#include "gui/AppTitle.h"
#include "gui/CoreText.h"
#include "gui/DialogHost.h"
#include "gui/InterfaceFont.h"
#include "view/MainForm.h"

#include <QApplication>
#include <QPointer>
#include <QTimer>

#include <system_error>
#include <utility>

namespace sw::gui {

AppWindows::AppWindows() = default;
AppWindows::~AppWindows() = default;

std::unique_ptr<AppWindows> StartApplication(bool showMain) {
    QApplication::setApplicationName(AppTitle());
    QGuiApplication::setDesktopFileName(QStringLiteral("org.sheetwright.Sheetwright"));
    QApplication::setApplicationVersion(QStringLiteral(SHEETWRIGHT_VERSION));
    // Before any window: every "Tahoma" then finds the same face.
    LoadInterfaceFont();

    auto w = std::make_unique<AppWindows>();
    w->MainForm = std::make_unique<TMainForm>();
    TMainForm* main = w->MainForm.get();

    DialogHost host;
    host.session = &main->TheSession();
    host.mainWindow = main;
    host.acceptFeature = [main](Feature f, bool fitToScreen, bool enableReport,
                                std::filesystem::path source) {
        main->AcceptFeature(std::move(f), fitToScreen, enableReport, std::move(source));
    };
    host.computing = [main] { return main->Computing(); };

    // Parented to the main window: they stay over it and end with it, and a
    // dialog left open does not keep the application running.
    w->AboutBox = new TAboutBox(main);
    w->PointInputForm = new TPointInputForm(host, main);
    w->PolyInputForm = new TPolyInputForm(host, main);
    w->ReportForm = new TReportForm(host, main);
    w->SetInputForm = new TSetInputForm(host, main);

    DialogSet set;
    set.SetInputForm = w->SetInputForm;
    set.PointInputForm = w->PointInputForm;
    set.PolyInputForm = w->PolyInputForm;
    set.ReportForm = w->ReportForm;
    set.AboutBox = w->AboutBox;
    TPolyInputForm* poly = w->PolyInputForm;
    set.ClearVertexInput = [poly] { poly->BitBtn3Click(); };
    set.OpenVertexInput = [poly](const InputFormat& format, const std::filesystem::path& path) {
        const std::optional<OpenOutcome> taken = poly->OpenFile(format, path);
        if (!taken) {
            return DroppedOpen::Refused;
        }
        return *taken == OpenOutcome::Read ? DroppedOpen::Read : DroppedOpen::NotRead;
    };
    main->SetDialogs(set);
    // A report on screen describes the feature just computed, not the one it
    // was opened for.
    TReportForm* report = w->ReportForm;
    QObject::connect(main, &TMainForm::ComputationFinished, report, [report] {
        if (report->isVisible()) {
            report->BuildTable();
        }
    });

    if (showMain) {
        main->showMaximized();
    }
    return w;
}

void OpenStartFile(AppWindows& windows, const QString& path) {
    OpenStartFile(windows, PathToCore(path));
}

void OpenStartFile(AppWindows& windows, const std::filesystem::path& path) {
    // Absolute, so the caption and the report name the file wherever the
    // program was started from.
    std::error_code ec;
    std::filesystem::path file = std::filesystem::absolute(path, ec).lexically_normal();
    if (ec) {
        file = path;
    }
    QPointer<TMainForm> main = windows.MainForm.get();
    QTimer::singleShot(0, main, [main, file] {
        if (main) {
            main->OpenDroppedFile(file);
        }
    });
}

} // namespace sw::gui
