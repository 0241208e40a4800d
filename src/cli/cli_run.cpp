#include "cli/cli_run.h"

#include <algorithm>
#include <filesystem>
#include <iostream>
#include <iterator>
#include <string_view>
#include <system_error>

#include "cli/cli_check.h"
#include "engine/table_engine.h"
#include "cli/cli_selection.h"
#include "cli/cli_sources.h"
#include "pipeline/conversion_session.h"
#include "pipeline/encoding_hint.h"
#include "platform/code_page.h"
#include "platform/error_catalogue.h"
#include "platform/headless_desktop.h"
#include "platform/paths.h"
#include "platform/text.h"

#ifndef LORVANE_VERSION
#define LORVANE_VERSION "unknown"
#endif

namespace lorvane::cli {
namespace {

struct Advice {
    int number;
    std::string_view text;
};

// What to do about the failures a run commonly meets; the catalogue's own texts for the
// conversion's failures already say it.
constexpr Advice kAdvice[] = {
    {errors::kOutOfMemory, "the conversion needs more memory than there is: split the document"},
    {errors::kOutOfStringSpace, "the converted text grew too long: split the document"},
    {errors::kFileNotFound, "check that the file exists"},
    {errors::kDeviceIoError, "check the disk"},
    {errors::kDiskFull, "free some space on the disk"},
    {errors::kTooManyFiles, "close other programs and try again"},
    {errors::kPermissionDenied, "check the permissions of the result and its folder"},
    {errors::kPathFileAccessError, "check that the result's path names a file that can be written"},
    {errors::kPathNotFound, "check that the result's folder exists"},
    {errors::kOutputIsSource,
     "the result's name is the source's own: rename the source or use a table with another "
     "output extension"},
};

std::string advice(int number) {
    for (const Advice& entry : kAdvice) {
        if (entry.number == number) return ": " + std::string(entry.text);
    }
    if (number >= errors::kTemplateMarkerUnclosed && number <= errors::kTooManySegments) return {};
    return ": correct the cause named and run the conversion again";
}

int usageError(std::ostream& err, const std::u16string& message) {
    err << "lorvane-cli: " << toUtf8(message) << '\n';
    return kExitUsage;
}

int conversionError(std::ostream& err, const std::u16string& source, const Failure& failure) {
    err << "lorvane-cli: cannot convert " << toUtf8(source) << ": " << failure.message()
        << advice(failure.number) << '\n';
    return kExitConversionFailed;
}

std::u16string absoluteFolder(const std::u16string& folder) {
    std::error_code error;
    const auto absolute = std::filesystem::absolute(toFsPath(folder), error);
    return withoutTrailingSeparator(error ? folder : fromFsPath(absolute));
}

std::u16string programFolder(const CliOptions& options, const CliEnvironment& environment) {
    if (!options.home) return withoutTrailingSeparator(environment.defaultHome);
    return absoluteFolder(*options.home);
}

// The folder --output names, created with its parents when missing.
Status prepareOutputFolder(const std::u16string& folder) {
    std::error_code error;
    std::filesystem::create_directories(toFsPath(folder), error);
    if (isDirectory(folder)) return {};
    Failure failure = failureFor(errors::kPathNotFound, folder);
    failure.description = u"the --output folder " + folder + u" cannot be created" +
                          (error ? u" (" + fromUtf8(error.message()) + u")" : u"") +
                          u": give a folder you may write into";
    return failure;
}

void note(const std::u16string& hint, std::ostream& err) {
    err << "lorvane-cli: note: " << toUtf8(hint) << '\n';
}

// What the user should know after a run: sources that looked like UTF-8, the user's files the
// results replaced, and the sources a result replaced before their turn.
void noteRunOutcome(const RunOutcome& outcome, std::ostream& err) {
    for (const std::u16string& hint : outcome.hints)
        note(hint, err);
    for (const std::u16string& backup : outcome.backups) {
        const std::u16string replaced = backup.substr(0, backup.size() - 1);
        err << "lorvane-cli: note: " << toUtf8(replaced) << " was not written by Lorvane: kept as "
            << toUtf8(backup) << '\n';
    }
    for (const std::u16string& source : outcome.skipped) {
        err << "lorvane-cli: note: " << toUtf8(source)
            << " is not converted: a result of this run replaced it";
        const std::u16string backup = source + u"~";
        if (std::find(outcome.backups.begin(), outcome.backups.end(), backup) !=
            outcome.backups.end()) {
            err << " (its text is kept as " << toUtf8(backup) << ")";
        }
        err << '\n';
    }
}

void noteIgnoredSchemeLines(const SelectionModel& selection, std::ostream& err) {
    if (!selection.SchemeMode()) return;
    for (int line : selection.ignoredSchemeLines()) {
        err << "lorvane-cli: note: line " << line << " of " << toUtf8(selection.schemeFilePath())
            << " has no \" == \" and is ignored\n";
    }
}

int convertStandardInput(ConversionSession& session, int codePage, std::istream& in,
                         std::ostream& out, std::ostream& err) {
    const std::string bytes{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    FileEncoding read;
    auto document = session.RewriteStream(bytes, &read);
    if (!document) return conversionError(err, u"standard input", document.failure());
    if (read.looksLikeUtf8) note(utf8LookingSourceHint(u"standard input", codePage), err);
    out.write(document->data(), static_cast<std::streamsize>(document->size()));
    out.flush();
    return kExitOk;
}

int convertFiles(ConversionSession& session, SourcePlan& plan, const CliEnvironment& environment,
                 TracePrinter* trace, std::ostream& out, std::ostream& err) {
    RunRequest& request = plan.request;
    const bool progressShown = environment.progressShown;
    // The path as the file system spells it, so a script reading the output can open it. A
    // terminal shows each line as its result is written; into a file or a pipe the lines go
    // together, as they do from other tools (standard error is tied to the output, so a message
    // never comes before the paths written ahead of it).
    request.written = [&out, shown = environment.outputShown](const std::u16string& path) {
        out << toFsPath(path).native() << '\n';
        if (shown) out.flush();
    };
    bool progressLine = false;
    if (progressShown || trace != nullptr) {
        request.progress = [&err, &progressLine, progressShown, trace](
                               int index, int count, const std::u16string& path) {
            if (trace != nullptr) trace->source(path);
            if (!progressShown || count < 2) return;
            err << "\r\x1b[K[" << index + 1 << '/' << count << "] " << toUtf8(fileNamePart(path))
                << std::flush;
            progressLine = true;
        };
    }
    const RunOutcome outcome = session.Rewrite(request);
    out.flush();
    if (progressLine) err << "\r\x1b[K" << std::flush;
    noteRunOutcome(outcome, err);
    if (outcome.failure) return conversionError(err, outcome.failedSource, *outcome.failure);
    return kExitOk;
}

}  // namespace

int runCli(const CliOptions& options, const CliEnvironment& environment, std::istream& in,
           std::ostream& out, std::ostream& err) {
    if (options.help) {
        out << usageText();
        return kExitOk;
    }
    if (options.version) {
        out << "lorvane-cli " << LORVANE_VERSION << '\n';
        return kExitOk;
    }
    const std::u16string home = programFolder(options, environment);
    if (!isDirectory(home)) {
        return usageError(err, u"the program folder " + home +
                                   u" does not exist: give one with --home DIR or LORVANE_HOME");
    }
    const int codePage = options.codePage.value_or(environment.defaultCodePage);
    const int tableCodePage = options.tableCodePage.value_or(environment.defaultTableCodePage);
    for (int number : {codePage, tableCodePage}) {
        if (auto page = CodePage::forNumber(number); !page) {
            return usageError(err, page.failure().description);
        }
    }

    HeadlessDesktop desktop(err, options.open);
    const std::u16string outputFolder = options.output ? absoluteFolder(*options.output) : u"";
    ConversionSession session(SessionConfig{home, codePage, environment.documentsFolder, &desktop,
                                            tableCodePage, outputFolder});
    SelectionModel& selection = session.selection();
    if (selection.buildModeList() == 0) {
        return usageError(err, u"the program folder " + home +
                                   u" holds no mode folders (@NAME) and no scheme files "
                                   u"(r@NAME.txt): point --home at a program folder");
    }
    if (options.list) {
        printModeList(selection, out);
        return kExitOk;
    }
    if (options.check) return runCheck(options, selection, *CodePage::forNumber(tableCodePage), out, err);
    if (Status selected = applySelection(selection, options); !selected) {
        return usageError(err, selected.failure().description);
    }
    noteIgnoredSchemeLines(selection, err);

    auto plan = planSources(options);
    if (!plan) return usageError(err, plan.failure().description);
    TracePrinter trace(err);
    if (options.trace) session.tableEngine().setTrace(&trace);
    int status = kExitOk;
    if (plan->standardInput) {
        if (options.trace) trace.source(u"standard input");
        status = convertStandardInput(session, codePage, in, out, err);
    } else {
        plan->request.openResult = options.open;
        // A trace follows the steps of one engine, one source after another.
        plan->request.jobs = options.trace ? 1 : options.jobs.value_or(environment.cores);
        if (!outputFolder.empty()) {
            if (Status prepared = prepareOutputFolder(outputFolder); !prepared) {
                return usageError(err, prepared.failure().description);
            }
        }
        status =
            convertFiles(session, *plan, environment, options.trace ? &trace : nullptr, out, err);
    }
    if (options.trace) trace.finish();
    if (!options.quiet) reportUsedTables(session, *CodePage::forNumber(tableCodePage), err);
    return status;
}

}  // namespace lorvane::cli
