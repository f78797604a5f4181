// The entry of the GIS module that the command-line tool loads on the first use
// of a GIS layer (exchange/GdalModule.h).

#include "exchange/GdalBackend.h"
#include "exchange/GdalModule.h"

extern "C" __attribute__((visibility("default"))) const sw::GisBackend* SheetwrightGdalModule() {
    static const sw::GdalBackend backend;
    return &backend;
}
