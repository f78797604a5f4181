#pragma once

// The layout as a JPEG picture: quality 90, full colour, baseline.

#include <QByteArray>
#include <QImage>

#include <filesystem>
#include <string>

namespace sw::gui {

inline constexpr int LayoutJpegQuality = 90;

// The encoded picture in memory. Throws FileError for a null image or when the
// encoder fails.
QByteArray EncodeLayoutJpeg(const QImage& image);

// Writes the picture to `path` exactly as named (through a temporary file, so an
// existing file survives a failed save). Throws FileError with the reason.
void SaveLayoutAsJpeg(const QImage& image, const std::filesystem::path& path);

} // namespace sw::gui
