// Checking tables for their authors: what compiling a table finds, and what the files it names
// make of it — includes, scripts (are they there, do they compile), output templates, and the
// tables of combined schemes. Checking reads files only; it converts nothing.
#pragma once

#include <memory>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "engine/compiled_table.h"
#include "engine/diagnostics.h"
#include "engine/table_reader.h"
#include "platform/code_page.h"

namespace lorvane {

class TableChecker {
  public:
    TableChecker(std::u16string programFolder, std::shared_ptr<const CodePage> page);

    // A top-level table of the source mode `modeName` (or of a scheme: "?" + scheme file name,
    // whose includes are looked for as a conversion looks for them).
    void checkTable(const std::u16string& path, const std::u16string& modeName);
    // Every table of a source mode.
    void checkMode(const std::u16string& modeName);
    // A combined scheme file and the tables its entries name.
    void checkScheme(const std::u16string& schemePath);
    // Every mode's tables and every scheme of the program folder.
    void checkEverything();

    const std::vector<Diagnostic>& diagnostics() const { return diagnostics_; }
    // How many files were looked at (tables, includes, schemes, scripts).
    std::size_t filesChecked() const { return checked_.size() + scriptsChecked_.size(); }

  private:
    void checkCompiled(const CompiledTable& table, const std::u16string& modeName);
    void checkInclude(const std::u16string& path, const std::u16string& modeName);
    void checkScript(const std::u16string& name, const std::u16string& file, int line);
    void checkTemplate(const std::u16string& extent, const std::u16string& file, int line);
    void add(const std::u16string& file, int line, DiagnosticKind kind,
             std::vector<std::u16string> arguments);

    std::u16string programFolder_;
    std::shared_ptr<const CodePage> page_;
    TableCache cache_;
    std::set<std::pair<std::u16string, TableOrigin>> checked_;
    std::set<std::u16string> scriptsChecked_;
    std::vector<Diagnostic> diagnostics_;
};

}  // namespace lorvane
