#include "view/OpenLayer.h"

#include "coverage/FeatureUnion.h"
#include "exchange/FileError.h"
#include "exchange/FormatRegistry.h"
#include "gui/AppTitle.h"
#include "gui/ModalSeam.h"
#include "index/Settings.h"
#include "view/BackgroundWork.h"
#include "view/LayerChooser.h"
#include "view/WindowStatus.h"

#include <QFileDialog>
#include <QMetaObject>

#include <exception>
#include <new>
#include <utility>

namespace sw::gui {

namespace {

QString AskLayerFile(QWidget* parent) {
    QStringList filters;
    for (const std::string& f : LayerBoxFilters()) {
        filters << QString::fromStdString(f);
    }
    QFileDialog box(parent, QStringLiteral("Open layer"));
    box.setObjectName(QStringLiteral("OpenLayerDialog"));
    box.setFileMode(QFileDialog::ExistingFile);
    box.setNameFilters(filters);
    if (!RunModal(box) || box.selectedFiles().isEmpty()) {
        return {};
    }
    return box.selectedFiles().constFirst();
}

std::optional<std::vector<std::size_t>> ChooseInChooser(const GisLayer& layer, QWidget* parent) {
    TLayerChooser chooser(layer, parent);
    if (!RunModal(chooser)) {
        return std::nullopt;
    }
    return chooser.Chosen();
}

const char* DataTypeName(DataKind dataType) {
    return dataType == DataKind::Polygon    ? "polygon"
           : dataType == DataKind::Polyline ? "polyline"
                                            : "point";
}

} // namespace

QString OpenedLayerText(const GisLayer& layer, std::size_t chosen, DataKind dataType,
                        const std::filesystem::path& path) {
    const std::size_t total = layer.Features.size();
    QString text = QStringLiteral("Opened %1: ").arg(PathFromCore(path.filename()));
    text += chosen == total ? QStringLiteral("%1 feature%2").arg(total).arg(total == 1 ? "" : "s")
                            : QStringLiteral("%1 of %2 features").arg(chosen).arg(total);
    text += QStringLiteral(" as a %1").arg(QString::fromLatin1(DataTypeName(dataType)));
    const std::string note = SkippedFeaturesNote(layer);
    if (!note.empty()) {
        text += QStringLiteral("; ") + QString::fromStdString(note);
    }
    return text;
}

LayerOpening::LayerOpening(WindowStatus& window, LayerAcceptance accept, QObject* parent)
    : QObject(parent), window_(window), accept_(std::move(accept)), fileChoice_(AskLayerFile),
      featureChoice_(ChooseInChooser),
      reading_([](const std::filesystem::path& path, const GisLayerOptions& options) {
          return ReadGisLayer(path, options);
      }),
      work_(new BackgroundWork(this)) {
    // The work writes only into its own outcome, so a read stuck in GDAL can be
    // left behind.
    work_->SetAbandonOnDestroy(true);
    connect(work_, &BackgroundWork::Finished, this, &LayerOpening::ReadDone);
}

LayerOpening::~LayerOpening() {
    delete work_;
}

bool LayerOpening::Running() const {
    return work_->Running();
}

void LayerOpening::OpenLayerClick() {
    if (Running() || window_.Computing()) {
        return;
    }
    const QString path = fileChoice_ ? fileChoice_(&window_.Widget()) : QString();
    if (!path.isEmpty()) {
        Open(path);
    }
}

bool LayerOpening::Open(const QString& path) {
    return Open(PathToCore(path));
}

bool LayerOpening::Open(const std::filesystem::path& file) {
    if (Running()) {
        return false;
    }
    auto outcome = std::make_shared<ReadOutcome>();
    const bool started =
        work_->Start([outcome, file, read = reading_](const std::atomic<bool>& cancel) {
            try {
                GisLayerOptions options;
                options.Cancel = &cancel;
                // Every layer: the chooser shows each feature's layer, so none of
                // a GeoPackage's or a folder's layers goes missing unseen.
                options.AllLayers = true;
                outcome->layer = read(file, options);
            } catch (const GisReadCancelled& e) {
                outcome->cancelled = true;
                outcome->failure = e.what();
            } catch (const std::bad_alloc&) {
                outcome->failure =
                    "Cannot read \"" + file.string() + "\": it is too large to hold in memory";
            } catch (const std::exception& e) {
                outcome->failure = e.what();
            }
        });
    if (!started) {
        return false;
    }
    outcome_ = std::move(outcome);
    path_ = file;
    statusBefore_ = window_.PanelText(0);
    window_.SetPanelText(0, QStringLiteral("Reading %1...").arg(PathFromCore(file.filename())));
    emit BusyChanged();
    return true;
}

void LayerOpening::Cancel() {
    if (!Running()) {
        return;
    }
    work_->Abandon();
    outcome_.reset();
    window_.SetPanelText(0, QString::fromStdString(GisReadCancelled().what()));
    emit BusyChanged();
}

void LayerOpening::ReadDone() {
    const std::shared_ptr<ReadOutcome> outcome = std::move(outcome_);
    emit BusyChanged();
    if (!outcome) {
        return;
    }
    if (outcome->cancelled) {
        window_.SetPanelText(0, QString::fromStdString(outcome->failure));
    } else if (!outcome->layer) {
        window_.SetPanelText(0, statusBefore_);
        ShowError(&window_.Widget(), QString::fromStdString(outcome->failure));
    } else {
        Conclude(std::move(*outcome->layer));
    }
}

void LayerOpening::Conclude(GisLayer layer) {
    std::vector<std::size_t> chosen;
    if (layer.Features.size() == 1) {
        chosen = {0};
    } else {
        const auto choice =
            featureChoice_ ? featureChoice_(layer, &window_.Widget()) : std::nullopt;
        if (!choice || choice->empty()) {
            window_.SetPanelText(0, statusBefore_);
            return;
        }
        chosen = *choice;
    }
    std::vector<const Feature*> shapes;
    for (const std::size_t i : chosen) {
        if (i < layer.Features.size()) {
            shapes.push_back(&layer.Features[i].Shape);
        }
    }
    Feature feature = UnionFeature(shapes);
    opened_ = OpenedLayerText(layer, shapes.size(), DataTypeOf(feature), path_);
    if (accept_) {
        accept_(std::move(feature), path_);
    }
    emit HandedOver();
}

void LayerOpening::Committed() {
    window_.SetPanelText(0, opened_);
}

} // namespace sw::gui
