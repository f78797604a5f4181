#include "view/MainForm.h"

#include "coverage/Coverage.h"
#include "exchange/FileError.h"
#include "view/AppTitle.h"
#include "view/BitmapProbe.h"
#include "view/CaptionButton.h"
#include "view/CommandKeys.h"
#include "view/FileDrop.h"
#include "view/FindSheet.h"
#include "view/LayoutImageView.h"
#include "view/LayoutPainter.h"
#include "view/LayoutSaving.h"
#include "view/PointerReadout.h"
#include "view/ScreenshotSeam.h"
#include "view/SheetComputation.h"
#include "view/ToolGlyphs.h"

#include <QApplication>
#include <QCloseEvent>
#include <QComboBox>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QFileDialog>
#include <QFrame>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMimeData>
#include <QProgressBar>
#include <QScreen>
#include <QScrollArea>
#include <QScrollBar>
#include <QShortcut>
#include <QStatusBar>
#include <QTimer>
#include <QToolBar>
#include <QVBoxLayout>

#include <exception>
#include <utility>

namespace sw {

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
constexpr int ProbeExtentCm = 300;

const QColor PanelColor(218, 214, 182);
const QColor Olive(128, 128, 0);
const QColor Purple(128, 0, 128);
const QColor Maroon(128, 0, 0);

QFont UiFont(int pixelSize, bool bold) {
    QFont f;
    f.setFamilies(
        {QStringLiteral("Tahoma"), QStringLiteral("DejaVu Sans"), QStringLiteral("Sans Serif")});
    f.setStyleHint(QFont::SansSerif);
    f.setPixelSize(pixelSize);
    f.setBold(bold);
    return f;
}

const char* const BusyText =
    "A calculation is running. Wait for it to end or press Escape to stop it.";

QString ColorCss(const QColor& c) {
    return QStringLiteral("rgb(%1,%2,%3)").arg(c.red()).arg(c.green()).arg(c.blue());
}

void ShowWidget(QWidget* w) {
    if (w != nullptr) {
        w->show();
        w->raise();
        w->activateWindow();
    }
}

} // namespace

TMainForm::TMainForm(QWidget* parent) : QMainWindow(parent) {
    BuildControls();
    FormCreate();
}

TMainForm::~TMainForm() {
    // Stop the worker before anything it reports to goes away.
    delete computation_;
    computation_ = nullptr;
}

AppState& TMainForm::State() {
    return state_;
}

const AppState& TMainForm::State() const {
    return state_;
}

void TMainForm::SetDialogs(const DialogSet& dialogs) {
    dialogs_ = dialogs;
}

