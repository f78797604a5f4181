#include "HostRecorder.h"
#include "MessageCatcher.h"

#include "dialogs/PointInputForm.h"
#include "index/RangedInteger.h"

#include <QLineEdit>
#include <QPushButton>
#include <QtTest>

#include <optional>

namespace sw::gui {

class PointInputFormTest : public QObject, public test::HostRecorder {
    Q_OBJECT

    int beeps = 0;

    std::unique_ptr<TPointInputForm> Make() {
        auto form = std::make_unique<TPointInputForm>(Host());
        form->SetBeep([this] { ++beeps; });
        return form;
    }

    // Types `text` into field n and runs its exit check; true when it beeped.
    bool Exit(TPointInputForm& f, int n, const QString& text) {
        const int before = beeps;
        f.Field(n)->setText(text);
        f.EditExit(n);
        return beeps != before;
    }

private slots:
    void init() {
        accepted.reset();
        acceptCount = 0;
        beeps = 0;
        computing = false;
    }

    void readRangedIntegerRules() {
        int32_t v = -7;
        QVERIFY(ReadRangedInteger("4", v, 4, 37) && v == 4);
        QVERIFY(ReadRangedInteger("37", v, 4, 37) && v == 37);
        QVERIFY(!ReadRangedInteger("3", v, 4, 37) && v == 0);
        v = -7;
        QVERIFY(!ReadRangedInteger("38", v, 4, 37) && v == 0);
        QVERIFY(ReadRangedInteger(" 12 ", v, 0, 59) && v == 12);
        QVERIFY(ReadRangedInteger("\t+5\r", v, 0, 59) && v == 5);
        // Not a number: the leading digits stay, no range check.
        QVERIFY(!ReadRangedInteger("12a", v, 0, 59) && v == 12);
        QVERIFY(!ReadRangedInteger("99x", v, 0, 59) && v == 99);
        QVERIFY(!ReadRangedInteger("-3z", v, 0, 59) && v == -3);
        v = 5;
        QVERIFY(!ReadRangedInteger("", v, 0, 59) && v == 0);
        v = 5;
        QVERIFY(!ReadRangedInteger("-", v, 0, 59) && v == 0);
        v = 5;
        QVERIFY(!ReadRangedInteger("1 2", v, 0, 59) && v == 1);
        QVERIFY(!ReadRangedInteger("-1", v, 0, 59) && v == 0);
        // Past 32 bits the number ends at the digit that would overflow.
        QVERIFY(!ReadRangedInteger("99999999999", v, INT32_MIN, INT32_MAX) && v == 999999999);
        QVERIFY(ReadRangedInteger("-2147483648", v, INT32_MIN, INT32_MAX) && v == INT32_MIN);
        QVERIFY(!ReadRangedInteger("2147483648", v, INT32_MIN, INT32_MAX) && v == 214748364);
    }

    void firstShowingTextsAndTabOrder() {
        auto f = Make();
        const char* texts[] = {"24", "1", "0", "72", "1", "0"};
        for (int n = 1; n <= 6; ++n) {
            QCOMPARE(f->Field(n)->text(), QString::fromLatin1(texts[n - 1]));
            QCOMPARE(f->Field(n)->objectName(), QStringLiteral("Edit%1").arg(n));
        }
        QCOMPARE(f->windowTitle(), QStringLiteral("Enter Coordinates of Point"));
        auto* ok = f->findChild<QPushButton*>(QStringLiteral("OKBtn"));
        auto* cancel = f->findChild<QPushButton*>(QStringLiteral("CancelBtn"));
        QVERIFY(ok && cancel && ok->isDefault());
        // Tab order: OK, Cancel, then Edit1 to Edit6 (widgets Tab skips left out).
        QList<QWidget*> order;
        for (QWidget* w = ok; order.size() < 8; w = w->nextInFocusChain()) {
            if (w->focusPolicy() & Qt::TabFocus) {
                order << w;
            }
        }
        QCOMPARE(order, (QList<QWidget*>{ok, cancel, f->Field(1), f->Field(2), f->Field(3),
                                         f->Field(4), f->Field(5), f->Field(6)}));
    }

