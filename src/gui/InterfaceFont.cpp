#include "gui/InterfaceFont.h"

#include <QFile>
#include <QFontDatabase>
#include <QImage>
#include <QStringList>

#include <mutex>

namespace sw::gui {

namespace {

const QString TahomaFamily = QStringLiteral("Tahoma");

// Where Debian installs the fonts (the wine fonts' own folder and its link
// under the font directories), regular and bold.
const QStringList TahomaFiles{
    QStringLiteral("/usr/share/wine/fonts/tahoma.ttf"),
    QStringLiteral("/usr/share/wine/fonts/tahomabd.ttf"),
    QStringLiteral("/usr/share/fonts/truetype/wine/tahoma.ttf"),
    QStringLiteral("/usr/share/fonts/truetype/wine/tahomabd.ttf"),
};
const QStringList DejaVuFiles{
    QStringLiteral("/usr/share/fonts/truetype/dejavu/DejaVuSans.ttf"),
    QStringLiteral("/usr/share/fonts/truetype/dejavu/DejaVuSans-Bold.ttf"),
};

// Registers every file of the list that exists; true when one gave `family`.
bool Register(const QStringList& files, const QString& family) {
    bool found = false;
    for (const QString& file : files) {
        if (!QFile::exists(file)) {
            continue;
        }
        const int id = QFontDatabase::addApplicationFont(file);
        if (id >= 0 && QFontDatabase::applicationFontFamilies(id).contains(family)) {
            found = true;
        }
    }
    return found;
}

} // namespace

// 96 pixels per inch: the layout image has that resolution, and the report is
// laid out for an A4 page at it.
const QImage& MeasuringDevice() {
    static const QImage device = [] {
        QImage image(1, 1, QImage::Format_RGB32);
        image.setDotsPerMeterX(3780);
        image.setDotsPerMeterY(3780);
        return image;
    }();
    return device;
}

QString LoadInterfaceFont() {
    static QString family;
    static std::once_flag once;
    std::call_once(once, [] {
        if (Register(TahomaFiles, TahomaFamily)) {
            family = TahomaFamily;
            return;
        }
        family = QStringLiteral("DejaVu Sans");
        Register(DejaVuFiles, family);
        QFont::insertSubstitution(TahomaFamily, family);
    });
    return family;
}

QFont ReportTableFont() {
    QFont font(LoadInterfaceFont(), 10);
    font.setBold(false);
    font.setItalic(false);
    font.setHintingPreference(QFont::PreferNoHinting);
    font.setKerning(false);
    return font;
}

} // namespace sw::gui
