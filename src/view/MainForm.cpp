#include "view/MainForm.h"

#include "gui/AppTitle.h"
#include "view/ComputationRunner.h"
#include "view/FileOpening.h"
#include "view/LayoutDriver.h"
#include "view/OpenLayer.h"
#include "view/SaveLayoutFlow.h"
#include "view/ScreenshotSeam.h"
#include "view/WindowInput.h"

#include <QEvent>
#include <QLabel>
#include <QToolButton>

#include <exception>
#include <utility>

namespace sw::gui {

void TMainForm::ShowWidget(QWidget* w) {
    if (w != nullptr) {
        w->show();
        w->raise();
        w->activateWindow();
    }
}

TMainForm::TMainForm(QWidget* parent) : QMainWindow(parent) {
    BuildControls(this);
    // The settings panel and the status panels lay themselves out for the
    // width they get (a narrow or scaled screen).
    Panel2->installEventFilter(this);
    PanelRow->installEventFilter(this);
    layout_ = new LayoutPane(ScrollBox1, this);
    drawing_ = std::make_unique<LayoutDriver>(
        *layout_, session_, this, panels_[0],
        [this](int panel, const QString& text) { SetPanelText(panel, text); },
        [this] { FormShow(); });
    drawing_->Progress().OnBusyChanged([this] { UpdateCommands(); });
    computation_ = new ComputationRunner(
        progressBar_, [this](const QString& text) { SetPanelText(0, text); }, this);
    layerOpening_ = new LayerOpening(
        *this,
        [this](Feature feature, const std::filesystem::path& path) {
            AcceptLayer(std::move(feature), path);
        },
        this);
    ConnectControls();
    setAcceptDrops(true);
    BindMainFormKeys(*this, *this);
    FormCreate();
}

TMainForm::~TMainForm() {
    // Stop the worker before anything it reports to goes away.
    delete computation_;
    computation_ = nullptr;
    delete layerOpening_;
    layerOpening_ = nullptr;
}

void TMainForm::ConnectControls() {
    connect(OpenLayerBtn, &QToolButton::clicked, layerOpening_, &LayerOpening::OpenLayerClick);
    connect(layerOpening_, &LayerOpening::BusyChanged, this, [this] {
        computation_->ShowReading(layerOpening_->Running(), Computing());
        // A read that ended without a computation (refused, cancelled) leaves
        // no "Reading name..." behind; the word that it was cancelled stays.
        const QString text = PanelText(0);
        if (!Computing() && text.startsWith(QStringLiteral("Reading ")) &&
            text.endsWith(QStringLiteral("..."))) {
            SetPanelText(0, QString());
        }
        UpdateCommands();
    });
    ConnectMainFormCommands(*this, *this);
    connect(computation_, &ComputationRunner::Finished, this, &TMainForm::OnComputationFinished);
    ConnectLayoutPointer(*this, *layout_);
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
    layout_->ProbeLimits(*this);
}

void TMainForm::FormActivate() {
    UpdateCommands();
}

void TMainForm::showEvent(QShowEvent* event) {
    QMainWindow::showEvent(event);
    if (!shown_) {
        shown_ = true;
        FormShow();
        ScreenshotHooks hooks;
        hooks.enterFeature = [this](Feature feature) {
            AcceptFeature(std::move(feature), false, false);
            FormActivate();
        };
        hooks.afterComputation = [this](std::function<void()> then) {
            connect(this, &TMainForm::ComputationFinished, this, std::move(then));
        };
        hooks.chooseScale = [this](int series, int scale) {
            ComboBox2Change(series);
            ComboBox1Change(scale);
        };
        StartScreenshotSeam(*this, hooks);
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
    // A drawing runs the window's events to show its progress: never inside
    // a paint event.
    if (session_.FeatureLoaded() && layout_->Made() && !layout_->Drawn()) {
        QMetaObject::invokeMethod(this, &TMainForm::FormPaint, Qt::QueuedConnection);
    }
}

// ---- what the window shows ----------------------------------------------------

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
           (layerOpening_ != nullptr && layerOpening_->Running()) ||
           (drawing_ != nullptr && drawing_->Painting());
}

void TMainForm::UpdateCommands() {
    EnableCommands(!Computing(), session_.SaveEnabled(), session_.ReportEnabled());
    ShowDataType(session_.State().settings.DataType);
}

void TMainForm::SetDialogs(const DialogSet& dialogs) {
    dialogs_ = dialogs;
    // The data type shown beside the series box follows the data type dialog.
    if (dialogs_.SetInputForm != nullptr) {
        dialogs_.SetInputForm->installEventFilter(this);
    }
}

bool TMainForm::eventFilter(QObject* watched, QEvent* event) {
    if (watched == dialogs_.SetInputForm && event->type() == QEvent::Hide) {
        ShowDataType(session_.State().settings.DataType);
    } else if (event->type() == QEvent::Resize) {
        if (watched == Panel2) {
            FitPanel2();
        } else if (watched == PanelRow) {
            FitStatusPanels();
        }
    }
    return QMainWindow::eventFilter(watched, event);
}

void TMainForm::Repaint() {
    FormPaint();
    update();
}

// The boxes as the committed settings say (after a cancelled recomputation too).
void TMainForm::ShowSettings() {
    ShowSettingsBoxes(session_.State().settings);
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
        StartComputation(std::move(*request));
        return;
    }
    layout_->Undraw();
    ShowSettings();
    Repaint();
}

