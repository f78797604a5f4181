#include "view/CoreText.h"

#include "exchange/FileError.h"
#include "index/WindowsText.h"

namespace sw::gui {

QString FromCore(const std::string& text) {
    return QString::fromStdString(WindowsToUtf8(text));
}

std::string ToCore(const QString& text) {
    return Utf8ToWindows(text.toStdString());
}

QString ErrorText(const std::exception& e) {
    if (dynamic_cast<const FileError*>(&e) != nullptr) {
        return QString::fromUtf8(e.what());
    }
    return FromCore(e.what());
}

} // namespace sw::gui
