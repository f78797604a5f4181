#include "dialogs/PointInputForm.h"

#include "gui/AppTitle.h"
#include "gui/DialogButtons.h"
#include "index/RangedInteger.h"

#include <QApplication>
#include <QFocusEvent>
#include <QFrame>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QShowEvent>
#include <QVBoxLayout>

#include <utility>

namespace sw::gui {

const std::array<TPointInputForm::FieldRule, 6> TPointInputForm::Rules{{
    {4, 37, &DmsAngle::Deg, true, "Latitude degrees"},
    {0, 59, &DmsAngle::Min, true, "Latitude minutes"},
    {0, 59, &DmsAngle::Sec, true, "Latitude seconds"},
    {68, 97, &DmsAngle::Deg, false, "Longitude degrees"},
    {0, 59, &DmsAngle::Min, false, "Longitude minutes"},
    {0, 59, &DmsAngle::Sec, false, "Longitude seconds"},
}};

TPointInputForm::TPointInputForm(const DialogHost& host, QWidget* parent)
    : QDialog(parent), host_(host), beep_([] { QApplication::beep(); }) {
    setObjectName(QStringLiteral("PointInputForm"));
    setWindowTitle(QStringLiteral("Enter Coordinates of Point"));
    QFont bold(QStringLiteral("Tahoma"), 8, QFont::Bold);
    setFont(bold);

    auto* frame = new QFrame(this);
    frame->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    auto* grid = new QGridLayout(frame);
    const QString headings[] = {QStringLiteral("Degrees"), QStringLiteral("Minuts"),
                                QStringLiteral("Seconds")};
    for (int c = 0; c < 3; ++c) {
        grid->addWidget(new QLabel(headings[c], frame), 0, c + 1, Qt::AlignHCenter);
    }
    QFont rowFont(QStringLiteral("Tahoma"), 10, QFont::Bold);
    const QString rows[] = {QStringLiteral("Latitude"), QStringLiteral("Longitude")};
    const char* firstTexts[] = {"24", "1", "0", "72", "1", "0"};
    for (int r = 0; r < 2; ++r) {
        auto* label = new QLabel(rows[r], frame);
        label->setFont(rowFont);
        grid->addWidget(label, r + 1, 0);
        for (int c = 0; c < 3; ++c) {
            const int i = r * 3 + c;
            auto* edit = new QLineEdit(QString::fromLatin1(firstTexts[i]), frame);
            edit->setObjectName(QStringLiteral("Edit%1").arg(i + 1));
            edit->installEventFilter(this);
            edits_[static_cast<std::size_t>(i)] = edit;
            grid->addWidget(edit, r + 1, c + 1);
        }
    }

    // Shown only while a field is wrong, in the colour of the marked field.
    wrongText_ = new QLabel(this);
    wrongText_->setObjectName(QStringLiteral("WrongFieldLabel"));
    wrongText_->setWordWrap(true);
    wrongText_->setStyleSheet(QStringLiteral("color: rgb(176, 0, 0);"));
    wrongText_->hide();

    QHBoxLayout* buttons = MakeOkCancelRow(this, OKBtn, CancelBtn);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(frame);
    layout->addWidget(wrongText_);
    layout->addLayout(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);
    resize(312, 155);

    setTabOrder(OKBtn, CancelBtn);
    setTabOrder(CancelBtn, edits_[0]);
    for (std::size_t i = 0; i + 1 < edits_.size(); ++i) {
        setTabOrder(edits_[i], edits_[i + 1]);
    }

    connect(OKBtn, &QPushButton::clicked, this, &TPointInputForm::OKBtnClick);
    connect(CancelBtn, &QPushButton::clicked, this, &TPointInputForm::CancelBtnClick);
    connect(this, &QDialog::rejected, this, &TPointInputForm::CancelBtnClick);
}

QLineEdit* TPointInputForm::Field(int number) const {
    return edits_.at(static_cast<std::size_t>(number - 1));
}

void TPointInputForm::SetBeep(std::function<void()> beep) {
    beep_ = std::move(beep);
}

void TPointInputForm::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    // The dialog always opens with the latitude degrees to be typed first.
    if (!event->spontaneous()) {
        edits_[0]->setFocus(Qt::OtherFocusReason);
    }
}

