#pragma once

// The layout as a Windows bitmap picture, written by the image's own BMP writer.

#include <QImage>

#include <string>

namespace sw::gui {

// Writes `image` to `path` exactly as named (through a temporary file, so an
// existing file survives a failed save). Throws FileError with the reason.
void SaveLayoutAsBmp(const QImage& image, const std::string& path);

} // namespace sw::gui
