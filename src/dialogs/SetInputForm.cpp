#include "dialogs/SetInputForm.h"

#include "gui/DataKindCaption.h"
#include "gui/DialogButtons.h"

#include <QAbstractButton>
#include <QButtonGroup>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QPushButton>
#include <QRadioButton>
#include <QShowEvent>
#include <QVBoxLayout>

namespace sw::gui {

TSetInputForm::TSetInputForm(const DialogHost& host, QWidget* parent)
    : QDialog(parent), host_(host) {
    setObjectName(QStringLiteral("SetInputForm"));
    setWindowTitle(QStringLiteral("Set Input Data"));
    setFont(QFont(QStringLiteral("Tahoma"), 8));
    resize(271, 235);

    RadioGroup1 = new QGroupBox(QStringLiteral("Select Input Data Type"), this);
    RadioGroup1->setObjectName(QStringLiteral("RadioGroup1"));
    QFont groupFont(QStringLiteral("Tahoma"), 12, QFont::Bold);
    RadioGroup1->setFont(groupFont);
    RadioGroup1->setStyleSheet(QStringLiteral("QGroupBox { color: rgb(128, 0, 0); }"));
    items_ = new QButtonGroup(this);
    auto* itemsLayout = new QVBoxLayout(RadioGroup1);
    // Item i is data type i + 1.
    const DataKind kinds[] = {DataKind::Point, DataKind::Polyline, DataKind::Polygon};
    for (int i = 0; i < 3; ++i) {
        auto* item = new QRadioButton(DataKindCaption(kinds[i]), RadioGroup1);
        item->setObjectName(QStringLiteral("RadioGroup1Item%1").arg(i));
        item->setFont(QFont(QStringLiteral("Tahoma"), 8));
        items_->addButton(item, i);
        itemsLayout->addWidget(item);
    }

    QHBoxLayout* buttons = MakeOkCancelRow(this, OKBtn, CancelBtn);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(RadioGroup1);
    layout->addLayout(buttons);

    connect(OKBtn, &QPushButton::clicked, this, &TSetInputForm::OKBtnClick);
    connect(CancelBtn, &QPushButton::clicked, this, &TSetInputForm::CancelBtnClick);
    // Escape and the frame's close button hide the dialog the same way as Cancel.
    connect(this, &QDialog::rejected, this, &TSetInputForm::CancelBtnClick);
}

int TSetInputForm::SelectedIndex() const {
    return items_->checkedId();
}

void TSetInputForm::SelectIndex(int index) {
    if (QAbstractButton* b = items_->button(index)) {
        b->setChecked(true);
    }
}

void TSetInputForm::showEvent(QShowEvent* event) {
    // Every showing starts from the current data type, so an unconfirmed choice
    // left by Cancel is forgotten.
    if (!event->spontaneous()) {
        SelectIndex(static_cast<int>(host_.session->State().settings.DataType) - 1);
    }
    QDialog::showEvent(event);
}

void TSetInputForm::OKBtnClick() {
    const int index = SelectedIndex();
    if (index >= 0) {
        host_.session->SetDataType(static_cast<DataKind>(index + 1));
    }
    hide();
}

void TSetInputForm::CancelBtnClick() {
    hide();
}

} // namespace sw::gui
