#include "gui/AppTitle.h"

#include "gui/ModalSeam.h"

#include <string>

namespace sw::gui {

QString CaptionFor(const std::filesystem::path& source) {
    return source.empty() ? AppTitle() : PathFromCore(source);
}

void ShowInformation(QWidget* parent, const QString& text) {
    ShowMessage(parent, {MessageRequest::Kind::Information, AppTitle(), text});
}

void ShowError(QWidget* parent, const QString& text) {
    ShowMessage(parent, {MessageRequest::Kind::Error, AppTitle(), text});
}

bool AskYesNo(QWidget* parent, const QString& text) {
    return ShowMessage(parent, {MessageRequest::Kind::Question, AppTitle(), text});
}

} // namespace sw::gui
