#include "view/AppTitle.h"

#include <QMessageBox>

#include <string>

namespace sw::gui {

void ShowInformation(QWidget* parent, const QString& text) {
    QMessageBox::information(parent, AppTitle(), text, QMessageBox::Ok);
}

void ShowError(QWidget* parent, const QString& text) {
    QMessageBox::critical(parent, AppTitle(), text, QMessageBox::Ok);
}

bool AskYesNo(QWidget* parent, const QString& text) {
    return QMessageBox::question(parent, AppTitle(), text, QMessageBox::Yes | QMessageBox::No,
                                 QMessageBox::No) == QMessageBox::Yes;
}

} // namespace sw::gui
