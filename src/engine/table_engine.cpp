#include "engine/table_engine.h"

#include <chrono>
#include <optional>
#include <utility>

#include "engine/numerals.h"
#include "engine/pair_line.h"
#include "engine/pair_replace.h"
#include "engine/pass_runner.h"
#include "platform/file_encoding.h"
#include "platform/paths.h"
#include "platform/text.h"

namespace lorvane {
namespace {

std::u16string_view keywordOf(const Directive& directive) {
    const std::u16string_view keyword = directive.keyword;
    return keyword.ends_with(u' ') ? keyword.substr(0, keyword.size() - 1) : keyword;
}

}  // namespace

TableEngine::TableEngine(EngineState& state)
    : state_(state), includes_(&stamps_), shortcutThreshold_(PassRunner::kDefaultThreshold) {}

void TableEngine::applyLines(const std::vector<std::u16string_view>& lines, int16_t Stp,
                             ScriptRunner& scripts) {
    std::vector<Step> steps;
    for (const std::u16string_view line : lines)
        compileLine(line, 0, *state_.codePage, steps, nullptr);
    PassRunner::assignFusionGroups(steps);
    encodePairs(steps, *state_.codePage);
    applySteps(steps, Stp, {}, scripts);
}

// The tests run in this order, each on its own: one line may be a directive and a pair at once.
void TableEngine::Rplc(std::u16string_view Lin, int16_t Stp, ScriptRunner& scripts) {
    std::vector<Step> steps;
    compileLine(Lin, 0, *state_.codePage, steps, nullptr);
    for (const Step& step : steps) {
        if (step.isPair()) {
            ++textVersion_;
            replaceOccurrences(state_.tmpText, step.search, step.text);
        } else {
            applyDirective(step, Stp, scripts);
        }
    }
}

std::shared_ptr<const CompiledTable> TableEngine::topLevelTable(const std::u16string& path,
                                                                Desktop* desktop) {
    return topLevelTable(path, stamps_.stampOf(path), desktop);
}

std::shared_ptr<const CompiledTable> TableEngine::topLevelTable(
    const std::u16string& path, const std::optional<FileStamp>& stamp, Desktop* desktop) {
    auto table = cache_.load(path, stamp, TableOrigin::TopLevel, *state_.codePage, desktop);
    if (!table) return std::make_shared<const CompiledTable>();
    return *table;
}

std::u16string TableEngine::applyTable(const CompiledTable& table, std::u16string text, int16_t Stp,
                                       ScriptRunner& scripts) {
    return std::move(applyTable(table, DocumentText::ofUnits(std::move(text)), Stp, scripts).units);
}

// A text in bytes goes to the runner of the table, which applySteps takes as it takes an
// including table's, and comes back from it in bytes if it is still in that form.
DocumentText TableEngine::applyTable(const CompiledTable& table, DocumentText text, int16_t Stp,
                                     ScriptRunner& scripts) {
    const CodePage& page = *state_.codePage;
    // A trace reports each step on the working text itself.
    const bool inBytes = text.inBytes && trace_ == nullptr && page.isSingleByte();
    ++textVersion_;
    state_.tmpText = inBytes ? std::u16string() : std::move(text.unitsIn(page));
    includes_.openRound();
    struct CloseRound {
        IncludeFinder& includes;
        ~CloseRound() { includes.closeRound(); }
    } closeRound{includes_};
    std::optional<PassRunner> runner;
    if (inBytes) {
        runner.emplace(state_.tmpText, page, shortcutThreshold_);
        runner->startInBytes(std::move(text.bytes));
        includingRunner_ = &*runner;
    }
    applySteps(table.steps, Stp, table.file, scripts);
    if (runner) {
        if (auto bytes = runner->finishInBytes()) return DocumentText::ofBytes(std::move(*bytes));
    }
    std::u16string made;
    made.swap(state_.tmpText);
    return DocumentText::ofUnits(std::move(made));
}

// Runs of pairs go to the pass runner together; it stops its passes only before a step that
// reads or changes the working text. An included table's steps go on in the runner of the
// table that includes it: its pairs are more of the same run, and the text keeps its form and
// its counts from one table to the next.
void TableEngine::applySteps(std::span<const Step> steps, int16_t level, const std::u16string& file,
                             ScriptRunner& scripts) {
    if (trace_ != nullptr) {
        traceSteps(steps, level, file, scripts);
        return;
    }
    std::optional<PassRunner> own;
    PassRunner* runner = std::exchange(includingRunner_, nullptr);
    if (runner == nullptr)
        runner = &own.emplace(state_.tmpText, *state_.codePage, shortcutThreshold_);
    for (const Step& step : steps) {
        if (step.isPair()) {
            runner->add(step);
            continue;
        }
        if (!step.directive->touchesText) {
            applyDirective(step, level, scripts);
            continue;
        }
        if (step.directive->action == DirectiveAction::Include) {
            // Taken by the included table's application, when there is one; never left behind,
            // not even by a failure on the way.
            struct Offered {
                PassRunner*& slot;
                ~Offered() { slot = nullptr; }
            } offered{includingRunner_};
            includingRunner_ = runner;
            applyDirective(step, level, scripts);
            continue;
        }
        runner->flush();
        const unsigned before = textVersion_;
        applyDirective(step, level, scripts);
        if (textVersion_ != before) runner->textChanged();
    }
    if (own) own->flush();
}

void TableEngine::traceSteps(std::span<const Step> steps, int16_t level, const std::u16string& file,
                             ScriptRunner& scripts) {
    using Clock = std::chrono::steady_clock;
    for (const Step& step : steps) {
        TraceEvent event;
        event.file = file;
        event.line = step.line;
        event.depth = nesting_;
        event.lengthBefore = state_.tmpText.size();
        const auto start = Clock::now();
        if (step.isPair()) {
            ++textVersion_;
            event.what = u"pair";
            event.detail = step.search;
            event.replacements = replaceOccurrences(state_.tmpText, step.search, step.text);
            event.acted = event.replacements > 0;
        } else if (step.directive->action == DirectiveAction::Include &&
                   step.directive->actsAt(level)) {
            // Reported before the include's own steps, which follow one level deeper.
            const auto path = includes_.find(state_.programFolder, state_.modeName, step.text);
            event.what = u">go@";
            event.detail = path ? *path : step.text + u" (not found)";
            event.acted = path.has_value();
            event.lengthAfter = event.lengthBefore;
            trace_->stepApplied(event);
            applyDirective(step, level, scripts);
            continue;
        } else {
            event.what = keywordOf(*step.directive);
            event.acted = applyDirective(step, level, scripts, &event.detail);
        }
        event.lengthAfter = state_.tmpText.size();
        event.seconds = std::chrono::duration<double>(Clock::now() - start).count();
        trace_->stepApplied(event);
    }
}

bool TableEngine::applyDirective(const Step& step, int16_t level, ScriptRunner& scripts,
                                 std::u16string* detail) {
    const Directive& directive = *step.directive;
    if (!directive.actsAt(level)) {
        if (detail != nullptr) *detail = u"skipped at level " + decimal(level);
        return false;
    }
    TableSettings& settings = state_.settings;
    std::u16string recorded = step.text;
    switch (directive.action) {
        case DirectiveAction::SetCharset:
            settings.charset = step.number;
            recorded = decimal(step.number);
            break;
        case DirectiveAction::SetFontSize:
            settings.fontSize = step.number;
            recorded = decimal(step.number);
            break;
        case DirectiveAction::SetFontFace:
            settings.fontFace = step.text;
            break;
        case DirectiveAction::SetExtent:
            settings.extent = step.text;
            break;
        case DirectiveAction::SetPrae:
            settings.prae = step.text;
            break;
        case DirectiveAction::SetPost:
            settings.post = step.text;
            break;
        case DirectiveAction::SetScript1:
            settings.script1 = step.text;
            break;
        case DirectiveAction::SetScript2:
            settings.script2 = step.text;
            break;
        case DirectiveAction::SetCodepage:
            settings.codepage = step.number;
            recorded = decimal(step.number);
            break;
        case DirectiveAction::Eol2On:
            settings.eol2 = true;
            recorded.clear();
            break;
        case DirectiveAction::Eol2Off:
            settings.eol2 = false;
            recorded.clear();
            break;
        case DirectiveAction::Digits:
            ++textVersion_;
            recorded = u"mode " + decimal(step.number);
            DigitRuns(state_.tmpText, step.number, state_.Tablett);
            break;
        case DirectiveAction::RunScript: {
            const bool ran = runScriptStep(step.text, scripts);
            if (detail != nullptr) *detail = step.text + (ran ? u"" : u" (failed, text kept)");
            return ran;
        }
        case DirectiveAction::Include:
            return applyInclude(step.text, scripts, detail);
    }
    if (detail != nullptr) *detail = std::move(recorded);
    return true;
}

// A script step replaces the working text with the script's answer; a failing script leaves
// the text as it was before the line, whatever the script did to it on the way.
bool TableEngine::runScriptStep(const std::u16string& name, ScriptRunner& scripts) {
    ++textVersion_;
    std::u16string before = state_.tmpText;
    // A script may change include folders: what was seen of them before it is seen again.
    struct OutsideRound {
        IncludeFinder& includes;
        bool open = includes.roundOpen();
        ~OutsideRound() {
            if (open) includes.openRound();
        }
    } outsideRound{includes_};
    includes_.closeRound();
    auto result = scripts.RunScript(name, state_.tmpText);
    if (result) {
        state_.tmpText = std::move(*result);
        return true;
    }
    state_.tmpText = std::move(before);
    return false;
}

bool TableEngine::applyPair(std::u16string_view line) {
    auto pair = parsePair(line, *state_.codePage);
    if (!pair) return false;
    ++textVersion_;
    replaceOccurrences(state_.tmpText, pair->search, pair->replacement);
    return true;
}

Expected<std::u16string> TableEngine::Table(std::u16string Txt, std::u16string_view Tbl,
                                            ScriptRunner& scripts) {
    ++textVersion_;
    state_.tmpText = std::move(Txt);
    const std::u16string path =
        resolveCaseInsensitive(state_.programFolder + u"/" + normalizeSeparators(Tbl));
    if (Status status = Rplc2(path, scripts); !status) return status.failure();
    return state_.tmpText;
}

Expected<std::u16string> TableEngine::Rpl3(std::u16string Arg, ScriptRunner& scripts) {
    ++textVersion_;
    state_.tmpText = std::move(Arg);
    if (Status status = Rplc2(state_.Tablett, scripts); !status) return status.failure();
    return state_.tmpText;
}

}  // namespace lorvane
