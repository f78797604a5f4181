#include "view/CaptionButton.h"

#include <QPainter>
#include <QStyleOptionToolButton>
#include <QStylePainter>

namespace sw::gui {

namespace {

constexpr int ButtonHeight = 39;
// Caption and glyph colour of a command that cannot be used: grey, whatever
// colour the tool bar gives its captions.
const QColor DisabledCaption(160, 160, 160);
constexpr int CaptionPadding = 6;
constexpr int GlyphSize = 18;

} // namespace

CaptionButton::CaptionButton(const QString& objectName, const QString& caption, const QIcon& glyph,
                             QWidget* parent)
    : QToolButton(parent) {
    setObjectName(objectName);
    setText(caption);
    setIcon(glyph);
    setIconSize(QSize(GlyphSize, GlyphSize));
    setAutoRaise(true);
    setToolButtonStyle(Qt::ToolButtonTextUnderIcon);
    setFixedSize(DesignWidth, ButtonHeight);
    setFocusPolicy(Qt::NoFocus);
}

QSize CaptionButton::sizeHint() const {
    return {width(), ButtonHeight};
}

int CaptionButton::CaptionWidth() const {
    return fontMetrics().horizontalAdvance(text()) + CaptionPadding;
}

void CaptionButton::paintEvent(QPaintEvent* /*event*/) {
    QStylePainter p(this);
    QStyleOptionToolButton opt;
    initStyleOption(&opt);
    // The flat frame only; caption and glyph are placed below, caption on top.
    opt.text.clear();
    opt.icon = QIcon();
    p.drawComplexControl(QStyle::CC_ToolButton, opt);

    const QRect r = rect().adjusted(1, 1, -1, -1);
    const int textHeight = fontMetrics().height();
    const QRect textRect(r.left(), r.top(), r.width(), textHeight);
    p.setPen(isEnabled() ? palette().color(QPalette::ButtonText) : DisabledCaption);
    p.drawText(textRect, Qt::AlignHCenter | Qt::AlignVCenter, text());
    const QRect glyphRect(r.left() + (r.width() - GlyphSize) / 2, r.bottom() - GlyphSize, GlyphSize,
                          GlyphSize);
    icon().paint(&p, glyphRect, Qt::AlignCenter, isEnabled() ? QIcon::Normal : QIcon::Disabled);
}

} // namespace sw::gui
