#include "gui/CoreText.h"

#include "exchange/FileError.h"
#include "index/WindowsText.h"

#include <QFile>

namespace sw::gui {

QString FromCore(const std::string& text) {
    return QString::fromStdString(WindowsToUtf8(text));
}

std::string ToCore(const QString& text) {
    return Utf8ToWindows(text.toStdString());
}

std::filesystem::path PathToCore(const QString& path) {
    return QFile::encodeName(path).toStdString();
}

QString PathFromCore(const std::filesystem::path& path) {
    return QFile::decodeName(QByteArray::fromStdString(path.native()));
}

QString ErrorText(const std::exception& e) {
    if (dynamic_cast<const FileError*>(&e) != nullptr) {
        return QString::fromUtf8(e.what());
    }
    return FromCore(e.what());
}

} // namespace sw::gui
