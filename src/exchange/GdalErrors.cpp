#include "exchange/GdalErrors.h"

#include <cpl_error.h>
#include <gdal.h>

#include <mutex>

namespace sw {

namespace {

void CPL_STDCALL KeepFirstFailure(CPLErr level, CPLErrorNum, const char* msg) {
    auto* first = static_cast<std::string*>(CPLGetErrorHandlerUserData());
    if (first != nullptr && level >= CE_Failure && first->empty() && msg != nullptr) {
        *first = msg;
    }
}

} // namespace

QuietGdal::QuietGdal() {
    static std::once_flag registered;
    std::call_once(registered, [] { GDALAllRegister(); });
    CPLPushErrorHandlerEx(KeepFirstFailure, &firstFailure_);
    CPLErrorReset();
}

QuietGdal::~QuietGdal() {
    CPLPopErrorHandler();
}

std::string GdalFirstFailure() {
    const auto* first = static_cast<const std::string*>(CPLGetErrorHandlerUserData());
    return first != nullptr && !first->empty() ? *first : std::string(CPLGetLastErrorMsg());
}

void ForgetGdalFailures() {
    CPLErrorReset();
    if (auto* first = static_cast<std::string*>(CPLGetErrorHandlerUserData())) {
        first->clear();
    }
}

} // namespace sw
