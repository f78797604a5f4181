#include "exchange/WriteOutput.h"

#include "exchange/GisBackend.h"
#include "exchange/OgrGridRequest.h"
#include "exchange/Renderer.h"

namespace sw {

void WriteOutput(const OutputFormat& f, const OutputRequest& r, const std::filesystem::path& path,
                 const Modules& modules) {
    const RenderInput drawn{r.settings, r.feature, r.grid, r.inputPath, r.pictureZoom};
    if (f.WriteSheets != nullptr) {
        f.WriteSheets(path, r.settings, r.grid);
    } else if (f.WriteReport != nullptr) {
        if (!r.reportTable) {
            throw Error(ErrorKind::Usage, std::string(f.Caption) + " needs the report");
        }
        f.WriteReport(path, r.reportTable(), modules);
    } else if (!f.OgrDriver.empty()) {
        modules.Gis.Get().WriteGrid(path, OgrFormat{f.OgrDriver, f.Extension},
                                    OgrGridRequest{r.settings, r.grid, &r.feature, false});
    } else if (f.DrawnReport) {
        modules.Render.Get().WriteReportPdf(drawn, path);
    } else if (f.Picture != PictureEncoding::None) {
        modules.Render.Get().WriteLayoutPicture(f.Picture, drawn, path);
    }
}

} // namespace sw
