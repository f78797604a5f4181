#include "view/MainFormControls.h"

#include "gui/AppTitle.h"
#include "gui/DataKindCaption.h"
#include "index/Settings.h"
#include "session/FindSheet.h"
#include "view/CaptionButton.h"
#include "view/LayoutSaving.h"
#include "view/ToolBarFit.h"
#include "view/ToolGlyphs.h"

#include <QComboBox>
#include <QFileDialog>
#include <QFrame>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMainWindow>
#include <QProgressBar>
#include <QScrollArea>
#include <QStatusBar>
#include <QToolBar>
#include <QVBoxLayout>

#include <algorithm>
#include <climits>
#include <initializer_list>

namespace sw::gui {

namespace {

// Design sizes at 96 pixels per inch; font sizes are character heights in pixels.
constexpr int DesignWidth = 1016;
constexpr int DesignHeight = 716;
constexpr int ToolBarHeight = 42;
constexpr int Panel2Height = 35;
constexpr int StatusBarHeight = 30;
constexpr int PanelWidths[3] = {500, 250, 250};
constexpr int ScaleBoxWidth = 145;
constexpr int SeriesBoxWidth = 451;
constexpr int FindSheetWidth = 120;
constexpr int Panel2Spacing = 10;

const QColor PanelColor(218, 214, 182);
const QColor Olive(128, 128, 0);
const QColor Purple(128, 0, 128);
const QColor Maroon(128, 0, 0);
const QColor DisabledCaption(160, 160, 160);

QFont UiFont(int pixelSize, bool bold) {
    QFont f;
    f.setFamilies(
        {QStringLiteral("Tahoma"), QStringLiteral("DejaVu Sans"), QStringLiteral("Sans Serif")});
    f.setStyleHint(QFont::SansSerif);
    f.setPixelSize(pixelSize);
    f.setBold(bold);
    return f;
}

QString ColorCss(const QColor& c) {
    return QStringLiteral("rgb(%1,%2,%3)").arg(c.red()).arg(c.green()).arg(c.blue());
}

} // namespace

void MainFormControls::BuildControls(QMainWindow* w) {
    w->setObjectName(QStringLiteral("MainForm"));
    w->setWindowTitle(AppTitle());
    w->setFont(UiFont(13, false));
    w->resize(DesignWidth, DesignHeight);
    w->setWindowState(w->windowState() | Qt::WindowMaximized);
    QPalette pal = w->palette();
    pal.setColor(QPalette::Window, Qt::white);
    w->setPalette(pal);
    w->setAutoFillBackground(true);

    ToolBar1 = new QToolBar(w);
    ToolBar1->setObjectName(QStringLiteral("ToolBar1"));
    ToolBar1->setMovable(false);
    ToolBar1->setFloatable(false);
    ToolBar1->setFixedHeight(ToolBarHeight);
    ToolBar1->setFont(UiFont(13, true));
    ToolBar1->setStyleSheet(
        QStringLiteral("QToolBar#ToolBar1 { border: 0; spacing: 0; background: "
                       "qlineargradient(x1:0, y1:0, x2:0, y2:1, stop:0 #ffffff, stop:1 #d8dce8); }"
                       "QToolBar#ToolBar1 QToolButton { color: %1; }"
                       "QToolBar#ToolBar1 QToolButton:disabled { color: %2; }")
            .arg(ColorCss(Olive), ColorCss(DisabledCaption)));
    w->addToolBar(Qt::TopToolBarArea, ToolBar1);
    auto* separator = new QWidget(ToolBar1);
    separator->setObjectName(QStringLiteral("ToolButton1"));
    separator->setFixedWidth(8);
    ToolBar1->addWidget(separator);
    auto addButton = [this](const char* name, const char* caption, const char* glyph) {
        auto* b = new CaptionButton(QString::fromLatin1(name), QString::fromLatin1(caption),
                                    ToolGlyph(QString::fromLatin1(glyph)), ToolBar1);
        b->setFont(UiFont(13, true));
        ToolBar1->addWidget(b);
        return b;
    };
    OpenLayerBtn = addButton("OpenLayerBtn", "Open layer", "openlayer");
    SpeedButton1 = addButton("SpeedButton1", "Data Type", "datatype");
    PointBtn = addButton("PointBtn", "Sheet No.", "sheetno");
    ReportBtn = addButton("ReportBtn", "Report", "report");
    SaveBtn = addButton("SaveBtn", "Save Layout", "save");
    ClearBtn = addButton("ClearBtn", "Clear", "clear");
    SpeedButton4 = addButton("SpeedButton4", "Fit to Screen", "fit");
    ZoominBtn = addButton("ZoominBtn", "Zoom In", "zoomin");
    ZoomoutBtn = addButton("ZoomoutBtn", "Zoom out", "zoomout");
    Aboutbtn = addButton("Aboutbtn", "About", "about");
    exitbtn = addButton("exitbtn", "Exit", "exit");
    FitToolBarButtons(*ToolBar1, 8);

    auto* central = new QWidget(w);
    central->setObjectName(QStringLiteral("CentralArea"));
    auto* column = new QVBoxLayout(central);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(0);

    Panel2 = new QFrame(central);
    Panel2->setObjectName(QStringLiteral("Panel2"));
    // Its controls have fixed widths; on a narrow screen they are cut at the
    // right rather than making the window wider than the screen.
    Panel2->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Fixed);
    Panel2->setFixedHeight(Panel2Height);
    Panel2->setFrameShape(QFrame::StyledPanel);
    Panel2->setFrameShadow(QFrame::Raised);
    Panel2->setAutoFillBackground(true);
    // Two rows, the second empty while everything fits on the first (FitPanel2).
    auto* rows = new QVBoxLayout(Panel2);
    rows->setContentsMargins(8, 2, 8, 2);
    rows->setSpacing(0);
    panel2Row1_ = new QHBoxLayout;
    panel2Row1_->setSpacing(Panel2Spacing);
    panel2Row2_ = new QHBoxLayout;
    panel2Row2_->setSpacing(Panel2Spacing);
    rows->addLayout(panel2Row1_);
    rows->addLayout(panel2Row2_);
    Label2 = new QLabel(QStringLiteral("SCALE"), Panel2);
    Label2->setObjectName(QStringLiteral("Label2"));
    Label2->setFont(UiFont(19, true));
    Label2->setStyleSheet(QStringLiteral("color: %1;").arg(ColorCss(Purple)));
    ComboBox1 = new QComboBox(Panel2);
    ComboBox1->setObjectName(QStringLiteral("ComboBox1"));
    ComboBox1->setFixedWidth(ScaleBoxWidth);
    ComboBox1->setFont(UiFont(16, true));
    ComboBox1->setStyleSheet(QStringLiteral("QComboBox#ComboBox1 { color: red; }"));
    ComboBox2 = new QComboBox(Panel2);
    ComboBox2->setObjectName(QStringLiteral("ComboBox2"));
    ComboBox2->setFixedWidth(SeriesBoxWidth);
    ComboBox2->setFont(UiFont(19, true));
    for (const std::string& caption : SeriesCaptions()) {
        ComboBox2->addItem(FromCore(caption));
    }
    Panel2Extras = new QWidget(Panel2);
    Panel2Extras->setObjectName(QStringLiteral("Panel2Extras"));
    auto* extras = new QHBoxLayout(Panel2Extras);
    extras->setContentsMargins(0, 0, 0, 0);
    extras->setSpacing(Panel2Spacing);
    DataTypeLabel = new QLabel(Panel2Extras);
    DataTypeLabel->setObjectName(QStringLiteral("DataTypeLabel"));
    // The window's own size: it shares the row with the design's controls.
    DataTypeLabel->setFont(UiFont(13, true));
    DataTypeLabel->setStyleSheet(QStringLiteral("color: %1;").arg(ColorCss(Maroon)));
    DataTypeLabel->setToolTip(
        QStringLiteral("Data type: what \"Sheet No.\" asks for (set by \"Data Type\")"));
    extras->addWidget(DataTypeLabel);
    extras->addSpacing(16);
    BuildFindSheet(*extras);
    panel2Row1_->addWidget(Label2);
    panel2Row1_->addWidget(ComboBox1);
    panel2Row1_->addWidget(ComboBox2);
    panel2Row1_->addWidget(Panel2Extras);
    panel2Row1_->addStretch(1);
    panel2Row2_->addStretch(1);
    // activated: only the user's picks; selections made in code raise no change.

