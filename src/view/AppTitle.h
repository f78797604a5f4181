#pragma once

#include <QString>

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

// Windows-1252 text of the core to a QString and back.
QString FromCore(const std::string& text);
std::string ToCore(const QString& text);

} // namespace sw
