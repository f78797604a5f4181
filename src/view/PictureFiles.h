#pragma once

// The picture encodings the format registry names, written from a drawn layout.

#include "coverage/SheetGrid.h"
#include "exchange/FormatRegistry.h"
#include "index/Settings.h"

#include <QImage>

#include <filesystem>
#include <string>

namespace sw::gui {

// Encodes `image` as `encoding` says and writes it to `path` exactly as given.
// Throws FileError with the message to show; PictureEncoding::None writes nothing.
void SavePicture(PictureEncoding encoding, const QImage& image, const std::filesystem::path& path);

// The same picture with its world file, ".prj" and ".aux.xml" (exchange/WorldFile.h),
// the four files put in place as one set: all new, or all as they were.
void SaveGeoreferencedPicture(PictureEncoding encoding, const QImage& image,
                              const std::filesystem::path& path, const Settings& s,
                              const SheetGrid& g);

} // namespace sw::gui