    ScrollBox1 = new QScrollArea(central);
    ScrollBox1->setObjectName(QStringLiteral("ScrollBox1"));
    ScrollBox1->setWidgetResizable(false);
    ScrollBox1->setAlignment(Qt::AlignCenter); // a small image stands in the middle
    ScrollBox1->setFrameShape(QFrame::NoFrame);
    ScrollBox1->setBackgroundRole(QPalette::Window);
    column->addWidget(Panel2);
    column->addWidget(ScrollBox1, 1);
    w->setCentralWidget(central);

    StatusBar1 = new QStatusBar(w);
    StatusBar1->setObjectName(QStringLiteral("StatusBar1"));
    StatusBar1->setFixedHeight(StatusBarHeight);
    StatusBar1->setFont(UiFont(16, false));
    StatusBar1->setSizeGripEnabled(false);
    // The panels sit in a row that asks for no width of its own: on a narrow
    // screen the window stays maximised and the row is cut, instead of the
    // panels forcing the window wider than the screen.
    auto* panelRow = new QWidget(StatusBar1);
    PanelRow = panelRow;
    panelRow->setObjectName(QStringLiteral("PanelRow"));
    panelRow->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
    auto* panelLayout = new QHBoxLayout(panelRow);
    panelLayout->setContentsMargins(0, 0, 0, 0);
    panelLayout->setSpacing(2);
    for (int i = 0; i < 3; ++i) {
        panels_[i] = new QLabel(panelRow);
        panels_[i]->setObjectName(QStringLiteral("Panel%1").arg(i));
        panels_[i]->setFixedWidth(PanelWidths[i]);
        panels_[i]->setStyleSheet(QStringLiteral("color: %1;").arg(ColorCss(Maroon)));
        panels_[i]->setFrameShape(QFrame::StyledPanel);
        panelLayout->addWidget(panels_[i]);
    }
    panelLayout->addStretch(1);
    StatusBar1->addWidget(panelRow, 1);
    progressBar_ = new QProgressBar(StatusBar1);
    progressBar_->setObjectName(QStringLiteral("ProgressBar"));
    progressBar_->setRange(0, 100);
    progressBar_->setFixedWidth(200);
    progressBar_->hide();
    StatusBar1->addPermanentWidget(progressBar_);
    w->setStatusBar(StatusBar1);

