#include "gui/CommandKeys.h"

#include <QAbstractButton>
#include <QShortcut>

namespace sw::gui {

QString CommandToolTip(const QString& caption, const QKeySequence& key) {
    if (key.isEmpty()) {
        return caption;
    }
    return QStringLiteral("%1 (%2)").arg(caption, key.toString(QKeySequence::NativeText));
}

void BindCommandKeys(QWidget& window, const std::vector<CommandKey>& commands) {
    for (const CommandKey& command : commands) {
        QAbstractButton* button = command.button;
        if (button == nullptr) {
            continue;
        }
        button->setToolTip(CommandToolTip(button->text(), command.keys.value(0)));
        for (const QKeySequence& key : command.keys) {
            auto* shortcut = new QShortcut(key, &window);
            QObject::connect(shortcut, &QShortcut::activated, button, [button] {
                if (button->isEnabled()) {
                    button->click();
                }
            });
        }
    }
}

} // namespace sw::gui
