#include "dialogs/ReportCellDelegate.h"

#include <QApplication>
#include <QPainter>

namespace sw::gui {

QString ReportCellDelegate::ShownText(const QFontMetrics& fm, const QString& text, int cellWidth) {
    return fm.elidedText(text, Qt::ElideRight, cellWidth - 2 * TextMargin);
}

void ReportCellDelegate::paint(QPainter* painter, const QStyleOptionViewItem& option,
                               const QModelIndex& index) const {
    QStyleOptionViewItem opt = option;
    initStyleOption(&opt, index);
    const QString text = opt.text;
    opt.text.clear();
    // Background, selection and focus as the style draws them; the text here.
    const QWidget* widget = opt.widget;
    QStyle* style = widget != nullptr ? widget->style() : QApplication::style();
    style->drawControl(QStyle::CE_ItemViewItem, &opt, painter, widget);

    const bool selected = (opt.state & QStyle::State_Selected) != 0;
    painter->save();
    painter->setFont(opt.font);
    painter->setPen(opt.palette.color(selected ? QPalette::HighlightedText : QPalette::Text));
    const QRect r = opt.rect.adjusted(TextMargin, 0, -TextMargin, 0);
    painter->drawText(r, Qt::AlignLeft | Qt::AlignVCenter,
                      ShownText(QFontMetrics(opt.font), text, opt.rect.width()));
    painter->restore();
}

} // namespace sw::gui
