#pragma once

// "Set Input Data": chooses the kind of feature entered next (DataType).

#include "gui/DialogHost.h"

#include <QDialog>

class QButtonGroup;
class QGroupBox;
class QPushButton;

namespace sw::gui {

class TSetInputForm : public QDialog {
    Q_OBJECT

public:
    explicit TSetInputForm(const DialogHost& host, QWidget* parent = nullptr);

    // The radio item checked now (0 Point, 1 Polyline, 2 Polygon), -1 for none.
    int SelectedIndex() const;
    void SelectIndex(int index);

public slots:
    void OKBtnClick();
    void CancelBtnClick();

protected:
    void showEvent(QShowEvent* event) override;

private:
    DialogHost host_;
    QGroupBox* RadioGroup1 = nullptr;
    QButtonGroup* items_ = nullptr;
    QPushButton* OKBtn = nullptr;
    QPushButton* CancelBtn = nullptr;
};

} // namespace sw::gui