    SaveDialog1 = new QFileDialog(w, QStringLiteral("Save Layout As"));
    SaveDialog1->setObjectName(QStringLiteral("SaveDialog1"));
    SaveDialog1->setAcceptMode(QFileDialog::AcceptSave);
    SaveDialog1->setFileMode(QFileDialog::AnyFile);
    SaveDialog1->setOption(QFileDialog::DontUseNativeDialog, true);
    SaveDialog1->setNameFilters(SaveFilters());
}

void MainFormControls::BuildFindSheet(QHBoxLayout& row) {
    auto* label = new QLabel(QStringLiteral("Find sheet"), Panel2Extras);
    label->setObjectName(QStringLiteral("FindSheetLabel"));
    label->setFont(UiFont(16, true));
    label->setStyleSheet(QStringLiteral("color: %1;").arg(ColorCss(Purple)));
    FindSheetEdit = new QLineEdit(Panel2Extras);
    FindSheetEdit->setObjectName(QStringLiteral("FindSheetEdit"));
    FindSheetEdit->setFixedWidth(FindSheetWidth);
    FindSheetEdit->setFont(UiFont(16, false));
    FindSheetEdit->setPlaceholderText(QStringLiteral("e.g. 53H/2"));
    FindSheetEdit->setToolTip(
        QStringLiteral("Find sheet (Ctrl+F): type a sheet number and press Enter"));
    // A file dropped here is for the window, not text for the field.
    FindSheetEdit->setAcceptDrops(false);
    label->setBuddy(FindSheetEdit);
    row.addWidget(label);
    row.addWidget(FindSheetEdit);
}

namespace {

// The width a status panel needs for its text: the text, the frame and margins
// around it, and a character's room so the text never touches the frame.
int PanelWidthFor(const QLabel& label) {
    const int around = label.width() - label.contentsRect().width();
    return label.fontMetrics().horizontalAdvance(label.text()) + around +
           label.fontMetrics().averageCharWidth();
}

int PanelsWidth(QLabel* const (&panels)[3]) {
    return panels[0]->width() + panels[1]->width() + panels[2]->width();
}

} // namespace

int MainFormControls::PanelRoom() const {
    if (!PanelRow->isVisible()) {
        return INT_MAX; // laid out once shown
    }
    return PanelRow->width() - 2 * PanelRow->layout()->spacing();
}

