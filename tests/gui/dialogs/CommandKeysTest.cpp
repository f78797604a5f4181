// The tool bar's keys in the started application: each one runs its command,
// its tooltip names it, and a disabled command's key does nothing.

#include "../view/HeldComputations.h"
#include "AppFixture.h"

#include "app/Startup.h"
#include "dialogs/AboutBox.h"
#include "dialogs/PointInputForm.h"
#include "dialogs/PolyInputForm.h"
#include "dialogs/ReportForm.h"
#include "dialogs/SetInputForm.h"
#include "view/MainForm.h"

#include <QFileDialog>
#include <QLineEdit>
#include <QToolButton>
#include <QtTest>

namespace sw::gui {

class CommandKeysTest : public test::AppFixture {
    Q_OBJECT

    // Shortcuts of the main window act while it is the active window.
    bool ActivateMain() {
        for (QWidget* w :
             {static_cast<QWidget*>(app->AboutBox), static_cast<QWidget*>(app->PointInputForm),
              static_cast<QWidget*>(app->PolyInputForm), static_cast<QWidget*>(app->ReportForm),
              static_cast<QWidget*>(app->SetInputForm)}) {
            w->hide();
        }
        Main().activateWindow();
        return QTest::qWaitForWindowActive(&Main());
    }

    void Press(const QKeySequence& key) { QTest::keySequence(&Main(), key); }

    void EnterPoint() {
        Main().AcceptFeature(MakePointFeature(DmsAngle{28, 36, 50}, DmsAngle{77, 12, 30}), false,
                             false);
        QVERIFY(Main().WaitForComputation());
        QTRY_VERIFY(Main().LayoutDrawn());
    }

    int Zoom() const { return Main().State().settings.SheetPixelHeight; }

private slots:
    void init() {
        QVERIFY(StartApp());
        QVERIFY(ActivateMain());
    }
    void cleanup() { StopApp(); }

    void tooltipsNameTheKeys() {
        const std::pair<const char*, const char*> tips[] = {
            {"SpeedButton1", "Data Type (Ctrl+D)"},
            {"PointBtn", "Sheet No. (Ctrl+N)"},
            {"ReportBtn", "Report (Ctrl+R)"},
            {"SaveBtn", "Save Layout (Ctrl+S)"},
            {"ClearBtn", "Clear (Ctrl+L)"},
            {"SpeedButton4", "Fit to Screen (Ctrl+0)"},
            {"ZoominBtn", "Zoom In (Ctrl++)"},
            {"ZoomoutBtn", "Zoom out (Ctrl+-)"},
            {"Aboutbtn", "About (F1)"},
            {"exitbtn", "Exit (Ctrl+Q)"},
        };
        for (const auto& [name, tip] : tips) {
            QCOMPARE(Tool(name)->toolTip(), QString::fromLatin1(tip));
        }
    }

    void keysShowTheDialogs() {
        Press(QKeySequence(QStringLiteral("Ctrl+D")));
        QVERIFY(app->SetInputForm->isVisible());

        QVERIFY(ActivateMain());
        Press(QKeySequence(QStringLiteral("Ctrl+N")));
        QVERIFY(app->PointInputForm->isVisible());
        QVERIFY(!app->PolyInputForm->isVisible());

        QVERIFY(ActivateMain());
        Main().State().settings.DataType = DataKind::Polygon;
        Press(QKeySequence(QStringLiteral("Ctrl+N")));
        QVERIFY(app->PolyInputForm->isVisible());

        QVERIFY(ActivateMain());
        Press(QKeySequence(Qt::Key_F1));
        QVERIFY(app->AboutBox->isVisible());
        QVERIFY(messages->boxes.empty());
    }

    void disabledCommandsIgnoreTheirKeys() {
        QVERIFY(!Tool("ReportBtn")->isEnabled());
        QVERIFY(!Tool("SaveBtn")->isEnabled());
        Press(QKeySequence(QStringLiteral("Ctrl+R")));
        QVERIFY(!app->ReportForm->isVisible());
        Press(QKeySequence(QStringLiteral("Ctrl+S")));
        QVERIFY(messages->dialogs.isEmpty()); // no save dialog
        // Zoom keys do nothing without a feature.
        Press(QKeySequence(QStringLiteral("Ctrl++")));
        QCOMPARE(Zoom(), 70);

        // Once there is a layout, "Save Layout" opens its dialog from the key.
        EnterPoint();
        QVERIFY(Tool("SaveBtn")->isEnabled());
        Press(QKeySequence(QStringLiteral("Ctrl+S")));
        QCOMPARE(messages->dialogs, QStringList{QStringLiteral("SaveDialog1")});
    }

