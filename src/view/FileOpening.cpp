#include "view/FileOpening.h"

#include "exchange/FormatRegistry.h"
#include "gui/AppTitle.h"
#include "session/Session.h"
#include "view/WindowStatus.h"

namespace sw::gui {

void OpenGivenFile(WindowStatus& window, GivenFileRoads& roads, const std::filesystem::path& path) {
    if (window.Computing()) {
        ShowInformation(&window.Widget(), QString::fromLatin1(WindowStatus::BusyText));
        return;
    }
    if (OpensAsLayer(path.native())) {
        roads.OpenLayerFile(path);
        return;
    }
    const InputFormat* format = DropFormat(path);
    if (format == nullptr) {
        return;
    }
    const DroppedOpen outcome = roads.OpenVertexFile(*format, path);
    if (outcome == DroppedOpen::Refused) {
        return; // the dialog has said why and nothing changed
    }
    Session& session = roads.TheSession();
    const AppState& st = session.State();
    const DroppedFile taken =
        ConcludeDrop(outcome, *format, st.vertexTable, st.settings.DataType, path);
    session.SetDataType(taken.DataType);
    window.SetPanelText(0, taken.Status);
    roads.ShowVertexDialog();
}

} // namespace sw::gui
