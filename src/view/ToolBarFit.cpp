#include "view/ToolBarFit.h"

#include "view/CaptionButton.h"

#include <QEvent>
#include <QLayout>
#include <QStyle>
#include <QToolBar>

#include <algorithm>

namespace sw::gui {

namespace {

class ToolBarFitter : public QObject {
public:
    ToolBarFitter(QToolBar& bar, int fixedWidth) : QObject(&bar), bar_(bar), fixed_(fixedWidth) {
        bar.installEventFilter(this);
        Fit();
    }

    bool eventFilter(QObject* watched, QEvent* event) override {
        if (watched == &bar_ &&
            (event->type() == QEvent::Resize || event->type() == QEvent::ChildAdded)) {
            Fit();
        }
        return QObject::eventFilter(watched, event);
    }

private:
    void Fit() {
        const QList<CaptionButton*> buttons =
            bar_.findChildren<CaptionButton*>(Qt::FindDirectChildrenOnly);
        if (buttons.isEmpty()) {
            return;
        }
        const int n = static_cast<int>(buttons.size());
        const QStyle* st = bar_.style();
        const int margins = 2 * (st->pixelMetric(QStyle::PM_ToolBarItemMargin, nullptr, &bar_) +
                                 st->pixelMetric(QStyle::PM_ToolBarFrameWidth, nullptr, &bar_));
        const int spacing = bar_.layout() != nullptr ? std::max(bar_.layout()->spacing(), 0) : 0;
        const int available = bar_.width() - margins - fixed_ - spacing * n;
        // The widest share every button can have with all of them on the bar:
        // a button whose caption needs more keeps its caption's width, so the
        // short captions give way first (a scaled screen of 800 pixels).
        const auto total = [&buttons](int share) {
            int sum = 0;
            for (const CaptionButton* b : buttons) {
                sum += std::clamp(share, b->CaptionWidth(), CaptionButton::DesignWidth);
            }
            return sum;
        };
        int low = 0;
        int high = CaptionButton::DesignWidth;
        while (low < high) {
            const int mid = (low + high + 1) / 2;
            if (total(mid) <= available) {
                low = mid;
            } else {
                high = mid - 1;
            }
        }
        // Where even the captions do not fit, an equal share as before.
        const int share = total(low) <= available ? low : available / n;
        for (CaptionButton* b : buttons) {
            const int width = std::clamp(share, b->CaptionWidth(), CaptionButton::DesignWidth);
            if (b->width() != width) {
                b->setFixedWidth(width);
            }
        }
    }

    QToolBar& bar_;
    int fixed_;
};

} // namespace

void FitToolBarButtons(QToolBar& bar, int fixedWidth) {
    new ToolBarFitter(bar, fixedWidth);
}

} // namespace sw::gui
