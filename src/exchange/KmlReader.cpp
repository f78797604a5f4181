#include "exchange/FileError.h"
#include "exchange/FileReading.h"
#include "exchange/InputLimits.h"
#include "exchange/KmlFile.h"
#include "exchange/SafeFile.h"

#include <algorithm>
#include <cstdint>
#include <filesystem>
#include <vector>

namespace sw {

namespace {

struct Tuple {
    std::string_view Lon;
    std::string_view Lat;
};

using CoordinateList = std::vector<Tuple>;

struct TooManyTuples {};

bool IsBlank(char ch) {
    return static_cast<unsigned char>(ch) <= 32;
}

bool IsNameChar(char ch) {
    return !IsBlank(ch) && ch != '>' && ch != '/';
}

// The local part of a tag name: "kml:coordinates" and "coordinates" alike.
std::string_view LocalName(std::string_view name) {
    const std::size_t colon = name.rfind(':');
    return colon == std::string_view::npos ? name : name.substr(colon + 1);
}

// Longitude before the first comma, latitude after it up to a second comma or the
// end; a token without a comma gives neither.
Tuple SplitTuple(std::string_view token) {
    const std::size_t c1 = token.find(',');
    if (c1 == std::string_view::npos) {
        return {};
    }
    std::string_view rest = token.substr(c1 + 1);
    const std::size_t c2 = rest.find(',');
    if (c2 != std::string_view::npos) {
        rest = rest.substr(0, c2);
    }
    return Tuple{token.substr(0, c1), rest};
}

// `budget` is the number of tuples still allowed; splitting stops past it.
CoordinateList SplitList(std::string_view text, std::size_t& budget) {
    CoordinateList list;
    std::size_t i = 0;
    while (i < text.size()) {
        while (i < text.size() && IsBlank(text[i])) {
            ++i;
        }
        const std::size_t start = i;
        while (i < text.size() && !IsBlank(text[i])) {
            ++i;
        }
        if (i > start) {
            if (budget == 0) {
                throw TooManyTuples{};
            }
            --budget;
            list.push_back(SplitTuple(text.substr(start, i - start)));
        }
    }
    return list;
}

// A tag starting at text[lt] == '<': its qualified name, whether it closes, and
// the position just past its '>' (npos when the text ends inside it).
struct Tag {
    std::string_view Name;
    bool Closing = false;
    bool SelfClosing = false;
    std::size_t End = std::string_view::npos;
};

Tag ReadTag(std::string_view text, std::size_t lt) {
    Tag tag;
    std::size_t i = lt + 1;
    if (i < text.size() && text[i] == '/') {
        tag.Closing = true;
        ++i;
    }
    const std::size_t nameStart = i;
    while (i < text.size() && IsNameChar(text[i])) {
        ++i;
    }
    tag.Name = text.substr(nameStart, i - nameStart);
    const std::size_t gt = text.find('>', i);
    if (gt != std::string_view::npos) {
        tag.End = gt + 1;
        tag.SelfClosing = !tag.Closing && gt > lt && text[gt - 1] == '/';
    }
    return tag;
}

// Every complete coordinates element, in document order. Comments are skipped,
// so a commented-out list is not read; a list whose closing tag is missing
// (a truncated file) is not read either.
std::vector<CoordinateList> FindLists(std::string_view text) {
    std::vector<CoordinateList> lists;
    // Every list adds a row of its own as well: both count against the limit.
    std::size_t budget = MaxInputVertices;
    std::size_t pos = 0;
    while ((pos = text.find('<', pos)) != std::string_view::npos) {
        if (text.substr(pos, 4) == "<!--") {
            const std::size_t end = text.find("-->", pos + 4);
            if (end == std::string_view::npos) {
                break;
            }
            pos = end + 3;
            continue;
        }
        const Tag open = ReadTag(text, pos);
        if (open.End == std::string_view::npos) {
            break;
        }
        pos = open.End;
        if (open.Closing || LocalName(open.Name) != "coordinates") {
            continue;
        }
        if (open.SelfClosing) {
            if (budget == 0) {
                throw TooManyTuples{};
            }
            --budget;
            lists.emplace_back();
            continue;
        }
        std::size_t search = pos;
        std::size_t close = std::string_view::npos;
        Tag closeTag;
        while ((search = text.find("</", search)) != std::string_view::npos) {
            closeTag = ReadTag(text, search);
            if (closeTag.End == std::string_view::npos) {
                break;
            }
            if (LocalName(closeTag.Name) == "coordinates") {
                close = search;
                break;
            }
            search = closeTag.End;
        }
        if (close == std::string_view::npos) {
            break;
        }
        if (budget == 0) {
            throw TooManyTuples{};
        }
        --budget;
        lists.push_back(SplitList(text.substr(pos, close - pos), budget));
        pos = closeTag.End;
    }
    return lists;
}

void ReadKml(std::string_view text, VertexTable& t, const std::string& what) {
    const std::size_t eof = text.find('\x1A');
    if (eof != std::string_view::npos) {
        text = text.substr(0, eof);
    }
    std::vector<CoordinateList> lists;
    try {
        lists = FindLists(text);
    } catch (const TooManyTuples&) {
        throw FileError(TooManyVerticesText(what));
    }

    std::size_t rows = 0;
    for (const auto& list : lists) {
        rows += list.size() + 1;
    }
    // Every row takes at least two bytes of text, so only a file of gigabytes
    // could get here; the counts below are 32-bit.
    if (rows > static_cast<std::size_t>(INT32_MAX - 4)) {
        throw FileError("The KML file holds too many coordinates");
    }

    int32_t r = 1;
    auto nextRow = [&] {
        ++r;
        t.SetRowCount(std::max(t.RowCount(), r));
    };
    // Each list with tuples is a part of its own: its closing row below is not a
    // vertex joining it to the next.
    std::vector<int32_t> partStarts;
    for (const auto& list : lists) {
        if (!list.empty()) {
            partStarts.push_back(r);
        }
        for (const Tuple& tuple : list) {
            t.SetCell(0, r, std::to_string(r));
            t.SetCell(1, r, std::string(tuple.Lat));
            t.SetCell(2, r, std::string(tuple.Lon));
            nextRow();
        }
        // The closing tag's row: numbered, its vertex cells emptied.
        t.SetCell(0, r, std::to_string(r));
        t.SetCell(1, r, std::string());
        t.SetCell(2, r, std::string());
        nextRow();
    }

    int32_t count = r - 3;
    if (!lists.empty()) {
        const CoordinateList& last = lists.back();
        if (last.size() >= 2 &&
            (last.back().Lon != last.front().Lon || last.back().Lat != last.front().Lat)) {
            ++count;
        }
    }
    t.VertexCount = count;
    t.IsPolygon = 1;
    t.PartStartRows = partStarts.size() > 1 ? std::move(partStarts) : std::vector<int32_t>{};
}

} // namespace

void ReadKmlText(std::string_view text, VertexTable& t) {
    ReadKml(text, t, "The KML text");
}

void ReadKmlFile(const std::filesystem::path& path, VertexTable& t) {
    const std::string text = ReadWholeFile(path, ReadFailureText::Runtime, MaxTextInputBytes);
    ReadKml(text, t, "The KML file \"" + path.string() + "\"");
}

} // namespace sw