    // Leaving a field checks it: a wrong entry keeps its text, is marked and
    // named with its range; mending it takes the mark away.
    void fieldExitRanges() {
        auto f = Make();
        QVERIFY(Exit(*f, 1, "3"));
        QCOMPARE(f->Field(1)->text(), QStringLiteral("3"));
        QVERIFY(f->FieldMarked(1));
        QCOMPARE(f->WrongFieldText(),
                 QStringLiteral("Latitude degrees must be a whole number from 4 to 37"));
        QVERIFY(Exit(*f, 1, "38"));
        QVERIFY(Exit(*f, 1, "0"));
        QVERIFY(!Exit(*f, 1, "4"));
        QVERIFY(!f->FieldMarked(1));
        QVERIFY(f->WrongFieldText().isEmpty());
        QVERIFY(!Exit(*f, 1, "37"));
        QCOMPARE(f->WorkLat.Deg, 37);
        QVERIFY(Exit(*f, 4, "67"));
        QCOMPARE(f->WrongFieldText(),
                 QStringLiteral("Longitude degrees must be a whole number from 68 to 97"));
        QVERIFY(Exit(*f, 4, "98"));
        QVERIFY(!Exit(*f, 4, "68"));
        QVERIFY(!Exit(*f, 4, "97"));
        for (int n : {2, 3, 5, 6}) {
            QVERIFY(Exit(*f, n, "60"));
            QCOMPARE(f->Field(n)->text(), QStringLiteral("60"));
            QVERIFY(f->FieldMarked(n));
            QVERIFY(Exit(*f, n, "-1"));
            QVERIFY(!Exit(*f, n, "0"));
            QVERIFY(!Exit(*f, n, "59"));
            QVERIFY(!f->FieldMarked(n));
        }
        QVERIFY(!Exit(*f, 2, " 12 "));
        QCOMPARE(f->Field(2)->text(), QStringLiteral(" 12 ")); // a valid text is kept as typed
        QVERIFY(Exit(*f, 2, "12a"));
        QCOMPARE(f->Field(2)->text(), QStringLiteral("12a"));
        QCOMPARE(f->WrongFieldText(),
                 QStringLiteral("Latitude minutes must be a whole number from 0 to 59"));
        // Two wrong fields: the line names the first; mending it names the next.
        QVERIFY(Exit(*f, 6, "75"));
        QVERIFY(f->WrongFieldText().startsWith(QStringLiteral("Latitude minutes")));
        QVERIFY(!Exit(*f, 2, "12"));
        QCOMPARE(f->WrongFieldText(),
                 QStringLiteral("Longitude seconds must be a whole number from 0 to 59"));
        QCOMPARE(acceptCount, 0);
    }

    void tabOutOfAFieldRunsTheCheck() {
        auto f = Make();
        f->show();
        QVERIFY(QTest::qWaitForWindowActive(f.get()));
        QTRY_VERIFY(f->Field(1)->hasFocus()); // every showing starts in Edit1
        f->Field(1)->setText(QStringLiteral("12a"));
        QTest::keyClick(f->Field(1), Qt::Key_Tab);
        QTRY_VERIFY(f->Field(2)->hasFocus());
        QCOMPARE(f->Field(1)->text(), QStringLiteral("12a"));
        QVERIFY(f->FieldMarked(1));
        QCOMPARE(beeps, 1);
    }

