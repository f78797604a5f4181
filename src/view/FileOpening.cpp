#include "view/FileOpening.h"

#include "exchange/FormatRegistry.h"
#include "gui/AppTitle.h"
#include "view/FileDrop.h"
#include "view/MainForm.h"
#include "view/OpenLayer.h"

namespace sw::gui {

void OpenGivenFile(TMainForm& form, const QString& path) {
    if (form.Computing()) {
        ShowInformation(&form, QString::fromLatin1(TMainForm::BusyText));
        return;
    }
    if (OpensAsLayer(PathToCore(path).native())) {
        form.Layers().Open(path);
        return;
    }
    const DialogSet& dialogs = form.Dialogs();
    const InputFormat* format = DropFormat(path);
    if (format == nullptr || !dialogs.OpenVertexInput) {
        return;
    }
    const DroppedOpen outcome = dialogs.OpenVertexInput(*format, path);
    if (outcome == DroppedOpen::Refused) {
        return; // the dialog has said why and nothing changed
    }
    Session& session = form.TheSession();
    const AppState& st = session.State();
    const DroppedFile taken =
        ConcludeDrop(outcome, *format, st.vertexTable, st.settings.DataType, path);
    session.SetDataType(taken.DataType);
    form.SetPanelText(0, taken.Status);
    TMainForm::ShowWidget(dialogs.PolyInputForm);
}

} // namespace sw::gui
