#include "exchange/WriteOutput.h"

#include "exchange/GisBackend.h"
#include "exchange/OgrGridRequest.h"
#include "exchange/Renderer.h"

#include <variant>

namespace sw {

namespace {

// One call operator per way of writing, for std::visit.
template <typename... Ways> struct EachWay : Ways... { using Ways::operator()...; };

} // namespace

void WriteOutput(const OutputFormat& f, const OutputRequest& r, const std::filesystem::path& path,
                 const Modules& modules) {
    const RenderInput drawn{r.settings, r.feature, r.grid, r.inputPath, r.pictureZoom};
    std::visit(EachWay{
                   [&](const WritesSheets& w) {
                       if (r.plan != nullptr) {
                           w.Write(path, r.settings, r.grid, *r.plan);
                       } else {
                           w.Write(path, r.settings, r.grid,
                                   PlanLayout(r.settings, r.grid.GridCols, r.grid.GridRows));
                       }
                   },
                   [&](const WritesReport& w) {
                       if (!r.reportTable) {
                           throw Error(ErrorKind::Usage,
                                       std::string(f.Caption) + " needs the report");
                       }
                       w.Write(path, r.reportTable(), modules);
                   },
                   [&](const WritesGrid& w) {
                       OgrGridRequest grid{r.settings, r.grid, &r.feature, false};
                       grid.plan = r.plan;
                       modules.Gis.Get().WriteGrid(path, OgrFormat{w.Driver, f.Extension}, grid);
                   },
                   [&](const DrawsReport&) { modules.Render.Get().WriteReportPdf(drawn, path); },
                   [&](const DrawsPicture& w) {
                       modules.Render.Get().WriteLayoutPicture(w.Encoding, drawn, path);
                   },
               },
               f.Writer);
}

} // namespace sw