void TMainForm::BuildControls() {
    setObjectName(QStringLiteral("MainForm"));
    setWindowTitle(AppTitle());
    setFont(UiFont(13, false));
    resize(DesignWidth, DesignHeight);
    setWindowState(windowState() | Qt::WindowMaximized);
    QPalette pal = palette();
    pal.setColor(QPalette::Window, Qt::white);
    setPalette(pal);
    setAutoFillBackground(true);

    ToolBar1 = new QToolBar(this);
    ToolBar1->setObjectName(QStringLiteral("ToolBar1"));
    ToolBar1->setMovable(false);
    ToolBar1->setFloatable(false);
    ToolBar1->setFixedHeight(ToolBarHeight);
    ToolBar1->setFont(UiFont(13, true));
    ToolBar1->setStyleSheet(
        QStringLiteral("QToolBar#ToolBar1 { border: 0; spacing: 0; background: "
                       "qlineargradient(x1:0, y1:0, x2:0, y2:1, stop:0 #ffffff, stop:1 #d8dce8); }"
                       "QToolBar#ToolBar1 QToolButton { color: %1; }")
            .arg(ColorCss(Olive)));
    addToolBar(Qt::TopToolBarArea, ToolBar1);
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
    connect(SpeedButton1, &QToolButton::clicked, this, &TMainForm::SpeedButton1Click);
    connect(PointBtn, &QToolButton::clicked, this, &TMainForm::PointBtnClick);
    connect(ReportBtn, &QToolButton::clicked, this, &TMainForm::ReportBtnClick);
    connect(SaveBtn, &QToolButton::clicked, this, &TMainForm::SaveBtnClick);
    connect(ClearBtn, &QToolButton::clicked, this, &TMainForm::ClearBtnClick);
    connect(SpeedButton4, &QToolButton::clicked, this, &TMainForm::SpeedButton4Click);
    connect(ZoominBtn, &QToolButton::clicked, this, &TMainForm::ZoominBtnClick);
    connect(ZoomoutBtn, &QToolButton::clicked, this, &TMainForm::ZoomoutBtnClick);
    connect(Aboutbtn, &QToolButton::clicked, this, &TMainForm::AboutbtnClick);
    connect(exitbtn, &QToolButton::clicked, this, &TMainForm::exitbtnClick);

    auto* central = new QWidget(this);
    central->setObjectName(QStringLiteral("CentralArea"));
    auto* column = new QVBoxLayout(central);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(0);

    Panel2 = new QFrame(central);
    Panel2->setObjectName(QStringLiteral("Panel2"));
    Panel2->setFixedHeight(Panel2Height);
    Panel2->setFrameShape(QFrame::StyledPanel);
    Panel2->setFrameShadow(QFrame::Raised);
    Panel2->setAutoFillBackground(true);
    auto* row = new QHBoxLayout(Panel2);
    row->setContentsMargins(8, 2, 8, 2);
    row->setSpacing(10);
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
    row->addWidget(Label2);
    row->addWidget(ComboBox1);
    row->addWidget(ComboBox2);
    row->addSpacing(20);
    BuildFindSheet(*row);
    row->addStretch(1);
    // activated: only the user's picks; selections made in code raise no change.
    connect(ComboBox1, &QComboBox::activated, this, &TMainForm::ComboBox1Change);
    connect(ComboBox2, &QComboBox::activated, this, &TMainForm::ComboBox2Change);

    ScrollBox1 = new QScrollArea(central);
    ScrollBox1->setObjectName(QStringLiteral("ScrollBox1"));
    ScrollBox1->setWidgetResizable(false);
    ScrollBox1->setAlignment(Qt::AlignCenter); // a small image stands in the middle
    ScrollBox1->setFrameShape(QFrame::NoFrame);
    ScrollBox1->setBackgroundRole(QPalette::Window);
    column->addWidget(Panel2);
    column->addWidget(ScrollBox1, 1);
    setCentralWidget(central);

    StatusBar1 = new QStatusBar(this);
    StatusBar1->setObjectName(QStringLiteral("StatusBar1"));
    StatusBar1->setFixedHeight(StatusBarHeight);
    StatusBar1->setFont(UiFont(16, false));
    StatusBar1->setSizeGripEnabled(false);
    for (int i = 0; i < 3; ++i) {
        panels_[i] = new QLabel(StatusBar1);
        panels_[i]->setObjectName(QStringLiteral("Panel%1").arg(i));
        panels_[i]->setFixedWidth(PanelWidths[i]);
        panels_[i]->setStyleSheet(QStringLiteral("color: %1;").arg(ColorCss(Maroon)));
        panels_[i]->setFrameShape(QFrame::StyledPanel);
        StatusBar1->addWidget(panels_[i]);
    }
    progressBar_ = new QProgressBar(StatusBar1);
    progressBar_->setObjectName(QStringLiteral("ProgressBar"));
    progressBar_->setRange(0, 100);
    progressBar_->setFixedWidth(200);
    progressBar_->hide();
    StatusBar1->addPermanentWidget(progressBar_);
    setStatusBar(StatusBar1);

    SaveDialog1 = new QFileDialog(this, QStringLiteral("Save Layout As"));
    SaveDialog1->setObjectName(QStringLiteral("SaveDialog1"));
    SaveDialog1->setAcceptMode(QFileDialog::AcceptSave);
    SaveDialog1->setFileMode(QFileDialog::AnyFile);
    SaveDialog1->setOption(QFileDialog::DontUseNativeDialog, true);
    SaveDialog1->setNameFilters(SaveFilters());

    computation_ = new SheetComputation(this);
    connect(computation_, &SheetComputation::Progress, this, &TMainForm::OnProgress);
    connect(computation_, &SheetComputation::Finished, this, &TMainForm::OnComputationFinished);

    setAcceptDrops(true);
    BindKeys();
}

