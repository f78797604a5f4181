#include "dialogs/ReportSaveChoice.h"

#include "gui/AppTitle.h"
#include "gui/ModalSeam.h"

#include <QFileDialog>
#include <QFileInfo>

#include <array>

namespace sw::gui {

namespace {

struct FormatText {
    ReportFormat format;
    const char* filter;
    const char* suffix;
    const char* name; // as a question names it
};

constexpr std::array<FormatText, 4> Formats{{
    {ReportFormat::Xls, "Excel Worksheet (*.xls)", "xls", "Excel worksheet"},
    {ReportFormat::Xlsx, "Excel Workbook (*.xlsx)", "xlsx", "Excel workbook"},
    {ReportFormat::Csv, "CSV File (*.csv)", "csv", "CSV"},
    {ReportFormat::Pdf, "PDF File (*.pdf)", "pdf", "PDF"},
}};

const FormatText& TextOf(ReportFormat format) {
    for (const FormatText& f : Formats) {
        if (f.format == format) {
            return f;
        }
    }
    return Formats[0];
}

} // namespace

QString ReportSaveFilter(ReportFormat format) {
    return QString::fromLatin1(TextOf(format).filter);
}

QString ReportSaveSuffix(ReportFormat format) {
    return QString::fromLatin1(TextOf(format).suffix);
}

std::optional<ReportFormat> ReportFormatOfName(const QString& path) {
    const QString suffix = QFileInfo(path).suffix();
    for (const FormatText& f : Formats) {
        if (suffix.compare(QString::fromLatin1(f.suffix), Qt::CaseInsensitive) == 0) {
            return f.format;
        }
    }
    return std::nullopt;
}

std::optional<ReportSaveTarget> ResolveReportName(QWidget* parent, ReportFormat chosen,
                                                  const QString& typed) {
    if (typed.isEmpty()) {
        return std::nullopt;
    }
    if (QFileInfo(typed).suffix().isEmpty()) {
        return ReportSaveTarget{chosen, typed + QLatin1Char('.') + ReportSaveSuffix(chosen)};
    }
    const std::optional<ReportFormat> named = ReportFormatOfName(typed);
    if (!named || *named == chosen) {
        return ReportSaveTarget{chosen, typed};
    }
    const QString question =
        QStringLiteral("\"%1\" ends in .%2, the extension of %3 files. Save the report as %3 "
                       "instead of %4?")
            .arg(QFileInfo(typed).fileName(), QFileInfo(typed).suffix(),
                 QString::fromLatin1(TextOf(*named).name),
                 QString::fromLatin1(TextOf(chosen).name));
    if (!AskYesNo(parent, question)) {
        return std::nullopt;
    }
    return ReportSaveTarget{*named, typed};
}

std::optional<ReportSaveTarget> ChooseReportTarget(QWidget* parent, ReportFormat chosen) {
    QFileDialog box(parent);
    box.setObjectName(QStringLiteral("SaveReportDialog"));
    box.setAcceptMode(QFileDialog::AcceptSave);
    box.setFileMode(QFileDialog::AnyFile);
    box.setNameFilter(ReportSaveFilter(chosen));
    box.setDefaultSuffix(ReportSaveSuffix(chosen));
    if (!RunModal(box) || box.selectedFiles().isEmpty()) {
        return std::nullopt;
    }
    return ResolveReportName(parent, chosen, box.selectedFiles().constFirst());
}

} // namespace sw::gui
