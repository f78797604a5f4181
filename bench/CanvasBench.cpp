// The layout on screen, frame by frame: for a polygon of 6 by 6 degrees at
// "1:2000" (some 285,000 sheets) and a grid of 2.4 million cells, the time of
// "Fit to Screen", of ten zoom steps at the window's centre (the reduced view
// first, then the buttons' steps of 5), of ten wheel notches from the fitted
// layout again (the reduced view, then 1.25 times a notch), of ten notches out
// from the largest zoom (a new layout each) and of ten pans by
// half the window, each until its frame is on screen. Prints the median and the worst frame of
// each.
//
//   QT_QPA_PLATFORM=offscreen build/bench/canvas_frames

#include "coverage/LayoutGeometry.h"
#include "coverage/LayoutSizing.h"
#include "view/LayoutDriver.h"
#include "view/LayoutImageView.h"
#include "view/LayoutPane.h"

#include "BenchShapes.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QScrollArea>
#include <QScrollBar>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <string>
#include <vector>

namespace {

using namespace sw;
using namespace sw::gui;

double Milliseconds(const std::function<void()>& work) {
    QElapsedTimer t;
    t.start();
    work();
    return static_cast<double>(t.nsecsElapsed()) / 1e6;
}

void Report(const std::string& what, std::vector<double> ms) {
    std::sort(ms.begin(), ms.end());
    const double median =
        ms.size() % 2 == 1 ? ms[ms.size() / 2] : (ms[ms.size() / 2 - 1] + ms[ms.size() / 2]) / 2;
    std::printf("  %-28s frames %2zu  median %7.1f ms  worst %7.1f ms\n", what.c_str(), ms.size(),
                median, ms.back());
}

// One model through the window's steps, in a scroll box the size of the
// main window's at 1016 x 700.
void Run(const char* name, bench::ComputedRing& m) {
    std::printf("%s: %d x %d cells, %d IN\n", name, m.g.GridCols, m.g.GridRows, CountInSheets(m.g));
    QScrollArea box;
    box.setAlignment(Qt::AlignCenter);
    box.resize(1000, 560);
    box.show();
    QApplication::processEvents();
    LayoutPane pane(&box);
    pane.SetLimits(ImageLimits{32, int64_t{1} << 40});
    // The window's paint, as it comes after a change: whatever frame it needs.
    int frames = 0;
    const LayoutImageView* counted = nullptr;
    int countedFrames = 0;
    auto settle = [&] {
        QApplication::sendPostedEvents();
        box.widget()->repaint();
        if (pane.View() != counted) {
            counted = pane.View();
            countedFrames = 0;
        }
        frames += counted->FramesDrawn() - countedFrames;
        countedFrames = counted->FramesDrawn();
    };

    auto fitToScreen = [&] {
        m.s.SheetPixelHeight = DefaultSheetPixelHeight;
        const LayoutPane::Created made = pane.Create(m.s, m.g, true);
        m.s.SheetPixelHeight = made.Zoom;
        pane.Paint(m.s, m.f, m.g);
        settle();
    };
    std::vector<double> fit{Milliseconds(fitToScreen)};
    Report("fit to screen", fit);

    // Ten steps at the window's centre: in a reduced view by the wheel's
    // scale, else to the `next` zoom.
    auto zoomIn = [&](const std::string& what, const std::function<int32_t(int32_t)>& next) {
        std::vector<double> zooms;
        for (int i = 0; i < 10; ++i) {
            const QPoint centre(box.viewport()->width() / 2, box.viewport()->height() / 2);
            const QPoint widgetAt = pane.View()->mapFrom(box.viewport(), centre);
            const QPointF layoutAt = pane.View()->ToLayout(QPointF(widgetAt));
            zooms.push_back(Milliseconds([&] {
                if (pane.Scale() < 1.0) {
                    pane.Rescale(pane.Scale() * LayoutDriver::WheelScaleStep, layoutAt, centre);
                } else {
                    const LayoutGeometry before = pane.Geometry();
                    m.s.SheetPixelHeight = next(m.s.SheetPixelHeight);
                    pane.Create(m.s, m.g, false, &before);
                    const PixelPos p =
                        SamePosition(before, pane.Geometry(), static_cast<int32_t>(layoutAt.x()),
                                     static_cast<int32_t>(layoutAt.y()));
                    pane.ScrollTo(QPoint(static_cast<int>(p.X), static_cast<int>(p.Y)), centre);
                    pane.Paint(m.s, m.f, m.g);
                }
                settle();
            }));
            if (std::getenv("CANVAS_FRAMES_EACH") != nullptr) {
                std::printf("    step %d: %.1f ms, zoom %d, scale %.3f\n", i + 1, zooms.back(),
                            m.s.SheetPixelHeight, pane.Scale());
            }
        }
        Report(what + " (" + std::to_string(m.s.SheetPixelHeight) + " px at the end)", zooms);
    };
    zoomIn("zoom steps",
           [](int32_t zoom) { return std::min(zoom + ZoomStep, MaxSheetPixelHeight); });
    fitToScreen();
    zoomIn("wheel notches", [](int32_t zoom) { return WheelZoomTarget(zoom, 1); });
    // And ten notches out from the largest zoom, every one a new layout.
    m.s.SheetPixelHeight = MaxSheetPixelHeight;
    pane.Create(m.s, m.g, false);
    pane.Paint(m.s, m.f, m.g);
    settle();
    zoomIn("wheel out from 140", [](int32_t zoom) { return WheelZoomTarget(zoom, -1); });

    std::vector<double> pans;
    for (int i = 0; i < 10; ++i) {
        pans.push_back(Milliseconds([&] {
            QScrollBar* h = box.horizontalScrollBar();
            QScrollBar* v = box.verticalScrollBar();
            const int dx = box.viewport()->width() / 2 * (i % 4 < 2 ? 1 : -1);
            h->setValue(h->value() + dx);
            v->setValue(v->value() + box.viewport()->height() / 2);
            settle();
        }));
    }
    Report("pans by half the window", pans);
    std::printf("  (%d frames drawn in all, the last at %.3f screen pixels a layout pixel)\n",
                frames, pane.Scale());
}

} // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    {
        // 6 x 6 degrees at "1:2000".
        bench::ComputedRing polygon =
            bench::ComputeRing(2000, 24.0001, 29.9999, 74.0001, 79.9999, 7);
        Run("6x6 degree polygon at 1:2000", polygon);
    }
    {
        // 1550 x 1550 cells of 36 seconds.
        bench::ComputedRing big = bench::ComputeRing(4000, 20.0001, 35.4999, 70.0001, 85.4999, 11);
        Run("2.4 M-cell grid at 1:2000", big);
    }
    return 0;
}
