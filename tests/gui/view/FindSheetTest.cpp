// "Find sheet" in the main window's settings panel: a sheet number drawn at its
// scale as a point at its centre, and unknown numbers refused.

#include "../dialogs/MessageCatcher.h"
#include "HeldComputations.h"

#include "WindowFixture.h"
#include "view/MainForm.h"

#include <QComboBox>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QSignalSpy>
#include <QtTest>

namespace sw::gui {

class FindSheetTest : public QObject {
    Q_OBJECT

    std::unique_ptr<TMainForm> form;
    std::unique_ptr<test::MessageCatcher> messages;

    QLineEdit* Edit() const { return form->findChild<QLineEdit*>(QStringLiteral("FindSheetEdit")); }
    QComboBox* ScaleBox() const { return form->findChild<QComboBox*>(QStringLiteral("ComboBox1")); }

    void TypeAndEnter(const QString& text) {
        Edit()->setText(text);
        QTest::keyClick(Edit(), Qt::Key_Return);
    }

private slots:
    void init() {
        messages = std::make_unique<test::MessageCatcher>();
        form = test::ShowMainForm();
        QVERIFY(form != nullptr);
    }
    void cleanup() {
        form.reset();
        messages.reset();
    }

    void theFieldSitsInTheSettingsPanel() {
        QLineEdit* edit = Edit();
        QVERIFY(edit != nullptr);
        // In the settings panel, in the group that moves to a second row when
        // the panel is narrow.
        const auto* panel = form->findChild<QFrame*>(QStringLiteral("Panel2"));
        QVERIFY(panel != nullptr && panel->isAncestorOf(edit));
        const auto* label = form->findChild<QLabel*>(QStringLiteral("FindSheetLabel"));
        QVERIFY(label != nullptr);
        QCOMPARE(label->text(), QStringLiteral("Find sheet"));
        QCOMPARE(label->buddy(), edit);
    }

    void oldSeriesSheetIsDrawnAtItsScale() {
        // Start at another scale, so the switch to the sheet's scale is seen.
        form->ComboBox1Change(1);
        QCOMPARE(form->State().settings.ScaleIndex, 2);
        form->State().settings.DataType = DataKind::Polygon;
        QSignalSpy finished(form.get(), &TMainForm::ComputationFinished);

        TypeAndEnter(QStringLiteral("53H/2"));
        QVERIFY(form->WaitForComputation());
        QTRY_COMPARE(form->PanelText(1), QStringLiteral("Total Sheets 1"));
        QVERIFY2(messages->boxes.empty(), qPrintable(messages->LastText()));
        QCOMPARE(finished.count(), 1); // the scale switch computed nothing of its own

        const AppState& st = form->State();
        QCOMPARE(st.settings.ScaleIndex, 4);
        QCOMPARE(st.settings.ScaleText, std::string("1:50,000"));
        QCOMPARE(ScaleBox()->currentText(), QStringLiteral("1:50,000"));
        QCOMPARE(st.settings.DataType, DataKind::Point);
        QCOMPARE(st.feature.FeatureLoaded, 1);
        QCOMPARE(st.feature.VertexCount, 2);
        // The sheet spans 28°30' to 28°45' N and 77°00' to 77°15' E.
        QCOMPARE(st.feature.Vertices[0].Lat, (DmsAngle{28, 37, 30}));
        QCOMPARE(st.feature.Vertices[0].Long, (DmsAngle{77, 7, 30}));
        QCOMPARE(st.grid.InSheetCount, 1);
        int in = 0;
        for (const SheetRec& r : st.grid.SheetList) {
            if (r.InFlag == 1) {
                ++in;
                QCOMPARE(r.SheetNo, std::string("53H/2"));
            }
        }
        QCOMPARE(in, 1);
        QVERIFY(form->LayoutImage() != nullptr);
        QTRY_VERIFY(form->LayoutDrawn());
    }

    void coarserScaleAndBlanksAroundTheNumber() {
        TypeAndEnter(QStringLiteral("  53H  "));
        QVERIFY(form->WaitForComputation());
        QVERIFY2(messages->boxes.empty(), qPrintable(messages->LastText()));
        QCOMPARE(form->State().settings.ScaleIndex, 2);
        QCOMPARE(ScaleBox()->currentText(), QStringLiteral("1:2,50,000"));
        QTRY_COMPARE(form->PanelText(1), QStringLiteral("Total Sheets 1"));
    }

    void unknownNumbersAreToldAndChangeNothing() {
        form->AcceptFeature(MakePointFeature(DmsAngle{24, 3, 0}, DmsAngle{72, 3, 0}), false, false);
        QVERIFY(form->WaitForComputation());
        const AppState before = form->State();
        QSignalSpy finished(form.get(), &TMainForm::ComputationFinished);
        int expectedBoxes = 0;
        for (const char* bad : {"99Z/99", "53H/99", "", "53H/2/7/x", "\xc3\xa9"}) {
            TypeAndEnter(QString::fromUtf8(bad));
            ++expectedBoxes;
            QCOMPARE(messages->boxes.size(), static_cast<std::size_t>(expectedBoxes));
            QVERIFY2(!messages->LastText().isEmpty(), bad);
            QCOMPARE(messages->boxes.back().title, QStringLiteral("Sheetwright"));
            QVERIFY(!form->Computing());
        }
        QCOMPARE(finished.count(), 0);
        const AppState& st = form->State();
        QCOMPARE(st.settings.ScaleIndex, before.settings.ScaleIndex);
        QCOMPARE(st.settings.DataType, before.settings.DataType);
        QCOMPARE(st.feature.Vertices, before.feature.Vertices);
        QCOMPARE(st.grid.SheetList, before.grid.SheetList);
        QCOMPARE(ScaleBox()->currentText(), QStringLiteral("1:50,000"));
    }

    void theFieldWaitsForARunningComputation() {
        // Open 1:2000 sheets are 36 seconds: a 10 degree line gives a million cells.
        form->ComboBox2Change(1);
        form->ComboBox1Change(5);
        std::vector<VertexRec> line{{DmsAngle{20, 0, 10}, DmsAngle{70, 0, 10}},
                                    {DmsAngle{30, 0, 10}, DmsAngle{71, 0, 10}}};
        const test::HeldComputations held; // cancelled below
        form->AcceptFeature(MakeVertexFeature(line, false), false, false);
        QVERIFY(form->Computing());
        QVERIFY(!Edit()->isEnabled());
        form->FindSheet(QStringLiteral("53H/2")); // what a stray Enter would reach
        form->CancelComputation();
        QVERIFY(form->WaitForComputation());
        QVERIFY(Edit()->isEnabled());
        QCOMPARE(form->State().settings.ScaleIndex, 6);
        QCOMPARE(form->State().feature.FeatureLoaded, 0);
    }
};

} // namespace sw::gui

QTEST_MAIN(sw::gui::FindSheetTest)
#include "FindSheetTest.moc"
