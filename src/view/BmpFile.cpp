#include "view/BmpFile.h"

#include "exchange/FileError.h"
#include "view/ReplaceFile.h"

#include <QImageWriter>

namespace sw {

void SaveLayoutAsBmp(const QImage& image, const std::string& path) {
    if (image.isNull()) {
        throw FileError("There is no picture to save as \"" + path + "\"");
    }
    ReplaceFile(path, [&image](QIODevice& out, std::string& error) {
        QImageWriter writer(&out, "bmp");
        if (!writer.write(image)) {
            error = writer.errorString().toStdString();
            return false;
        }
        return true;
    });
}

} // namespace sw
