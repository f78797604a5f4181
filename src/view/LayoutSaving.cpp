#include "view/LayoutSaving.h"

#include "exchange/FileError.h"
#include "exchange/FormatRegistry.h"
#include "exchange/OgrGridFile.h"
#include "exchange/SafeFile.h"
#include "exchange/WorldFile.h"
#include "gui/AppTitle.h"
#include "view/PdfFiles.h"
#include "view/PictureFiles.h"

#include <QDate>
#include <QFileInfo>

namespace sw::gui {

namespace {

void WritePdf(const std::string& path, const LayoutToSave& layout) {
    const QString date =
        layout.Date.isEmpty() ? QDate::currentDate().toString(Qt::ISODate) : layout.Date;
    const QByteArray bytes = LayoutPdfBytes(
        LayoutPdfInput{layout.settings, layout.feature, layout.grid, layout.InputFileName, date});
    ReplaceFileContents(path,
                        std::string_view(bytes.constData(), static_cast<std::size_t>(bytes.size())),
                        WriteFailureText::Runtime);
}

} // namespace

QStringList SaveFilters() {
    QStringList filters;
    for (const std::string& f : SaveBoxFilters()) {
        filters.append(QString::fromStdString(f));
    }
    return filters;
}

bool SaveFilterIsPicture(SaveFilter filter) {
    const OutputFormat* f = SaveBoxFormat(filter);
    return f != nullptr &&
           (f->Picture == PictureEncoding::Jpeg || f->Picture == PictureEncoding::Bmp);
}

std::string SaveFileName(const std::string& path, SaveFilter filter) {
    const OutputFormat* f = SaveBoxFormat(filter);
    const QFileInfo info(PathFromCore(path));
    if (f == nullptr || f->WriteSheets != nullptr || !info.suffix().isEmpty() ||
        info.fileName().isEmpty()) {
        return path;
    }
    return path + std::string(f->Extension);
}

void SaveLayout(SaveFilter filter, const std::string& path, const LayoutToSave& layout) {
    const OutputFormat* f = SaveBoxFormat(filter);
    if (f == nullptr) {
        return;
    }
    const Settings& s = layout.settings;
    const SheetGrid& g = layout.grid;
    if (f->WriteSheets != nullptr) {
        f->WriteSheets(path, s, g);
        return;
    }
    const std::string name = SaveFileName(path, filter);
    if (!f->OgrDriver.empty()) {
        WriteOgrGridFile(name, OgrFormat{f->OgrDriver, f->Extension},
                         OgrGridRequest{s, g, &layout.feature, false});
        return;
    }
    if (f->Picture == PictureEncoding::Pdf) {
        WritePdf(name, layout);
        return;
    }
    if (f->Picture != PictureEncoding::None) {
        if (layout.image == nullptr || layout.image->isNull()) {
            throw FileError(NoLayoutToSaveMessage);
        }
        // The same georeferencing the command line writes beside its pictures,
        // committed with the picture as one set.
        if (g.GridCols > 0 && g.GridRows > 0) {
            SaveGeoreferencedPicture(f->Picture, *layout.image, name, s, g);
        } else {
            SavePicture(f->Picture, *layout.image, name);
        }
    }
}

void SaveLayout(SaveFilter filter, const std::string& path, const Settings& s, const SheetGrid& g,
                const QImage& image) {
    const Feature none;
    SaveLayout(filter, path, LayoutToSave{s, none, g, &image});
}

QString LargeSaveQuestion(SaveFilter filter, const std::string& path, const Settings& s,
                          const SheetGrid& g, uint64_t thresholdBytes) {
    const OutputFormat* f = SaveBoxFormat(filter);
    if (f == nullptr || f->EstimateBytes == nullptr) {
        return {};
    }
    const uint64_t bytes = f->EstimateBytes(s, g);
    if (bytes <= thresholdBytes) {
        return {};
    }
    const std::string file = OutputFiles(*f, SaveFileName(path, filter)).front();
    return QStringLiteral("\"%1\" will be %2. Write it?")
        .arg(QString::fromStdString(file), QString::fromStdString(ApproximateSize(bytes)));
}

LargeSaveCheck DefaultLargeSaveCheck() {
    return LargeSaveCheck{LargeOutputBytes, AskYesNo};
}

} // namespace sw::gui