void TMainForm::BuildFindSheet(QHBoxLayout& row) {
    auto* label = new QLabel(QStringLiteral("Find sheet"), Panel2);
    label->setObjectName(QStringLiteral("FindSheetLabel"));
    label->setFont(UiFont(16, true));
    label->setStyleSheet(QStringLiteral("color: %1;").arg(ColorCss(Purple)));
    FindSheetEdit = new QLineEdit(Panel2);
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
    connect(FindSheetEdit, &QLineEdit::returnPressed, this,
            [this] { FindSheet(FindSheetEdit->text()); });
}

void TMainForm::BindKeys() {
    const auto key = [](QKeyCombination k) { return QKeySequence(k); };
    BindCommandKeys(*this,
                    {
                        {SpeedButton1, {key(Qt::CTRL | Qt::Key_D)}},
                        {PointBtn, {key(Qt::CTRL | Qt::Key_N)}},
                        {ReportBtn, {key(Qt::CTRL | Qt::Key_R)}},
                        {SaveBtn, {key(Qt::CTRL | Qt::Key_S)}},
                        {ClearBtn, {key(Qt::CTRL | Qt::Key_L)}},
                        {SpeedButton4, {key(Qt::CTRL | Qt::Key_0)}},
                        // Ctrl+= is the same key without Shift on most layouts.
                        {ZoominBtn, {key(Qt::CTRL | Qt::Key_Plus), key(Qt::CTRL | Qt::Key_Equal)}},
                        {ZoomoutBtn, {key(Qt::CTRL | Qt::Key_Minus)}},
                        {Aboutbtn, {key(Qt::Key_F1)}},
                        {exitbtn, {key(Qt::CTRL | Qt::Key_Q)}},
                    });
    auto* escape = new QShortcut(QKeySequence(Qt::Key_Escape), this);
    connect(escape, &QShortcut::activated, this, &TMainForm::CancelComputation);
    auto* find = new QShortcut(QKeySequence(Qt::CTRL | Qt::Key_F), this);
    connect(find, &QShortcut::activated, this, [this] {
        FindSheetEdit->setFocus(Qt::ShortcutFocusReason);
        FindSheetEdit->selectAll();
    });
}

// ---- start-up -------------------------------------------------------------

void TMainForm::FormCreate() {
    Settings& s = state_.settings;
    s.ScaleIndex = 3;
    s.MapSeries = OldSeries;
    ApplyScale(s, 3);
    state_.feature.FeatureLoaded = 0;
    layoutDrawn_ = false;
    QPalette pal = Panel2->palette();
    pal.setColor(QPalette::Window, PanelColor);
    Panel2->setPalette(pal);
    ComboBox2->setStyleSheet(
        QStringLiteral("QComboBox#ComboBox2 { color: %1; background-color: %2; }")
            .arg(ColorCss(Maroon), ColorCss(PanelColor)));
    s.SheetPixelHeight = DefaultSheetPixelHeight;
    ComboBox2->setCurrentIndex(0);
    ComboBox2Change(0);
    s.DataType = Point;
    state_.InputFileOpened = false;
    saveEnabled_ = false;
    UpdateCommands();
}

void TMainForm::FormShow() {
    if (limitsProbed_) {
        return;
    }
    const QScreen* sc = screen();
    const int depth = sc != nullptr ? sc->depth() : 32;
    limits_ = GetMAxResource(depth > 0 ? depth : 32, logicalDpiX(), ProbeExtentCm);
    limitsProbed_ = true;
}

void TMainForm::FormActivate() {
    reportEnabled_ = state_.feature.FeatureLoaded == 1;
    UpdateCommands();
}

void TMainForm::SetImageLimits(const ImageLimits& limits) {
    limits_ = limits;
    limitsProbed_ = true;
}

void TMainForm::showEvent(QShowEvent* event) {
    QMainWindow::showEvent(event);
    if (!shown_) {
        shown_ = true;
        FormShow();
        StartScreenshotSeam(*this);
    }
}

bool TMainForm::event(QEvent* event) {
    if (event->type() == QEvent::WindowActivate) {
        FormActivate();
    }
    return QMainWindow::event(event);
}

void TMainForm::closeEvent(QCloseEvent* event) {
    if (computation_ != nullptr) {
        computation_->Cancel();
    }
    QMainWindow::closeEvent(event);
}

void TMainForm::paintEvent(QPaintEvent* event) {
    QMainWindow::paintEvent(event);
    FormPaint();
}

