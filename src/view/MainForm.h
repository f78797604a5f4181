#pragma once

// The main window: a view of the session. It forwards the user's actions to the
// session (session/Session.h) and shows what the session says: the settings
// boxes, the commands' enable state, the layout image and the status bar. The
// work is done by units it delegates to: its controls (view/MainFormControls.h),
// their wiring (view/WindowInput.h), the computations on a worker
// (view/ComputationRunner.h), the layout image (view/LayoutDriver.h), saving
// (view/SaveLayoutFlow.h) and files given to it (view/FileOpening.h). Those
// units see the window through narrow interfaces (view/WindowStatus.h and what
// each adds), never through this class. The handler names are those of the
// original window.

#include "coverage/Feature.h"
#include "coverage/LayoutGeometry.h"
#include "coverage/LayoutSizing.h"
#include "exchange/FormatRegistry.h"
#include "session/Session.h"
#include "view/FileDrop.h"
#include "view/FileOpening.h"
#include "view/LayoutPane.h"
#include "view/LayoutSaving.h"
#include "view/MainFormControls.h"
#include "view/WindowInput.h"

#include <QMainWindow>

#include <filesystem>
#include <functional>
#include <memory>
#include <optional>

class QImage;

namespace sw::gui {

class ComputationRunner;
class LayerOpening;
class LayoutDriver;
class PaintProgress;

// The windows the main window shows; created by the application at start-up.
struct DialogSet {
    QWidget* SetInputForm = nullptr;   // data type
    QWidget* PointInputForm = nullptr; // point
    QWidget* PolyInputForm = nullptr;  // vertex table
    QWidget* ReportForm = nullptr;
    QWidget* AboutBox = nullptr;
    // The vertex dialog's own Clear (empties its grid, InputFileOpened := false).
    std::function<void()> ClearVertexInput;
    // The vertex dialog's "Open" of a file in a format, without its file dialog.
    std::function<DroppedOpen(const InputFormat& format, const std::filesystem::path& path)>
        OpenVertexInput;
};

class TMainForm : public QMainWindow,
                  public WindowCommands,
                  public GivenFileRoads,
                  private MainFormControls {
    Q_OBJECT

public:
    explicit TMainForm(QWidget* parent = nullptr);
    ~TMainForm() override;

    Session& TheSession() override { return session_; }
    QWidget& Widget() override { return *this; }
    AppState& State() { return session_.State(); }
    const AppState& State() const { return session_.State(); }

    void SetDialogs(const DialogSet& dialogs);
    // Shows a window of the set over the others (null: nothing).
    static void ShowWidget(QWidget* w);

    // Said in panel 0 for a feature that lies wholly outside the index.
    static constexpr const char* OutsideIndexText =
        "Outside the index: no sheet of the series lies here";

    // What the OK of the point and vertex dialogs do after building the feature:
    // the session's AcceptFeature, computed without freezing the window, then
    // CreateImage, FitToscreen when `fitToScreen`, "Save Layout" (and "Report"
    // when `enableReport`) enabled, and a repaint. Errors are shown in a message
    // box and change nothing.
    // `source` is the file the feature was read from, empty for a typed one.
    void AcceptFeature(Feature feature, bool fitToScreen, bool enableReport,
                       std::filesystem::path source = {});

    // What "Open layer" does with the chosen features of the file at `path`:
    // the session's OpenLayer, computed as above.
    void AcceptLayer(Feature feature, const std::filesystem::path& path);
    // "Open layer" itself, with its open box and chooser (view/OpenLayer.h).
    LayerOpening& Layers() { return *layerOpening_; }

    // Panel texts of the status bar (0, 1, 2).
    void SetPanelText(int panel, const QString& text) override;
    QString PanelText(int panel) const override;

    // True while a computation runs or the layout is drawn (the state-changing
    // commands are disabled).
    bool Computing() const override;

    // Escape: stops a running computation (the previous result stays) or a
    // drawing of the layout (the feature stays, without an image).
    void CancelComputation() override;
    // The drawing of the layout's progress and stop (tests step through it).
    PaintProgress& Drawing();
    // Runs the event loop until no computation runs or `timeoutMs` passed; true
    // when none runs any more.
    bool WaitForComputation(int timeoutMs = 30000);

    // The layout image, or null when there is none, and what is drawn on it.
    const QImage* LayoutImage() const { return layout_->Image(); }
    bool LayoutDrawn() const { return layout_->Drawn(); }
    int32_t HighlightIndex() const { return layout_->HighlightIndex(); }
    // The geometry of the current image (valid while one exists).
    const LayoutGeometry& Geometry() const { return layout_->Geometry(); }
    const ImageLimits& Limits() const { return layout_->Limits(); }
    // Replaces the start-up probe's result (tests of the size limit).
    void SetImageLimits(const ImageLimits& limits) { layout_->SetLimits(limits); }

    // Start-up, paint and activation handlers.
    void FormCreate();
    void FormShow();
    void FormActivate();
    void FormPaint();

    // Setting and command handlers, in tool bar order.
    void ComboBox1Change(int item) override;
    void ComboBox2Change(int item) override;
    void SpeedButton1Click() override;
    void PointBtnClick() override;
    void ReportBtnClick() override;
    void SaveBtnClick() override;
    void ClearBtnClick() override;
    void SpeedButton4Click() override;
    void ZoominBtnClick() override;
    void ZoomoutBtnClick() override;
    void AboutbtnClick() override;
    void exitbtnClick() override;

    // "Find sheet" (Enter in FindSheetEdit): the sheet `number` of the current
    // series is drawn at its scale as a point at its centre; an unknown number is
    // told in a message box and changes nothing.
    void FindSheet(const QString& number) override;

    // A file dropped on the window, once the drop is over: a vertex text file is
    // read by the vertex dialog's "Open", the data type set to Polyline, and the
    // dialog shown; any other file takes the road of "Open layer".
    void OpenDroppedFile(const std::filesystem::path& path) override;

    // The roads of a given file (view/FileOpening.h).
    void OpenLayerFile(const std::filesystem::path& path) override;
    DroppedOpen OpenVertexFile(const InputFormat& format,
                               const std::filesystem::path& path) override;
    void ShowVertexDialog() override;

    // What "Save Layout" does once the dialog has given an entry (1-based) and a
    // name; a file estimated over the check's threshold is written only when the
    // question is answered "Yes".
    void SaveLayoutTo(SaveFilter filter, const QString& path);
    LargeSaveCheck& SaveCheck() { return largeSaveCheck_; }

    // The layout image operations.
    bool CreateImage();
    void FitToscreen();

    // The pointer handlers of the layout image (image pixels).
    void Image1MouseMove(int x, int y) override;
    // A click zooms in (left) or out (right) keeping the clicked pixel in view;
    // without a position (negative) the image is centred as after a zoom command.
    void Image1MouseDown(Qt::MouseButton button, int x = -1, int y = -1) override;
    // Zooms `steps` steps in (positive) or out, keeping what lies under image
    // pixel `imagePos` where it is in the window.
    void ZoomAt(int steps, QPoint imagePos) override;
    // The wheel or + and - on the layout: a continuous zoom around the
    // pointer, a notch at a time, and below the smallest zoom the layout
    // reduced further, down to the whole of it.
    void WheelAt(int steps, QPoint imagePos) override;
    // The layout on screen (tests and the canvas benchmark).
    const LayoutPane& Layout() const { return *layout_; }

signals:
    // A computation has ended and its result (if any) is in the state.
    void ComputationFinished();

protected:
    void showEvent(QShowEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    bool event(QEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;

private:
    void ConnectControls();
    void ShowSettings();
    void SettingsPicked(std::optional<ComputeRequest> request);
    // The request is moved on to the worker: the feature is not copied.
    void StartComputation(ComputeRequest request);
    void OnComputationFinished();
    void UpdateCommands();
    void Repaint();
    bool MakeImage(bool fit);

    Session session_;
    DialogSet dialogs_;
    LayoutPane* layout_ = nullptr;
    ComputationRunner* computation_ = nullptr;
    LayerOpening* layerOpening_ = nullptr;
    std::unique_ptr<LayoutDriver> drawing_;
    bool shown_ = false;
    LargeSaveCheck largeSaveCheck_ = DefaultLargeSaveCheck();
};

} // namespace sw::gui
