// The outputs of `sheets` that need the application's painter and fonts: the
// layout pictures and PDF, and the report's PDF. They run without a display: the
// tool selects Qt's offscreen platform itself.

#include "cli/CliCommon.h"
#include "cli/RenderModule.h"

#include "coverage/Coverage.h"
#include "exchange/SafeFile.h"
#include "exchange/WorldFile.h"
#include "gui/InterfaceFont.h"
#include "gui/ReportPages.h"
#include "report/ReportTable.h"
#include "view/LayoutPainter.h"
#include "view/PdfFiles.h"
#include "view/PictureFiles.h"

#include <QDate>
#include <QGuiApplication>
#include <QtGlobal>

#include <cstdlib>
#include <ostream>

namespace sw::cli {

using namespace sw::gui;

namespace {

// One application object for the whole run. It is never destroyed: tearing Qt
// down from a static destructor after main() has returned is not safe, and the
// process ends right after anyway.
void EnsureGuiApplication() {
    if (QGuiApplication::instance() != nullptr) {
        return;
    }
    qputenv("QT_QPA_PLATFORM", "offscreen");
    // Qt's own notices (a missing XDG_RUNTIME_DIR under cron or ssh, fonts) are
    // not the tool's output: a failure reaches the user as an exception.
    qInstallMessageHandler([](QtMsgType, const QMessageLogContext&, const QString&) {});
    static int argc = 1;
    static char name[] = "sheetwright-cli";
    static char* argv[] = {name, nullptr};
    new QGuiApplication(argc, argv); // NOLINT: lives until the process ends
    LoadInterfaceFont();
}

// The settings of the pictures: their own zoom where the command chose one.
Settings PictureSettings(const RenderInput& r) {
    Settings s = r.settings;
    if (r.pictureZoom > 0) {
        s.SheetPixelHeight = r.pictureZoom;
    }
    return s;
}

QImage Picture(const RenderInput& r) {
    EnsureGuiApplication();
    const Settings s = PictureSettings(r);
    return RenderLayout(s, r.feature, r.grid);
}

void WriteBytes(const std::filesystem::path& path, const QByteArray& bytes) {
    ReplaceFileContents(path,
                        std::string_view(bytes.constData(), static_cast<std::size_t>(bytes.size())),
                        WriteFailureText::Runtime);
}

QByteArray LayoutPdf(const RenderInput& r) {
    EnsureGuiApplication();
    return LayoutPdfBytes(LayoutPdfInput{r.settings, r.feature, r.grid, r.inputPath,
                                         QDate::currentDate().toString(Qt::ISODate)});
}

// The report as `--report` prints it: the core's, measured with the
// compiled-in font widths.
Report PdfReport(const RenderInput& r) {
    return BuildFontReport(ReportInput{r.settings, r.grid, r.feature, r.inputPath});
}

} // namespace

void LayoutRenderer::WriteReportPdf(const RenderInput& r, const std::filesystem::path& path) const {
    EnsureGuiApplication();
    WriteBytes(path, ReportPdfBytes(PdfReport(r)));
}

void LayoutRenderer::WriteLayoutPicture(PictureEncoding encoding, const RenderInput& r,
                                        const std::filesystem::path& path) const {
    if (encoding == PictureEncoding::Pdf) {
        WriteBytes(path, LayoutPdf(r));
        return;
    }
    SaveGeoreferencedPicture(encoding, Picture(r), path, PictureSettings(r), r.grid);
}

} // namespace sw::cli
