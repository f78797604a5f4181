#include "view/LayoutSaving.h"

#include "exchange/FileError.h"
#include "exchange/KmlFile.h"
#include "exchange/ShapeFile.h"
#include "view/BmpFile.h"
#include "view/JpegFile.h"

#include <QFileInfo>
#include <QString>

namespace sw {

QStringList SaveFilters() {
    return {QStringLiteral("KML File (*.kml)"), QStringLiteral("Shape File (*.shp)"),
            QStringLiteral("JPG File (*.jpg)"), QStringLiteral("Bitmap File (*.bmp)")};
}

std::string PictureFileName(const std::string& path, int filter) {
    const QFileInfo info(QString::fromStdString(path));
    if (!info.suffix().isEmpty() || info.fileName().isEmpty()) {
        return path;
    }
    if (filter == JpgFilter) {
        return path + ".jpg";
    }
    if (filter == BitmapFilter) {
        return path + ".bmp";
    }
    return path;
}

void SaveLayout(int filter, const std::string& path, const Settings& s, const SheetGrid& g,
                const QImage& image) {
    switch (filter) {
    case KmlFilter:
        WriteKmlFile(path, s, g);
        return;
    case ShapeFilter:
        WriteShapeFiles(path, s, g);
        return;
    case JpgFilter:
    case BitmapFilter: {
        if (image.isNull()) {
            throw FileError(NoLayoutToSaveMessage);
        }
        const std::string name = PictureFileName(path, filter);
        if (filter == JpgFilter) {
            SaveLayoutAsJpeg(image, name);
        } else {
            SaveLayoutAsBmp(image, name);
        }
        return;
    }
    default:
        return;
    }
}

} // namespace sw
