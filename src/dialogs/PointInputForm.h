#pragma once

// "Enter Coordinates of Point": one location typed as whole degrees, minutes and
// seconds of latitude and longitude. OK makes it the current feature (a point).
// A field that is not a whole number in its range keeps its text and is shown
// as wrong (marked, with a line naming the field and its range) from the moment
// it is left; OK then says which field is wrong and computes nothing until it is
// mended, so nothing the user did not type ever reaches the point.

#include "gui/DialogHost.h"
#include "index/Convertions.h"

#include <QDialog>

#include <array>
#include <functional>

class QLabel;
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
    // Whether field 1..6 is shown as wrong.
    bool FieldMarked(int number) const;
    // "Latitude degrees must be a whole number from 4 to 37": what is wrong with
    // field 1..6.
    static QString FieldRangeText(int number);
    // The line under the fields that names the wrong field; empty when none is.
    QString WrongFieldText() const;

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
        const char* name;
    };
    static const std::array<FieldRule, 6> Rules;
    // Reads field 1..6 into its working angle component; the valid flag.
    bool ReadField(int number);
    // Marks or unmarks field 1..6 and shows the line for the first wrong field.
    void MarkField(int number, bool wrong);
    void ShowWrongFieldText();

    DialogHost host_;
    std::array<QLineEdit*, 6> edits_{};
    std::array<bool, 6> wrong_{};
    QLabel* wrongText_ = nullptr;
    QPushButton* OKBtn = nullptr;
    QPushButton* CancelBtn = nullptr;
    std::function<void()> beep_;
};

} // namespace sw::gui