    void zoomFitClearAndReport() {
        EnterPoint();
        // "Report" follows the feature when the main window is activated again.
        app->AboutBox->show();
        QVERIFY(QTest::qWaitForWindowActive(app->AboutBox));
        QVERIFY(ActivateMain());
        QTRY_VERIFY(Tool("ReportBtn")->isEnabled());
        QTest::keyClick(&Main(), Qt::Key_Plus, Qt::ControlModifier);
        QCOMPARE(Zoom(), 70 + ZoomStep);
        Press(QKeySequence(QStringLiteral("Ctrl+=")));
        QCOMPARE(Zoom(), 70 + 2 * ZoomStep);
        Press(QKeySequence(QStringLiteral("Ctrl+-")));
        QCOMPARE(Zoom(), 70 + ZoomStep);
        Press(QKeySequence(QStringLiteral("Ctrl+0")));
        QVERIFY(Main().LayoutImage() != nullptr);
        QVERIFY(Zoom() != 70 + ZoomStep); // fitted from 70 anew

        Press(QKeySequence(QStringLiteral("Ctrl+R")));
        QVERIFY(app->ReportForm->isVisible());
        QCOMPARE(app->ReportForm->Table()[1][1], std::string("53H/2"));

        QVERIFY(ActivateMain());
        Press(QKeySequence(QStringLiteral("Ctrl+L")));
        QVERIFY(Main().LayoutImage() == nullptr);
        QCOMPARE(Main().State().feature.FeatureLoaded, 0);
        QVERIFY(!Tool("SaveBtn")->isEnabled());
        QVERIFY(!Tool("ReportBtn")->isEnabled());
        QVERIFY(messages->boxes.empty());
    }

    void duringAComputationOnlyEscapeAndExitAct() {
        EnterPoint();
        const int zoom = Zoom();
        // Open 1:2000 sheets are 36 seconds: a 10 degree line gives a million cells.
        Main().ComboBox2Change(1);
        QVERIFY(Main().WaitForComputation());
        Main().ComboBox1Change(5);
        QVERIFY(Main().WaitForComputation());
        std::vector<VertexRec> line{{DmsAngle{20, 0, 10}, DmsAngle{70, 0, 10}},
                                    {DmsAngle{30, 0, 10}, DmsAngle{71, 0, 10}}};
        const test::HeldComputations held; // cancelled below
        Main().AcceptFeature(MakeVertexFeature(line, false), false, false);
        QVERIFY(Main().Computing());
        Press(QKeySequence(QStringLiteral("Ctrl++")));
        Press(QKeySequence(QStringLiteral("Ctrl+L")));
        Press(QKeySequence(QStringLiteral("Ctrl+D")));
        QVERIFY(!app->SetInputForm->isVisible());
        QCOMPARE(Zoom(), zoom);
        QVERIFY(Main().LayoutImage() != nullptr);
        QVERIFY(Main().Computing());
        QTest::keyClick(&Main(), Qt::Key_Escape);
        QVERIFY(Main().WaitForComputation());
        QCOMPARE(Main().State().feature.VertexCount, 2);
        QCOMPARE(Main().State().feature.Vertices[0].Lat, (DmsAngle{28, 36, 50}));
    }

    void findAndExit() {
        Press(QKeySequence(QStringLiteral("Ctrl+F")));
        auto* edit = Main().findChild<QLineEdit*>(QStringLiteral("FindSheetEdit"));
        QTRY_VERIFY(edit->hasFocus());
        QVERIFY(Main().isVisible());
        Press(QKeySequence(QStringLiteral("Ctrl+Q")));
        QVERIFY(!Main().isVisible());
    }
};

} // namespace sw::gui

QTEST_MAIN(sw::gui::CommandKeysTest)
#include "CommandKeysTest.moc"
