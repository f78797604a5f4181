#include "view/PictureFiles.h"

#include "view/BmpFile.h"
#include "view/JpegFile.h"

namespace sw::gui {

void SavePicture(PictureEncoding encoding, const QImage& image, const std::string& path) {
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

} // namespace sw::gui
