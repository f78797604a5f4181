#pragma once

#include "gui/CoreText.h"

#include <QString>

#include <exception>
#include <filesystem>
#include <string>

class QWidget;

namespace sw::gui {

// The application's title: the caption of the main window and of every message box.
inline QString AppTitle() {
    return QStringLiteral("Sheetwright");
}

// The main window's caption for a feature read from `source`: the path, or
// the title for a typed feature.
QString CaptionFor(const std::filesystem::path& source);

// Message boxes of the application all go through these so they carry its title.
void ShowInformation(QWidget* parent, const QString& text);
void ShowError(QWidget* parent, const QString& text);
// A question with "Yes" and "No", "No" the default; true for "Yes".
bool AskYesNo(QWidget* parent, const QString& text);

} // namespace sw::gui
