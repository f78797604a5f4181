#pragma once

// "Save Layout" as the window runs it: the save dialog's choice, the question
// before a very large file, the picture at one pixel per layout pixel, and
// every failure told in a message box that changes nothing.

#include "exchange/FormatRegistry.h"
#include "session/AppState.h"
#include "view/LayoutSaving.h"

#include <QString>

#include <optional>

class QFileDialog;
class QWidget;

namespace sw::gui {

class LayoutPane;

struct SaveTarget {
    SaveFilter filter; // the dialog's entry, 1-based
    QString path;
};

// The entry whose extension the name ends in (any letter case), the first
// such entry; None when no entry has it.
SaveFilter SaveEntryForName(const QString& path);

// The entry and name the save dialog was left with when accepted; nothing
// when it was cancelled. A name typed with the extension of another entry
// selects that entry ("mismatch.gpkg" under "KML File" is a GeoPackage), so a
// file is never written under a name other than the one typed, nor in a format
// its name denies; the dialog keeps that entry for its next run.
std::optional<SaveTarget> ChooseSaveTarget(QFileDialog& dialog);

// Writes the window's layout as `target` says. A picture needs the image: without
// one the user is told there is nothing to save.
void SaveShownLayout(QWidget* parent, const LayoutPane& pane, const AppState& state,
                     const SaveTarget& target, const LargeSaveCheck& check);

} // namespace sw::gui
