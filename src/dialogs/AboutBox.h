#pragma once

// "About": the product line, the version and what the program does.

#include <QDialog>

class QPushButton;

namespace sw::gui {

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
