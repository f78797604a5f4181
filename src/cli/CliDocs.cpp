#include "cli/CliDocs.h"

#include "exchange/FormatRegistry.h"
#include "index/Settings.h"

#include <CLI/CLI.hpp>

#include <algorithm>
#include <sstream>

namespace sw::cli {

namespace {

// Text as roff prints it: backslashes escaped, dashes as hyphen-minus (options
// are copied from the page), and a leading dot or quote kept from being read as
// a request.
std::string Roff(const std::string& text) {
    std::string out;
    for (const char c : text) {
        if (c == '\\') {
            out += "\\e";
        } else if (c == '-') {
            out += "\\-";
        } else {
            out += c;
        }
    }
    if (!out.empty() && (out[0] == '.' || out[0] == '\'')) {
        out.insert(0, "\\&");
    }
    return out;
}

std::vector<std::string> Paragraphs(const std::string& text) {
    std::vector<std::string> paragraphs;
    std::size_t start = 0;
    while (start <= text.size()) {
        const std::size_t end = text.find("\n\n", start);
        paragraphs.push_back(text.substr(start, end == std::string::npos ? end : end - start));
        if (end == std::string::npos) {
            break;
        }
        start = end + 2;
    }
    return paragraphs;
}

// A paragraph of the help text. Its lines that start with blanks (the examples)
// keep their line breaks.
void WriteParagraph(std::ostream& out, const std::string& paragraph) {
    std::istringstream lines(paragraph);
    std::string line;
    bool inExample = false;
    while (std::getline(lines, line)) {
        const bool example = line.rfind("  ", 0) == 0;
        if (example && !inExample) {
            out << ".PP\n.nf\n";
        } else if (!example && inExample) {
            out << ".fi\n";
        }
        inExample = example;
        out << Roff(example ? line.substr(2) : line) << '\n';
    }
    if (inExample) {
        out << ".fi\n";
    }
}

std::vector<const CLI::App*> Commands(const CLI::App& app) {
    return app.get_subcommands([](const CLI::App*) { return true; });
}

// Options with a name to type, in the order they were defined; help first.
std::vector<const CLI::Option*> Named(const CLI::App& cmd) {
    return cmd.get_options([](const CLI::Option* o) { return o->nonpositional(); });
}

std::vector<const CLI::Option*> Positionals(const CLI::App& cmd) {
    return cmd.get_options([](const CLI::Option* o) { return !o->nonpositional(); });
}

// The placeholder of an option's value: "FILE", "INT", "LAT LON".
std::string ValueName(const CLI::Option& opt) {
    if (opt.get_items_expected_max() == 0) {
        return {};
    }
    const std::string name = opt.get_lnames().empty() ? std::string() : opt.get_lnames()[0];
    if (name == "point") {
        return "LAT LON";
    }
    if (name == "scale") {
        return "SCALE"; // its captions are listed in the description
    }
    const std::vector<std::string> words = OptionValueWords(opt);
    if (!words.empty()) {
        std::string list;
        for (const std::string& w : words) {
            list += (list.empty() ? "" : "|") + w;
        }
        return list;
    }
    if (NumericOption(opt)) {
        return "N";
    }
    if (name == "where") {
        return "SQL";
    }
    if (name == "layer" || name == "id-field") {
        return "NAME";
    }
    return "FILE";
}

std::string OptionNames(const CLI::Option& opt) {
    std::string names;
    for (const std::string& s : opt.get_snames()) {
        names += (names.empty() ? "-" : ", -") + s;
    }
    for (const std::string& l : opt.get_lnames()) {
        names += (names.empty() ? "--" : ", --") + l;
    }
    return names;
}

} // namespace

bool NumericOption(const CLI::Option& opt) {
    const std::string type = opt.get_type_name();
    return type.rfind("INT", 0) == 0 || type.rfind("UINT", 0) == 0 || type.rfind("FLOAT", 0) == 0;
}

std::vector<std::string> OptionValueWords(const CLI::Option& opt) {
    const std::vector<std::string>& l = opt.get_lnames();
    if (l == std::vector<std::string>{"series"}) {
        return {"old", "open"};
    }
    if (l == std::vector<std::string>{"scale"}) {
        std::vector<std::string> words;
        for (const Series s : {Series::OldSeries, Series::OpenSeries}) {
            for (const std::string& c : ScaleCaptions(s)) {
                if (std::find(words.begin(), words.end(), c) == words.end()) {
                    words.push_back(c);
                }
            }
        }
        return words;
    }
    if (l == std::vector<std::string>{"out-format"}) {
        std::vector<std::string> words;
        for (const OutputFormat* f : GisFormats()) {
            words.emplace_back(f->Id);
        }
        return words;
    }
    // A check of allowed values shows in the type name as ":{a,b,c}".
    const std::string type = opt.get_type_name();
    const std::size_t open = type.find('{');
    const std::size_t close = type.find('}', open);
    std::vector<std::string> words;
    if (open == std::string::npos || close == std::string::npos) {
        return words;
    }
    std::istringstream list(type.substr(open + 1, close - open - 1));
    std::string word;
    while (std::getline(list, word, ',')) {
        words.push_back(word);
    }
    return words;
}

std::string CliManPage(const CLI::App& app, const std::string& date, const std::string& version) {
    std::ostringstream out;
    const std::string name = app.get_name();
    std::string upper = name;
    std::transform(upper.begin(), upper.end(), upper.begin(),
                   [](unsigned char c) { return static_cast<char>(std::toupper(c)); });
    const std::vector<std::string> about = Paragraphs(app.get_description());
    std::string summary = about.front();
    if (!summary.empty()) {
        summary[0] = static_cast<char>(std::tolower(static_cast<unsigned char>(summary[0])));
        if (summary.back() == '.') {
            summary.pop_back();
        }
    }
    out << ".\\\" Made by sheetwright-cli-docs from the tool's option definitions.\n";
    out << ".TH " << Roff(upper) << " 1 \"" << date << "\" \"Sheetwright " << version
        << "\" \"User Commands\"\n";
    out << ".SH NAME\n" << Roff(name) << " \\- " << Roff(summary) << '\n';

    out << ".SH SYNOPSIS\n";
    bool first = true;
    for (const CLI::App* cmd : Commands(app)) {
        out << (first ? "" : ".br\n") << ".B " << Roff(name + " " + cmd->get_name()) << '\n'
            << "[\\fIOPTIONS\\fR]";
        for (const CLI::Option* p : Positionals(*cmd)) {
            out << " [\\fI" << Roff(p->get_name()) << "\\fR]";
        }
        out << '\n';
        first = false;
    }
    out << ".br\n.B " << Roff(name) << "\n.RB [ \\-\\-help | \\-\\-version ]\n";

    out << ".SH DESCRIPTION\n";
    for (std::size_t i = 0; i < about.size(); ++i) {
        out << (i == 0 ? "" : ".PP\n");
        WriteParagraph(out, about[i]);
    }

    out << ".SH COMMANDS\n";
    for (const CLI::App* cmd : Commands(app)) {
        out << ".SS " << Roff(cmd->get_name()) << '\n';
        const std::vector<std::string> text = Paragraphs(cmd->get_description());
        for (std::size_t i = 0; i < text.size(); ++i) {
            out << (i == 0 ? "" : ".PP\n");
            WriteParagraph(out, text[i]);
        }
        for (const CLI::Option* p : Positionals(*cmd)) {
            out << ".TP\n.I " << Roff(p->get_name()) << '\n' << Roff(p->get_description()) << '\n';
        }
        for (const CLI::Option* o : Named(*cmd)) {
            const std::string value = ValueName(*o);
            if (value.empty()) {
                out << ".TP\n.B " << Roff(OptionNames(*o)) << '\n';
            } else {
                out << ".TP\n.BI \"" << Roff(OptionNames(*o)) << " \" \"" << Roff(value) << "\"\n";
            }
            out << Roff(o->get_description()) << '\n';
        }
    }
    out << ".SH OPTIONS\n.TP\n.B \\-h, \\-\\-help\nPrint the help of the tool, or of the "
           "command it follows, and exit.\n.TP\n.B \\-\\-version\nPrint the version and exit.\n";
    out << ".SH SEE ALSO\n.BR sheetwright (1)\n";
    return out.str();
}

std::string CliBashCompletion(const CLI::App& app) {
    std::ostringstream out;
    const std::string name = app.get_name();
    std::string fn = "_" + name;
    std::replace(fn.begin(), fn.end(), '-', '_');
    out << "# bash completion for " << name
        << ", made by sheetwright-cli-docs from the tool's option definitions.\n";
    out << fn << "() {\n"
        << "    local cur prev words cword\n"
        // Scale captions hold colons, which bash would otherwise split words at.
        << "    _init_completion -n : || return\n"
        << "    local cmd=\"\" i\n"
        << "    for ((i = 1; i < cword; i++)); do\n"
        << "        case \"${words[i]}\" in\n";
    std::string commands;
    for (const CLI::App* cmd : Commands(app)) {
        commands += (commands.empty() ? "" : " ") + cmd->get_name();
    }
    out << "            " <<
        [&] {
            std::string alt = commands;
            std::replace(alt.begin(), alt.end(), ' ', '|');
            return alt;
        }()
        << ") cmd=${words[i]}; break ;;\n"
        << "        esac\n"
        << "    done\n"
        << "    if [[ -z $cmd ]]; then\n"
        << "        COMPREPLY=($(compgen -W \"" << commands << " --help --version\" -- \"$cur\"))\n"
        << "        return\n"
        << "    fi\n"
        << "    case \"$cmd\" in\n";
    for (const CLI::App* cmd : Commands(app)) {
        std::string options;
        out << "    " << cmd->get_name() << ")\n"
            << "        case \"$prev\" in\n";
        for (const CLI::Option* o : Named(*cmd)) {
            std::string names;
            for (const std::string& s : o->get_snames()) {
                names += (names.empty() ? "-" : "|-") + s;
            }
            for (const std::string& l : o->get_lnames()) {
                names += (names.empty() ? "--" : "|--") + l;
                options += (options.empty() ? "--" : " --") + l;
            }
            if (o->get_items_expected_max() == 0) {
                continue;
            }
            const std::vector<std::string> words = OptionValueWords(*o);
            out << "        " << names << ")\n";
            if (!words.empty()) {
                std::string list;
                for (const std::string& w : words) {
                    list += (list.empty() ? "" : " ") + w;
                }
                out << "            COMPREPLY=($(compgen -W \"" << list << "\" -- \"$cur\"))\n"
                    << "            __ltrim_colon_completions \"$cur\"\n";
            } else if (!NumericOption(*o)) {
                out << "            _filedir\n";
            }
            out << "            return ;;\n";
        }
        out << "        esac\n"
            << "        if [[ $cur == -* ]]; then\n"
            << "            COMPREPLY=($(compgen -W \"" << options << "\" -- \"$cur\"))\n"
            << "        else\n"
            << "            _filedir\n"
            << "        fi\n"
            << "        ;;\n";
    }
    out << "    esac\n"
        << "} && complete -F " << fn << ' ' << name << '\n';
    return out.str();
}

} // namespace sw::cli
