#pragma once

// A flat tool bar button with its caption above its glyph.

#include <QToolButton>

namespace sw::gui {

class CaptionButton : public QToolButton {
    Q_OBJECT

public:
    CaptionButton(const QString& objectName, const QString& caption, const QIcon& glyph,
                  QWidget* parent = nullptr);

    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;
};

} // namespace sw::gui
