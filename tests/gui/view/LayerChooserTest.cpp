#include "view/LayerChooser.h"

#include <QPushButton>
#include <QTableWidget>
#include <QtTest>

namespace sw::gui {

// The feature chooser of "Open layer".
class LayerChooserTest : public QObject {
    Q_OBJECT

    static GisFeature Make(int32_t position, std::vector<FeaturePart> parts, std::string name) {
        GisFeature f;
        f.Position = position;
        std::vector<VertexRec> vs(4, VertexRec{DmsAngle{28, 0, 0}, DmsAngle{77, 0, 0}});
        f.Shape = MakePartsFeature(std::move(vs), std::move(parts));
        f.Attributes = {{"name", std::move(name)}, {"code", std::to_string(position * 10)}};
        return f;
    }

    static GisLayer Layer() {
        GisLayer layer;
        layer.Path = "districts.gpkg";
        layer.Features.push_back(Make(1, {{0, PartKind::Polygon}}, "Pune"));
        layer.Features.push_back(Make(3, {{0, PartKind::Polyline}, {2, PartKind::Point}}, "Goa"));
        layer.Features.push_back(Make(4, {{0, PartKind::Point}}, "Kochi"));
        return layer;
    }

private slots:
    void listsPositionKindAndAttributes() {
        TLayerChooser c(Layer());
        QTableWidget* g = c.Grid();
        QCOMPARE(g->rowCount(), 3);
        QCOMPARE(g->columnCount(), 4);
        QCOMPARE(g->horizontalHeaderItem(2)->text(), QStringLiteral("name"));
        QCOMPARE(g->item(1, 0)->text(), QStringLiteral("3"));
        QCOMPARE(g->item(1, 1)->text(), QStringLiteral("Polyline+Point"));
        QCOMPARE(g->item(0, 1)->text(), QStringLiteral("Polygon"));
        QCOMPARE(g->item(2, 2)->text(), QStringLiteral("Kochi"));
        QCOMPARE(g->item(2, 3)->text(), QStringLiteral("40"));
    }

    // Features of several layers: each shows its layer, and each layer's own
    // attributes sit in their own columns.
    void listsTheLayerOfEachFeature() {
        GisLayer layer = Layer();
        layer.LayerNames = {"areas", "towers"};
        layer.Features[0].Layer = "areas";
        layer.Features[1].Layer = "areas";
        layer.Features[2].Layer = "towers";
        layer.Features[2].Attributes = {{"height", "52"}, {"name", "Kochi"}};
        TLayerChooser c(layer);
        QTableWidget* g = c.Grid();
        QCOMPARE(g->columnCount(), 6);
        QCOMPARE(g->horizontalHeaderItem(2)->text(), QStringLiteral("Layer"));
        QCOMPARE(g->horizontalHeaderItem(5)->text(), QStringLiteral("height"));
        QCOMPARE(g->item(2, 2)->text(), QStringLiteral("towers"));
        QCOMPARE(g->item(2, 3)->text(), QStringLiteral("Kochi"));
        QCOMPARE(g->item(2, 5)->text(), QStringLiteral("52"));
        QVERIFY(g->item(2, 4) == nullptr);
    }

    void okWaitsForAChoiceAndAllChoosesEveryFeature() {
        TLayerChooser c(Layer());
        auto* ok = c.findChild<QPushButton*>(QStringLiteral("OKBtn"));
        QVERIFY(ok);
        QVERIFY(!ok->isEnabled());
        c.Grid()->selectRow(2);
        QVERIFY(ok->isEnabled());
        QCOMPARE(c.Chosen(), (std::vector<std::size_t>{2}));
        c.findChild<QPushButton*>(QStringLiteral("AllBtn"))->click();
        QCOMPARE(c.Chosen(), (std::vector<std::size_t>{0, 1, 2}));
        c.Grid()->clearSelection();
        QVERIFY(!ok->isEnabled());
    }
};

} // namespace sw::gui

QTEST_MAIN(sw::gui::LayerChooserTest)
#include "LayerChooserTest.moc"
