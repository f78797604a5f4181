#include "view/FileDrop.h"

#include "exchange/FormatRegistry.h"
#include "exchange/VertexTable.h"
#include "gui/CoreText.h"
#include "index/Settings.h"

#include <QMimeData>
#include <QUrl>

namespace sw::gui {

const InputFormat* DropFormat(const std::filesystem::path& path) {
    return InputFormatForPath(path.native());
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
    if (path.isEmpty()) {
        r.refusal = QString::fromLatin1(DropLocalFileText);
        return r;
    }
    // The one conversion of the dropped name: a path from here on.
    r.path = PathToCore(path);
    r.format = DropFormat(r.path);
    return r;
}

DroppedFile ConcludeDrop(DroppedOpen outcome, const InputFormat& format, const VertexTable& table,
                         DataKind currentDataType, const std::filesystem::path& path) {
    const QString name = PathFromCore(path.filename());
    DroppedFile r;
    if (outcome != DroppedOpen::Read) {
        r.DataType = currentDataType == DataKind::Polygon ? DataKind::Polygon : DataKind::Polyline;
        r.Status = QStringLiteral("Opened %1; nothing read: no .prj file beside it").arg(name);
        return r;
    }
    const bool polygon = format.HoldsRings && table.IsPolygon == 1;
    r.DataType = polygon ? DataKind::Polygon : DataKind::Polyline;
    r.Status = QStringLiteral("Opened %1 as a %2")
                   .arg(name, polygon ? QStringLiteral("polygon") : QStringLiteral("polyline"));
    return r;
}

} // namespace sw::gui
