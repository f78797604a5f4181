#include "view/ToolGlyphs.h"

#include <QFile>

// The resources live in a static library: make sure they are registered.
static void InitGlyphResources() {
    Q_INIT_RESOURCE(glyphs);
}

namespace sw::gui {

QIcon ToolGlyph(const QString& name) {
    static const bool registered = [] {
        InitGlyphResources();
        return true;
    }();
    (void)registered;
    return QIcon(QStringLiteral(":/glyphs/%1.svg").arg(name));
}

} // namespace sw::gui
