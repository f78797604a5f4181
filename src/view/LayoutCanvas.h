#pragma once

// A drawing surface with the state the layout's drawing steps expect: a current
// pen (colour, solid or dotted, copy or not-xor), a current brush (solid colour
// or clear) and a current font (size, colour, bold). Rectangles and ellipses
// take (left, top, right, bottom) with the right and bottom edge excluded, so
// (x, y, x + W + 1, y + Z + 1) outlines a cell on x, x + W, y and y + Z. Nothing
// is antialiased: every pixel is one of the colours asked for.

#include <QColor>
#include <QFont>
#include <QImage>
#include <QPainter>
#include <QPoint>
#include <QString>
#include <QVector>

#include <memory>

namespace sw {

class LayoutCanvas {
public:
    // `image` must be QImage::Format_RGB32 (the not-xor mode needs it).
    explicit LayoutCanvas(QImage& image);
    // Draws through a painter already begun on a vector device (a PDF page)
    // whose transform maps layout pixels onto it. Texts are measured as on the
    // layout image, at 96 pixels per inch, so they land where the picture has
    // them; the not-xor mode is not available there.
    explicit LayoutCanvas(QPainter& painter);

    enum class PenMode { Copy, NotXor };

    void SetPenColor(const QColor& c) { penColor_ = c; }
    void SetPenDotted(bool dotted) { penDotted_ = dotted; }
    void SetPenMode(PenMode mode);
    void SetBrushSolid(const QColor& c) {
        brushColor_ = c;
        brushSolid_ = true;
    }
    void SetBrushClear() { brushSolid_ = false; }
    bool BrushSolid() const { return brushSolid_; }

    // Point size at the image's 96 pixels per inch; 0 or less writes no text.
    void SetFontSize(int points);
    void SetFontColor(const QColor& c) { fontColor_ = c; }
    void SetFontBold(bool bold);

    void Rectangle(int left, int top, int right, int bottom);
    void Ellipse(int left, int top, int right, int bottom);
    void Polygon(const QVector<QPoint>& points);
    // Several rings filled together by the even-odd rule: holes stay empty.
    void PolygonRings(const QVector<QVector<QPoint>>& rings);
    void MoveTo(int x, int y) { current_ = QPoint(x, y); }
    void LineTo(int x, int y);
    void SetPixel(int x, int y, const QColor& c);

    // Writes `text` with its cell's top-left corner at (x, y), on the brush
    // colour when the brush is solid.
    void TextOut(int x, int y, const QString& text);
    int TextWidth(const QString& text) const;
    int TextHeight(const QString& text) const;

private:
    void FillSpan(int left, int top, int width, int height, const QColor& c);

    std::unique_ptr<QPainter> own_; // the image's painter; none on a vector device
    QPainter* painter_ = nullptr;
    const QPaintDevice* metrics_ = nullptr; // where texts are measured
    QColor penColor_ = Qt::black;
    bool penDotted_ = false;
    QColor brushColor_ = Qt::white;
    bool brushSolid_ = true;
    QFont font_;
    int fontPoints_ = 0;
    QColor fontColor_ = Qt::black;
    QPoint current_;
};

// The layout's face: the system sans face, without antialiasing.
QFont LayoutFont();

} // namespace sw
