#include "pipeline/table_checker.h"

#include <algorithm>

#include "pipeline/program_paths.h"
#include "pipeline/scheme_file.h"
#include "pipeline/script_host.h"
#include "pipeline/selection_model.h"
#include "platform/error_catalogue.h"
#include "platform/file_lister.h"
#include "platform/paths.h"
#include "platform/text.h"
#include "platform/text_file_reader.h"
#include "scripting/lexer.h"
#include "scripting/names.h"
#include "scripting/parser.h"

namespace lorvane {
namespace {

bool isBuiltInExtension(std::u16string_view extent) {
    return extent == u".txt" || extent == u".htm" || extent == u".rtf";
}

}  // namespace

TableChecker::TableChecker(std::u16string programFolder, std::shared_ptr<const CodePage> page)
    : programFolder_(withoutTrailingSeparator(programFolder)), page_(std::move(page)) {}

void TableChecker::add(const std::u16string& file, int line, DiagnosticKind kind,
                       std::vector<std::u16string> arguments) {
    diagnostics_.push_back({file, line, Severity::Warning, kind, std::move(arguments)});
}

void TableChecker::checkTable(const std::u16string& path, const std::u16string& modeName) {
    if (!checked_.insert({path, TableOrigin::TopLevel}).second) return;
    if (!stampOf(path)) {
        add(path, 0, DiagnosticKind::TableNotFound, {path});
        return;
    }
    auto table = cache_.load(path, TableOrigin::TopLevel, *page_);
    if (table) checkCompiled(**table, modeName);
}

void TableChecker::checkMode(const std::u16string& modeName) {
    FileLister tables;
    if (!tables.setFolder(modeFolderPath(programFolder_, modeName))) return;
    for (const std::u16string& file : tables.entries()) {
        if (file.size() < 4 || file.front() == u'@') continue;
        checkTable(tableFilePath(programFolder_, modeName, file.substr(0, file.size() - 4)),
                   modeName);
    }
}

void TableChecker::checkScheme(const std::u16string& schemePath) {
    if (!checked_.insert({schemePath, TableOrigin::TopLevel}).second) return;
    if (!stampOf(schemePath)) {
        add(schemePath, 0, DiagnosticKind::TableNotFound, {schemePath});
        return;
    }
    const SchemeFile scheme = parseScheme(ReadTextFile(schemePath, *page_, nullptr));
    for (int line : scheme.ignoredLines) add(schemePath, line, DiagnosticKind::NoSeparator, {});
    const std::u16string modeName = u"?" + fileNamePart(schemePath).substr(2);
    std::vector<std::u16string> tables;  // checked after the scheme's own findings
    for (std::size_t i = 0; i < scheme.entries.size(); ++i) {
        const SchemeEntry& entry = scheme.entries[i];
        const int line = scheme.entryLines[i];
        const std::u16string path = programRelative(programFolder_, entry.Path);
        if (entry.Path.empty() || entry.Path.back() == kPathSeparator) {
            // An open entry: the user picks one of that folder's tables.
            if (!isDirectory(resolveCaseInsensitive(path))) {
                add(schemePath, line, DiagnosticKind::TableNotFound, {entry.Path});
            }
            continue;
        }
        const std::u16string resolved = resolveCaseInsensitive(path);
        if (!stampOf(resolved)) {
            add(schemePath, line, DiagnosticKind::TableNotFound, {entry.Path});
            continue;
        }
        tables.push_back(resolved);
    }
    for (const std::u16string& table : tables) checkTable(table, modeName);
}

void TableChecker::checkEverything() {
    SelectionModel selection(programFolder_, page_, nullptr);
    selection.buildModeList();
    for (const std::u16string& entry : selection.modeList()) {
        if (entry.starts_with(u"?")) {
            checkScheme(schemeFilePath(programFolder_, entry));
        } else {
            checkMode(entry);
        }
    }
}

// A table's own findings come in the order of its lines, then those of its includes.
void TableChecker::checkCompiled(const CompiledTable& table, const std::u16string& modeName) {
    const std::size_t first = diagnostics_.size();
    diagnostics_.insert(diagnostics_.end(), table.diagnostics.begin(), table.diagnostics.end());
    std::vector<std::u16string> includes;
    for (const Step& step : table.steps) {
        if (step.isPair()) continue;
        switch (step.directive->action) {
            case DirectiveAction::Include:
                if (auto path = findInclude(programFolder_, modeName, step.text)) {
                    includes.push_back(*path);
                } else {
                    add(table.file, step.line, DiagnosticKind::IncludeNotFound, {step.text});
                }
                break;
            case DirectiveAction::RunScript:
            case DirectiveAction::SetScript1:
            case DirectiveAction::SetScript2:
                if (!step.text.empty()) checkScript(step.text, table.file, step.line);
                break;
            case DirectiveAction::SetExtent:
                if (table.origin == TableOrigin::TopLevel) {
                    checkTemplate(step.text, table.file, step.line);
                }
                break;
            default:
                break;
        }
    }
    std::stable_sort(diagnostics_.begin() + static_cast<std::ptrdiff_t>(first), diagnostics_.end(),
                     [](const Diagnostic& a, const Diagnostic& b) { return a.line < b.line; });
    for (const std::u16string& include : includes) checkInclude(include, modeName);
}

void TableChecker::checkInclude(const std::u16string& path, const std::u16string& modeName) {
    if (!checked_.insert({path, TableOrigin::Applied}).second) return;
    auto include = cache_.load(path, TableOrigin::Applied, *page_);
    if (!include) {
        add(path, 0, DiagnosticKind::TableNotFound, {path});
        return;
    }
    checkCompiled(**include, modeName);
}

void TableChecker::checkScript(const std::u16string& name, const std::u16string& file, int line) {
    const std::u16string path = ScriptHost::scriptPathIn(programFolder_, name);
    if (!isRegularFile(path)) {
        add(file, line, DiagnosticKind::ScriptNotFound, {name});
        return;
    }
    if (!scriptsChecked_.insert(path).second) return;
    const std::u16string text = ReadTextFile(path, *page_, nullptr);
    try {
        vbs::NameTable names;
        (void)vbs::parseModule(text, name, names);
    } catch (const vbs::CompileError& error) {
        Failure failure = failureFor(error.number, name);
        failure.line = error.line;
        failure.column = error.column;
        add(file, line, DiagnosticKind::ScriptDoesNotCompile, {name, fromUtf8(failure.message())});
    }
}

void TableChecker::checkTemplate(const std::u16string& extent, const std::u16string& file,
                                 int line) {
    if (extent.empty()) return;
    const std::u16string dotted = extent.front() == u'.' ? extent : u"." + extent;
    if (isBuiltInExtension(dotted)) return;
    FileLister formats;
    if (formats.setFolder(formatFolderPath(programFolder_))) {
        for (const std::u16string& entry : formats.entries()) {
            if (equalsIgnoringCase(u"." + entry, dotted + u".txt")) return;
        }
    }
    add(file, line, DiagnosticKind::TemplateNotFound,
        {formatFolderPath(programFolder_) + u"/" + dotted.substr(1) + u".txt"});
}

}  // namespace lorvane
