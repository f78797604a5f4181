#include "view/AppTitle.h"

#include <QMessageBox>

#include <string>

namespace sw {

void ShowInformation(QWidget* parent, const QString& text) {
    QMessageBox::information(parent, AppTitle(), text, QMessageBox::Ok);
}

void ShowError(QWidget* parent, const QString& text) {
    QMessageBox::critical(parent, AppTitle(), text, QMessageBox::Ok);
}

// The core keeps text in Windows-1252; of it only the degree sign (176) and other
// Latin-1 letters occur, so the Latin-1 mapping is exact for what we produce. File
// paths are the exception: they come from the file system as UTF-8 and are kept so.
QString FromCore(const std::string& text) {
    return QString::fromLatin1(text.data(), static_cast<qsizetype>(text.size()));
}

std::string ToCore(const QString& text) {
    return text.toLatin1().toStdString();
}

} // namespace sw
