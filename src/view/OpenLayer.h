#pragma once

// "Open layer": any file GDAL reads, read on a worker thread (Escape stops it),
// its features chosen when there are several, and their union handed to the main
// window, which computes it as it computes any feature. A file that cannot be
// read, a cancelled read and a cancelled choice change nothing. Of the window it
// needs its status (view/WindowStatus.h) and where the union goes.

#include "exchange/GisLayerReader.h"
#include "index/Settings.h"

#include <QObject>
#include <QString>

#include <cstddef>
#include <filesystem>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

class QWidget;

namespace sw::gui {

class BackgroundWork;
class WindowStatus;

// The layer's features "Open layer" computes: all of them when there is one,
// else the chooser's choice (indexes into the layer); nullopt when cancelled.
using FeatureChoice =
    std::function<std::optional<std::vector<std::size_t>>(const GisLayer& layer, QWidget* parent)>;
// The file to open, empty when the dialog was cancelled.
using LayerFileChoice = std::function<QString(QWidget* parent)>;
// What reads the file on the worker: ReadGisLayer, or a stand-in in tests.
using LayerReading =
    std::function<GisLayer(const std::filesystem::path& path, const GisLayerOptions& options)>;
// Where the union of the chosen features goes: the window's computation, with
// the file it was read from.
using LayerAcceptance = std::function<void(Feature feature, const std::filesystem::path& path)>;

class LayerOpening : public QObject {
    Q_OBJECT

public:
    LayerOpening(WindowStatus& window, LayerAcceptance accept, QObject* parent);
    // Leaves a running read behind: quitting never waits on a file.
    ~LayerOpening() override;

    // The dialogs, replaceable so that tests need no modal window.
    void SetFileChoice(LayerFileChoice choice) { fileChoice_ = std::move(choice); }
    void SetFeatureChoice(FeatureChoice choice) { featureChoice_ = std::move(choice); }
    void SetReading(LayerReading reading) { reading_ = std::move(reading); }

    // The command: the open box, then Open.
    void OpenLayerClick();
    // Reads the file at `path` on the worker; false (and nothing started) while
    // a read runs.
    bool Open(const std::filesystem::path& path);
    // A name as the open box gives it, converted to a path once.
    bool Open(const QString& path);

    bool Running() const;
    // Ends the read at once, whatever GDAL is doing: the window goes on as
    // before and the reading thread, left behind, drops what it finds.
    void Cancel();

    // The window committed the layer's result (its caption already names the
    // file, the feature's source): the status bar says what was opened.
    void Committed();

signals:
    // A read started or ended: the window's commands follow.
    void BusyChanged();
    // The chosen features have gone to the window's computation.
    void HandedOver();

private:
    void ReadDone();
    void Conclude(GisLayer layer);

    // What one read gives, owned by the worker and the window together, so a
    // read left behind writes only into its own.
    struct ReadOutcome {
        std::optional<GisLayer> layer;
        std::string failure; // or why there is none
        bool cancelled = false;
    };

    WindowStatus& window_;
    LayerAcceptance accept_;
    LayerFileChoice fileChoice_;
    FeatureChoice featureChoice_;
    LayerReading reading_;
    BackgroundWork* work_;
    std::filesystem::path path_;
    QString statusBefore_;
    QString opened_;                       // the status text once the result is committed
    std::shared_ptr<ReadOutcome> outcome_; // of the running read
};

// The status text after a layer has been opened: "Opened districts.gpkg: 3 of 5
// features as a polygon", with the note on features left out when there are.
QString OpenedLayerText(const GisLayer& layer, std::size_t chosen, DataKind dataType,
                        const std::filesystem::path& path);

} // namespace sw::gui
