#pragma once

// The tool bar glyphs, drawn as SVG resources of our own.

#include <QIcon>
#include <QString>

namespace sw::gui {

// The glyph of a tool bar command by its resource name ("datatype", "sheetno",
// "report", "save", "clear", "fit", "zoomin", "zoomout", "about", "exit").
QIcon ToolGlyph(const QString& name);

} // namespace sw::gui
