#include "view/LayoutDriver.h"

#include "coverage/Coverage.h"
#include "coverage/LayoutSizing.h"
#include "gui/AppTitle.h"
#include "view/LayoutPane.h"

#include <QWidget>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <exception>
#include <utility>

namespace sw::gui {

namespace {

QString TotalText(int32_t total) {
    return QStringLiteral("Total Sheets %1").arg(total);
}

} // namespace

LayoutDriver::LayoutDriver(LayoutPane& pane, Session& session, QWidget* window, QLabel* busyPanel,
                           PanelText panelText, std::function<void()> probe)
    : pane_(pane), session_(session), window_(window), panelText_(std::move(panelText)),
      probe_(std::move(probe)), progress_(busyPanel) {}

bool LayoutDriver::Make(bool fit, const LayoutGeometry* before) {
    if (!pane_.LimitsProbed()) {
        probe_();
    }
    const AppState& st = session_.State();
    const LayoutPane::Created made = pane_.Create(st.settings, st.grid, fit, before);
    if (!made.Made) {
        session_.ImageRefused(made.Zoom);
        ShowInformation(window_, QString::fromLatin1(ExtentTooLargeMessage));
        return false;
    }
    session_.ImageMade(made.Zoom);
    return true;
}

void LayoutDriver::Paint() {
    if (!session_.FeatureLoaded() || Painting()) {
        return;
    }
    const AppState& st = session_.State();
    const PaintControl ctl = progress_.Begin();
    try {
        const std::optional<int32_t> total = pane_.Paint(st.settings, st.feature, st.grid, ctl);
        progress_.End();
        if (total) {
            panelText_(1, TotalText(*total));
        }
    } catch (const PaintCancelled&) {
        progress_.End();
        // The sheets are computed and the report lists them; only the picture
        // of them is missing.
        panelText_(0, QString::fromLatin1(DrawingCancelledText));
        panelText_(1, TotalText(st.grid.InSheetCount));
    } catch (const std::exception& e) {
        progress_.End();
        ShowError(window_, ErrorText(e));
    }
}

void LayoutDriver::Move(int x, int y) {
    if (Painting()) {
        return; // the image is not a layout until it is drawn
    }
    const auto r = pane_.Move(session_.State().settings, session_.State().grid, x, y);
    if (!r) {
        return;
    }
    panelText_(2, FromCore(r->Panel2));
    // Over a sheet or a neighbour the panels name it; over the margin they say
    // nothing rather than keep naming a sheet the pointer has left.
    if (r->Index >= 0 || r->Place != PointerPlace::Block) {
        panelText_(0, FromCore(r->Panel0));
        panelText_(1, FromCore(r->Panel1));
    }
}

void LayoutDriver::ZoomAt(int steps, QPoint imagePos) {
    Rezoom(imagePos, [&] {
        bool changed = false;
        for (int i = 0; i < std::abs(steps); ++i) {
            changed = (steps > 0 ? session_.ZoomIn() : session_.ZoomOut()) || changed;
        }
        return changed;
    });
}

void LayoutDriver::Rezoom(QPoint imagePos, const std::function<bool()>& change) {
    if (!session_.FeatureLoaded() || Painting()) {
        return;
    }
    const bool hadImage = pane_.Made();
    const LayoutGeometry before = pane_.Geometry();
    const QPoint at = pane_.ViewportPos(imagePos);
    if (!change() || !Make(false, hadImage ? &before : nullptr)) {
        return;
    }
    // Scrolled before the drawing, so that only the frame shown is drawn.
    if (hadImage && pane_.Made() && imagePos.x() >= 0 && imagePos.y() >= 0) {
        const PixelPos p = SamePosition(before, pane_.Geometry(), imagePos.x(), imagePos.y());
        pane_.ScrollTo(QPoint(static_cast<int>(p.X), static_cast<int>(p.Y)), at);
    }
    Paint();
    window_->update();
}

void LayoutDriver::WheelAt(int steps, QPoint imagePos) {
    if (!session_.FeatureLoaded() || Painting() || !pane_.Made()) {
        return;
    }
    // Below the smallest zoom the layout is reduced on screen, step by step
    // down to the whole of it; the zoom takes over at full size.
    const double scale = pane_.Scale();
    const int32_t zoom = session_.State().settings.SheetPixelHeight;
    if (scale < 1.0 || (zoom <= MinSheetPixelHeight && steps < 0)) {
        const double floor = std::min(pane_.WholeScale(), 1.0);
        const double next = std::clamp(scale * std::pow(WheelScaleStep, steps), floor, 1.0);
        if (next != scale) {
            pane_.Rescale(next, QPointF(imagePos), pane_.ViewportPos(imagePos));
        }
        return;
    }
    // Towards the top the zoom stops where the layout sizing stops, rather
    // than letting the size limit lower it below where the wheel started.
    int32_t target = WheelZoomTarget(zoom, steps);
    if (target > zoom) {
        Settings plan = session_.State().settings;
        ImageSize size;
        plan.SheetPixelHeight = target;
        auto fits = [&] {
            try {
                return PlanImage(plan, session_.State().grid, pane_.Limits(), size);
            } catch (const std::exception&) {
                return false;
            }
        };
        while (plan.SheetPixelHeight > zoom && !fits()) {
            --plan.SheetPixelHeight;
        }
        target = plan.SheetPixelHeight;
    }
    Rezoom(imagePos, [&] { return session_.ZoomTo(target); });
}

int32_t WheelZoomTarget(int32_t zoom, int steps) {
    double z = zoom;
    for (int i = 0; i < std::abs(steps); ++i) {
        const double next = steps > 0
                                ? std::max(std::round(z * LayoutDriver::WheelScaleStep), z + 1)
                                : std::min(std::round(z / LayoutDriver::WheelScaleStep), z - 1);
        z = std::clamp(next, static_cast<double>(MinSheetPixelHeight),
                       static_cast<double>(MaxSheetPixelHeight));
    }
    return static_cast<int32_t>(z);
}

} // namespace sw::gui
