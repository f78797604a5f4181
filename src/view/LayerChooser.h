#pragma once

// The chooser "Open layer" shows when a file holds more than one feature: one
// row per feature of every layer with its position, its kind, its layer (when
// the file has several) and its attribute values; any number of rows can be
// chosen, "All" chooses every one.

#include "exchange/GisLayerReader.h"

#include <QDialog>

#include <vector>

class QPushButton;
class QTableWidget;

namespace sw::gui {

class TLayerChooser : public QDialog {
    Q_OBJECT

public:
    explicit TLayerChooser(const GisLayer& layer, QWidget* parent = nullptr);

    // The chosen features' indexes in the layer, ascending.
    std::vector<std::size_t> Chosen() const;

    QTableWidget* Grid() const { return grid_; }

public slots:
    void AllClick();

private:
    void UpdateOk();

    QTableWidget* grid_ = nullptr;
    QPushButton* all_ = nullptr;
    QPushButton* ok_ = nullptr;
};

// The kind a feature is listed with: "Polygon", "Polyline", "Point" or, for a
// mix of kinds, their names joined by "+".
QString FeatureKindText(const Feature& f);

} // namespace sw::gui
