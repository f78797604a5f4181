// The entry of the GIS module that the command-line tool loads on the first use
// of a GIS layer.

#include "exchange/GdalModule.h"

extern "C" __attribute__((visibility("default"))) const sw::GdalModule* SheetwrightGdalModule() {
    static const sw::GdalModule module{
        sw::ReadGisLayer,
        sw::ReadGisLayerBytes,
        sw::SkippedFeaturesNote,
        sw::LooksLikeGisFile,
        [](const sw::GisFeature& f, std::string_view name) { return f.Attribute(name); },
        sw::OgrGridFiles,
        sw::WriteOgrGridFile,
        sw::StreamOgrGrid,
        sw::ClassifyProjectionText};
    return &module;
}
