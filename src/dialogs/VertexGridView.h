#pragma once

// The vertex grid's view: Enter is the grid's own key (it may append a row)
// rather than the dialog's default button, and Ctrl+V pastes a block.

#include <QStyledItemDelegate>
#include <QTableView>

namespace sw::gui {

class VertexGridView : public QTableView {
    Q_OBJECT

public:
    explicit VertexGridView(QWidget* parent = nullptr);

signals:
    // Enter pressed in the grid, also while a cell is being edited (after the
    // edit is committed).
    void EnterPressed();
    void PasteRequested();

protected:
    void keyPressEvent(QKeyEvent* event) override;
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