// ---- panels and command states ----------------------------------------------

void TMainForm::SetPanelText(int panel, const QString& text) {
    if (panel >= 0 && panel < 3) {
        panels_[panel]->setText(text);
    }
}

QString TMainForm::PanelText(int panel) const {
    return panel >= 0 && panel < 3 ? panels_[panel]->text() : QString();
}

bool TMainForm::Computing() const {
    return computation_ != nullptr && computation_->Running();
}

void TMainForm::UpdateCommands() {
    const bool idle = !Computing();
    for (QWidget* w : {static_cast<QWidget*>(SpeedButton1), static_cast<QWidget*>(PointBtn),
                       static_cast<QWidget*>(ClearBtn), static_cast<QWidget*>(SpeedButton4),
                       static_cast<QWidget*>(ZoominBtn), static_cast<QWidget*>(ZoomoutBtn),
                       static_cast<QWidget*>(ComboBox1), static_cast<QWidget*>(ComboBox2),
                       static_cast<QWidget*>(FindSheetEdit)}) {
        w->setEnabled(idle);
    }
    SaveBtn->setEnabled(idle && saveEnabled_);
    ReportBtn->setEnabled(reportEnabled_);
}

void TMainForm::Repaint() {
    FormPaint();
    update();
}

// ---- settings ----------------------------------------------------------------

void TMainForm::FillScaleBox() {
    ComboBox1->clear();
    for (const std::string& caption : ScaleCaptions(state_.settings.MapSeries)) {
        ComboBox1->addItem(FromCore(caption));
    }
}

// The boxes as the committed settings say (after a cancelled recomputation too).
void TMainForm::ShowSettings() {
    const Settings& s = state_.settings;
    ComboBox2->setCurrentIndex(s.MapSeries == OpenSeries ? 1 : 0);
    FillScaleBox();
    ComboBox1->setCurrentIndex(s.ScaleIndex - 1);
}

void TMainForm::CommitSettings(const Settings& next) {
    Settings& s = state_.settings;
    // The data type may have been changed meanwhile by its dialog; keep that.
    const uint8_t dataType = s.DataType;
    s = next;
    s.DataType = dataType;
}

void TMainForm::ComboBox2Change(int item) {
    ChangeSettings(
        [item](Settings& next) { SelectSeries(next, item == 1 ? OpenSeries : OldSeries); });
}

void TMainForm::ComboBox1Change(int item) {
    ChangeSettings([item](Settings& next) { SelectScale(next, item + 1); });
}

// A series or scale change: with a feature loaded it takes effect only once the
// recomputation for it has succeeded; without one it applies at once.
void TMainForm::ChangeSettings(const std::function<void(Settings&)>& change) {
    if (Computing()) {
        return;
    }
    Settings next = state_.settings;
    change(next);
    if (state_.feature.FeatureLoaded == 1) {
        StartComputation(next, state_.feature, Request::Scale);
        return;
    }
    CommitSettings(next);
    layoutDrawn_ = false;
    ShowSettings();
    Repaint();
}

// ---- the computation ---------------------------------------------------------

void TMainForm::AcceptFeature(Feature feature, bool fitToScreen, bool enableReport) {
    if (Computing()) {
        ShowInformation(this, QString::fromLatin1(BusyText));
        return;
    }
    StartFeature(state_.settings, std::move(feature), fitToScreen, enableReport);
}

// The settings take effect with the result, so a failed or cancelled request
// leaves the scale as it was.
void TMainForm::StartFeature(const Settings& s, Feature feature, bool fitToScreen,
                             bool enableReport) {
    feature.FeatureLoaded = 1;
    pendingFit_ = fitToScreen;
    pendingReport_ = enableReport;
    StartComputation(s, feature, Request::Feature);
}

void TMainForm::StartComputation(const Settings& s, const Feature& f, Request request) {
    pending_ = request;
    if (!computation_->Start(s, f)) {
        pendingDataType_ = 0;
        return;
    }
    progressBar_->setValue(0);
    progressBar_->show();
    UpdateCommands();
}

void TMainForm::OnProgress(const QString& text, int percent) {
    SetPanelText(0, text);
    if (percent >= 0) {
        progressBar_->setValue(percent);
    }
}

