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

    // The width the button has where the tool bar has room for it.
    static constexpr int DesignWidth = 101;
    // The narrowest width that still shows the whole caption.
    int CaptionWidth() const;

protected:
    void paintEvent(QPaintEvent* event) override;
};

} // namespace sw::gui
