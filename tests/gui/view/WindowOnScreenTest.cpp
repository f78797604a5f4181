// The main window on a real screen size and scale factor: opened maximised and
// never wider than the screen, every tool bar command on the bar at the design
// width, and commands that cannot be used drawn grey, caption and glyph. Run on
// a 1600 x 1000 screen, as it is and with scale factors of 1.5 and 2.

#include "app/Startup.h"
#include "coverage/Coverage.h"
#include "view/CaptionButton.h"
#include "view/MainForm.h"

#include <QComboBox>
#include <QLabel>
#include <QScreen>
#include <QStatusBar>
#include <QToolBar>
#include <QtTest>

namespace sw::gui {

namespace {

// How far a colour is from grey.
int Chroma(QRgb c) {
    const int r = qRed(c);
    const int g = qGreen(c);
    const int b = qBlue(c);
    return std::max({r, g, b}) - std::min({r, g, b});
}

struct Ink {
    int pixels = 0;    // pixels clearly darker than the background
    int maxChroma = 0; // the most colourful of them
};

// The pixels of `area` in a picture of a button that differ from its
// background, taken as the top-left pixel of the area's row.
Ink InkIn(const QImage& img, const QRect& area) {
    Ink ink;
    for (int y = area.top(); y <= area.bottom(); ++y) {
        const QRgb bg = img.pixel(area.left(), y);
        for (int x = area.left(); x <= area.right(); ++x) {
            const QRgb c = img.pixel(x, y);
            if (qGray(bg) - qGray(c) > 40 || Chroma(c) > Chroma(bg) + 60) {
                ++ink.pixels;
                ink.maxChroma = std::max(ink.maxChroma, Chroma(c));
            }
        }
    }
    return ink;
}

} // namespace

class WindowOnScreenTest : public QObject {
    Q_OBJECT

    std::unique_ptr<AppWindows> app;

    TMainForm& Form() { return *app->MainForm; }
    QList<CaptionButton*> Buttons() {
        return Form()
            .findChild<QToolBar*>(QStringLiteral("ToolBar1"))
            ->findChildren<CaptionButton*>();
    }

private slots:
    void init() {
        app = StartApplication(true);
        QVERIFY(QTest::qWaitForWindowExposed(&Form()));
    }
    void cleanup() { app.reset(); }

    void opensMaximisedWithinTheScreen() {
        const QRect screen = Form().screen()->availableGeometry();
        QTRY_VERIFY(Form().isMaximized());
        // A scaled screen's logical width may be a fraction: within a pixel.
        QTRY_VERIFY(Form().frameGeometry().width() >= screen.width() - 1);
        QVERIFY(Form().frameGeometry().width() <= screen.width());
        QVERIFY(Form().frameGeometry().height() <= screen.height());
        // Nothing in the window asks for more than a small screen has, so a
        // window manager can always maximise it.
        QVERIFY2(Form().minimumSizeHint().width() <= 640,
                 qPrintable(QString::number(Form().minimumSizeHint().width())));
    }

    // At the design width every command is on the bar, none in its overflow
    // menu, and every caption is whole.
    void toolBarKeepsEveryCommandAtTheDesignWidth() {
        Form().setWindowState(Qt::WindowNoState);
        Form().resize(1016, 716);
        QTRY_COMPARE(Form().width(), 1016);
        auto* bar = Form().findChild<QToolBar*>(QStringLiteral("ToolBar1"));
        QCoreApplication::processEvents();
        const QList<CaptionButton*> buttons = Buttons();
        QCOMPARE(buttons.size() >= 10, true);
        for (CaptionButton* b : buttons) {
            QVERIFY2(b->isVisible(), qPrintable(b->text()));
            QVERIFY2(b->geometry().right() < bar->width(), qPrintable(b->text()));
            QVERIFY2(b->fontMetrics().horizontalAdvance(b->text()) < b->width(),
                     qPrintable(b->text()));
        }
        // The overflow menu's button is not shown.
        for (QWidget* w : bar->findChildren<QWidget*>()) {
            if (w->inherits("QToolBarExtension")) {
                QVERIFY(!w->isVisible());
            }
        }
        // With room to spare the buttons have their design width.
        Form().resize(1500, 716);
        QTRY_COMPARE(buttons.first()->width(), CaptionButton::DesignWidth);
    }

