#include "gui/DataKindCaption.h"

namespace sw::gui {

QString DataKindCaption(DataKind kind) {
    switch (kind) {
    case DataKind::Polyline:
        return QStringLiteral("Polyline");
    case DataKind::Polygon:
        return QStringLiteral("Polygon");
    case DataKind::Point:
        break;
    }
    // A point, and anything that is no type the dialog offers, as the
    // window has always shown it.
    return QStringLiteral("Point/Location");
}

} // namespace sw::gui