void TMainForm::CancelComputation() {
    if (computation_ != nullptr) {
        computation_->Cancel();
    }
}

bool TMainForm::WaitForComputation(int timeoutMs) {
    QElapsedTimer timer;
    timer.start();
    while (Computing() && timer.elapsed() < timeoutMs) {
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
    }
    return !Computing();
}

void TMainForm::OnComputationFinished() {
    ComputeOutcome out = computation_->TakeOutcome();
    const uint8_t dataType = std::exchange(pendingDataType_, uint8_t{0});
    progressBar_->hide();
    UpdateCommands();
    try {
        if (out.Result != ComputeOutcome::Kind::Done) {
            if (out.Result == ComputeOutcome::Kind::Cancelled) {
                SetPanelText(0, FromCore(out.Message));
            } else {
                ShowError(this, FromCore(out.Message));
            }
            ShowSettings(); // a refused scale change leaves the old scale selected
        } else {
            // Swap the finished result in whole: a paint sees the old or the new list.
            CommitSettings(out.settings);
            if (dataType != 0) {
                state_.settings.DataType = dataType;
            }
            out.feature.FeatureLoaded = 1;
            state_.feature = std::move(out.feature);
            state_.grid = std::move(out.grid);
            layoutDrawn_ = false;
            highlightIndex_ = -1;
            ShowSettings();
            CreateImage();
            if (pending_ == Request::Feature) {
                if (pendingFit_) {
                    FitToscreen();
                }
                saveEnabled_ = true;
                if (pendingReport_) {
                    reportEnabled_ = true;
                }
            }
            layoutDrawn_ = false;
            UpdateCommands();
            Repaint();
        }
    } catch (const std::exception& e) {
        ShowError(this, ErrorText(e));
    }
    emit ComputationFinished();
}

// ---- the layout image --------------------------------------------------------

const QImage* TMainForm::LayoutImage() const {
    return layoutImage_ != nullptr ? &layoutImage_->Image() : nullptr;
}

void TMainForm::DropImage() {
    if (layoutImage_ != nullptr) {
        QWidget* old = ScrollBox1->takeWidget();
        old->hide();
        old->deleteLater(); // it may be the widget whose handler is running
        layoutImage_ = nullptr;
    }
    layoutDrawn_ = false;
    highlightIndex_ = -1;
}

bool TMainForm::CreateImage() {
    if (!limitsProbed_) {
        FormShow();
    }
    DropImage();
    Settings& s = state_.settings;
    ImageSize size;
    QImage image;
    try {
        if (ImageSizePossible(s, state_.grid, limits_, size)) {
            image = CreateLayoutImage(size.Width, size.Height);
            geometry_ = PlanLayout(s, state_.grid.GridCols, state_.grid.GridRows);
        }
    } catch (const std::exception&) {
        image = QImage();
    }
    if (image.isNull()) {
        state_.feature.FeatureLoaded = 0;
        ShowInformation(this, QString::fromLatin1(ExtentTooLargeMessage));
        return false;
    }
    layoutImage_ = new LayoutImageView(std::move(image));
    connect(layoutImage_, &LayoutImageView::PointerMoved, this, &TMainForm::Image1MouseMove);
    connect(layoutImage_, &LayoutImageView::PointerPressed, this, &TMainForm::Image1MouseDown);
    ScrollBox1->setWidget(layoutImage_);
    // A large image is shown around its centre; the scroll bars clamp the values.
    const QSize client = ScrollBox1->viewport()->size();
    ScrollBox1->verticalScrollBar()->setValue(size.Height / 2 - client.height() / 2);
    ScrollBox1->horizontalScrollBar()->setValue(size.Width / 2 - client.width() / 2);
    return true;
}

void TMainForm::FitToscreen() {
    if (layoutImage_ == nullptr) {
        return;
    }
    const QSize client = ScrollBox1->maximumViewportSize();
    Settings trial = state_.settings;
    FitResult fit;
    try {
        fit = FitZoom(trial, state_.grid, limits_, client.width(), client.height());
    } catch (const std::exception&) {
        fit = FitResult{};
    }
    if (trial.SheetPixelHeight != state_.settings.SheetPixelHeight || !fit.ImagePossible) {
        state_.settings.SheetPixelHeight = trial.SheetPixelHeight;
        if (!CreateImage()) {
            return;
        }
    }
    if (!fit.Fits) {
        ShowInformation(this, QString::fromLatin1(ExtentTooLargeMessage));
    }
}

