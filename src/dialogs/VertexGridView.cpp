#include "dialogs/VertexGridView.h"

#include <QKeyEvent>

namespace sw::gui {

namespace {

bool IsEnter(const QKeyEvent* e) {
    return e->key() == Qt::Key_Return || e->key() == Qt::Key_Enter;
}

} // namespace

VertexGridView::VertexGridView(QWidget* parent) : QTableView(parent) {
    setItemDelegate(new VertexGridDelegate(this));
}

void VertexGridView::keyPressEvent(QKeyEvent* event) {
    if (event->matches(QKeySequence::Paste)) {
        emit PasteRequested();
        event->accept();
        return;
    }
    if (IsEnter(event) && state() != EditingState) {
        // Taken here so that it does not reach the dialog's default button.
        emit EnterPressed();
        event->accept();
        return;
    }
    QTableView::keyPressEvent(event);
}

VertexGridDelegate::VertexGridDelegate(VertexGridView* view)
    : QStyledItemDelegate(view), view_(view) {}

bool VertexGridDelegate::eventFilter(QObject* editor, QEvent* event) {
    if (event->type() == QEvent::KeyPress && IsEnter(static_cast<QKeyEvent*>(event))) {
        const bool handled = QStyledItemDelegate::eventFilter(editor, event);
        emit view_->EnterPressed();
        return handled;
    }
    return QStyledItemDelegate::eventFilter(editor, event);
}

} // namespace sw::gui
