#include "cli/cli_options.h"

#include <charconv>
#include <optional>
#include <string_view>

#include "platform/error_catalogue.h"
#include "platform/paths.h"
#include "platform/text.h"

namespace lorvane::cli {
namespace {

enum class Takes { Nothing, Value };

struct OptionSpec {
    std::string_view name;
    Takes takes;
    std::string_view valueName;  // shown when the value is missing
};

constexpr OptionSpec kOptions[] = {
    {"--home", Takes::Value, "DIR"},         {"--codepage", Takes::Value, "N"},
    {"--table-codepage", Takes::Value, "N"}, {"--mode", Takes::Value, "NAME"},
    {"--table", Takes::Value, "NAME"},       {"--scheme", Takes::Value, "NAME"},
    {"--entry", Takes::Value, "NAME=TABLE"}, {"--folder", Takes::Nothing, ""},
    {"--pattern", Takes::Value, "PATTERN"},  {"--open", Takes::Nothing, ""},
    {"--list", Takes::Nothing, ""},          {"--help", Takes::Nothing, ""},
    {"--version", Takes::Nothing, ""},       {"--jobs", Takes::Value, "N"},
    {"--check", Takes::Nothing, ""},         {"--trace", Takes::Nothing, ""},
    {"--quiet", Takes::Nothing, ""},         {"--output", Takes::Value, "DIR"},
};

Failure usage(const std::string& message) {
    Failure failure = failureFor(errors::kInvalidProcedureCall);
    failure.description = fromUtf8(message);
    return failure;
}

const OptionSpec* findOption(std::string_view name) {
    for (const OptionSpec& option : kOptions) {
        if (option.name == name) return &option;
    }
    return nullptr;
}

// A whole positive decimal number, or nothing.
std::optional<int> positiveNumber(const std::string& value) {
    int number = 0;
    auto [end, error] = std::from_chars(value.data(), value.data() + value.size(), number);
    if (error != std::errc() || end != value.data() + value.size() || number <= 0) {
        return std::nullopt;
    }
    return number;
}

Status readCodePage(std::string_view name, const std::string& value, std::optional<int>& page) {
    page = positiveNumber(value);
    if (!page) {
        return usage(std::string(name) +
                     " needs a code page number such as 1251, 1252 or 65001, not '" + value + "'");
    }
    return {};
}

Status applyValue(CliOptions& options, std::string_view name, const std::string& value) {
    const std::u16string text = fromUtf8(value);
    if (name == "--home") {
        options.home = text;
    } else if (name == "--codepage") {
        return readCodePage(name, value, options.codePage);
    } else if (name == "--table-codepage") {
        return readCodePage(name, value, options.tableCodePage);
    } else if (name == "--mode") {
        options.mode = text;
    } else if (name == "--table") {
        options.table = text;
    } else if (name == "--scheme") {
        options.scheme = text;
    } else if (name == "--entry") {
        // Markers may hold "=" more readily than table names, so the last "=" separates.
        const std::size_t cut = text.rfind(u'=');
        if (cut == std::u16string::npos || cut == 0 || cut + 1 == text.size()) {
            return usage(
                "--entry needs NAME=TABLE (an open scheme entry and one of its tables), "
                "not '" +
                value + "'");
        }
        options.entries.push_back({text.substr(0, cut), text.substr(cut + 1)});
    } else if (name == "--output") {
        if (value.empty()) return usage("--output needs the folder the results go into");
        options.output = fromFsBytes(value);
    } else if (name == "--jobs") {
        options.jobs = positiveNumber(value);
        if (!options.jobs) {
            return usage("--jobs needs the number of sources to convert at once, 1 or more, not '" +
                         value + "'");
        }
    } else if (name == "--pattern") {
        if (value.empty()) return usage("--pattern needs a file pattern such as *.txt");
        options.pattern = text;
    }
    return {};
}

void applyFlag(CliOptions& options, std::string_view name) {
    if (name == "--folder") options.folder = true;
    if (name == "--open") options.open = true;
    if (name == "--list") options.list = true;
    if (name == "--check") options.check = true;
    if (name == "--trace") options.trace = true;
    if (name == "--quiet") options.quiet = true;
    if (name == "--help") options.help = true;
    if (name == "--version") options.version = true;
}

}  // namespace

Expected<CliOptions> parseArguments(const std::vector<std::string>& arguments) {
    CliOptions options;
    bool optionsEnded = false;
    for (std::size_t i = 0; i < arguments.size(); ++i) {
        const std::string& argument = arguments[i];
        if (optionsEnded || argument == "-" || !argument.starts_with("-")) {
            options.sources.push_back(fromFsBytes(argument));
            continue;
        }
        if (argument == "--") {
            optionsEnded = true;
            continue;
        }
        const std::size_t equals = argument.find('=');
        const std::string name = argument.substr(0, equals);
        const OptionSpec* known = findOption(name);
        if (known == nullptr) {
            return usage("unknown option '" + name + "': see lorvane-cli --help");
        }
        if (known->takes == Takes::Nothing) {
            if (equals != std::string::npos) {
                return usage(name + " takes no value: write it alone");
            }
            applyFlag(options, name);
            continue;
        }
        std::string value;
        if (equals != std::string::npos) {
            value = argument.substr(equals + 1);
        } else if (i + 1 < arguments.size()) {
            value = arguments[++i];
        } else {
            return usage(name + " needs a value: " + name + " " + std::string(known->valueName));
        }
        if (Status applied = applyValue(options, name, value); !applied) return applied.failure();
    }
    if (options.output) {
        for (const std::u16string& source : options.sources) {
            if (source == u"-") {
                return usage(
                    "--output cannot take the result of - (standard input): that document "
                    "goes to standard output; redirect it into a file instead");
            }
        }
    }
    if (options.mode && options.scheme) {
        return usage(
            "--mode and --scheme exclude each other: choose a source mode or a "
            "combined scheme");
    }
    return options;
}

std::string usageText() {
    return "Usage: lorvane-cli [OPTIONS] SOURCE...\n"
           "Converts text documents with the tables of a program folder and writes each result\n"
           "beside its source, printing the path of every file written.\n"
           "\n"
           "  --home DIR          program folder (default: LORVANE_HOME, else the executable's "
           "folder)\n"
           "  --codepage N        code page of the documents: sources without a byte-order "
           "mark, results (default: LORVANE_CODEPAGE, else 1251; 65001 is UTF-8)\n"
           "  --table-codepage N  code page of the program folder's files without a byte-order "
           "mark: tables, schemes, scripts, templates (default: LORVANE_TABLE_CODEPAGE, else "
           "1251)\n"
           "  --mode NAME         source mode: the mode folder \"@\" + NAME            (default: "
           "the first mode-list entry)\n"
           "  --table NAME        target table of that mode, without \".txt\"          (default: "
           "the mode's first table)\n"
           "  --scheme NAME       combined scheme instead of a mode: the file \"r@\" + NAME, "
           "\".txt\" added when missing\n"
           "  --entry NAME=TABLE  choose TABLE for the open scheme entry NAME (repeatable)\n"
           "  --folder            convert every file of the first SOURCE's folder that matches "
           "--pattern (the whole-folder scope)\n"
           "  --pattern PATTERN   file pattern for --folder and for folder SOURCEs (default "
           "\"*.*\")\n"
           "  --output DIR        write every result into DIR (created when missing) under "
           "its usual name, leaving the sources' folders untouched\n"
           "  --jobs N            convert N sources of a folder or list at once (default: the "
           "number of cores); tables that run scripts convert one after another\n"
           "  --open              open each result (or, for several sources, their folder) "
           "with the desktop's default application\n"
           "  --list              print the mode list (modes, then \"?\"-schemes) and each "
           "mode's tables, then exit\n"
           "  --check             check tables instead of converting: the table of --mode and "
           "--table, all tables\n"
           "                      of --mode, the scheme of --scheme, or else every table and "
           "scheme; prints\n"
           "                      FILE:LINE: warning: MESSAGE for each finding and a summary\n"
           "  --trace             print every table step applied to each source, with its file, "
           "line and\n"
           "                      what it did, on standard error\n"
           "  --quiet             do not print the findings for the tables a conversion used\n"
           "  --help, --version\n"
           "\n"
           "A SOURCE that is a folder converts every file in it matching --pattern. SOURCE \"-\"\n"
           "reads the text from standard input and writes the document to standard output.\n"
           "A file that begins with a byte-order mark (UTF-8, UTF-16) is read by its mark; a\n"
           "result is written in its source's encoding unless its table says \">codepage N\".\n"
           "\n"
           "Results are marked as Lorvane's (an extended attribute). A file of the result's name\n"
           "that carries no mark is the user's: it is kept as NAME~ beside the result, and a\n"
           "note on standard error says so. Folders never take marked results as sources.\n"
           "Messages are in English.\n"
           "\n"
           "Exit status: 0 success; 1 a conversion failed (results written before stay), or\n"
           "--check found warnings; 2 the command line cannot be carried out.\n";
}

}  // namespace lorvane::cli