void TMainForm::FormPaint() {
    if (layoutDrawn_ || state_.feature.FeatureLoaded != 1 || layoutImage_ == nullptr) {
        return;
    }
    try {
        geometry_ = PlaceLayout(state_.settings, state_.feature, state_.grid);
        const int32_t total = PaintLayout(layoutImage_->Image(), state_.settings, state_.feature,
                                          state_.grid, geometry_);
        layoutDrawn_ = true;
        highlightIndex_ = -1;
        SetPanelText(1, QStringLiteral("Total Sheets %1").arg(total));
        layoutImage_->ImageChanged();
    } catch (const std::exception& e) {
        layoutDrawn_ = true; // do not retry the same failing drawing on every paint
        ShowError(this, ErrorText(e));
    }
}

// ---- pointer ---------------------------------------------------------------------

void TMainForm::Image1MouseMove(int x, int y) {
    if (layoutImage_ == nullptr) {
        return;
    }
    PointerReading r;
    try {
        r = ReadPointer(state_.settings, state_.grid, geometry_, x, y);
    } catch (const std::exception&) {
        return; // a position no layout holds; the readout keeps its last texts
    }
    SetPanelText(2, FromCore(r.Panel2));
    // Cells are read out only from a drawn layout: a blank image shows no sheets.
    if (!layoutDrawn_ || r.Index < 0) {
        return;
    }
    const auto& list = state_.grid.SheetList;
    QImage& image = layoutImage_->Image();
    if (highlightIndex_ > -1 && highlightIndex_ < static_cast<int32_t>(list.size())) {
        DrawHighlight(image,
                      HighlightRect(geometry_, list[static_cast<std::size_t>(highlightIndex_)]));
    }
    DrawHighlight(image, HighlightRect(geometry_, list[static_cast<std::size_t>(r.Index)]));
    highlightIndex_ = r.Index;
    layoutImage_->ImageChanged();
    SetPanelText(0, FromCore(r.Panel0));
    SetPanelText(1, FromCore(r.Panel1));
}

void TMainForm::Image1MouseDown(Qt::MouseButton button) {
    if (state_.feature.FeatureLoaded != 1 || Computing()) {
        return;
    }
    // The zoom replaces the image whose handler is running: do it once the
    // handler has returned.
    if (button == Qt::LeftButton) {
        QMetaObject::invokeMethod(this, &TMainForm::ZoominBtnClick, Qt::QueuedConnection);
    } else if (button == Qt::RightButton) {
        QMetaObject::invokeMethod(this, &TMainForm::ZoomoutBtnClick, Qt::QueuedConnection);
    }
}

// ---- commands -----------------------------------------------------------------

void TMainForm::SpeedButton1Click() {
    ShowWidget(dialogs_.SetInputForm);
}

void TMainForm::PointBtnClick() {
    const uint8_t type = state_.settings.DataType;
    if (type == Point) {
        ShowWidget(dialogs_.PointInputForm);
    } else if (type == Polyline || type == Polygon) {
        ShowWidget(dialogs_.PolyInputForm);
    }
}

void TMainForm::ReportBtnClick() {
    ShowWidget(dialogs_.ReportForm);
}

void TMainForm::SaveBtnClick() {
    if (SaveDialog1->exec() != QDialog::Accepted) {
        return;
    }
    const QStringList files = SaveDialog1->selectedFiles();
    if (files.isEmpty()) {
        return;
    }
    const int filter =
        static_cast<int>(SaveFilters().indexOf(SaveDialog1->selectedNameFilter())) + 1;
    SaveLayoutTo(filter, files.first());
}

void TMainForm::SaveLayoutTo(int filter, const QString& path) {
    const bool picture = SaveFilterIsPicture(filter);
    if (picture && layoutImage_ == nullptr) {
        ShowInformation(this, QString::fromLatin1(NoLayoutToSaveMessage));
        return;
    }
    try {
        static const QImage none;
        SaveLayout(filter, path.toStdString(), state_.settings, state_.grid,
                   layoutImage_ != nullptr ? layoutImage_->Image() : none);
    } catch (const std::exception& e) {
        ShowError(this, ErrorText(e));
    }
}

