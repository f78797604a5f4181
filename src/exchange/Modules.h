#pragma once

// The optional parts of the program: GIS layers (GDAL), drawn pictures and PDFs
// (Qt Gui) and the report workbook (libxlsxwriter). Which of them a program has
// is decided by the program, not by the core: the application and the tests link
// the implementations and set them here; the command-line tool sets sources that
// load each part's module on its first use, so a command that needs none of them
// loads none. The program owns one `Modules` and hands it to the operations that
// may need a part.

#include "index/Error.h"

#include <functional>
#include <memory>
#include <string>
#include <utility>

namespace sw {

class GisBackend;
class Renderer;
class WorkbookWriter;

// One optional part: absent, linked in, or had from a source on each need (a
// source that loads a module keeps what it loaded).
template <typename Part> class ModuleSlot {
public:
    using Source = std::function<const Part&()>;

    // `missing` completes the message when the part is asked for but absent:
    // "the GIS formats are not available in this program".
    explicit ModuleSlot(std::string missing) : missing_(std::move(missing)) {}

    void Link(std::shared_ptr<const Part> part) {
        source_ = [part = std::move(part)]() -> const Part& { return *part; };
    }
    void Load(Source source) { source_ = std::move(source); }

    bool Provided() const { return static_cast<bool>(source_); }

    // The part; an Error (Usage) when the program has none. A source that cannot
    // load its module throws its own Error.
    const Part& Get() const {
        if (!source_) {
            throw Error(ErrorKind::Usage, missing_ + " are not available in this program");
        }
        return source_();
    }

private:
    std::string missing_;
    Source source_;
};

struct Modules {
    ModuleSlot<GisBackend> Gis{"the GIS formats"};
    ModuleSlot<Renderer> Render{"the picture and PDF outputs"};
    ModuleSlot<WorkbookWriter> Workbook{"the workbook output"};
};

} // namespace sw
