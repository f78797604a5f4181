#include "view/ScreenshotSeam.h"

#include <QCoreApplication>
#include <QPixmap>
#include <QStringList>
#include <QTimer>
#include <QWidget>

#include <cstdio>

namespace sw::gui {

namespace {

// Time for the window manager to map and paint the maximised window.
constexpr int SettleMs = 1500;

void GrabAndQuit(QWidget& form, const QString& path) {
    QTimer::singleShot(SettleMs, &form, [&form, path] {
        form.repaint();
        const bool ok = form.grab().save(path, "PNG");
        std::fprintf(stderr, "%s: %s\n", ok ? "screenshot written" : "screenshot failed",
                     path.toLocal8Bit().constData());
        QCoreApplication::exit(ok ? 0 : 1);
    });
}

} // namespace

void StartScreenshotSeam(QWidget& form, const ScreenshotHooks& hooks) {
    const QString point = qEnvironmentVariable("SHEETWRIGHT_DEMO_POINT");
    const QString shot = qEnvironmentVariable("SHEETWRIGHT_SCREENSHOT");
    const QStringList scale =
        qEnvironmentVariable("SHEETWRIGHT_DEMO_SCALE").split(QLatin1Char(' '), Qt::SkipEmptyParts);
    if (point.isEmpty() && shot.isEmpty()) {
        return;
    }
    if (scale.size() == 2) {
        // Before the start file is read, which is queued after this.
        hooks.chooseScale(scale[0].toInt(), scale[1].toInt());
        if (point.isEmpty() && !shot.isEmpty()) {
            // The start file's layer: grabbed once it is computed and drawn.
            hooks.afterComputation([&form, shot] { GrabAndQuit(form, shot); });
            return;
        }
    }
    const QStringList parts = point.split(QLatin1Char(' '), Qt::SkipEmptyParts);
    int v[6] = {0, 0, 0, 0, 0, 0};
    bool valid = parts.size() == 6;
    for (int i = 0; valid && i < 6; ++i) {
        v[i] = parts[i].toInt(&valid);
    }
    if (!point.isEmpty() && !valid) {
        std::fprintf(stderr, "SHEETWRIGHT_DEMO_POINT needs six whole numbers\n");
    }
    QTimer::singleShot(0, &form, [&form, hooks, valid, v, shot] {
        if (valid) {
            if (!shot.isEmpty()) {
                hooks.afterComputation([&form, shot] { GrabAndQuit(form, shot); });
            }
            hooks.enterFeature(
                MakePointFeature(DmsAngle{v[0], v[1], v[2]}, DmsAngle{v[3], v[4], v[5]}));
        } else if (!shot.isEmpty()) {
            GrabAndQuit(form, shot);
        }
    });
}

} // namespace sw::gui