void TMainForm::AcceptFeature(Feature feature, bool fitToScreen, bool enableReport,
                              std::filesystem::path source) {
    if (!Computing()) {
        StartComputation(session_.AcceptFeature(std::move(feature), fitToScreen, enableReport,
                                                std::move(source)));
    } else {
        ShowInformation(this, QString::fromLatin1(BusyText));
    }
}

void TMainForm::AcceptLayer(Feature feature, const std::filesystem::path& path) {
    if (!Computing()) {
        StartComputation(session_.OpenLayer(std::move(feature), path));
    } else {
        ShowInformation(this, QString::fromLatin1(BusyText));
    }
}

void TMainForm::StartComputation(ComputeRequest request) {
    if (!computation_->Start(std::move(request))) {
        session_.Abandon();
        return;
    }
    UpdateCommands();
}

void TMainForm::CancelComputation() {
    if (computation_ != nullptr) {
        computation_->Cancel();
    }
    if (layerOpening_ != nullptr) {
        layerOpening_->Cancel();
    }
    drawing_->CancelPaint();
}

PaintProgress& TMainForm::Drawing() {
    return drawing_->Progress();
}

bool TMainForm::WaitForComputation(int timeoutMs) {
    return WaitWhile([this] { return Computing(); }, timeoutMs);
}

void TMainForm::OnComputationFinished() {
    ComputeOutcome out = computation_->TakeOutcome();
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
                setWindowTitle(CaptionFor(session_.FeatureSource()));
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
    if (layout_->Made()) {
        MakeImage(true);
    }
}

bool TMainForm::MakeImage(bool fit) {
    return drawing_->Make(fit);
}

void TMainForm::FormPaint() {
    drawing_->Paint();
}

void TMainForm::Image1MouseMove(int x, int y) {
    drawing_->Move(x, y);
}

void TMainForm::Image1MouseDown(Qt::MouseButton button, int x, int y) {
    const int steps = button == Qt::LeftButton ? 1 : button == Qt::RightButton ? -1 : 0;
    if (session_.FeatureLoaded() && !Computing() && steps != 0) {
        // The zoom replaces the image whose handler is running: do it once the
        // handler has returned.
        QMetaObject::invokeMethod(
            this, [this, steps, x, y] { ZoomAt(steps, QPoint(x, y)); }, Qt::QueuedConnection);
    }
}

void TMainForm::ZoomAt(int steps, QPoint imagePos) {
    if (!Computing()) {
        drawing_->ZoomAt(steps, imagePos);
    }
}

void TMainForm::WheelAt(int steps, QPoint imagePos) {
    if (!Computing()) {
        drawing_->WheelAt(steps, imagePos);
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
    if (const std::optional<SaveTarget> target = ChooseSaveTarget(*SaveDialog1)) {
        SaveLayoutTo(target->filter, target->path);
    }
}

void TMainForm::SaveLayoutTo(SaveFilter filter, const QString& path) {
    if (!Computing()) {
        SaveShownLayout(this, *layout_, session_.State(), SaveTarget{filter, path},
                        largeSaveCheck_);
    }
}

void TMainForm::ClearBtnClick() {
    if (Computing()) {
        return;
    }
    const bool imageExists = layout_->Made();
    layout_->Drop();
    if (session_.Clear(imageExists) && dialogs_.ClearVertexInput) {
        dialogs_.ClearVertexInput();
    }
    // The caption, the sheet and the total described the feature that is gone.
    setWindowTitle(AppTitle());
    SetPanelText(0, QString());
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

// One step, the image centred again.
void TMainForm::ZoominBtnClick() {
    ZoomAt(1, QPoint(-1, -1));
}

void TMainForm::ZoomoutBtnClick() {
    ZoomAt(-1, QPoint(-1, -1));
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
    StartComputation(std::move(*request));
}

void TMainForm::dragEnterEvent(QDragEnterEvent* event) {
    EnterDrag(*this, event);
}

void TMainForm::dropEvent(QDropEvent* event) {
    TakeDrop(*this, event);
}

void TMainForm::OpenDroppedFile(const std::filesystem::path& path) {
    OpenGivenFile(*this, *this, path);
}

void TMainForm::OpenLayerFile(const std::filesystem::path& path) {
    layerOpening_->Open(path);
}

DroppedOpen TMainForm::OpenVertexFile(const InputFormat& format,
                                      const std::filesystem::path& path) {
    return dialogs_.OpenVertexInput ? dialogs_.OpenVertexInput(format, path) : DroppedOpen::Refused;
}

void TMainForm::ShowVertexDialog() {
    ShowWidget(dialogs_.PolyInputForm);
}

} // namespace sw::gui