void MainFormControls::ShowPanelText(int panel, const QString& text) {
    QLabel* label = panels_[panel];
    label->setText(text);
    const int needed = PanelWidthFor(*label);
    if (needed <= label->width()) {
        return;
    }
    if (PanelsWidth(panels_) - label->width() + needed <= PanelRoom()) {
        label->setFixedWidth(needed);
    } else {
        FitStatusPanels(); // the row is full: the others give way, none covers another
    }
}

void MainFormControls::RelaxPanels() {
    FitStatusPanels();
}

void MainFormControls::FitStatusPanels() {
    const int room = PanelRoom();
    int need[3];
    int needs = 0;
    int wide = 0;
    int design = 0;
    for (int i = 0; i < 3; ++i) {
        need[i] = PanelWidthFor(*panels_[i]);
        needs += need[i];
        wide += std::max(PanelWidths[i], need[i]);
        design += PanelWidths[i];
    }
    for (int i = 0; i < 3; ++i) {
        int width = need[i];
        if (room >= wide) {
            width = std::max(PanelWidths[i], need[i]);
        } else if (room > needs) {
            // Each text whole, the room left shared as the design shares it.
            width = need[i] + (room - needs) * PanelWidths[i] / design;
        }
        panels_[i]->setFixedWidth(width);
    }
}

void MainFormControls::FitPanel2() {
    const QMargins m = Panel2->layout()->contentsMargins();
    const int width = Panel2->width() - m.left() - m.right();
    const int beforeSeries = Label2->sizeHint().width() + ComboBox1->width() + 2 * Panel2Spacing;
    const int extras = Panel2Spacing + Panel2Extras->sizeHint().width();
    // The series box never gets narrower than its longest caption and arrow.
    const int seriesNeed = std::min(SeriesBoxWidth, ComboBox2->sizeHint().width());
    const int seriesRoom = width - beforeSeries;
    const bool oneRow = seriesRoom - extras >= seriesNeed;
    ComboBox2->setFixedWidth(
        std::clamp(oneRow ? seriesRoom - extras : seriesRoom, seriesNeed, SeriesBoxWidth));
    if (oneRow != panel2OneRow_) {
        panel2OneRow_ = oneRow;
        QHBoxLayout* from = oneRow ? panel2Row2_ : panel2Row1_;
        QHBoxLayout* to = oneRow ? panel2Row1_ : panel2Row2_;
        from->removeWidget(Panel2Extras);
        to->insertWidget(oneRow ? 3 : 0, Panel2Extras);
        Panel2->setFixedHeight(oneRow ? Panel2Height : 2 * Panel2Height - 4);
    }
}

void MainFormControls::ShowSettingsBoxes(const Settings& s) {
    ComboBox2->setCurrentIndex(s.MapSeries == Series::OpenSeries ? 1 : 0);
    ComboBox1->clear();
    for (const std::string& caption : ScaleCaptions(s.MapSeries)) {
        ComboBox1->addItem(FromCore(caption));
    }
    ComboBox1->setCurrentIndex(s.ScaleIndex - 1);
    FindSheetEdit->setPlaceholderText(
        QStringLiteral("e.g. %1").arg(FromCore(ExampleSheetNumber(s))));
    RelaxPanels();
}

void MainFormControls::ShowDataType(DataKind type) {
    // The data type dialog's own words for each choice.
    const QString text = DataKindCaption(type);
    if (DataTypeLabel->text() != text) {
        DataTypeLabel->setText(text);
        FitPanel2(); // the text's width may change what fits on one row
    }
}

void MainFormControls::EnableCommands(bool idle, bool saveEnabled, bool reportEnabled) {
    for (QWidget* w : std::initializer_list<QWidget*>{OpenLayerBtn, SpeedButton1, PointBtn,
                                                      ClearBtn, SpeedButton4, ZoominBtn, ZoomoutBtn,
                                                      ComboBox1, ComboBox2, FindSheetEdit}) {
        w->setEnabled(idle);
    }
    SaveBtn->setEnabled(idle && saveEnabled);
    ReportBtn->setEnabled(reportEnabled);
}

void MainFormControls::StylePanel2() {
    QPalette pal = Panel2->palette();
    pal.setColor(QPalette::Window, PanelColor);
    Panel2->setPalette(pal);
    ComboBox2->setStyleSheet(
        QStringLiteral("QComboBox#ComboBox2 { color: %1; background-color: %2; }")
            .arg(ColorCss(Maroon), ColorCss(PanelColor)));
}

} // namespace sw::gui
