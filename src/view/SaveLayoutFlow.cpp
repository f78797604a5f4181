#include "view/SaveLayoutFlow.h"

#include "view/AppTitle.h"
#include "view/LayoutPane.h"
#include "view/ModalSeam.h"

#include <QFileDialog>

#include <exception>

namespace sw::gui {

std::optional<SaveTarget> ChooseSaveTarget(QFileDialog& dialog) {
    if (!RunModal(dialog)) {
        return std::nullopt;
    }
    const QStringList files = dialog.selectedFiles();
    if (files.isEmpty()) {
        return std::nullopt;
    }
    const auto filter =
        SaveFilter{static_cast<int>(SaveFilters().indexOf(dialog.selectedNameFilter())) + 1};
    return SaveTarget{filter, files.first()};
}

void SaveShownLayout(QWidget* parent, const LayoutPane& pane, const AppState& state,
                     const SaveTarget& target, const LargeSaveCheck& check) {
    const QImage* image = pane.Image();
    if (SaveFilterIsPicture(target.filter) && image == nullptr) {
        ShowInformation(parent, QString::fromLatin1(NoLayoutToSaveMessage));
        return;
    }
    const std::string name = PathToCore(target.path).string();
    const QString question =
        LargeSaveQuestion(target.filter, name, state.settings, state.grid, check.ThresholdBytes);
    if (!question.isEmpty() && !check.Ask(parent, question)) {
        return;
    }
    try {
        // Pictures hold one pixel per layout pixel whatever the screen's density.
        const QImage picture = image != nullptr && SaveFilterIsPicture(target.filter)
                                   ? pane.Picture(state.settings, state.feature, state.grid)
                                   : QImage();
        SaveLayout(target.filter, name,
                   LayoutToSave{state.settings, state.feature, state.grid,
                                picture.isNull() ? nullptr : &picture, state.InputFileName});
    } catch (const std::exception& e) {
        ShowError(parent, ErrorText(e));
    }
}

} // namespace sw::gui
