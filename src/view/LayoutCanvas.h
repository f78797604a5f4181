#pragma once

// A drawing surface with the state the layout's drawing steps expect: a current
// pen (colour, solid or dotted, copy or not-xor), a current brush (solid colour
// or clear) and a current font (size, colour, bold). Rectangles and ellipses
// take (left, top, right, bottom) with the right and bottom edge excluded, so
// (x, y, x + W + 1, y + Z + 1) outlines a cell on x, x + W, y and y + Z. Nothing
// is antialiased: every pixel is one of the colours asked for.

#include <QColor>
#include <QFont>
#include <QFontMetrics>
#include <QImage>
#include <QPainter>
#include <QPoint>
#include <QString>
#include <QVector>

#include <cstdint>
#include <memory>
#include <optional>
#include <vector>

namespace sw::gui {

class LayoutCanvas {
public:
    // How rectangles reach an image. Direct writes the frames, dots and fills
    // straight into the image's pixels, which is what keeps a grid of a million
    // cells quick to draw; ThroughPainter sends everything through QPainter. Both
    // give the same pixels.
    enum class Raster { Direct, ThroughPainter };

    // `image` must be QImage::Format_RGB32 (the not-xor mode needs it). An image
    // with a device pixel ratio is drawn in layout pixels, scaled by the ratio.
    explicit LayoutCanvas(QImage& image, Raster raster = Raster::Direct);
    // A frame of a larger layout: the image's top-left pixel is the layout's
    // position `origin`, and everything is drawn in the layout's own pixels,
    // `scale` image pixels to one (below 1: the layout reduced).
    LayoutCanvas(QImage& image, QPointF origin, double scale = 1.0, Raster raster = Raster::Direct);
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
    int FontSize() const { return fontPoints_; }
    void SetFontColor(const QColor& c) { fontColor_ = c; }
    void SetFontBold(bool bold);
    // Whether texts in the current font can be read where they land. A picture
    // has fixed pixels, so a font under MinLegiblePixels is a smudge there; a
    // vector page can be magnified, so any size of 1 point or more is written.
    // Callers may skip building texts that would not be readable.
    bool TextLegible() const;
    static constexpr double MinLegiblePixels = 5.0;
    // How many pixels of the device one layout pixel covers: the image's device
    // pixel ratio, or on a vector page the painter's scale at 96 units per inch.
    double DevicePixelsPerLayoutPixel() const;

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
    // Direct fills and frames; false (nothing drawn) when they cannot be used
    // for that rectangle and the painter must draw it.
    bool DirectRectangle(int left, int top, int right, int bottom);
    void DirectFill(int left, int top, int width, int height, const QColor& c);
    // The pixels the painter's dotted pen sets for a rectangle outline of this
    // size, relative to its top-left corner; measured once per size.
    const std::vector<QPoint>& DotPattern(int width, int height);
    const QFontMetrics& Metrics() const;

    // The image's pixels for direct writes; null when drawing only through the
    // painter (a vector device, a scaled image, the not-xor mode).
    uint32_t* bits_ = nullptr;
    qsizetype stride_ = 0; // pixels per image row
    int imageWidth_ = 0;
    int imageHeight_ = 0;
    QPointF origin_;           // the layout position at the image's top-left corner
    double scale_ = 1;         // image pixels per layout pixel, besides the device ratio
    bool partOfLayout_ = true; // a frame of a larger layout (the origin constructor)
    QPoint directAt_;          // the same in whole pixels, for direct writes
    bool copyMode_ = true;
    int dotWidth_ = -1;
    int dotHeight_ = -1;
    std::vector<QPoint> dots_;
    mutable std::optional<QFontMetrics> metricsCache_;
    mutable QString measuredText_; // the last text measured in the current font
    mutable int measuredWidth_ = 0;
    mutable bool measuredValid_ = false;

    std::unique_ptr<QPainter> own_; // the image's painter; none on a vector device
    QPainter* painter_ = nullptr;
    const QPaintDevice* metrics_ = nullptr; // where texts are measured
    qreal penWidth_ = 0;                    // cosmetic: one pixel of the device
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

} // namespace sw::gui
