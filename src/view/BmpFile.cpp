#include "view/BmpFile.h"

#include "exchange/FileError.h"
#include "exchange/SafeFile.h"

#include <QBuffer>
#include <QImageWriter>

namespace sw::gui {

QByteArray EncodeLayoutBmp(const QImage& image) {
    if (image.isNull()) {
        throw FileError("There is no picture to save");
    }
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    QImageWriter writer(&buffer, "bmp");
    if (!writer.write(image)) {
        throw FileError("The bitmap encoder failed: " + writer.errorString().toStdString());
    }
    return bytes;
}

void SaveLayoutAsBmp(const QImage& image, const std::filesystem::path& path) {
    if (image.isNull()) {
        throw FileError("There is no picture to save as \"" + path.string() + "\"");
    }
    const QByteArray bytes = EncodeLayoutBmp(image);
    ReplaceFileContents(path,
                        std::string_view(bytes.constData(), static_cast<std::size_t>(bytes.size())),
                        WriteFailureText::Runtime);
}

} // namespace sw::gui
