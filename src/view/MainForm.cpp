#include "view/MainForm.h"

#include "coverage/Coverage.h"
#include "exchange/FormatRegistry.h"
#include "session/FindSheet.h"
#include "view/AppTitle.h"
#include "view/BitmapProbe.h"
#include "view/CommandKeys.h"
#include "view/FileDrop.h"
#include "view/LayoutPane.h"
#include "view/LayoutSaving.h"
#include "view/OpenLayer.h"
#include "view/ScreenshotSeam.h"
#include "view/SheetComputation.h"

#include <QComboBox>
#include <QCoreApplication>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QFile>
#include <QFileDialog>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QScreen>
#include <QShortcut>
#include <QToolButton>

#include <cstdlib>
#include <exception>
#include <utility>

namespace sw::gui {

namespace {

constexpr int ProbeExtentCm = 300;
constexpr int BusyCursorDelayMs = 200;

const char* const OutsideIndexText = "Outside the index: no sheet of the series lies here";

const char* const BusyText =
    "A calculation is running. Wait for it to end or press Escape to stop it.";

void ShowWidget(QWidget* w) {
    if (w != nullptr) {
        w->show();
        w->raise();
        w->activateWindow();
    }
}

} // namespace

TMainForm::TMainForm(QWidget* parent) : QMainWindow(parent) {
    BuildControls(this);
    layout_ = new LayoutPane(ScrollBox1, this);
    layout_->SetBusyPanel(panels_[0]);
    computation_ = new SheetComputation(this);
    layerOpening_ = new LayerOpening(*this);
    ConnectControls();
    // The busy cursor only for a computation that takes a noticeable time.
    busyCursor_.setSingleShot(true);
    busyCursor_.setInterval(BusyCursorDelayMs);
    connect(&busyCursor_, &QTimer::timeout, this, [this] {
        busyCursorShown_ = true;
        QGuiApplication::setOverrideCursor(Qt::WaitCursor);
    });
    setAcceptDrops(true);
    BindKeys();
    FormCreate();
}

TMainForm::~TMainForm() {
    // Stop the worker before anything it reports to goes away.
    delete computation_;
    computation_ = nullptr;
    delete layerOpening_;
    layerOpening_ = nullptr;
    EndBusyCursor();
}

void TMainForm::SetDialogs(const DialogSet& dialogs) {
    dialogs_ = dialogs;
}

void TMainForm::ConnectControls() {
    connect(OpenLayerBtn, &QToolButton::clicked, layerOpening_, &LayerOpening::OpenLayerClick);
    connect(layerOpening_, &LayerOpening::BusyChanged, this, [this] {
        // Reading has no measure of its own: the bar runs until the computation.
        progressBar_->setRange(0, layerOpening_->Running() ? 0 : 100);
        progressBar_->setVisible(Computing());
        UpdateCommands();
    });
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
    // activated: only the user's picks; selections made in code raise no change.
    connect(ComboBox1, &QComboBox::activated, this, &TMainForm::ComboBox1Change);
    connect(ComboBox2, &QComboBox::activated, this, &TMainForm::ComboBox2Change);
    connect(FindSheetEdit, &QLineEdit::returnPressed, this,
            [this] { FindSheet(FindSheetEdit->text()); });
    connect(computation_, &SheetComputation::Progress, this, &TMainForm::OnProgress);
    connect(computation_, &SheetComputation::Finished, this, &TMainForm::OnComputationFinished);
    connect(layout_, &LayoutPane::PointerMoved, this, &TMainForm::Image1MouseMove);
    connect(layout_, &LayoutPane::PointerPressed, this, &TMainForm::Image1MouseDown);
    connect(layout_, &LayoutPane::WheelZoom, this,
            [this](int steps, int x, int y) { ZoomAt(steps, QPoint(x, y)); });
}

void TMainForm::BindKeys() {
    const auto key = [](QKeyCombination k) { return QKeySequence(k); };
    BindCommandKeys(*this,
                    {
                        {OpenLayerBtn, {key(Qt::CTRL | Qt::Key_O)}},
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
    // The session starts with the start settings (old series, "1:50,000", data
    // type Point, zoom 70); the window shows them.
    StylePanel2();
    ShowSettings();
    UpdateCommands();
}

void TMainForm::FormShow() {
    if (layout_->LimitsProbed()) {
        return;
    }
    const QScreen* sc = screen();
    const int depth = sc != nullptr ? sc->depth() : 32;
    layout_->SetLimits(GetMAxResource(depth > 0 ? depth : 32, logicalDpiX(), ProbeExtentCm));
}

void TMainForm::FormActivate() {
    UpdateCommands();
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
    CancelComputation();
    QMainWindow::closeEvent(event);
}

void TMainForm::paintEvent(QPaintEvent* event) {
    QMainWindow::paintEvent(event);
    FormPaint();
}

// ---- what the window shows ----------------------------------------------------

const QImage* TMainForm::LayoutImage() const {
    return layout_->Image();
}

bool TMainForm::LayoutDrawn() const {
    return layout_->Drawn();
}

int32_t TMainForm::HighlightIndex() const {
    return layout_->HighlightIndex();
}

const LayoutGeometry& TMainForm::Geometry() const {
    return layout_->Geometry();
}

const ImageLimits& TMainForm::Limits() const {
    return layout_->Limits();
}

void TMainForm::SetImageLimits(const ImageLimits& limits) {
    layout_->SetLimits(limits);
}

void TMainForm::SetPanelText(int panel, const QString& text) {
    if (panel >= 0 && panel < 3) {
        ShowPanelText(panel, text);
    }
}

QString TMainForm::PanelText(int panel) const {
    return panel >= 0 && panel < 3 ? panels_[panel]->text() : QString();
}

bool TMainForm::Computing() const {
    return (computation_ != nullptr && computation_->Running()) ||
           (layerOpening_ != nullptr && layerOpening_->Running());
}

void TMainForm::UpdateCommands() {
    const bool idle = !Computing();
    for (QWidget* w : {static_cast<QWidget*>(OpenLayerBtn), static_cast<QWidget*>(SpeedButton1),
                       static_cast<QWidget*>(PointBtn), static_cast<QWidget*>(ClearBtn),
                       static_cast<QWidget*>(SpeedButton4), static_cast<QWidget*>(ZoominBtn),
                       static_cast<QWidget*>(ZoomoutBtn), static_cast<QWidget*>(ComboBox1),
                       static_cast<QWidget*>(ComboBox2), static_cast<QWidget*>(FindSheetEdit)}) {
        w->setEnabled(idle);
    }
    SaveBtn->setEnabled(idle && session_.SaveEnabled());
    ReportBtn->setEnabled(session_.ReportEnabled());
}

void TMainForm::Repaint() {
    FormPaint();
    update();
}

// The boxes as the committed settings say (after a cancelled recomputation too).
void TMainForm::ShowSettings() {
    const Settings& s = session_.State().settings;
    ComboBox2->setCurrentIndex(s.MapSeries == Series::OpenSeries ? 1 : 0);
    ComboBox1->clear();
    for (const std::string& caption : ScaleCaptions(s.MapSeries)) {
        ComboBox1->addItem(FromCore(caption));
    }
    ComboBox1->setCurrentIndex(s.ScaleIndex - 1);
    ShowFindSheetExample(FromCore(ExampleSheetNumber(s)));
    RelaxPanels();
}

// ---- settings and the computation --------------------------------------------

void TMainForm::ComboBox2Change(int item) {
    if (!Computing()) {
        SettingsPicked(session_.PickSeries(item));
    }
}

void TMainForm::ComboBox1Change(int item) {
    if (!Computing()) {
        SettingsPicked(session_.PickScale(item));
    }
}

// Without a feature the change has been applied; with one it takes effect only
// once the recomputation for it has succeeded.
void TMainForm::SettingsPicked(std::optional<ComputeRequest> request) {
    if (request) {
        StartComputation(*request);
        return;
    }
    layout_->Undraw();
    ShowSettings();
    Repaint();
}

void TMainForm::AcceptFeature(Feature feature, bool fitToScreen, bool enableReport,
                              std::string source) {
    if (Computing()) {
        ShowInformation(this, QString::fromLatin1(BusyText));
        return;
    }
    StartComputation(
        session_.AcceptFeature(std::move(feature), fitToScreen, enableReport, std::move(source)));
}

void TMainForm::AcceptLayer(Feature feature, const std::string& path) {
    if (Computing()) {
        ShowInformation(this, QString::fromLatin1(BusyText));
        return;
    }
    StartComputation(session_.OpenLayer(std::move(feature), path));
}

void TMainForm::StartComputation(const ComputeRequest& request) {
    if (!computation_->Start(request.settings, request.feature)) {
        session_.Abandon();
        return;
    }
    progressBar_->setValue(0);
    progressBar_->show();
    busyCursor_.start();
    UpdateCommands();
}

void TMainForm::EndBusyCursor() {
    busyCursor_.stop();
    if (busyCursorShown_) {
        busyCursorShown_ = false;
        QGuiApplication::restoreOverrideCursor();
    }
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
    if (layerOpening_ != nullptr) {
        layerOpening_->Cancel();
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
    progressBar_->hide();
    EndBusyCursor();
    UpdateCommands();
    try {
        if (out.Result != ComputeOutcome::Kind::Done) {
            session_.Abandon();
            if (out.Result == ComputeOutcome::Kind::Cancelled) {
                SetPanelText(0, FromCore(out.Message));
            } else {
                ShowError(this, FromCore(out.Message));
            }
            ShowSettings(); // a refused scale change leaves the old scale selected
        } else {
            // Swap the finished result in whole: a paint sees the old or the new list.
            const CommitResult done =
                session_.Commit(out.settings, std::move(out.feature), std::move(out.grid));
            ShowSettings();
            if (done.NewFeature) {
                const std::string& source = session_.FeatureSource();
                setWindowTitle(source.empty()
                                   ? AppTitle()
                                   : QFile::decodeName(QByteArray::fromStdString(source)));
            }
            if (session_.OutsideIndex()) {
                SetPanelText(0, QString::fromLatin1(OutsideIndexText));
            }
            MakeImage(done.FitToScreen);
            layout_->Undraw();
            UpdateCommands();
            Repaint();
            if (done.InputFile) {
                layerOpening_->Committed();
            }
        }
    } catch (const std::exception& e) {
        ShowError(this, ErrorText(e));
    }
    emit ComputationFinished();
}

// ---- the layout image --------------------------------------------------------

bool TMainForm::CreateImage() {
    return MakeImage(false);
}

void TMainForm::FitToscreen() {
    if (layout_->Image() != nullptr) {
        MakeImage(true);
    }
}

// A fitted image never says "too large": it stops at the smallest zoom and is
// scrolled. Only a grid that no zoom can show is refused.
bool TMainForm::MakeImage(bool fit) {
    if (!layout_->LimitsProbed()) {
        FormShow();
    }
    const LayoutPane::Created made =
        layout_->Create(session_.State().settings, session_.State().grid, fit);
    if (!made.Made) {
        session_.ImageRefused(made.Zoom);
        ShowInformation(this, QString::fromLatin1(ExtentTooLargeMessage));
        return false;
    }
    session_.ImageMade(made.Zoom);
    return true;
}

void TMainForm::FormPaint() {
    if (!session_.FeatureLoaded()) {
        return;
    }
    AppState& st = session_.State();
    try {
        if (const auto total = layout_->Paint(st.settings, st.feature, st.grid)) {
            SetPanelText(1, QStringLiteral("Total Sheets %1").arg(*total));
        }
    } catch (const std::exception& e) {
        ShowError(this, ErrorText(e));
    }
}

void TMainForm::Image1MouseMove(int x, int y) {
    const auto r = layout_->Move(session_.State().settings, session_.State().grid, x, y);
    if (!r) {
        return;
    }
    SetPanelText(2, FromCore(r->Panel2));
    if (r->Index >= 0) {
        SetPanelText(0, FromCore(r->Panel0));
        SetPanelText(1, FromCore(r->Panel1));
    }
}

void TMainForm::Image1MouseDown(Qt::MouseButton button, int x, int y) {
    if (!session_.FeatureLoaded() || Computing()) {
        return;
    }
    const int steps = button == Qt::LeftButton ? 1 : button == Qt::RightButton ? -1 : 0;
    if (steps == 0) {
        return;
    }
    // The zoom replaces the image whose handler is running: do it once the
    // handler has returned.
    QMetaObject::invokeMethod(
        this, [this, steps, x, y] { ZoomAt(steps, QPoint(x, y)); }, Qt::QueuedConnection);
}

void TMainForm::ZoomAt(int steps, QPoint imagePos) {
    if (Computing() || !session_.FeatureLoaded()) {
        return;
    }
    const bool hadImage = layout_->Image() != nullptr;
    const LayoutGeometry before = layout_->Geometry();
    const QPoint at = layout_->ViewportPos(imagePos);
    bool changed = false;
    for (int i = 0; i < std::abs(steps); ++i) {
        changed = (steps > 0 ? session_.ZoomIn() : session_.ZoomOut()) || changed;
    }
    if (!changed || !CreateImage()) {
        return;
    }
    Repaint();
    if (hadImage && imagePos.x() >= 0 && imagePos.y() >= 0) {
        const PixelPos p = SamePosition(before, layout_->Geometry(), imagePos.x(), imagePos.y());
        layout_->ScrollTo(QPoint(static_cast<int>(p.X), static_cast<int>(p.Y)), at);
    }
}

// ---- commands -----------------------------------------------------------------

void TMainForm::SpeedButton1Click() {
    ShowWidget(dialogs_.SetInputForm);
}

void TMainForm::PointBtnClick() {
    const DataKind type = session_.State().settings.DataType;
    if (type == DataKind::Point) {
        ShowWidget(dialogs_.PointInputForm);
    } else if (type == DataKind::Polyline || type == DataKind::Polygon) {
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
    const auto filter =
        SaveFilter{static_cast<int>(SaveFilters().indexOf(SaveDialog1->selectedNameFilter())) + 1};
    SaveLayoutTo(filter, files.first());
}

void TMainForm::SaveLayoutTo(SaveFilter filter, const QString& path) {
    const QImage* image = layout_->Image();
    if (SaveFilterIsPicture(filter) && image == nullptr) {
        ShowInformation(this, QString::fromLatin1(NoLayoutToSaveMessage));
        return;
    }
    const AppState& state = session_.State();
    const std::string name = path.toStdString();
    const QString question =
        LargeSaveQuestion(filter, name, state.settings, state.grid, largeSaveCheck_.ThresholdBytes);
    if (!question.isEmpty() && !largeSaveCheck_.Ask(this, question)) {
        return;
    }
    try {
        // Pictures hold one pixel per layout pixel whatever the screen's density.
        const QImage picture = image != nullptr && SaveFilterIsPicture(filter)
                                   ? layout_->Picture(state.settings, state.feature, state.grid)
                                   : QImage();
        SaveLayout(filter, name,
                   LayoutToSave{state.settings, state.feature, state.grid,
                                picture.isNull() ? nullptr : &picture, state.InputFileName});
    } catch (const std::exception& e) {
        ShowError(this, ErrorText(e));
    }
}

void TMainForm::ClearBtnClick() {
    if (Computing()) {
        return;
    }
    const bool imageExists = layout_->Image() != nullptr;
    layout_->Drop();
    if (session_.Clear(imageExists) && dialogs_.ClearVertexInput) {
        dialogs_.ClearVertexInput();
    }
    // The total described the feature that is gone.
    SetPanelText(1, QString());
    UpdateCommands();
}

void TMainForm::SpeedButton4Click() {
    if (Computing()) {
        return;
    }
    session_.ResetZoom();
    MakeImage(true);
    layout_->Undraw();
    Repaint();
}

void TMainForm::ZoominBtnClick() {
    if (!Computing() && session_.ZoomIn()) {
        CreateImage();
        Repaint();
    }
}

void TMainForm::ZoomoutBtnClick() {
    if (!Computing() && session_.ZoomOut()) {
        CreateImage();
        Repaint();
    }
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
    std::optional<ComputeRequest> request;
    try {
        request = session_.FindSheet(ToCore(number.trimmed()));
    } catch (const std::exception& e) {
        ShowInformation(this, FromCore(e.what()));
        return;
    }
    StartComputation(*request);
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
    if (OpensAsLayer(QFile::encodeName(path).toStdString())) {
        layerOpening_->Open(path);
        return;
    }
    const InputFormat* format = DropFormat(path);
    if (format == nullptr || !dialogs_.OpenVertexInput) {
        return;
    }
    const DroppedOpen outcome = dialogs_.OpenVertexInput(*format, path);
    if (outcome == DroppedOpen::Refused) {
        return; // the dialog has said why and nothing changed
    }
    const AppState& st = session_.State();
    const DroppedFile taken =
        ConcludeDrop(outcome, *format, st.vertexTable, st.settings.DataType, path);
    session_.SetDataType(taken.DataType);
    SetPanelText(0, taken.Status);
    ShowWidget(dialogs_.PolyInputForm);
}

} // namespace sw::gui
