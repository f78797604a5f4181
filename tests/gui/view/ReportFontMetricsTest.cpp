// The report's compiled-in font widths against the toolkit measuring the font
// file they were taken from: where Tahoma is installed, the report groups its
// rows as the window always has.

#include "gui/InterfaceFont.h"
#include "index/WindowsText.h"
#include "report/ReportFont.h"

#include <QFontMetrics>
#include <QGuiApplication>
#include <QTest>

using namespace sw;
using namespace sw::gui;

class ReportFontMetricsTest : public QObject {
    Q_OBJECT

private slots:
    void compiledWidthsAreTheToolkitsForEveryCharacter() {
        if (LoadInterfaceFont() != QStringLiteral("Tahoma")) {
            QSKIP("Tahoma (fonts-wine) is not installed");
        }
        const QFontMetrics fm(ReportTableFont(), &MeasuringDevice());
        const auto measured = [&](const std::string& text) {
            return fm.horizontalAdvance(QString::fromStdString(WindowsToUtf8(text)));
        };
        // Each printable character alone and seven times over (the fractions of
        // a pixel add up before the rounding).
        for (int byte = 0x20; byte < 0x100; ++byte) {
            if (byte == 0x7F || byte == 0x81 || byte == 0x8D || byte == 0x8F || byte == 0x90 ||
                byte == 0x9D) {
                continue; // a control, or a byte the character set leaves undefined
            }
            for (const std::size_t n : {std::size_t{1}, std::size_t{7}}) {
                const std::string text(n, static_cast<char>(byte));
                QVERIFY2(MeasureReportText(text) == measured(text),
                         qPrintable(QStringLiteral("byte %1 x%2: %3 here, %4 measured")
                                        .arg(byte, 0, 16)
                                        .arg(n)
                                        .arg(MeasureReportText(text))
                                        .arg(measured(text))));
            }
        }
        for (const char* text : {" S.NO. ", " Sheet Numbers ", " Number of Sheets", "A",
                                 "53H/1,53H/2,53H/5", "H43X/1,H43X/10",
                                 "Input POINT 28\xB0"
                                 "36'50\""}) {
            QCOMPARE(MeasureReportText(text), measured(text));
        }
    }
};

QTEST_MAIN(ReportFontMetricsTest)
#include "ReportFontMetricsTest.moc"
