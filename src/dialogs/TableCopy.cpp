#include "dialogs/TableCopy.h"

#include <QApplication>
#include <QClipboard>
#include <QEvent>
#include <QKeyEvent>
#include <QTableWidget>

#include <algorithm>

namespace sw::gui {

namespace {

QString CellText(const QTableWidget& grid, int row, int col) {
    const QTableWidgetItem* item = grid.item(row, col);
    if (item == nullptr) {
        return {};
    }
    QString text = item->text();
    for (QChar& c : text) {
        if (c == QLatin1Char('\t') || c == QLatin1Char('\n') || c == QLatin1Char('\r')) {
            c = QLatin1Char(' ');
        }
    }
    return text;
}

bool IsCopyKey(QEvent* event) {
    if (event->type() != QEvent::KeyPress && event->type() != QEvent::ShortcutOverride) {
        return false;
    }
    return static_cast<QKeyEvent*>(event)->matches(QKeySequence::Copy);
}

// Takes the copy key before the view handles it.
class CopyKeyFilter : public QObject {
public:
    explicit CopyKeyFilter(QTableWidget& grid) : QObject(&grid), grid_(grid) {}

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (watched != &grid_ || !IsCopyKey(event)) {
            return QObject::eventFilter(watched, event);
        }
        // Claiming the override keeps a window shortcut on the same key from
        // taking the press away from the table.
        event->accept();
        if (event->type() == QEvent::KeyPress) {
            if (QClipboard* cb = QApplication::clipboard()) {
                cb->setText(TableCopyText(grid_));
            }
        }
        return true;
    }

private:
    QTableWidget& grid_;
};

} // namespace

QString TableCopyText(const QTableWidget& grid) {
    const int rows = grid.rowCount();
    const int cols = grid.columnCount();
    if (rows <= 0 || cols <= 0) {
        return {};
    }
    int top = 0;
    int left = 0;
    int bottom = rows - 1;
    int right = cols - 1;
    const QList<QTableWidgetSelectionRange> ranges = grid.selectedRanges();
    if (!ranges.isEmpty()) {
        top = rows;
        left = cols;
        bottom = -1;
        right = -1;
        for (const QTableWidgetSelectionRange& r : ranges) {
            top = std::min(top, r.topRow());
            left = std::min(left, r.leftColumn());
            bottom = std::max(bottom, r.bottomRow());
            right = std::max(right, r.rightColumn());
        }
    }
    QString out;
    for (int row = top; row <= bottom; ++row) {
        for (int col = left; col <= right; ++col) {
            if (col > left) {
                out += QLatin1Char('\t');
            }
            out += CellText(grid, row, col);
        }
        out += QLatin1Char('\n');
    }
    return out;
}

void EnableTableCopy(QTableWidget& grid) {
    grid.installEventFilter(new CopyKeyFilter(grid));
}

} // namespace sw::gui