    // Enter (OK) with a wrong field computes nothing: the message names the
    // field, its range and what it holds, and the focus goes to it.
    void okRefusesAWrongFieldUntilItIsMended() {
        auto f = Make();
        test::MessageCatcher catcher;
        f->show();
        QVERIFY(QTest::qWaitForWindowActive(f.get()));
        f->Field(1)->setFocus();
        QTRY_VERIFY(f->Field(1)->hasFocus());
        f->Field(1)->setText(QStringLiteral("45"));
        f->Field(4)->setText(QStringLiteral("7x2"));
        QTest::keyClick(f->Field(1), Qt::Key_Return);
        QCOMPARE(acceptCount, 0);
        QVERIFY(f->isVisible());
        QCOMPARE(catcher.boxes.size(), std::size_t{1});
        QCOMPARE(
            catcher.LastText(),
            QStringLiteral("Latitude degrees must be a whole number from 4 to 37, not \"45\"."));
        QVERIFY(f->FieldMarked(1) && f->FieldMarked(4));
        QVERIFY(!f->FieldMarked(2));
        QTRY_VERIFY(f->Field(1)->hasFocus());
        QCOMPARE(f->Field(1)->text(), QStringLiteral("45"));

        f->Field(1)->setText(QStringLiteral("24"));
        f->OKBtnClick();
        QCOMPARE(acceptCount, 0);
        QVERIFY(catcher.LastText().startsWith(QStringLiteral("Longitude degrees must be")));
        QVERIFY(catcher.LastText().endsWith(QStringLiteral("not \"7x2\".")));

        f->Field(4)->setText(QStringLiteral("72"));
        f->OKBtnClick();
        QCOMPARE(acceptCount, 1);
        QVERIFY(!f->isVisible());
        QVERIFY(!f->FieldMarked(4));
        QVERIFY(f->WrongFieldText().isEmpty());
        QCOMPARE(accepted->feature.Vertices[0].Lat, (DmsAngle{24, 1, 0}));
        QCOMPARE(accepted->feature.Vertices[0].Long, (DmsAngle{72, 1, 0}));
        QCOMPARE(catcher.boxes.size(), std::size_t{2});
    }

    void okMakesATwoVertexPoint() {
        auto f = Make();
        f->show();
        f->Field(1)->setText(QStringLiteral("28"));
        f->Field(2)->setText(QStringLiteral("36"));
        f->Field(3)->setText(QStringLiteral("50"));
        f->Field(4)->setText(QStringLiteral("77"));
        f->Field(5)->setText(QStringLiteral("12"));
        f->Field(6)->setText(QStringLiteral(" 30 "));
        f->findChild<QPushButton*>(QStringLiteral("OKBtn"))->click();
        QVERIFY(accepted);
        const Feature& p = accepted->feature;
        QCOMPARE(p.VertexCount, 2);
        QCOMPARE(p.Vertices.size(), std::size_t{2});
        QCOMPARE(p.FeaturePoints.size(), std::size_t{2});
        QVERIFY(p.Vertices[0] == p.Vertices[1]);
        QCOMPARE(p.Vertices[0].Lat, (DmsAngle{28, 36, 50}));
        QCOMPARE(p.Vertices[0].Long, (DmsAngle{77, 12, 30}));
        QCOMPARE(p.IsPolygon, uint8_t{0});
        QVERIFY(!accepted->fit);    // the point dialog does not fit to screen
        QVERIFY(!accepted->report); // "Report" follows the next activation
        QVERIFY(!f->isVisible());

        // Texts persist into the next showing.
        f->show();
        QCOMPARE(f->Field(1)->text(), QStringLiteral("28"));
        // Every field bad: refused, every field marked.
        test::MessageCatcher catcher;
        for (int n = 1; n <= 6; ++n) {
            f->Field(n)->setText(QStringLiteral("x"));
        }
        f->OKBtnClick();
        QCOMPARE(acceptCount, 1);
        for (int n = 1; n <= 6; ++n) {
            QVERIFY(f->FieldMarked(n));
        }
    }

    void cancelAndEscapeChangeNothing() {
        auto f = Make();
        f->show();
        QVERIFY(QTest::qWaitForWindowActive(f.get()));
        f->findChild<QPushButton*>(QStringLiteral("CancelBtn"))->click();
        QVERIFY(!f->isVisible());
        f->show();
        QVERIFY(QTest::qWaitForWindowActive(f.get()));
        QTest::keyClick(f.get(), Qt::Key_Escape);
        QVERIFY(!f->isVisible());
        QCOMPARE(acceptCount, 0);
        QCOMPARE(beeps, 0);
    }

    void okWaitsForARunningComputation() {
        auto f = Make();
        f->show();
        computing = true;
        f->OKBtnClick();
        QCOMPARE(acceptCount, 0);
        QCOMPARE(beeps, 1);
        QVERIFY(f->isVisible());
    }
};

} // namespace sw::gui

QTEST_MAIN(sw::gui::PointInputFormTest)
#include "PointInputFormTest.moc"
