#pragma once

// The picture encodings the format registry names, written from a drawn layout.

#include "exchange/FormatRegistry.h"

#include <QImage>

#include <string>

namespace sw::gui {

// Encodes `image` as `encoding` says and writes it to `path` exactly as given.
// Throws FileError with the message to show; PictureEncoding::None writes nothing.
void SavePicture(PictureEncoding encoding, const QImage& image, const std::string& path);

} // namespace sw::gui
