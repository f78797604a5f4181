#include "view/AppTitle.h"

#include <QFile>
#include <QMessageBox>

#include <string>

namespace sw::gui {

QString CaptionFor(const std::string& source) {
    return source.empty() ? AppTitle() : QFile::decodeName(QByteArray::fromStdString(source));
}

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
