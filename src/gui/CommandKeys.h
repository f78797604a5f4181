#pragma once

// Keyboard access to the tool bar: each command's keys click its button, and the
// button's tooltip names the first of them.

#include <QKeySequence>
#include <QList>
#include <QString>

#include <vector>

class QAbstractButton;
class QWidget;

namespace sw::gui {

struct CommandKey {
    QAbstractButton* button = nullptr;
    QList<QKeySequence> keys; // the first one is shown in the tooltip
};

// "Zoom In (Ctrl++)"; the caption alone without a key.
QString CommandToolTip(const QString& caption, const QKeySequence& key);

// Binds the keys as shortcuts of `window` (active while it is the active
// window). A key clicks its button only while the button is enabled, so a
// command keeps the enabling rules of its button.
void BindCommandKeys(QWidget& window, const std::vector<CommandKey>& commands);

} // namespace sw::gui
