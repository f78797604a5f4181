#pragma once

// The manual page and the bash completion of the tool, written from the same
// option definitions that parse its command line (DescribeCli), so neither can
// miss an option the tool has. Made at build time by sheetwright-cli-docs.

#include <string>
#include <vector>

namespace CLI {
class App;
class Option;
} // namespace CLI

namespace sw::cli {

// The words an option's value is completed from: the series, the scale
// captions of both series, the GIS formats of --out-format, or the set its
// check allows ("{text,json}" in its type name). Empty for a number; for
// anything else a file name is completed.
std::vector<std::string> OptionValueWords(const CLI::Option& opt);

// A value that is a number, not a file or a word.
bool NumericOption(const CLI::Option& opt);

// roff for man(7): `date` and `version` go into the title line.
std::string CliManPage(const CLI::App& app, const std::string& date, const std::string& version);

// A bash completion script: sub-commands, then each one's options and their
// values.
std::string CliBashCompletion(const CLI::App& app);

} // namespace sw::cli
