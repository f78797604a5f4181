#include "session/Session.h"

#include "coverage/FeatureUnion.h"
#include "session/FindSheet.h"

#include "index/SheetNumber.h"

#include <algorithm>
#include <string_view>
#include <utility>

namespace sw {

Settings DecisionSettings(const Settings& s) {
    Settings d = s;
    d.SheetPixelHeight = DefaultSheetPixelHeight;
    return d;
}

Session::Session() {
    state_.settings = StartSettings();
    state_.feature.FeatureLoaded = 0;
    state_.InputFileOpened = false;
}

ComputeRequest Session::Ask(const Settings& s, Feature f, const Pending& p) {
    pending_ = p;
    return ComputeRequest{s, std::move(f)};
}

std::optional<ComputeRequest> Session::ChangeSettings(const Settings& next) {
    if (FeatureLoaded()) {
        return Ask(next, state_.feature, Pending{});
    }
    state_.settings = next;
    return std::nullopt;
}

std::optional<ComputeRequest> Session::PickSeries(int item) {
    Settings next = state_.settings;
    SelectSeries(next, item == 1 ? Series::OpenSeries : Series::OldSeries);
    return ChangeSettings(next);
}

std::optional<ComputeRequest> Session::PickScale(int item) {
    Settings next = state_.settings;
    SelectScale(next, item + 1);
    return ChangeSettings(next);
}

Settings Session::FeatureSettings() const {
    Settings s = state_.settings;
    if (zoomLowered_) {
        s.SheetPixelHeight = DefaultSheetPixelHeight;
    }
    return s;
}

ComputeRequest Session::AcceptFeature(Feature feature, bool fitToScreen, bool enableReport,
                                      std::filesystem::path source) {
    feature.FeatureLoaded = 1;
    return Ask(FeatureSettings(), std::move(feature),
               Pending{.isFeature = true,
                       .fitToScreen = fitToScreen,
                       .enableReport = enableReport,
                       .source = std::move(source)});
}

ComputeRequest Session::OpenLayer(Feature feature, const std::filesystem::path& path) {
    feature.FeatureLoaded = 1;
    const DataKind dataType = DataTypeOf(feature);
    return Ask(FeatureSettings(), std::move(feature),
               Pending{.isFeature = true,
                       .fitToScreen = true,
                       .enableReport = true,
                       .dataType = dataType,
                       .inputFile = path,
                       .source = path});
}

ComputeRequest Session::FindSheet(const std::string& number) {
    SheetRequest request = PlanFindSheet(FeatureSettings(), number);
    request.feature.FeatureLoaded = 1;
    // The scale the sheet is at is committed only with the result, so a failed
    // request leaves the scale box as it was.
    return Ask(request.settings, std::move(request.feature),
               Pending{.isFeature = true, .dataType = DataKind::Point});
}

CommitResult Session::Commit(const Settings& settings, Feature feature, SheetGrid grid) {
    const Pending p = pending_.value_or(Pending{});
    pending_.reset();
    // The data type may have been changed meanwhile by its dialog; keep that
    // unless the request itself chose one.
    const DataKind dataType = p.dataType.value_or(state_.settings.DataType);
    state_.settings = settings;
    state_.settings.DataType = dataType;
    feature.FeatureLoaded = 1;
    state_.feature = std::move(feature);
    state_.grid = std::move(grid);
    CommitResult r;
    if (p.inputFile) {
        state_.InputFileName = *p.inputFile;
        r.InputFile = p.inputFile;
    }
    if (p.isFeature) {
        r.FitToScreen = p.fitToScreen;
        r.NewFeature = true;
        saveEnabled_ = true;
        zoomLowered_ = false;
        featureSource_ = p.source;
    }
    return r;
}

void Session::Abandon() {
    pending_.reset();
}

bool Session::ZoomIn() {
    Settings& s = state_.settings;
    if (RequestPending() || !FeatureLoaded() || s.SheetPixelHeight >= MaxSheetPixelHeight) {
        return false;
    }
    // A wheel zoom between the steps goes up to the bound, never past it.
    s.SheetPixelHeight = std::min(s.SheetPixelHeight + ZoomStep, MaxSheetPixelHeight);
    zoomLowered_ = false;
    return true;
}

bool Session::ZoomOut() {
    Settings& s = state_.settings;
    if (RequestPending() || !FeatureLoaded() || s.SheetPixelHeight <= MinSheetPixelHeight) {
        return false;
    }
    s.SheetPixelHeight = std::max(s.SheetPixelHeight - ZoomStep, MinSheetPixelHeight);
    zoomLowered_ = false;
    return true;
}

bool Session::ZoomTo(int32_t sheetPixelHeight) {
    Settings& s = state_.settings;
    const int32_t zoom = std::clamp(sheetPixelHeight, MinSheetPixelHeight, MaxSheetPixelHeight);
    if (RequestPending() || !FeatureLoaded() || zoom == s.SheetPixelHeight) {
        return false;
    }
    s.SheetPixelHeight = zoom;
    zoomLowered_ = false;
    return true;
}

void Session::ResetZoom() {
    state_.settings.SheetPixelHeight = DefaultSheetPixelHeight;
    zoomLowered_ = false;
}

void Session::SetZoom(int32_t sheetPixelHeight) {
    if (sheetPixelHeight < state_.settings.SheetPixelHeight) {
        zoomLowered_ = true;
    }
    state_.settings.SheetPixelHeight = sheetPixelHeight;
}

void Session::ImageMade(int32_t sheetPixelHeight) {
    SetZoom(sheetPixelHeight);
}

bool Session::OutsideIndex() const {
    if (!FeatureLoaded()) {
        return false;
    }
    for (const SheetRec& r : state_.grid.SheetList) {
        if (r.InFlag == 1 && !(r.SheetNo == std::string_view(OutsideSheetNo))) {
            return false;
        }
    }
    return true;
}

bool Session::Clear(bool imageExists) {
    if (imageExists) {
        InputCleared();
    }
    ResetZoom();
    state_.feature.FeatureLoaded = 0;
    saveEnabled_ = false;
    return imageExists;
}

void Session::ImageRefused(int32_t sheetPixelHeight) {
    SetZoom(sheetPixelHeight);
    state_.feature.FeatureLoaded = 0;
}

void Session::SetDataType(DataKind dataType) {
    state_.settings.DataType = dataType;
}

void Session::InputOpened(const std::filesystem::path& path) {
    state_.InputFileName = path;
    state_.InputFileOpened = true;
}

void Session::InputCleared() {
    state_.InputFileOpened = false;
}

} // namespace sw
