#include "dialogs/SetInputForm.h"
#include "dialogs/AboutBox.h"

#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QtTest>

namespace sw::gui {

// The data type dialog and the About box.
class SetInputFormTest : public QObject {
    Q_OBJECT

    Session session;
    AppState& state = session.State();

    std::unique_ptr<TSetInputForm> Make() {
        DialogHost host;
        host.session = &session;
        return std::make_unique<TSetInputForm>(host);
    }

private slots:
    void init() { state = AppState{}; }

    void showsTheCurrentDataTypeAndOkStoresTheChoice() {
        auto f = Make();
        QCOMPARE(f->windowTitle(), QStringLiteral("Set Input Data"));
        auto* group = f->findChild<QGroupBox*>(QStringLiteral("RadioGroup1"));
        QVERIFY(group);
        QCOMPARE(group->title(), QStringLiteral("Select Input Data Type"));
        const auto items = group->findChildren<QRadioButton*>();
        QCOMPARE(items.size(), 3);
        QCOMPARE(items[0]->text(), QStringLiteral("Point/Location"));
        QCOMPARE(items[1]->text(), QStringLiteral("Polyline"));
        QCOMPARE(items[2]->text(), QStringLiteral("Polygon"));

        f->show();
        QCOMPARE(f->SelectedIndex(), 0);
        items[2]->click();
        f->findChild<QPushButton*>(QStringLiteral("OKBtn"))->click();
        QVERIFY(!f->isVisible());
        QCOMPARE(state.settings.DataType, DataKind::Polygon);

        f->show();
        QCOMPARE(f->SelectedIndex(), 2);
        items[1]->click();
        f->findChild<QPushButton*>(QStringLiteral("CancelBtn"))->click();
        QCOMPARE(state.settings.DataType, DataKind::Polygon);
        // The unconfirmed choice is forgotten at the next showing.
        f->show();
        QCOMPARE(f->SelectedIndex(), 2);
    }

    void escapeChangesNothing() {
        auto f = Make();
        f->show();
        QVERIFY(QTest::qWaitForWindowActive(f.get()));
        f->SelectIndex(1);
        QTest::keyClick(f.get(), Qt::Key_Escape);
        QVERIFY(!f->isVisible());
        QCOMPARE(state.settings.DataType, DataKind::Point);
    }

    void enterConfirms() {
        auto f = Make();
        f->show();
        QVERIFY(QTest::qWaitForWindowActive(f.get()));
        f->SelectIndex(1);
        f->findChild<QPushButton*>(QStringLiteral("OKBtn"))->setFocus();
        QTest::keyClick(f->findChild<QPushButton*>(QStringLiteral("OKBtn")), Qt::Key_Return);
        QCOMPARE(state.settings.DataType, DataKind::Polyline);
    }

    void aboutBoxTextsAndOk() {
        TAboutBox box;
        QCOMPARE(box.windowTitle(), QStringLiteral("About"));
        QStringList texts;
        for (auto* l : box.findChildren<QLabel*>()) {
            texts << l->text();
        }
        QCOMPARE(texts, (QStringList{
                            QStringLiteral("Sheetwright"),
                            QStringLiteral("Version 2.1 April 2016"),
                            QStringLiteral("Software calculates sheet numbers for Topographical "
                                           "and Open Series Maps"),
                            QStringLiteral("For point, line and polygon. It imports and exports "
                                           "data to shape and kml files."),
                            BuildLine(),
                        }));
        // The added line names this build and the registry's formats.
        const QString build = BuildLine();
        QVERIFY(
            build.startsWith(QStringLiteral("This build: " SHEETWRIGHT_VERSION ". Reads .txt")));
        QVERIFY(build.contains(QStringLiteral(".geojson")));
        QVERIFY(build.contains(QStringLiteral("; writes .kml .shp .jpg .bmp .xls")));
        QCOMPARE(build.count(QStringLiteral(".pdf")), 1);
        QCOMPARE(box.findChild<QLabel*>(QStringLiteral("ProductName"))->font().pointSize(), 14);
        QCOMPARE(box.findChild<QLabel*>(QStringLiteral("Version"))->font().pointSize(), 10);
        QCOMPARE(box.size(), QSize(393, 213));
        box.show();
        QVERIFY(QTest::qWaitForWindowExposed(&box));
        // Every line fits the fixed box whole: none is squeezed below the
        // height its wrapped text needs.
        for (auto* l : box.findChildren<QLabel*>()) {
            QVERIFY2(l->height() >= l->heightForWidth(l->width()), qPrintable(l->text()));
        }
        auto* ok = box.findChild<QPushButton*>(QStringLiteral("OKButton"));
        QVERIFY(ok && ok->isDefault());
        ok->click();
        QVERIFY(!box.isVisible());
    }
};

} // namespace sw::gui

QTEST_MAIN(sw::gui::SetInputFormTest)
#include "SetInputFormTest.moc"
