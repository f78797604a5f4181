#include "view/LayoutSaving.h"

#include "coverage/LayoutGeometry.h"
#include "exchange/FileError.h"
#include "exchange/FormatRegistry.h"
#include "exchange/LinkedModules.h"
#include "exchange/Renderer.h"
#include "exchange/SafeFile.h"
#include "exchange/WorldFile.h"
#include "exchange/WriteOutput.h"
#include "gui/AppTitle.h"
#include "view/PdfFiles.h"
#include "view/PictureFiles.h"

#include <QDate>
#include <QFileInfo>

#include <memory>
#include <variant>

namespace sw::gui {

namespace {

void WritePdf(const std::filesystem::path& path, const LayoutToSave& layout) {
    const QString date =
        layout.Date.isEmpty() ? QDate::currentDate().toString(Qt::ISODate) : layout.Date;
    const QByteArray bytes = LayoutPdfBytes(LayoutPdfInput{
        layout.settings, layout.feature, layout.grid, layout.InputFileName.string(), date});
    ReplaceFileContents(path,
                        std::string_view(bytes.constData(), static_cast<std::size_t>(bytes.size())),
                        WriteFailureText::Runtime);
}

// The drawn outputs as the window has them: the pictures are the image already
// drawn, the PDF is drawn from the sheet list with the layout's title.
class ShownLayout final : public Renderer {
public:
    explicit ShownLayout(const LayoutToSave& layout) : layout_(layout) {}

    void WriteLayoutPicture(PictureEncoding encoding, const RenderInput& in,
                            const std::filesystem::path& path) const override {
        if (encoding == PictureEncoding::Pdf) {
            WritePdf(path, layout_);
            return;
        }
        if (layout_.image == nullptr || layout_.image->isNull()) {
            throw FileError(NoLayoutToSaveMessage);
        }
        // The same georeferencing the command line writes beside its pictures,
        // committed with the picture as one set.
        const SheetGrid& g = in.grid;
        if (g.GridCols > 0 && g.GridRows > 0) {
            SaveGeoreferencedPicture(encoding, *layout_.image, path, in.settings, g);
        } else {
            SavePicture(encoding, *layout_.image, path);
        }
    }

    void WriteReportPdf(const RenderInput& /*in*/,
                        const std::filesystem::path& /*path*/) const override {
        throw Error(ErrorKind::Usage, "the report is saved from the report window");
    }

private:
    const LayoutToSave& layout_;
};

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
           (PictureOf(*f) == PictureEncoding::Jpeg || PictureOf(*f) == PictureEncoding::Bmp);
}

std::filesystem::path SaveFileName(const std::filesystem::path& path, SaveFilter filter) {
    const OutputFormat* f = SaveBoxFormat(filter);
    const QFileInfo info(PathFromCore(path));
    if (f == nullptr || std::holds_alternative<WritesSheets>(f->Writer) ||
        !info.suffix().isEmpty() || info.fileName().isEmpty()) {
        return path;
    }
    std::filesystem::path named = path;
    named += std::string(f->Extension);
    return named;
}

void SaveLayout(SaveFilter filter, const std::filesystem::path& path, const LayoutToSave& layout) {
    const OutputFormat* f = SaveBoxFormat(filter);
    if (f == nullptr) {
        return;
    }
    // The registry's one dispatch, with the window's drawing as the renderer.
    Modules modules = LinkedModules();
    modules.Render.Link(std::make_shared<const ShownLayout>(layout));
    const std::string inputName = layout.InputFileName.string(); // the title's text
    OutputRequest request{layout.settings, layout.feature, layout.grid, inputName};
    request.plan = layout.plan;
    WriteOutput(*f, request, SaveFileName(path, filter), modules);
}

void SaveLayout(SaveFilter filter, const std::filesystem::path& path, const Settings& s,
                const SheetGrid& g, const QImage& image) {
    const Feature none;
    SaveLayout(filter, path, LayoutToSave{s, none, g, &image});
}

QString LargeSaveQuestion(SaveFilter filter, const std::filesystem::path& path, const Settings& s,
                          const SheetGrid& g, uint64_t thresholdBytes, const LayoutGeometry* plan) {
    const OutputFormat* f = SaveBoxFormat(filter);
    if (f == nullptr || f->EstimateBytes == nullptr) {
        return {};
    }
    const uint64_t bytes =
        f->EstimateBytes(s, g, plan != nullptr ? *plan : PlanLayout(s, g.GridCols, g.GridRows));
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
