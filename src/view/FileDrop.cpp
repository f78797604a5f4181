#include "view/FileDrop.h"

#include "exchange/OpenVertexFile.h"
#include "exchange/VertexTable.h"
#include "index/Settings.h"

#include <QFile>
#include <QFileInfo>
#include <QMimeData>
#include <QUrl>

namespace sw {

int DropFilterIndex(const QString& path) {
    return FilterIndexForPath(QFile::encodeName(path).toStdString());
}

DropRequest ReadDrop(const QMimeData* mime) {
    DropRequest r;
    const QList<QUrl> urls = mime != nullptr && mime->hasUrls() ? mime->urls() : QList<QUrl>();
    if (urls.size() > 1) {
        r.refusal = QString::fromLatin1(DropOneFileText);
        return r;
    }
    const QString path =
        urls.size() == 1 && urls.first().isLocalFile() ? urls.first().toLocalFile() : QString();
    const int filter = path.isEmpty() ? 0 : DropFilterIndex(path);
    if (filter == 0) {
        r.refusal = QString::fromLatin1(DropFileTypesText);
        return r;
    }
    r.path = path;
    r.filterIndex = filter;
    return r;
}

DroppedFile ConcludeDrop(DroppedOpen outcome, int filterIndex, const VertexTable& table,
                         uint8_t currentDataType, const QString& path) {
    const QString name = QFileInfo(path).fileName();
    DroppedFile r;
    if (outcome != DroppedOpen::Read) {
        r.DataType = currentDataType == Polygon ? Polygon : Polyline;
        r.Status = QStringLiteral("Opened %1; nothing read: no .prj file beside it").arg(name);
        return r;
    }
    const bool polygon = filterIndex != TextFilter && table.IsPolygon == 1;
    r.DataType = polygon ? Polygon : Polyline;
    r.Status = QStringLiteral("Opened %1 as a %2")
                   .arg(name, polygon ? QStringLiteral("polygon") : QStringLiteral("polyline"));
    return r;
}

} // namespace sw
