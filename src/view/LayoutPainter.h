#pragma once

// Draws the layout onto an image: the dotted ring of neighbouring sheets, the
// block of computed sheets with their numbers (touched sheets blue and bold),
// the feature over it and the edge coordinates at the block's corners. Usable
// without a window (the command-line tool draws its pictures with it).

#include "coverage/Feature.h"
#include "coverage/LayoutGeometry.h"
#include "coverage/PointerReadout.h"
#include "coverage/SheetGrid.h"
#include "index/Error.h"
#include "index/Settings.h"
#include "view/LayoutCanvas.h"

#include <QImage>

#include <atomic>
#include <cstdint>
#include <functional>
#include <optional>
#include <stdexcept>

namespace sw::gui {

namespace LayoutColors {
inline const QColor Silver{192, 192, 192};
inline const QColor Blue{0, 0, 255};
inline const QColor Maroon{128, 0, 0};
inline const QColor Red{255, 0, 0};
inline const QColor LightCyan{234, 255, 255};
inline const QColor Yellow{255, 255, 0};
} // namespace LayoutColors

// A blank layout image: white with a one-pixel black frame, 32 bits per pixel,
// 96 pixels per inch. Null when the platform cannot allocate it. Width and
// height are layout pixels; with a `ratio` above 1 (a high-density screen) the
// image holds that many device pixels per layout pixel and everything drawn on
// it is scaled, so lines and numbers are drawn at the screen's own density.
// Pictures and the readout stay in layout pixels.
inline constexpr double MaxDevicePixelRatio = 4.0;
QImage CreateLayoutImage(int32_t width, int32_t height, double ratio = 1.0);

// How far a long drawing has come, and a way to stop it: a grid of millions of
// cells takes long enough to want both. Either may be left empty.
struct PaintControl {
    // The percentage of the grid's rows drawn, called only when it changes; the
    // last call gives 100.
    std::function<void(int32_t percent)> progress;
    // Checked after every row of cells; when it turns true the drawing throws
    // PaintCancelled, leaving the image partly drawn (to be dropped or redrawn).
    const std::atomic<bool>* cancel = nullptr;
};

class PaintCancelled : public Error {
public:
    PaintCancelled() : Error(ErrorKind::Cancelled, "Drawing cancelled") {}
};

// Level of detail. A grid drawn so small that its cells are a few device pixels
// (a fitted picture of a grid of a million cells, the PDF page of one) would be
// a hatch of merged lines: its cells are then drawn as the IN cells filled (in
// runs along each row) inside the block's frame, with no grid lines and no
// neighbour ring, so the covered area stays visible at any size. Sheet numbers
// that would be wider than their cell at a size readable on the device (a PDF
// page of a large grid) are left out. At the usual zooms neither applies.
inline constexpr double MinOutlinedCellPixels = 4.0;
bool CellsAsFills(const LayoutCanvas& c, const LayoutGeometry& geo);

// The cells a drawing covers, as rows and columns of the ring (-1 to GridRows
// and GridCols, both included; the block is 0 to GridRows - 1 and GridCols - 1).
// A screen draws only the cells it shows; a picture draws them all.
struct CellWindow {
    int32_t FirstRow = 0;
    int32_t LastRow = -1;
    int32_t FirstCol = 0;
    int32_t LastCol = -1;
};
CellWindow AllCells(const SheetGrid& g);
// The cells that reach into `area` (layout pixels), with one more on every
// side: a neighbour's number or frame line may reach over its edge. Drawing
// these in the usual order gives the area the pixels of the whole drawing.
CellWindow CellsIn(const LayoutGeometry& geo, const SheetGrid& g, const QRect& area);

// The filled IN cells of that level of detail: blue, as touched sheets' numbers.
void DrawInFills(LayoutCanvas& c, const LayoutGeometry& geo, const SheetGrid& g,
                 const std::function<void()>& rowDone, const CellWindow& window);

// The drawing steps, in the order the paint runs them; each leaves the canvas
// state the next one expects. They place every cell by the geometry
// (CellCorner) and the feature by the frame (LayoutFrame), read the model and
// change nothing but the image. `rowDone`, when given, is called after each
// row of cells; `window` limits the drawing to those cells.
void DrawNeighbourGrid(LayoutCanvas& c, const Settings& s, const LayoutGeometry& geo,
                       const SheetGrid& g, const std::function<void()>& rowDone,
                       const CellWindow& window);
// `frame`: the grid's frame on this layout (LayoutFrame).
void DrawPolygon(LayoutCanvas& c, const Settings& s, const Feature& f, const SheetGrid& frame);
void Draw_grids(LayoutCanvas& c, const LayoutGeometry& geo, const SheetGrid& g,
                const std::function<void()>& rowDone, const CellWindow& window);
void DrawLineSegments(LayoutCanvas& c, const Settings& s, const Feature& f, const SheetGrid& frame);
void label_corners(LayoutCanvas& c, const Settings& s, const LayoutGeometry& geo,
                   const SheetGrid& g);

// The whole layout on `image` (made by CreateLayoutImage for `geo`), from the
// model and `geo`. Returns the "Total Sheets" count.
int32_t PaintLayout(QImage& image, const Settings& s, const Feature& f, const SheetGrid& g,
                    const LayoutGeometry& geo, const PaintControl& ctl = {});
// The same drawing steps on any canvas (a PDF page's, a frame of the screen).
// With an `area` (layout pixels) only the cells that reach into it are drawn:
// its pixels are those of the whole drawing, at a cost that follows the area,
// not the grid. Returns the "Total Sheets" count (with an area, the grid's
// InSheetCount as computed, so that a frame costs no pass over the grid).
int32_t PaintLayoutOn(LayoutCanvas& c, const Settings& s, const Feature& f, const SheetGrid& g,
                      const LayoutGeometry& geo, const PaintControl& ctl = {},
                      const std::optional<QRect>& area = std::nullopt);

// Plans, makes and paints a layout image for the settings' zoom.
// Throws ComputeError with the "Data extent too large!" message when the image
// cannot be allocated, IntegerOverflow for grids no image can hold.
QImage RenderLayout(const Settings& s, const Feature& f, const SheetGrid& g,
                    int32_t* totalSheets = nullptr);

// The pointer highlight: yellow inside, red frame, both not-xor, so drawing the
// same rectangle twice gives back the image exactly.
void DrawHighlight(QImage& image, const HighlightBox& r);

// The same highlight through `painter`, in the layout pixels its transform maps
// (the picture's, or the screen's at the zoom); the painter's state is kept.
void PaintHighlightBox(QPainter& painter, const HighlightBox& r);

} // namespace sw::gui