    // The settings panel's controls and the status panels side by side, none
    // over another, each inside its bar and wide enough for its text, with a
    // sheet read out (the longest texts the panels show).
    void controlsAndPanelsReadableSideBySide() {
        QTRY_VERIFY(Form().isMaximized());
        Form().AcceptFeature(MakePointFeature(DmsAngle{24, 3, 0}, DmsAngle{72, 3, 0}), false,
                             false);
        QVERIFY(Form().WaitForComputation());
        Form().Image1MouseMove(Form().Geometry().GridOriginX + 2,
                               Form().Geometry().GridOriginY + 2);
        QVERIFY(Form().PanelText(0).contains(QStringLiteral("Long:")));
        // The panels are laid out again for the new texts by posted events: the
        // rows are checked once the layout has settled.
        const auto rowProblem = [](QWidget* bar, const QStringList& names) -> QString {
            QList<QRect> placed;
            for (const QString& name : names) {
                auto* w = bar->findChild<QWidget*>(name);
                if (w == nullptr || !w->isVisible()) {
                    return name + QStringLiteral(" is not shown");
                }
                const QRect r(w->mapTo(bar, QPoint(0, 0)), w->size());
                const QString where = QStringLiteral("%1 at %2,%3 %4x%5 in %6x%7")
                                          .arg(name)
                                          .arg(r.x())
                                          .arg(r.y())
                                          .arg(r.width())
                                          .arg(r.height())
                                          .arg(bar->width())
                                          .arg(bar->height());
                if (!bar->rect().contains(r)) {
                    return where + QStringLiteral(" is outside its bar");
                }
                for (const QRect& other : placed) {
                    if (other.intersects(r)) {
                        return where + QStringLiteral(" lies over another");
                    }
                }
                placed << r;
                int text = 0;
                int room = w->width();
                if (auto* label = qobject_cast<QLabel*>(w)) {
                    text = label->fontMetrics().horizontalAdvance(label->text());
                    room = label->contentsRect().width();
                } else if (auto* box = qobject_cast<QComboBox*>(w)) {
                    // The text and the arrow beside it.
                    text = box->fontMetrics().horizontalAdvance(box->currentText()) + 16;
                }
                if (text > room) {
                    return where + QStringLiteral(" is too narrow for its text");
                }
            }
            return {};
        };
        const auto problems = [&] {
            return rowProblem(Form().findChild<QWidget*>(QStringLiteral("Panel2")),
                              {QStringLiteral("Label2"), QStringLiteral("ComboBox1"),
                               QStringLiteral("ComboBox2"), QStringLiteral("DataTypeLabel"),
                               QStringLiteral("FindSheetLabel"), QStringLiteral("FindSheetEdit")}) +
                   rowProblem(Form().findChild<QStatusBar*>(QStringLiteral("StatusBar1")),
                              {QStringLiteral("Panel0"), QStringLiteral("Panel1"),
                               QStringLiteral("Panel2")});
        };
        QString problem;
        QTRY_VERIFY2((problem = problems()).isEmpty(), qPrintable(problem));
        // Every command on the tool bar with its caption whole, none in the
        // bar's overflow menu.
        auto* bar = Form().findChild<QToolBar*>(QStringLiteral("ToolBar1"));
        for (CaptionButton* b : Buttons()) {
            QVERIFY2(b->isVisible() && b->geometry().right() < bar->width(), qPrintable(b->text()));
            QVERIFY2(b->fontMetrics().horizontalAdvance(b->text()) < b->width(),
                     qPrintable(b->text()));
        }
    }

    // "Save Layout" and "Report" are disabled at start, "Sheet No." is not: the
    // disabled captions and glyphs are grey, the enabled ones coloured.
    void disabledCommandsLookDisabled() {
        auto button = [this](const char* name) {
            return Form().findChild<CaptionButton*>(QString::fromLatin1(name));
        };
        QVERIFY(!button("SaveBtn")->isEnabled());
        QVERIFY(button("PointBtn")->isEnabled());
        for (const char* name : {"SaveBtn", "ReportBtn", "PointBtn", "ClearBtn"}) {
            CaptionButton* b = button(name);
            const QImage img = b->grab().toImage().scaled(b->size());
            const int captionBottom = b->fontMetrics().height();
            const Ink caption = InkIn(img, QRect(2, 2, b->width() - 4, captionBottom - 2));
            const Ink glyph = InkIn(
                img, QRect(2, captionBottom + 1, b->width() - 4, b->height() - captionBottom - 3));
            QVERIFY2(caption.pixels > 0 && glyph.pixels > 0, name);
            if (b->isEnabled()) {
                // Olive captions and coloured glyphs.
                QVERIFY2(caption.maxChroma >= 90, name);
                QVERIFY2(glyph.maxChroma >= 90, name);
            } else {
                QVERIFY2(caption.maxChroma <= 30, name);
                QVERIFY2(glyph.maxChroma <= 40, name);
            }
        }
    }
};

} // namespace sw::gui

QTEST_MAIN(sw::gui::WindowOnScreenTest)
#include "WindowOnScreenTest.moc"
