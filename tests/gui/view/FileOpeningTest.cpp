// A file given to the window, seen through the window's narrow interfaces: a
// stand-in window and stand-in roads record what the given-file step asks for,
// so the choice of road, the busy refusal and the path's bytes are checked
// without a main window, a dialog or a read.

#include "view/FileOpening.h"
#include "../dialogs/MessageCatcher.h"
#include "exchange/FormatRegistry.h"
#include "session/Session.h"
#include "view/WindowStatus.h"

#include <QWidget>
#include <QtTest>

#include <filesystem>
#include <optional>
#include <vector>

namespace sw::gui {

namespace {

class StandInWindow : public WindowStatus {
public:
    QWidget widget;
    bool computing = false;
    QString panels[3];

    QWidget& Widget() override { return widget; }
    bool Computing() const override { return computing; }
    void SetPanelText(int panel, const QString& text) override { panels[panel] = text; }
    QString PanelText(int panel) const override { return panels[panel]; }
};

class StandInRoads : public GivenFileRoads {
public:
    Session session;
    DroppedOpen answer = DroppedOpen::Read;
    std::vector<std::filesystem::path> layers;
    std::vector<std::filesystem::path> vertexFiles;
    int dialogShown = 0;

    Session& TheSession() override { return session; }
    void OpenLayerFile(const std::filesystem::path& path) override { layers.push_back(path); }
    DroppedOpen OpenVertexFile(const InputFormat&, const std::filesystem::path& path) override {
        vertexFiles.push_back(path);
        return answer;
    }
    void ShowVertexDialog() override { ++dialogShown; }
};

// A name in several scripts, spelled as UTF-8 bytes, as the file system keeps it.
std::filesystem::path Named(const char* extension) {
    return std::filesystem::path("/data/Stra\xc3\x9f"
                                 "e \xe6\x9d\xb1\xe4\xba\xac/r\xc3\xb4ute") += extension;
}

} // namespace

class FileOpeningTest : public QObject {
    Q_OBJECT

private slots:
    void eachFileTakesItsRoadWithItsNameWhole() {
        StandInWindow window;
        StandInRoads roads;
        roads.session.SetDataType(DataKind::Point);

        // A GIS file goes to "Open layer" alone.
        OpenGivenFile(window, roads, Named(".gpkg"));
        QCOMPARE(roads.layers.size(), std::size_t{1});
        QCOMPARE(roads.layers[0].native(), Named(".gpkg").native());
        QVERIFY(roads.vertexFiles.empty());
        QCOMPARE(roads.dialogShown, 0);

        // A vertex text file goes to the vertex dialog, which then shows; the
        // status names the file without its folder.
        OpenGivenFile(window, roads, Named(".txt"));
        QCOMPARE(roads.layers.size(), std::size_t{1});
        QCOMPARE(roads.vertexFiles.size(), std::size_t{1});
        QCOMPARE(roads.vertexFiles[0].native(), Named(".txt").native());
        QCOMPARE(roads.dialogShown, 1);
        QCOMPARE(roads.session.State().settings.DataType, DataKind::Polyline);
        QCOMPARE(window.panels[0], QString::fromUtf8("Opened r\xc3\xb4ute.txt as a polyline"));

        // A name that is no UTF-8 (Latin-1 bytes from an old disk) keeps its
        // bytes: no text conversion on the way could give them back.
        const std::filesystem::path latin1("/data/caf\xe9.gpkg");
        OpenGivenFile(window, roads, latin1);
        QCOMPARE(roads.layers.size(), std::size_t{2});
        QCOMPARE(roads.layers[1].native(), latin1.native());
    }

    void aRefusedOrBusyFileChangesNothing() {
        StandInWindow window;
        StandInRoads roads;
        roads.session.SetDataType(DataKind::Point);
        window.panels[0] = QStringLiteral("before");

        // The dialog refused the file (and said why): no data type, status or dialog.
        roads.answer = DroppedOpen::Refused;
        OpenGivenFile(window, roads, Named(".txt"));
        QCOMPARE(roads.vertexFiles.size(), std::size_t{1});
        QCOMPARE(roads.session.State().settings.DataType, DataKind::Point);
        QCOMPARE(window.panels[0], QStringLiteral("before"));
        QCOMPARE(roads.dialogShown, 0);

        // While something runs, a given file is told to wait and goes nowhere.
        test::MessageCatcher messages;
        window.computing = true;
        OpenGivenFile(window, roads, Named(".gpkg"));
        OpenGivenFile(window, roads, Named(".txt"));
        QVERIFY(roads.layers.empty());
        QCOMPARE(roads.vertexFiles.size(), std::size_t{1});
        QCOMPARE(messages.boxes.size(), std::size_t{2});
        QCOMPARE(messages.LastText(), QString::fromLatin1(WindowStatus::BusyText));
    }
};

} // namespace sw::gui

QTEST_MAIN(sw::gui::FileOpeningTest)
#include "FileOpeningTest.moc"
