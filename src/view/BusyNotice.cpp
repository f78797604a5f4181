#include "view/BusyNotice.h"

#include <QGuiApplication>
#include <QLabel>

namespace sw::gui {

BusyNotice::BusyNotice(QLabel* panel, const QString& text) : panel_(panel) {
    QGuiApplication::setOverrideCursor(Qt::WaitCursor);
    if (panel_ != nullptr) {
        before_ = panel_->text();
        panel_->setText(text);
        panel_->repaint();
    }
}

void BusyNotice::SetText(const QString& text) {
    if (panel_ != nullptr) {
        panel_->setText(text);
        panel_->repaint();
    }
}

BusyNotice::~BusyNotice() {
    if (panel_ != nullptr) {
        panel_->setText(before_);
    }
    QGuiApplication::restoreOverrideCursor();
}

QString DrawingLayoutText() {
    return QStringLiteral("Drawing the layout...");
}

} // namespace sw::gui
