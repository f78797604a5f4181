#pragma once

// The vertex grid's view: Enter is the grid's own key (it may append a row)
// rather than the dialog's default button, and Ctrl+V pastes a block. Tab and
// Shift+Tab walk the editable cells in reading order, passing over the heading
// rows and the label column, and leave the grid after the last (before the
// first) of them, so the buttons are reached from the keyboard.

#include <QStyledItemDelegate>
#include <QTableView>

namespace sw::gui {

class VertexGridView : public QTableView {
    Q_OBJECT

public:
    explicit VertexGridView(QWidget* parent = nullptr);

    // The editable cell after (`forward`) or before `from` in reading order; the
    // first editable cell when `from` is no cell and `forward`; invalid when
    // there is none.
    QModelIndex NextEditableCell(const QModelIndex& from, bool forward) const;

signals:
    // Enter pressed in the grid, also while a cell is being edited (after the
    // edit is committed).
    void EnterPressed();
    void PasteRequested();

protected:
    void keyPressEvent(QKeyEvent* event) override;
    QModelIndex moveCursor(CursorAction action, Qt::KeyboardModifiers modifiers) override;
    bool focusNextPrevChild(bool next) override;
    void closeEditor(QWidget* editor, QAbstractItemDelegate::EndEditHint hint) override;
};

// Commits an edit on Enter as usual and then tells the view Enter was pressed.
class VertexGridDelegate : public QStyledItemDelegate {
    Q_OBJECT

public:
    explicit VertexGridDelegate(VertexGridView* view);

protected:
    bool eventFilter(QObject* editor, QEvent* event) override;

private:
    VertexGridView* view_;
};

} // namespace sw::gui
