#include "cli/cli_check.h"

#include <cstdio>

#include "cli/cli_run.h"
#include "cli/cli_selection.h"
#include "pipeline/program_paths.h"
#include "pipeline/table_checker.h"
#include "engine/table_engine.h"
#include "engine/engine_state.h"
#include "platform/text.h"

namespace lorvane::cli {
namespace {

constexpr double kSlowStep = 0.001;  // seconds: slower steps get their time printed

void printFindings(const std::vector<Diagnostic>& diagnostics, std::ostream& out) {
    for (const Diagnostic& diagnostic : diagnostics) {
        out << toUtf8(formatDiagnostic(diagnostic, Language::English)) << '\n';
    }
}

std::string plural(std::size_t count, const char* word) {
    return std::to_string(count) + ' ' + word + (count == 1 ? "" : "s");
}

}  // namespace

int runCheck(const CliOptions& options, SelectionModel& selection,
             std::shared_ptr<const CodePage> page, std::ostream& out, std::ostream& err) {
    TableChecker checker(selection.programFolder(), page);
    if (options.scheme || options.mode || options.table) {
        Status chosen = selectSource(selection, options);
        if (chosen && options.scheme) {
            checker.checkScheme(selection.schemeFilePath());
        } else if (chosen && options.table) {
            chosen = selectTable(selection, options);
            if (chosen) {
                checker.checkTable(tableFilePath(selection.programFolder(), selection.modeText(),
                                                 selection.tableText()),
                                   selection.modeText());
            }
        } else if (chosen) {
            checker.checkMode(selection.modeText());
        }
        if (!chosen) {
            err << "lorvane-cli: " << toUtf8(chosen.failure().description) << '\n';
            return kExitUsage;
        }
    } else {
        checker.checkEverything();
    }
    printFindings(checker.diagnostics(), out);
    std::size_t warnings = 0;
    for (const Diagnostic& diagnostic : checker.diagnostics()) {
        if (diagnostic.severity == Severity::Warning) ++warnings;
    }
    const std::size_t notes = checker.diagnostics().size() - warnings;
    out << plural(warnings, "warning") << ", " << plural(notes, "note") << " in "
        << plural(checker.filesChecked(), "file") << " checked\n";
    return warnings == 0 ? kExitOk : kExitConversionFailed;
}

void reportUsedTables(ConversionSession& session, std::shared_ptr<const CodePage> page,
                      std::ostream& err) {
    const SelectionModel& selection = session.selection();
    TableChecker checker(selection.programFolder(), std::move(page));
    for (const auto& table : session.tableEngine().tableCache().tables()) {
        if (table->origin == TableOrigin::TopLevel) {
            checker.checkTable(table->file, session.engineState().modeName);
        }
    }
    for (const Diagnostic& diagnostic : checker.diagnostics()) {
        err << "lorvane-cli: " << toUtf8(formatDiagnostic(diagnostic, Language::English)) << '\n';
    }
}

void TracePrinter::source(const std::u16string& path) {
    out_ << "trace: " << toUtf8(path) << '\n';
}

void TracePrinter::stepApplied(const TraceEvent& event) {
    out_ << std::string(2 * (event.depth + 1), ' ');
    if (!event.file.empty()) out_ << toUtf8(event.file) << ':' << event.line << ": ";
    out_ << toUtf8(event.what);
    if (!event.detail.empty()) out_ << " '" << toUtf8(event.detail) << "'";
    if (event.what == u"pair") {
        out_ << ": " << plural(event.replacements, "replacement");
    } else if (!event.acted) {
        out_ << ": nothing done";
    }
    out_ << ", " << event.lengthBefore << " -> " << event.lengthAfter << " characters";
    if (event.seconds >= kSlowStep) {
        char time[32];
        std::snprintf(time, sizeof time, ", %.1f ms", event.seconds * 1000);
        out_ << time;
    }
    out_ << '\n';
    if (!event.file.empty()) {
        bool& fired = fired_[{event.file, event.line}];
        fired = fired || event.acted;
    }
}

void TracePrinter::finish() {
    std::size_t silent = 0;
    for (const auto& [place, fired] : fired_) {
        if (fired) continue;
        if (silent++ == 0) out_ << "trace: lines that never acted:\n";
        out_ << "  " << toUtf8(place.first) << ':' << place.second << '\n';
    }
    out_.flush();
}

}  // namespace lorvane::cli
