// format-table: prints the README's tables of file formats, made from the format
// registry; with `--update FILE` rewrites them in place between their markers.

#include "exchange/FormatTable.h"

#include <fstream>
#include <iostream>
#include <iterator>
#include <sstream>
#include <string>

int main(int argc, char** argv) {
    const std::string usage = "usage: format-table [--update README.md]\n";
    if (argc == 1) {
        std::cout << sw::FormatTablesMarkdown();
        return 0;
    }
    if (argc != 3 || std::string(argv[1]) != "--update") {
        std::cerr << usage;
        return 2;
    }
    const std::string file = argv[2];
    std::ifstream in(file, std::ios::binary);
    if (!in) {
        std::cerr << "format-table: cannot read \"" << file << "\"\n";
        return 1;
    }
    const std::string text{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    in.close();
    const auto updated = sw::WithFormatTables(text);
    if (!updated) {
        std::cerr << "format-table: \"" << file << "\" has no line \"" << sw::FormatTablesBegin
                  << "\" followed by a line \"" << sw::FormatTablesEnd << "\"\n";
        return 1;
    }
    if (*updated != text) {
        std::ofstream out(file, std::ios::binary | std::ios::trunc);
        out << *updated;
        if (!out.flush()) {
            std::cerr << "format-table: cannot write \"" << file << "\"\n";
            return 1;
        }
    }
    return 0;
}
