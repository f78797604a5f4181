#pragma once

// The program's state and the rules about it, without any window: the series
// and scale switches, the zoom steps and their bounds, fit and clear, accepting
// a feature, which of "Report" and "Save Layout" may be used, and the
// computation a command asks for together with the commit of its result.
//
// The main window forwards its events here and shows what the session says; it
// runs the computations the session asks for (on a worker thread) and hands the
// outcome back. A request's settings take effect only with its result, so a
// failed or cancelled computation leaves everything as it was.

#include "session/AppState.h"

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>

namespace sw {

// A computation to run: ComputeSheets on copies of these, with the settings
// DecisionSettings makes of `settings`; `settings` is what is committed.
struct ComputeRequest {
    Settings settings;
    Feature feature;
};

// The settings the application's sheets are computed with: the IN decision is
// made at DefaultSheetPixelHeight whatever the window's zoom, so the list never
// depends on how far the user had zoomed (a fitted huge layout can have 5 px per
// sheet); the zoom changes only the drawing. The command line's --zoom is the
// same decision resolution, 70 unless given.
Settings DecisionSettings(const Settings& s);

// What the view does once a feature request has been committed.
struct CommitResult {
    bool FitToScreen = false; // fit the new image to the window
    // The file the committed feature came from, which the caption now names;
    // none when the request named none.
    std::optional<std::filesystem::path> InputFile;
    bool NewFeature = false; // a new feature, not the old one at new settings
};

class Session {
public:
    // The start settings: old series, "1:50,000", data type Point, zoom 70, no
    // feature, "Save Layout" disabled.
    Session();

    const AppState& State() const { return state_; }
    // The vertex grid edits the table in place; everything else changes through
    // the commands below.
    AppState& State() { return state_; }

    bool FeatureLoaded() const { return state_.feature.FeatureLoaded == 1; }
    bool SaveEnabled() const { return saveEnabled_; }
    // "Report" follows FeatureLoaded at once, whichever dialog gave the feature:
    // waiting for the window to be activated again left it disabled whenever the
    // window system did not send that event.
    bool ReportEnabled() const { return FeatureLoaded(); }
    // A computation has been asked for and its outcome not yet handed back.
    bool RequestPending() const { return pending_.has_value(); }

    // The series box picked item 0 (old) or 1 (open), the scale box the
    // zero-based `item`. Without a feature the change applies at once and no
    // computation is asked for; with one the request is returned and the
    // change takes effect with its result.
    std::optional<ComputeRequest> PickSeries(int item);
    std::optional<ComputeRequest> PickScale(int item);

    // The OK of the point or vertex dialog: the feature (FeatureLoaded set)
    // computed at the current settings. On success "Save Layout" is enabled and
    // the image is fitted when `fitToScreen`. `source` is the file the feature
    // was read from, empty for a typed one; the caption follows it.
    // A zoom that a fit or the image size limit lowered is not inherited: the
    // new feature starts at the default zoom and is lowered only if it must be.
    ComputeRequest AcceptFeature(Feature feature, bool fitToScreen, bool enableReport,
                                 std::filesystem::path source = {});

    // "Open layer": the chosen features of the GIS file at `path` (UTF-8) as one
    // feature, computed at the current settings. With the result the data type
    // follows the feature's parts, the file becomes the input the report names,
    // "Save Layout" and "Report" are enabled and the image is fitted.
    ComputeRequest OpenLayer(Feature feature, const std::filesystem::path& path);

    // "Find sheet": the sheet `number` (Windows text) of the current series,
    // drawn at its scale as a point at its centre; the data type becomes Point
    // with the result. Throws UnknownSheetError for a number no sheet carries.
    ComputeRequest FindSheet(const std::string& number);

    // The outcome of the pending request. Commit swaps the result in whole,
    // keeping a data type chosen meanwhile in its dialog (unless the request set
    // one); Abandon forgets the request and changes nothing.
    CommitResult Commit(const Settings& settings, Feature feature, SheetGrid grid);
    void Abandon();

    // One zoom step in or out; false (and nothing changes) without a feature,
    // while a request is pending, or at the bound.
    bool ZoomIn();
    bool ZoomOut();
    // A zoom the user chose with the wheel, within the buttons' bounds; false
    // (and nothing changes) as for ZoomIn, or when it is the zoom already.
    bool ZoomTo(int32_t sheetPixelHeight);
    // The zoom that "Fit to Screen" starts from, and the one fitting chose.
    void ResetZoom();
    void SetZoom(int32_t sheetPixelHeight);
    // The image was made at `sheetPixelHeight`, which the size limit may have
    // lowered from the zoom asked for.
    void ImageMade(int32_t sheetPixelHeight);
    // The zoom was lowered by a fit or the size limit, not chosen by the user.
    bool ZoomLowered() const { return zoomLowered_; }

    // The file the shown feature was read from, empty for a typed one.
    const std::filesystem::path& FeatureSource() const { return featureSource_; }
    // The feature lies wholly outside the index: none of the sheets it touches
    // has a number.
    bool OutsideIndex() const;

    // "Clear": zoom 70, no feature, "Save Layout" and "Report" disabled. The
    // vertex dialog's table is emptied only when a layout image existed; the
    // return value says whether to do so.
    bool Clear(bool imageExists);

    // The layout image for the result could not be made even at `sheetPixelHeight`,
    // where the attempts left the zoom.
    void ImageRefused(int32_t sheetPixelHeight);

    // The data type dialog's choice, or the one a dropped file gives.
    void SetDataType(DataKind dataType);

    // The vertex dialog filled its table from `path` (UTF-8), or was cleared.
    void InputOpened(const std::filesystem::path& path);
    void InputCleared();

private:
    struct Pending {
        bool isFeature = false; // a feature request, not a series or scale change
        bool fitToScreen = false;
        bool enableReport = false;
        std::optional<DataKind> dataType =
            std::nullopt; // set with the result; none keeps the current one
        // InputFileName with the result
        std::optional<std::filesystem::path> inputFile = std::nullopt;
        std::filesystem::path source = {}; // the file a feature request was read from
    };
    ComputeRequest Ask(const Settings& s, Feature f, const Pending& p);
    std::optional<ComputeRequest> ChangeSettings(const Settings& next);
    // The settings a new feature is computed at (see AcceptFeature).
    Settings FeatureSettings() const;

    AppState state_;
    std::optional<Pending> pending_;
    bool saveEnabled_ = false;
    bool zoomLowered_ = false;
    std::filesystem::path featureSource_;
};

} // namespace sw
