// lorvane-vbs: runs a script file with the interpreter the conversions use. Standard input (when
// it is no terminal) is the working text that X() returns; what the script last sends goes to
// standard output; WScript.Echo prints lines; errors go to standard error as
// "FILE(LINE, COLUMN) error NUMBER: DESCRIPTION" with exit status 1.
#include <unistd.h>

#include <iostream>
#include <iterator>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "engine/engine_state.h"
#include "engine/script_runner.h"
#include "engine/table_engine.h"
#include "platform/text_file_reader.h"
#include "platform/code_page.h"
#include "platform/headless_desktop.h"
#include "platform/paths.h"
#include "platform/text.h"
#include "pipeline/script_host.h"
#include "scripting/wscript_object.h"

namespace lorvane {
namespace {

constexpr char kUsage[] =
    "usage: lorvane-vbs [--home DIR] [--codepage N] [--table FILE] FILE.vbs [ARG...]\n"
    "  Runs FILE.vbs: its top-level statements, then Main when it defines one.\n"
    "  Standard input is the working text (X); the last Send goes to standard output.\n"
    "  --table FILE  the current table for Rpl3 and ToSlv(n, 1), relative to the program folder\n";

struct Options {
    std::optional<std::string> home;
    int codePage = CodePage::numberFromEnvironment();
    std::optional<std::string> table;
    std::string script;
    std::vector<std::u16string> arguments;
};

std::optional<Options> parseOptions(int argc, char** argv) {
    Options options;
    int i = 1;
    for (; i < argc; ++i) {
        const std::string arg = argv[i];
        const bool hasValue = i + 1 < argc;
        if (arg == "--home" && hasValue) {
            options.home = argv[++i];
        } else if (arg == "--codepage" && hasValue) {
            try {
                options.codePage = std::stoi(argv[++i]);
            } catch (const std::exception&) {
                return std::nullopt;
            }
        } else if (arg == "--table" && hasValue) {
            options.table = argv[++i];
        } else if (arg == "--") {
            ++i;
            break;
        } else if (arg.rfind("--", 0) == 0) {
            return std::nullopt;
        } else {
            break;
        }
    }
    if (i >= argc) return std::nullopt;
    options.script = argv[i++];
    for (; i < argc; ++i)
        options.arguments.push_back(fromUtf8(argv[i]));
    return options;
}

std::u16string standardInput(const CodePage& page) {
    if (isatty(STDIN_FILENO)) return {};
    std::string bytes((std::istreambuf_iterator<char>(std::cin)), std::istreambuf_iterator<char>());
    std::u16string text = decodeFileBytes(bytes, page);
    normalizeLineEnds(text);
    return text;
}

int fail(const Failure& failure) {
    std::cerr << failure.message() << '\n';
    return 1;
}

int run(const Options& options) {
    auto page = CodePage::forNumber(options.codePage);
    if (!page) return fail(page.failure());
    const std::shared_ptr<const CodePage> codePage = *page;

    const std::u16string scriptPath = fromUtf8(options.script);
    auto bytes = ReadFileBytes(scriptPath);
    if (!bytes) return fail(bytes.failure());

    EngineState state;
    state.programFolder =
        options.home ? withoutTrailingSeparator(fromUtf8(*options.home)) : locateProgramFolder();
    state.codePage = codePage;
    if (options.table) {
        state.Tablett = resolveCaseInsensitive(state.programFolder + u"/" +
                                               normalizeSeparators(fromUtf8(*options.table)));
    }
    state.tmpText = standardInput(*codePage);

    HeadlessDesktop desktop(std::cerr);
    TableEngine engine(state);
    vbs::InterpreterOptions standalone;
    standalone.scriptVariablesFirst = true;
    ScriptHost host(
        state, engine, desktop,
        [&](const std::u16string& path) { return ReadTextFile(path, *codePage, &desktop); },
        codePage, standalone);

    auto echo = [&](const std::u16string& line) { std::cout << codePage->encode(line) << '\n'; };
    host.interpreter().AddObject(
        u"WScript", std::make_shared<vbs::WScriptObject>(scriptPath, options.arguments, echo),
        false);
    auto writeResult = [&] {
        std::cout << codePage->encode(host.output().scriptResult());
        std::cout.flush();
    };

    try {
        Status added = host.interpreter().AddCode(decodeFileBytes(*bytes, *codePage), scriptPath);
        if (!added) return fail(added.failure());
        if (host.interpreter().hasProcedure(u"Main")) {
            auto ran = host.interpreter().Run(u"Main");
            if (!ran) return fail(ran.failure());
        }
    } catch (const vbs::ScriptQuit& quit) {
        writeResult();
        return quit.exitCode;
    }
    writeResult();
    return 0;
}

}  // namespace
}  // namespace lorvane

int main(int argc, char** argv) {
    std::ios::sync_with_stdio(false);
    auto options = lorvane::parseOptions(argc, argv);
    if (!options) {
        std::cerr << lorvane::kUsage;
        return 2;
    }
    return lorvane::run(*options);
}