bool TPointInputForm::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::FocusOut) {
        const auto reason = static_cast<QFocusEvent*>(event)->reason();
        // Only a move of the focus inside the dialog leaves a field; the dialog
        // being hidden or another window being activated does not.
        const bool leavesField =
            reason != Qt::ActiveWindowFocusReason && reason != Qt::PopupFocusReason && isVisible();
        for (std::size_t i = 0; i < edits_.size(); ++i) {
            if (watched == edits_[i] && leavesField) {
                EditExit(static_cast<int>(i) + 1);
            }
        }
    }
    return QDialog::eventFilter(watched, event);
}

bool TPointInputForm::ReadField(int number) {
    const FieldRule& rule = Rules.at(static_cast<std::size_t>(number - 1));
    DmsAngle& angle = rule.latitude ? WorkLat : WorkLong;
    return ReadRangedInteger(ToCore(Field(number)->text()), angle.*rule.component, rule.lowest,
                             rule.highest);
}

QString TPointInputForm::FieldRangeText(int number) {
    const FieldRule& rule = Rules.at(static_cast<std::size_t>(number - 1));
    return QStringLiteral("%1 must be a whole number from %2 to %3")
        .arg(QString::fromLatin1(rule.name))
        .arg(rule.lowest)
        .arg(rule.highest);
}

bool TPointInputForm::FieldMarked(int number) const {
    return wrong_.at(static_cast<std::size_t>(number - 1));
}

QString TPointInputForm::WrongFieldText() const {
    return wrongText_->isHidden() ? QString() : wrongText_->text();
}

void TPointInputForm::MarkField(int number, bool wrong) {
    wrong_.at(static_cast<std::size_t>(number - 1)) = wrong;
    QLineEdit* edit = Field(number);
    edit->setStyleSheet(wrong ? QStringLiteral("QLineEdit { background-color: rgb(255, 214, 214); "
                                               "border: 1px solid rgb(176, 0, 0); }")
                              : QString());
    edit->setToolTip(wrong ? FieldRangeText(number) : QString());
}

void TPointInputForm::ShowWrongFieldText() {
    for (int n = 1; n <= 6; ++n) {
        if (FieldMarked(n)) {
            wrongText_->setText(FieldRangeText(n));
            wrongText_->show();
            return;
        }
    }
    wrongText_->clear();
    wrongText_->hide();
}

void TPointInputForm::EditExit(int number) {
    // The text stays as typed, so the user mends it rather than typing it again;
    // a 0 put in its place would be a position nobody entered.
    const bool valid = ReadField(number);
    if (!valid) {
        beep_();
    }
    MarkField(number, !valid);
    ShowWrongFieldText();
}

void TPointInputForm::OKBtnClick() {
    if (host_.computing && host_.computing()) {
        beep_();
        return;
    }
    int firstWrong = 0;
    for (int n = 1; n <= 6; ++n) {
        const bool valid = ReadField(n);
        MarkField(n, !valid);
        if (!valid && firstWrong == 0) {
            firstWrong = n;
        }
    }
    ShowWrongFieldText();
    if (firstWrong != 0) {
        // Nothing is computed until every field holds a number in its range.
        beep_();
        ShowError(this,
                  FieldRangeText(firstWrong) +
                      QStringLiteral(", not \"%1\".").arg(Field(firstWrong)->text().trimmed()));
        Field(firstWrong)->setFocus(Qt::OtherFocusReason);
        Field(firstWrong)->selectAll();
        return;
    }
    hide();
    if (host_.acceptFeature) {
        host_.acceptFeature(MakePointFeature(WorkLat, WorkLong), false, false, {});
    }
}

void TPointInputForm::CancelBtnClick() {
    hide();
}

} // namespace sw::gui
