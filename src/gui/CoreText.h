#pragma once

// The Qt edge of the text boundary: Windows text of the core (sheet numbers,
// angles, report cells) to a QString and back, and error messages for the user.
// Qt Core only, so the renderer and the application share it.

#include <QString>

#include <exception>
#include <filesystem>
#include <string>

namespace sw::gui {

// A character the Windows set lacks becomes '?'. File paths and FileError
// messages are UTF-8 and do not go through these.
QString FromCore(const std::string& text);
std::string ToCore(const QString& text);

// A file path between a QString and the file system's bytes, as QFile names
// files, so that a name the dialogs show and the name the core opens are the same
// file whatever the locale.
std::filesystem::path PathToCore(const QString& path);
QString PathFromCore(const std::filesystem::path& path);

// The text of an error for a message box: a FileError's as the UTF-8 it is
// (it names a file), any other's as Windows text (it may quote a cell or an angle).
QString ErrorText(const std::exception& e);

} // namespace sw::gui
