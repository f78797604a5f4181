#pragma once

// The Qt edge of the text boundary: Windows text of the core (sheet numbers,
// angles, report cells) to a QString and back, and error messages for the user.
// Qt Core only, so the renderer and the application share it.

#include <QString>

#include <exception>
#include <string>

namespace sw::gui {

// A character the Windows set lacks becomes '?'. File paths and FileError
// messages are UTF-8 and do not go through these.
QString FromCore(const std::string& text);
std::string ToCore(const QString& text);

// The text of an error for a message box: a FileError's as the UTF-8 it is
// (it names a file), any other's as Windows text (it may quote a cell or an angle).
QString ErrorText(const std::exception& e);

} // namespace sw::gui
