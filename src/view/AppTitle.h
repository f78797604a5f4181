#pragma once

#include <QString>

#include <exception>
#include <string>

class QWidget;

namespace sw {

// The application's title: the caption of the main window and of every message box.
inline QString AppTitle() {
    return QStringLiteral("Sheetwright");
}

// Message boxes of the application all go through these so they carry its title.
void ShowInformation(QWidget* parent, const QString& text);
void ShowError(QWidget* parent, const QString& text);

// Windows text of the core (sheet numbers, angles, report cells) to a QString
// and back; a character the Windows set lacks becomes '?'. File paths and
// FileError messages are UTF-8 and do not go through these.
QString FromCore(const std::string& text);
std::string ToCore(const QString& text);

// The text of an error for a message box: a FileError's as the UTF-8 it is
// (it names a file), any other's as Windows text (it may quote a cell or an angle).
QString ErrorText(const std::exception& e);

} // namespace sw
