#pragma once

// "About": the product line, the version and what the program does.

#include <QDialog>

class QPushButton;

namespace sw::gui {

// "This build: 2.1.0. Reads .txt .shp ...; writes .kml .shp ...": the version
// the build system gives and the extensions of the format registry's readers and
// writers, each once, in the registry's order.
QString BuildLine();

class TAboutBox : public QDialog {
    Q_OBJECT

public:
    explicit TAboutBox(QWidget* parent = nullptr);

public slots:
    void OKButtonClick();

private:
    QPushButton* OKButton = nullptr;
};

} // namespace sw::gui
