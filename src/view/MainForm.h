#pragma once

// The main window: settings panel, tool bar, the scroll box with the layout image
// and the status bar. It owns the program's state and dispatches commands; the
// layout geometry, painting, pointer readout and saving live in their own units.

#include "coverage/Feature.h"
#include "coverage/LayoutGeometry.h"
#include "session/AppState.h"
#include "view/FileDrop.h"
#include "view/LayoutSizing.h"

#include <QMainWindow>

#include <functional>

class QComboBox;
class QFileDialog;
class QFrame;
class QHBoxLayout;
class QLabel;
class QLineEdit;
class QProgressBar;
class QScrollArea;
class QStatusBar;
class QToolBar;
class QToolButton;
class QImage;

namespace sw {

class LayoutImageView;
class SheetComputation;

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
    std::function<DroppedOpen(const InputFormat& format, const QString& path)> OpenVertexInput;
};

class TMainForm : public QMainWindow {
    Q_OBJECT

public:
    explicit TMainForm(QWidget* parent = nullptr);
    ~TMainForm() override;

    AppState& State();
    const AppState& State() const;

    void SetDialogs(const DialogSet& dialogs);

    // What the OK of the point and vertex dialogs do after building the feature:
    // store it (FeatureLoaded := 1, LayoutDrawn := false), run ComputeSheets
    // without freezing the window, then CreateImage, FitToscreen when
    // `fitToScreen`, enable "Save Layout" (and "Report" when `enableReport`), and
    // repaint. Errors are shown in a message box and change nothing.
    void AcceptFeature(Feature feature, bool fitToScreen, bool enableReport);

    // Panel texts of the status bar (0, 1, 2).
    void SetPanelText(int panel, const QString& text);
    QString PanelText(int panel) const;

    // True while a computation runs (the state-changing commands are disabled).
    bool Computing() const;

    // Escape: stops a running computation; the previous result stays.
    void CancelComputation();
    // Runs the event loop until no computation runs or `timeoutMs` passed; true
    // when none runs any more.
    bool WaitForComputation(int timeoutMs = 30000);

    // The layout image, or null when there is none.
    const QImage* LayoutImage() const;
    bool LayoutDrawn() const { return layoutDrawn_; }
    int32_t HighlightIndex() const { return highlightIndex_; }
    // The geometry of the current image (valid while one exists).
    const LayoutGeometry& Geometry() const { return geometry_; }
    const ImageLimits& Limits() const { return limits_; }
    // Replaces the start-up probe's result (tests of the size limit).
    void SetImageLimits(const ImageLimits& limits);

    // Start-up, paint and activation handlers.
    void FormCreate();
    void FormShow();
    void FormActivate();
    void FormPaint();

    // Setting and command handlers, in tool bar order.
    void ComboBox1Change(int item);
    void ComboBox2Change(int item);
    void SpeedButton1Click();
    void PointBtnClick();
    void ReportBtnClick();
    void SaveBtnClick();
    void ClearBtnClick();
    void SpeedButton4Click();
    void ZoominBtnClick();
    void ZoomoutBtnClick();
    void AboutbtnClick();
    void exitbtnClick();

    // "Find sheet" (Enter in FindSheetEdit): the sheet `number` of the current
    // series is drawn at its scale as a point at its centre; an unknown number is
    // told in a message box and changes nothing.
    void FindSheet(const QString& number);

    // A file dropped on the window, once the drop is over: read by the vertex
    // dialog's "Open" with the filter its extension selects, the data type set to
    // Polygon or Polyline as the file holds, and the dialog shown.
    void OpenDroppedFile(const QString& path);

    // What "Save Layout" does once the dialog has given an entry (1-based) and a name.
    void SaveLayoutTo(int filter, const QString& path);

    // The layout image operations.
    bool CreateImage();
    void FitToscreen();

    // The pointer handlers of the layout image (image pixels).
    void Image1MouseMove(int x, int y);
    void Image1MouseDown(Qt::MouseButton button);

signals:
    // A computation has ended and its result (if any) is in the state.
    void ComputationFinished();

protected:
    void showEvent(QShowEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    bool event(QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;

private:
    // What to do with a finished computation's result.
    enum class Request { Feature, Scale };
    void BuildControls();
    void BuildFindSheet(QHBoxLayout& row);
    void BindKeys();
    void FillScaleBox();
    void ShowSettings();
    void StartComputation(const Settings& s, const Feature& f, Request request);
    void StartFeature(const Settings& s, Feature feature, bool fitToScreen, bool enableReport);
    void OnComputationFinished();
    void OnProgress(const QString& text, int percent);
    void UpdateCommands();
    void Repaint();
    void DropImage();
    void ChangeSettings(const std::function<void(Settings&)>& change);
    void CommitSettings(const Settings& next);

    AppState state_;
    DialogSet dialogs_;

    QToolBar* ToolBar1 = nullptr;
    QFrame* Panel2 = nullptr;
    QLabel* Label2 = nullptr;
    QComboBox* ComboBox1 = nullptr;
    QComboBox* ComboBox2 = nullptr;
    QLineEdit* FindSheetEdit = nullptr;
    QScrollArea* ScrollBox1 = nullptr;
    QStatusBar* StatusBar1 = nullptr;
    QLabel* panels_[3] = {nullptr, nullptr, nullptr};
    QProgressBar* progressBar_ = nullptr;
    QToolButton* SpeedButton1 = nullptr;
    QToolButton* PointBtn = nullptr;
    QToolButton* ReportBtn = nullptr;
    QToolButton* SaveBtn = nullptr;
    QToolButton* ClearBtn = nullptr;
    QToolButton* SpeedButton4 = nullptr;
    QToolButton* ZoominBtn = nullptr;
    QToolButton* ZoomoutBtn = nullptr;
    QToolButton* Aboutbtn = nullptr;
    QToolButton* exitbtn = nullptr;
    QFileDialog* SaveDialog1 = nullptr;

    LayoutImageView* layoutImage_ = nullptr; // LayoutImage; null = none
    SheetComputation* computation_ = nullptr;
    Request pending_ = Request::Feature;
    bool pendingFit_ = false;
    bool pendingReport_ = false;
    uint8_t pendingDataType_ = 0; // set by a finished request; 0 keeps the current one

    bool layoutDrawn_ = false;
    int32_t highlightIndex_ = -1;
    LayoutGeometry geometry_;
    ImageLimits limits_;
    bool limitsProbed_ = false;
    bool shown_ = false;
    bool saveEnabled_ = false;
    bool reportEnabled_ = false;
};

} // namespace sw
