#include "view/PictureFiles.h"

#include "exchange/SafeFile.h"
#include "exchange/WorldFile.h"
#include "view/BmpFile.h"
#include "view/JpegFile.h"

namespace sw::gui {

void SavePicture(PictureEncoding encoding, const QImage& image, const std::filesystem::path& path) {
    switch (encoding) {
    case PictureEncoding::Jpeg:
        SaveLayoutAsJpeg(image, path);
        return;
    case PictureEncoding::Bmp:
        SaveLayoutAsBmp(image, path);
        return;
    case PictureEncoding::None:
    case PictureEncoding::Pdf: // drawn from the model, not encoded from an image
        return;
    }
}

void SaveGeoreferencedPicture(PictureEncoding encoding, const QImage& image,
                              const std::filesystem::path& path, const Settings& s,
                              const SheetGrid& g) {
    if (encoding != PictureEncoding::Jpeg && encoding != PictureEncoding::Bmp) {
        SavePicture(encoding, image, path);
        return;
    }
    const QByteArray bytes =
        encoding == PictureEncoding::Jpeg ? EncodeLayoutJpeg(image) : EncodeLayoutBmp(image);
    FileSet set;
    set.Add(path, WriteFailureText::Runtime)
        .Write(std::string_view(bytes.constData(), static_cast<std::size_t>(bytes.size())));
    AddWorldFiles(set, path, s, g);
    set.Commit();
}

} // namespace sw::gui
