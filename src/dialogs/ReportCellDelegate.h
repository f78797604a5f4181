#pragma once

// Draws the report table's cells with a one-pixel text margin. The columns are
// exactly as wide as their measuring texts (" S.NO. ", " Number of Sheets"),
// which leaves no room for the item view's usual margins: with them " S.No."
// and "Number of Sheets" were cut short. A text that is still too wide for its
// cell ends in an ellipsis.

#include <QStyledItemDelegate>

namespace sw::gui {

class ReportCellDelegate : public QStyledItemDelegate {
public:
    using QStyledItemDelegate::QStyledItemDelegate;

    // Pixels between a cell's edge and its text, on each side.
    static constexpr int TextMargin = 1;

    // The text as a cell `cellWidth` pixels wide shows it in font `fm`.
    static QString ShownText(const QFontMetrics& fm, const QString& text, int cellWidth);

    void paint(QPainter* painter, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override;
};

} // namespace sw::gui
