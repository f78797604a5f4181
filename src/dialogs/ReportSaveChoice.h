#pragma once

// How the report window's save items choose their file: each item offers its
// own format's filter and puts that format's extension on a name typed without
// one. A name that ends in the extension of another of the report's formats is
// asked about, since writing CSV into "report.pdf" would leave a file that no
// program opens as what its name says.

#include <QString>

#include <optional>

class QWidget;

namespace sw::gui {

enum class ReportFormat { Xls, Xlsx, Csv, Pdf };

struct ReportSaveTarget {
    ReportFormat format;
    QString path;
};

// "Excel Worksheet (*.xls)", "Excel Workbook (*.xlsx)", "CSV File (*.csv)",
// "PDF File (*.pdf)".
QString ReportSaveFilter(ReportFormat format);
// "xls", "xlsx", "csv", "pdf".
QString ReportSaveSuffix(ReportFormat format);

// The report format whose extension the name ends in (any letter case); none
// for another extension or none.
std::optional<ReportFormat> ReportFormatOfName(const QString& path);

// The file a name typed for `chosen` is written as: the chosen extension added
// to a name without one. A name in another report format's extension is asked
// about: "Yes" writes that format under the name, "No" writes nothing (empty).
std::optional<ReportSaveTarget> ResolveReportName(QWidget* parent, ReportFormat chosen,
                                                  const QString& typed);

// Runs the save box of `chosen` and resolves the name it gave; empty when the
// box was cancelled or the question answered "No".
std::optional<ReportSaveTarget> ChooseReportTarget(QWidget* parent, ReportFormat chosen);

} // namespace sw::gui
