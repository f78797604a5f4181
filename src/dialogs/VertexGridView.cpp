#include "dialogs/VertexGridView.h"

#include <QKeyEvent>

#include <cstdint>

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
    // Typing on a heading or label cell would be lost: it goes to the next
    // cell that takes it, as if that cell had been chosen first.
    const QModelIndex current = currentIndex();
    const bool typing = !event->text().isEmpty() && event->text().at(0).isPrint() &&
                        (event->modifiers() & (Qt::ControlModifier | Qt::AltModifier)) == 0;
    if (typing && current.isValid() && (model()->flags(current) & Qt::ItemIsEditable) == 0) {
        const QModelIndex next = NextEditableCell(current, true);
        if (next.isValid()) {
            setCurrentIndex(next);
        }
    }
    QTableView::keyPressEvent(event);
}

QModelIndex VertexGridView::NextEditableCell(const QModelIndex& from, bool forward) const {
    const QAbstractItemModel* m = model();
    if (m == nullptr) {
        return {};
    }
    const int64_t cols = m->columnCount();
    const int64_t cells = int64_t{m->rowCount()} * cols;
    if (cols == 0) {
        return {};
    }
    int64_t at =
        from.isValid() ? int64_t{from.row()} * cols + from.column() : (forward ? -1 : cells);
    // Only the heading rows and the label column are passed over, so this walks
    // a few cells at most.
    for (at += forward ? 1 : -1; at >= 0 && at < cells; at += forward ? 1 : -1) {
        const QModelIndex i = m->index(static_cast<int>(at / cols), static_cast<int>(at % cols));
        if ((m->flags(i) & Qt::ItemIsEditable) != 0) {
            return i;
        }
    }
    return {};
}

QModelIndex VertexGridView::moveCursor(CursorAction action, Qt::KeyboardModifiers modifiers) {
    if (action == MoveNext || action == MovePrevious) {
        return NextEditableCell(currentIndex(), action == MoveNext);
    }
    return QTableView::moveCursor(action, modifiers);
}

bool VertexGridView::focusNextPrevChild(bool next) {
    if (tabKeyNavigation() && NextEditableCell(currentIndex(), next).isValid()) {
        return QTableView::focusNextPrevChild(next);
    }
    // Past the last editable cell Tab goes on to the dialog's next control.
    return QWidget::focusNextPrevChild(next); // NOLINT(bugprone-parent-virtual-call)
}

void VertexGridView::closeEditor(QWidget* editor, QAbstractItemDelegate::EndEditHint hint) {
    const bool walks = hint == QAbstractItemDelegate::EditNextItem ||
                       hint == QAbstractItemDelegate::EditPreviousItem;
    const bool forward = hint == QAbstractItemDelegate::EditNextItem;
    if (walks && !NextEditableCell(currentIndex(), forward).isValid()) {
        // The value typed in the last cell is kept; the focus leaves the grid.
        QTableView::closeEditor(editor, QAbstractItemDelegate::NoHint);
        QWidget::focusNextPrevChild(forward); // NOLINT(bugprone-parent-virtual-call)
        return;
    }
    QTableView::closeEditor(editor, hint);
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