void TMainForm::ClearBtnClick() {
    if (Computing()) {
        return;
    }
    if (layoutImage_ != nullptr) {
        DropImage();
        if (dialogs_.ClearVertexInput) {
            dialogs_.ClearVertexInput();
        }
    }
    state_.settings.SheetPixelHeight = DefaultSheetPixelHeight;
    state_.feature.FeatureLoaded = 0;
    saveEnabled_ = false;
    reportEnabled_ = state_.feature.FeatureLoaded == 1;
    UpdateCommands();
}

void TMainForm::SpeedButton4Click() {
    if (Computing()) {
        return;
    }
    state_.settings.SheetPixelHeight = DefaultSheetPixelHeight;
    if (CreateImage()) {
        FitToscreen();
    }
    layoutDrawn_ = false;
    Repaint();
}

void TMainForm::ZoominBtnClick() {
    Settings& s = state_.settings;
    if (Computing() || state_.feature.FeatureLoaded != 1 ||
        s.SheetPixelHeight >= MaxSheetPixelHeight) {
        return;
    }
    s.SheetPixelHeight += ZoomStep;
    layoutDrawn_ = false;
    CreateImage();
    Repaint();
}

void TMainForm::ZoomoutBtnClick() {
    Settings& s = state_.settings;
    if (Computing() || state_.feature.FeatureLoaded != 1 ||
        s.SheetPixelHeight <= MinSheetPixelHeight) {
        return;
    }
    s.SheetPixelHeight -= ZoomStep;
    layoutDrawn_ = false;
    CreateImage();
    Repaint();
}

void TMainForm::AboutbtnClick() {
    ShowWidget(dialogs_.AboutBox);
}

void TMainForm::exitbtnClick() {
    close();
}

// ---- find sheet and dropped files ------------------------------------------------

void TMainForm::FindSheet(const QString& number) {
    if (Computing()) {
        return; // the field is disabled meanwhile; Enter cannot reach here from it
    }
    SheetRequest request;
    try {
        request = PlanFindSheet(state_.settings, ToCore(number.trimmed()));
    } catch (const std::exception& e) {
        ShowInformation(this, FromCore(e.what()));
        return;
    }
    // Only the worker's result commits the scale, so the box is switched without
    // a recomputation of its own and a failed request leaves it as it was.
    pendingDataType_ = Point;
    StartFeature(request.settings, std::move(request.feature), false, false);
}

void TMainForm::dragEnterEvent(QDragEnterEvent* event) {
    // A refused drag says why while it is over the window; no drop follows it.
    const DropRequest drop = ReadDrop(event->mimeData());
    if (!drop.refusal.isEmpty()) {
        SetPanelText(0, drop.refusal);
        event->ignore();
    } else if (Computing()) {
        SetPanelText(0, QString::fromLatin1(BusyText));
        event->ignore();
    } else {
        event->acceptProposedAction();
    }
}

void TMainForm::dropEvent(QDropEvent* event) {
    const DropRequest drop = ReadDrop(event->mimeData());
    if (!drop.refusal.isEmpty()) {
        SetPanelText(0, drop.refusal);
        event->ignore();
        return;
    }
    event->acceptProposedAction();
    // The file is read, and any message shown, after the drop has ended: the
    // source waits for the drop to return.
    QMetaObject::invokeMethod(
        this, [this, path = drop.path] { OpenDroppedFile(path); }, Qt::QueuedConnection);
}

void TMainForm::OpenDroppedFile(const QString& path) {
    if (Computing()) {
        ShowInformation(this, QString::fromLatin1(BusyText));
        return;
    }
    const InputFormat* format = DropFormat(path);
    if (format == nullptr) {
        SetPanelText(0, DropFileTypesText());
        return;
    }
    if (!dialogs_.OpenVertexInput) {
        return;
    }
    const DroppedOpen outcome = dialogs_.OpenVertexInput(*format, path);
    if (outcome == DroppedOpen::Refused) {
        return; // the dialog has said why and nothing changed
    }
    const DroppedFile taken =
        ConcludeDrop(outcome, *format, state_.vertexTable, state_.settings.DataType, path);
    state_.settings.DataType = taken.DataType;
    SetPanelText(0, taken.Status);
    ShowWidget(dialogs_.PolyInputForm);
}

} // namespace sw
