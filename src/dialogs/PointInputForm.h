#pragma once

// "Enter Coordinates of Point": one location typed as whole degrees, minutes and
// seconds of latitude and longitude. OK makes it the current feature (a point)
// and never refuses; a bad field is answered on leaving it by a beep and "0".

#include "dialogs/DialogHost.h"
#include "index/Convertions.h"

#include <QDialog>

#include <array>
#include <functional>

class QLineEdit;
class QPushButton;

namespace sw::gui {

class TPointInputForm : public QDialog {
    Q_OBJECT

public:
    explicit TPointInputForm(const DialogHost& host, QWidget* parent = nullptr);

    // The working angles the fields were last read into.
    DmsAngle WorkLat;
    DmsAngle WorkLong;

    // Field 1..6 (Edit1..Edit6).
    QLineEdit* Field(int number) const;
    // Replaces the platform beep (tests count it).
    void SetBeep(std::function<void()> beep);

public slots:
    void OKBtnClick();
    void CancelBtnClick();
    // The check run when field 1..6 loses the focus.
    void EditExit(int number);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    struct FieldRule {
        int32_t lowest;
        int32_t highest;
        int32_t DmsAngle::*component;
        bool latitude;
    };
    static const std::array<FieldRule, 6> Rules;
    // Reads field 1..6 into its working angle component; the valid flag.
    bool ReadField(int number);

    DialogHost host_;
    std::array<QLineEdit*, 6> edits_{};
    QPushButton* OKBtn = nullptr;
    QPushButton* CancelBtn = nullptr;
    std::function<void()> beep_;
};

} // namespace sw::gui
