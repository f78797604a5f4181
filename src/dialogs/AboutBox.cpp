#include "dialogs/AboutBox.h"

#include <QFrame>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace sw::gui {

namespace {

QLabel* Line(const QString& text, const QFont& font, const QString& colour, QWidget* parent,
             const char* name) {
    auto* label = new QLabel(text, parent);
    label->setObjectName(QString::fromLatin1(name));
    label->setFont(font);
    label->setWordWrap(true);
    if (!colour.isEmpty()) {
        label->setStyleSheet(QStringLiteral("color: %1;").arg(colour));
    }
    return label;
}

} // namespace

TAboutBox::TAboutBox(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("AboutBox"));
    setWindowTitle(QStringLiteral("About"));

    auto* panel = new QFrame(this);
    panel->setObjectName(QStringLiteral("Panel1"));
    panel->setFrameStyle(QFrame::Panel | QFrame::Raised);
    panel->setLineWidth(2);
    auto* lines = new QVBoxLayout(panel);
    lines->addWidget(Line(QStringLiteral("Sheetwright"), QFont(QStringLiteral("Comic Sans MS"), 14),
                          QStringLiteral("purple"), panel, "ProductName"));
    lines->addWidget(Line(QStringLiteral("Version 2.1 April 2016"),
                          QFont(QStringLiteral("Tahoma"), 10), QStringLiteral("red"), panel,
                          "Version"));
    const QFont small(QStringLiteral("Tahoma"), 8);
    lines->addWidget(Line(QStringLiteral("Software calculates sheet numbers for Topographical "
                                         "and Open Series Maps"),
                          small, QString(), panel, "Comments"));
    lines->addWidget(Line(QStringLiteral("For point, line and polygon. It imports and exports "
                                         "data to shape and kml files."),
                          small, QString(), panel, "Comments2"));

    OKButton = new QPushButton(QStringLiteral("OK"), this);
    OKButton->setObjectName(QStringLiteral("OKButton"));
    OKButton->setDefault(true);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(OKButton);
    buttons->addStretch();

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(panel);
    layout->addLayout(buttons);
    setFixedSize(393, 213);

    connect(OKButton, &QPushButton::clicked, this, &TAboutBox::OKButtonClick);
}

void TAboutBox::OKButtonClick() {
    hide();
}

} // namespace sw::gui
