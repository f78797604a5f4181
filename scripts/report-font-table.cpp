// report-font-table FONT OUTPUT: writes the advance widths of the report's table
// font (Tahoma, 10 points at 96 pixels per inch, unhinted, no kerning) for every
// byte of the Windows character set, as a C++ table the core compiles in. Run at
// build time on the font file of Debian's fonts-wine, so the report's columns and
// row wrapping come out the same on every machine, whatever fonts it has, and a
// report needs no font library at run time.
//
// The widths are taken as the toolkit's FreeType engine takes them for an
// unhinted font: the character size is the pixel size in 26.6 units, rounded
// (13.333 px -> 853/64), and each advance is the glyph's linear (unhinted)
// advance cut to 26.6. A text's width is then the sum of its advances, rounded
// half up to whole pixels.

#include <ft2build.h>
#include FT_FREETYPE_H

#include <cmath>
#include <cstdint>
#include <cstdio>
#include <fstream>
#include <iostream>
#include <string>

namespace {

constexpr double PointSize = 10.0;
constexpr double PixelsPerInch = 96.0;

// The characters of bytes 0x80-0x9F in the Windows character set; the five it
// leaves undefined keep their own number (no glyph, as controls have none).
constexpr uint32_t High[32] = {0x20AC, 0x81,   0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
                               0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x8D,   0x017D, 0x8F,
                               0x90,   0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
                               0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x9D,   0x017E, 0x0178};

uint32_t CharacterOf(unsigned byte) {
    return byte >= 0x80 && byte < 0xA0 ? High[byte - 0x80] : byte;
}

// Controls and the soft hyphen take no room in a line of text.
bool TakesNoRoom(uint32_t ch) {
    return ch < 0x20 || (ch >= 0x7F && ch < 0xA0) || ch == 0xAD;
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 3) {
        std::cerr << "usage: report-font-table FONT OUTPUT\n";
        return 2;
    }
    const std::string fontPath = argv[1];
    FT_Library library = nullptr;
    if (FT_Init_FreeType(&library) != 0) {
        std::cerr << "report-font-table: FreeType cannot start\n";
        return 1;
    }
    FT_Face face = nullptr;
    if (FT_New_Face(library, fontPath.c_str(), 0, &face) != 0) {
        std::cerr << "report-font-table: " << fontPath
                  << ": cannot be read as a font (install fonts-wine: scripts/install-deps)\n";
        FT_Done_FreeType(library);
        return 1;
    }
    const auto size26_6 = static_cast<FT_F26Dot6>(std::lround(PointSize * PixelsPerInch / 72 * 64));
    if (FT_Set_Char_Size(face, size26_6, size26_6, 0, 0) != 0) {
        std::cerr << "report-font-table: " << fontPath << ": cannot be scaled\n";
        FT_Done_Face(face);
        FT_Done_FreeType(library);
        return 1;
    }
    std::string table;
    for (unsigned byte = 0; byte < 256; ++byte) {
        const uint32_t ch = CharacterOf(byte);
        long advance = 0;
        if (!TakesNoRoom(ch)) {
            // A character the font lacks is drawn (and measured) as its
            // missing-glyph box, glyph 0.
            const FT_UInt glyph = FT_Get_Char_Index(face, ch);
            if (FT_Load_Glyph(face, glyph, FT_LOAD_NO_HINTING | FT_LOAD_NO_BITMAP) != 0) {
                std::cerr << "report-font-table: " << fontPath << ": glyph " << glyph
                          << " cannot be loaded\n";
                FT_Done_Face(face);
                FT_Done_FreeType(library);
                return 1;
            }
            advance = face->glyph->linearHoriAdvance >> 10; // 16.16 to 26.6, cut
        }
        table += (byte % 8 == 0 ? "\n    " : " ") + std::to_string(advance) + ",";
    }
    const std::string family = face->family_name != nullptr ? face->family_name : "";
    const std::string style = face->style_name != nullptr ? face->style_name : "";
    FT_Done_Face(face);
    FT_Done_FreeType(library);

    std::ofstream out(argv[2], std::ios::binary | std::ios::trunc);
    out << "// Made at build time by scripts/report-font-table.cpp from the font file\n"
           "// "
        << fontPath << " (" << family << " " << style
        << "), 10 points at 96 pixels per inch.\n"
           "// The advance of every byte of the Windows character set, in 1/64 pixel.\n"
           "#pragma once\n"
           "#include <array>\n"
           "#include <cstdint>\n"
           "namespace sw::report_font {\n"
           "inline constexpr std::array<int32_t, 256> Advances64{"
        << table << "\n};\n} // namespace sw::report_font\n";
    out.close();
    if (!out) {
        std::cerr << "report-font-table: " << argv[2] << ": cannot be written\n";
        return 1;
    }
    return 0;
}
