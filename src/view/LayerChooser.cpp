#include "view/LayerChooser.h"

#include "gui/DialogButtons.h"

#include <QAbstractItemView>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QItemSelectionModel>
#include <QLabel>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

#include <algorithm>
#include <string>
#include <vector>

namespace sw::gui {

QString FeatureKindText(const Feature& f) {
    bool kinds[3] = {false, false, false};
    for (const FeaturePart& p : PartsOver(f, f.VertexCount)) {
        kinds[static_cast<int>(p.Kind) - 1] = true;
    }
    const char* const names[3] = {"Point", "Polyline", "Polygon"};
    QString text;
    for (int k = 2; k >= 0; --k) {
        if (kinds[k]) {
            text += (text.isEmpty() ? "" : "+") + QString::fromLatin1(names[k]);
        }
    }
    return text;
}

TLayerChooser::TLayerChooser(const GisLayer& layer, QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("LayerChooser"));
    setWindowTitle(QStringLiteral("Choose features"));
    auto* box = new QVBoxLayout(this);
    auto* label = new QLabel(QStringLiteral("%1 features in \"%2\"")
                                 .arg(layer.Features.size())
                                 .arg(QString::fromStdString(layer.Path)),
                             this);
    box->addWidget(label);

    // Columns: position, kind, the layer when the file gave several, then every
    // attribute name in the order the layers first give it.
    QStringList headings{QStringLiteral("No."), QStringLiteral("Kind")};
    const bool layers = layer.LayerNames.size() > 1;
    if (layers) {
        headings << QStringLiteral("Layer");
    }
    const int firstAttribute = static_cast<int>(headings.size());
    std::vector<std::string> names;
    for (const GisFeature& f : layer.Features) {
        for (const auto& [name, value] : f.Attributes) {
            if (std::find(names.begin(), names.end(), name) == names.end()) {
                names.push_back(name);
                headings << QString::fromStdString(name);
            }
        }
    }
    grid_ = new QTableWidget(static_cast<int>(layer.Features.size()),
                             static_cast<int>(headings.size()), this);
    grid_->setObjectName(QStringLiteral("FeatureGrid"));
    grid_->setHorizontalHeaderLabels(headings);
    grid_->verticalHeader()->hide();
    grid_->setSelectionBehavior(QAbstractItemView::SelectRows);
    grid_->setSelectionMode(QAbstractItemView::ExtendedSelection);
    grid_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    for (std::size_t r = 0; r < layer.Features.size(); ++r) {
        const GisFeature& f = layer.Features[r];
        const int row = static_cast<int>(r);
        grid_->setItem(row, 0, new QTableWidgetItem(QString::number(f.Position)));
        grid_->setItem(row, 1, new QTableWidgetItem(FeatureKindText(f.Shape)));
        if (layers) {
            grid_->setItem(row, 2, new QTableWidgetItem(QString::fromStdString(f.Layer)));
        }
        for (const auto& [name, value] : f.Attributes) {
            const auto at = std::find(names.begin(), names.end(), name) - names.begin();
            grid_->setItem(row, firstAttribute + static_cast<int>(at),
                           new QTableWidgetItem(QString::fromStdString(value)));
        }
    }
    grid_->resizeColumnsToContents();
    box->addWidget(grid_);

    QPushButton* cancel = nullptr;
    QHBoxLayout* row = MakeOkCancelRow(this, ok_, cancel);
    all_ = new QPushButton(QStringLiteral("All"), this);
    all_->setObjectName(QStringLiteral("AllBtn"));
    row->insertWidget(0, all_);
    box->addLayout(row);
    connect(all_, &QPushButton::clicked, this, &TLayerChooser::AllClick);
    connect(ok_, &QPushButton::clicked, this, &QDialog::accept);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
    connect(grid_->selectionModel(), &QItemSelectionModel::selectionChanged, this,
            [this] { UpdateOk(); });
    UpdateOk();
    resize(640, 400);
}

void TLayerChooser::AllClick() {
    grid_->selectAll();
    UpdateOk();
}

std::vector<std::size_t> TLayerChooser::Chosen() const {
    std::vector<std::size_t> rows;
    for (const QModelIndex& i : grid_->selectionModel()->selectedRows()) {
        rows.push_back(static_cast<std::size_t>(i.row()));
    }
    std::sort(rows.begin(), rows.end());
    return rows;
}

void TLayerChooser::UpdateOk() {
    ok_->setEnabled(grid_->selectionModel()->hasSelection());
}

} // namespace sw::gui
