#pragma once

// The layout as a Windows bitmap picture, written by the image's own BMP writer.

#include <QByteArray>
#include <QImage>

#include <filesystem>
#include <string>

namespace sw::gui {

// The encoded bitmap in memory. Throws FileError for a null image or when the
// encoder fails.
QByteArray EncodeLayoutBmp(const QImage& image);

// Writes `image` to `path` exactly as named (through a temporary file, so an
// existing file survives a failed save). Throws FileError with the reason.
void SaveLayoutAsBmp(const QImage& image, const std::filesystem::path& path);

} // namespace sw::gui
