#include "view/SaveLayoutFlow.h"

#include "exchange/FormatRegistry.h"
#include "gui/AppTitle.h"
#include "gui/ModalSeam.h"
#include "view/LayoutPane.h"

#include <QFileDialog>
#include <QFileInfo>

#include <exception>
#include <variant>

namespace sw::gui {

SaveFilter SaveEntryForName(const QString& path) {
    const QString suffix = QFileInfo(path).suffix();
    if (suffix.isEmpty()) {
        return SaveFilter::None;
    }
    for (int i = 1;; ++i) {
        const OutputFormat* f = SaveBoxFormat(SaveFilter{i});
        if (f == nullptr) {
            return SaveFilter::None;
        }
        const QString extension =
            QString::fromLatin1(f->Extension.data(), static_cast<qsizetype>(f->Extension.size()));
        if (extension.compare(QLatin1Char('.') + suffix, Qt::CaseInsensitive) == 0) {
            return SaveFilter{i};
        }
    }
}

std::optional<SaveTarget> ChooseSaveTarget(QFileDialog& dialog) {
    if (!RunModal(dialog)) {
        return std::nullopt;
    }
    const QStringList files = dialog.selectedFiles();
    if (files.isEmpty()) {
        return std::nullopt;
    }
    // The entry the chosen filter text names, whatever its place in the box.
    const OutputFormat* chosen = SaveBoxFormatForFilter(dialog.selectedNameFilter().toStdString());
    SaveFilter filter = chosen == nullptr ? SaveFilter::None : SaveBoxPosition(chosen->Id);
    const SaveFilter named = SaveEntryForName(files.first());
    if (named != SaveFilter::None && named != filter) {
        filter = named;
        dialog.selectNameFilter(SaveFilters().value(static_cast<int>(named) - 1));
    }
    QString path = files.first();
    // The KML and shapefile writers put their extensions in place of the
    // name's: an extension no entry has ("area.v2") stays part of the name.
    const OutputFormat* f = SaveBoxFormat(filter);
    const QString suffix = QFileInfo(path).suffix();
    if (f != nullptr && std::holds_alternative<WritesSheets>(f->Writer) && !suffix.isEmpty() &&
        named == SaveFilter::None) {
        path +=
            QString::fromLatin1(f->Extension.data(), static_cast<qsizetype>(f->Extension.size()));
    }
    return SaveTarget{filter, path};
}

void SaveShownLayout(QWidget* parent, const LayoutPane& pane, const AppState& state,
                     const SaveTarget& target, const LargeSaveCheck& check) {
    const bool made = pane.Made();
    if (SaveFilterIsPicture(target.filter) && !made) {
        ShowInformation(parent, QString::fromLatin1(NoLayoutToSaveMessage));
        return;
    }
    const std::filesystem::path name = PathToCore(target.path);
    // Planned once for the size question and the writer.
    const LayoutGeometry plan =
        PlanLayout(state.settings, state.grid.GridCols, state.grid.GridRows);
    const QString question = LargeSaveQuestion(target.filter, name, state.settings, state.grid,
                                               check.ThresholdBytes, &plan);
    if (!question.isEmpty() && !check.Ask(parent, question)) {
        return;
    }
    try {
        // Pictures hold one pixel per layout pixel whatever the screen's density.
        const QImage picture =
            made && SaveFilterIsPicture(target.filter) ? pane.Picture() : QImage();
        SaveLayout(target.filter, name,
                   LayoutToSave{.settings = state.settings,
                                .feature = state.feature,
                                .grid = state.grid,
                                .image = picture.isNull() ? nullptr : &picture,
                                .InputFileName = state.InputFileName,
                                .plan = &plan});
    } catch (const std::exception& e) {
        ShowError(parent, ErrorText(e));
    }
}

} // namespace sw::gui
