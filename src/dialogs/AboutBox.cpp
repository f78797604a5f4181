#include "dialogs/AboutBox.h"

#include "exchange/FormatRegistry.h"

#include <QFrame>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include <algorithm>
#include <string>
#include <string_view>
#include <vector>

namespace sw::gui {

namespace {

void AddOnce(std::vector<std::string_view>& list, std::string_view ext) {
    if (std::find(list.begin(), list.end(), ext) == list.end()) {
        list.push_back(ext);
    }
}

std::string Joined(const std::vector<std::string_view>& list) {
    std::string text;
    for (const std::string_view item : list) {
        if (!text.empty()) {
            text += ' ';
        }
        text += item;
    }
    return text;
}

} // namespace

QString BuildLine() {
    std::vector<std::string_view> reads;
    for (const InputFormat& f : InputFormats()) {
        for (const std::string_view ext : f.Extensions) {
            AddOnce(reads, ext);
        }
    }
    std::vector<std::string_view> writes;
    for (const OutputFormat& f : OutputFormats()) {
        AddOnce(writes, f.Extension);
    }
    return QStringLiteral("This build: %1. Reads %2; writes %3.")
        .arg(QStringLiteral(SHEETWRIGHT_VERSION), QString::fromStdString(Joined(reads)),
             QString::fromStdString(Joined(writes)));
}

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
    // The lines above are those the box has always had; this one tells which
    // release is running and what it really reads and writes.
    // Set a point smaller, and the lines closer, so that it fits the box's
    // fixed size with the others whole.
    lines->addWidget(
        Line(BuildLine(), QFont(QStringLiteral("Tahoma"), 7), QString(), panel, "BuildVersion"));
    lines->setSpacing(2);

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
