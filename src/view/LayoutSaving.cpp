#include "view/LayoutSaving.h"

#include "exchange/FileError.h"
#include "exchange/FormatRegistry.h"
#include "view/PictureFiles.h"

#include <QFileInfo>
#include <QString>

namespace sw::gui {

QStringList SaveFilters() {
    QStringList filters;
    for (const std::string& f : SaveBoxFilters()) {
        filters.append(QString::fromStdString(f));
    }
    return filters;
}

bool SaveFilterIsPicture(SaveFilter filter) {
    const OutputFormat* f = SaveBoxFormat(filter);
    return f != nullptr && f->Picture != PictureEncoding::None;
}

std::string PictureFileName(const std::string& path, SaveFilter filter) {
    const QFileInfo info(QString::fromStdString(path));
    if (!info.suffix().isEmpty() || info.fileName().isEmpty() || !SaveFilterIsPicture(filter)) {
        return path;
    }
    return path + std::string(SaveBoxFormat(filter)->Extension);
}

void SaveLayout(SaveFilter filter, const std::string& path, const Settings& s, const SheetGrid& g,
                const QImage& image) {
    const OutputFormat* f = SaveBoxFormat(filter);
    if (f == nullptr) {
        return;
    }
    if (f->WriteSheets != nullptr) {
        f->WriteSheets(path, s, g);
        return;
    }
    if (f->Picture != PictureEncoding::None) {
        if (image.isNull()) {
            throw FileError(NoLayoutToSaveMessage);
        }
        SavePicture(f->Picture, image, PictureFileName(path, filter));
    }
}

} // namespace sw::gui
