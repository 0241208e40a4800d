// The line handler and everything a table line can do to the working text: directives, pairs,
// includes, numerals, scripts. Tables are compiled once into steps (see compiled_table.h) and
// applied from there. Every step is isolated: a failing step is skipped and the next test runs,
// so a table never stops on a bad line.
#pragma once

#include <cstdint>
#include <memory>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "engine/compiled_table.h"
#include "engine/engine_state.h"
#include "engine/script_runner.h"
#include "engine/step_trace.h"
#include "engine/table_reader.h"
#include "platform/desktop.h"
#include "platform/document_text.h"
#include "platform/failure.h"

namespace lorvane {

class PassRunner;

class TableEngine {
  public:
    // Nested table applications (includes, scripts applying tables) deeper than this fail, so a
    // script that applies its own table again ends instead of exhausting the stack. An include
    // of a table that is already being applied is skipped (see applyInclude).
    static constexpr int kMaxNesting = 32;
    // Table applications within one outermost Rplc2, all nested ones counted; past this every
    // further one fails. A script that applies its own table from two lines of it would
    // otherwise double the work at every level down to the nesting limit.
    static constexpr int kMaxApplications = 10000;

    explicit TableEngine(EngineState& state);

    // Every call that may reach a script (a ">script" line, or an include that has one) takes
    // the runner that runs it; the engine keeps none.

    // Handles one table line at level `Stp` (0 for the first segment's table, the segment index
    // for later segments, -1 for tables applied from tables or scripts).
    void Rplc(std::u16string_view Lin, int16_t Stp, ScriptRunner& scripts);

    // Applies every line of the table file at `Fil` at level -1. Fails when the file cannot be
    // read, or when nesting is too deep; lines already applied stay in effect.
    Status Rplc2(const std::u16string& Fil, ScriptRunner& scripts);

    // The working text := Txt; the table program folder + "/" + Tbl applied; the result.
    Expected<std::u16string> Table(std::u16string Txt, std::u16string_view Tbl,
                                   ScriptRunner& scripts);
    // The working text := Arg; the current table (Tablett) applied; the result.
    Expected<std::u16string> Rpl3(std::u16string Arg, ScriptRunner& scripts);

    // Applies table lines in order at one level: the same text as Rplc on each line, with runs
    // of plain pairs taken together.
    void applyLines(const std::vector<std::u16string_view>& lines, int16_t Stp,
                    ScriptRunner& scripts);

    // The top-level table at `path`, compiled once while its file stays unchanged.
    std::shared_ptr<const CompiledTable> topLevelTable(const std::u16string& path,
                                                       Desktop* desktop);
    // The same for a file whose stamp the caller has just taken (nothing: no file there).
    std::shared_ptr<const CompiledTable> topLevelTable(const std::u16string& path,
                                                       const std::optional<FileStamp>& stamp,
                                                       Desktop* desktop);
    // Applies a compiled table at one level to `text` and returns the text it made. While the
    // table is applied the text is the working text `tmpText`, where the scripts it runs read
    // it; afterwards the working text is empty.
    std::u16string applyTable(const CompiledTable& table, std::u16string text, int16_t Stp,
                              ScriptRunner& scripts);
    // The same for a text that may be in bytes of the engine's code page: the text comes back in
    // bytes when every step the table ran kept it in that form (pairs whose texts the page can
    // write, directives that leave the text alone), else as its characters.
    DocumentText applyTable(const CompiledTable& table, DocumentText text, int16_t Stp,
                            ScriptRunner& scripts);

    // The stamp of a table file as the file system has it now, taken again only after a change
    // on the way to the file was reported.
    std::optional<FileStamp> stampOf(const std::u16string& path) { return stamps_.stampOf(path); }

    // Every table compiled so far, with what compiling found.
    const TableCache& tableCache() const { return cache_; }

    // Applies a pair line ("search == replacement") to the working text. False when the
    // numeric search side is no valid code.
    bool applyPair(std::u16string_view line);

    // Texts shorter than this skip the pass shortcuts (tests lower it to exercise them).
    void setShortcutThreshold(std::size_t units) { shortcutThreshold_ = units; }

    // Reports every step applied from now on (nullptr: no more).
    void setTrace(StepTrace* trace) { trace_ = trace; }
    bool tracing() const { return trace_ != nullptr; }

  private:
    void applySteps(std::span<const Step> steps, int16_t level, const std::u16string& file,
                    ScriptRunner& scripts);
    void traceSteps(std::span<const Step> steps, int16_t level, const std::u16string& file,
                    ScriptRunner& scripts);
    // Carries out one step that is no pair; false when it did nothing.
    bool applyDirective(const Step& step, int16_t level, ScriptRunner& scripts,
                        std::u16string* detail = nullptr);
    bool runScriptStep(const std::u16string& name, ScriptRunner& scripts);
    bool applyInclude(const std::u16string& name, ScriptRunner& scripts, std::u16string* detail);

    Status applyTableFile(const std::u16string& Fil, const std::optional<FileStamp>& stamp,
                          ScriptRunner& scripts);
    bool isBeingApplied(const std::optional<FileStamp>& stamp) const;

    EngineState& state_;
    WatchedStamps stamps_;
    TableCache cache_;
    IncludeFinder includes_;
    StepTrace* trace_ = nullptr;
    // The runner of a table whose include step is being applied, for the included table.
    PassRunner* includingRunner_ = nullptr;
    int nesting_ = 0;
    int applications_ = 0;             // within the current outermost Rplc2
    std::vector<FileStamp> applying_;  // the table files Rplc2 is applying, outermost first
    std::size_t shortcutThreshold_;
    // Counts the changes the engine makes to the working text outside a run of plain pairs.
    unsigned textVersion_ = 0;
};

}  // namespace lorvane
