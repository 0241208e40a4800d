#include "engine/compiled_table.h"

#include <map>
#include <optional>

#include "engine/leading_number.h"
#include "engine/pair_line.h"
#include "engine/pass_runner.h"
#include "platform/file_encoding.h"
#include "platform/text.h"

namespace lorvane {
namespace {

constexpr std::u16string_view kPairSeparator = u" == ";
constexpr std::u16string_view kComment = u"// ";
constexpr std::u16string_view kHiddenLine = u"// * ";

constexpr std::size_t kMaxDiagnostics = 1000;

constexpr OriginRules kTopLevelRules{true, true, 0};
// Lines of four characters or fewer are skipped in applied tables; hidden lines are comments.
constexpr OriginRules kAppliedRules{false, false, 5};

// The argument of a directive: the text after the first space, spaces trimmed at both ends.
// A line without a space has none.
std::optional<std::u16string_view> argumentOf(std::u16string_view line) {
    const auto space = line.find(u' ');
    if (space == std::u16string_view::npos) return std::nullopt;
    return trimSpaces(line.substr(space));
}

// Whether the leading-number reading finds digits at all (it reads "twelve" as 0 silently).
bool beginsWithNumber(std::u16string_view text) {
    std::u16string compact;
    for (char16_t c : text) {
        if (c != u' ' && c != u'\t' && c != u'\n') compact += c;
    }
    std::size_t at = 0;
    if (at < compact.size() && (compact[at] == u'+' || compact[at] == u'-')) ++at;
    if (at < compact.size() && compact[at] == u'&') return true;
    if (at < compact.size() && compact[at] == u'.') ++at;
    return at < compact.size() && compact[at] >= u'0' && compact[at] <= u'9';
}

std::u16string_view withoutSpace(std::u16string_view keyword) {
    return keyword.ends_with(u' ') ? keyword.substr(0, keyword.size() - 1) : keyword;
}

class LineCompiler {
  public:
    LineCompiler(const CodePage& page, std::vector<Step>& steps,
                 std::vector<Diagnostic>* diagnostics, const std::u16string& file)
        : page_(page), steps_(steps), diagnostics_(diagnostics), file_(file) {}

    void compile(std::u16string_view line, int number) {
        line_ = number;
        const Directive* firstDirective = nullptr;
        const auto first = line.find_first_not_of(u' ');
        const bool directiveLine = first != std::u16string_view::npos && line[first] == u'>';
        if (directiveLine) {
            const std::u16string lower = toLower(line);
            std::size_t index = 0;
            for (const Directive* d = matchDirective(lower, 0, &index); d != nullptr;
                 d = matchDirective(lower, index + 1, &index)) {
                if (firstDirective == nullptr) firstDirective = d;
                compileDirective(*d, line, lower);
            }
            // A pair may begin with ">" (">> == »"): only a line that is no pair either is an
            // unknown directive.
            if (firstDirective == nullptr &&
                line.find(kPairSeparator) == std::u16string_view::npos) {
                diagnoseUnknown(lower);
            }
        }
        const auto separator = line.find(kPairSeparator);
        if (separator != std::u16string_view::npos) {
            if (firstDirective != nullptr) {
                report(DiagnosticKind::DirectiveAndPair,
                       {std::u16string(withoutSpace(firstDirective->keyword)),
                        std::u16string(line.substr(0, separator))},
                       Severity::Note);
            }
            compilePair(line, separator);
        } else if (!directiveLine) {
            diagnoseNoSeparator(line);
        }
    }

  private:
    void report(DiagnosticKind kind, std::vector<std::u16string> arguments = {},
                Severity severity = Severity::Warning) {
        // A binary file read as a table would otherwise find something on every line.
        if (diagnostics_ == nullptr || diagnostics_->size() >= kMaxDiagnostics) return;
        diagnostics_->push_back({file_, line_, severity, kind, std::move(arguments)});
    }

    Step& add(const Directive& directive) {
        Step step;
        step.directive = &directive;
        step.line = line_;
        steps_.push_back(std::move(step));
        return steps_.back();
    }

    void compilePair(std::u16string_view line, std::size_t separator) {
        auto pair = parsePair(line, page_);
        if (!pair) {
            report(DiagnosticKind::NoSuchCode, {std::u16string(line.substr(0, separator))});
            return;
        }
        if (pair->search.empty()) {
            report(DiagnosticKind::EmptySearch);
            return;
        }
        Step step;
        step.line = line_;
        step.search = std::move(pair->search);
        step.text = pair->replacement;
        steps_.push_back(std::move(step));
    }

    // The argument a directive needs, with what is wrong when it has none.
    std::optional<std::u16string_view> requiredArgument(const Directive& directive,
                                                        std::u16string_view line,
                                                        std::u16string_view lower) {
        auto argument = argumentOf(line);
        if (!argument) {
            const auto rest = trimSpaces(lower.substr(directive.keyword.size()));
            report(rest.empty() ? DiagnosticKind::NeedsArgument : DiagnosticKind::NeedsSpace,
                   {std::u16string(withoutSpace(directive.keyword))});
        }
        return argument;
    }

    void compileDirective(const Directive& directive, std::u16string_view line,
                          std::u16string_view lower) {
        const std::u16string keyword(withoutSpace(directive.keyword));
        switch (directive.action) {
            case DirectiveAction::SetCharset: {
                const auto argument = requiredArgument(directive, line, lower);
                if (!argument) return;
                const double number = ReadLeadingNumber(*argument);
                if (number == 0) {
                    report(DiagnosticKind::CharsetZero);
                    return;
                }
                const auto charset = toInt16(number);
                if (!charset) {
                    report(DiagnosticKind::OutOfRange, {keyword, std::u16string(*argument)});
                    return;
                }
                add(directive).number = *charset;
                return;
            }
            case DirectiveAction::SetCodepage: {
                const auto argument = requiredArgument(directive, line, lower);
                if (!argument) return;
                // A number that names no encoding this program can write leaves the result's
                // encoding as it was, like any other failing step.
                const auto number = toInt32(ReadLeadingNumber(*argument));
                if (!number || !encodingForCodePage(*number)) {
                    report(DiagnosticKind::OutOfRange, {keyword, std::u16string(*argument)});
                    return;
                }
                add(directive).number = *number;
                return;
            }
            case DirectiveAction::SetFontSize: {
                const auto argument = requiredArgument(directive, line, lower);
                if (!argument) return;
                const auto size = toInt16(ReadLeadingNumber(*argument));
                if (!size) {
                    report(DiagnosticKind::OutOfRange, {keyword, std::u16string(*argument)});
                    return;
                }
                if (!beginsWithNumber(*argument)) {
                    report(DiagnosticKind::NotANumber, {keyword, std::u16string(*argument)});
                }
                add(directive).number = *size;
                return;
            }
            case DirectiveAction::SetFontFace:
            case DirectiveAction::SetScript1:
            case DirectiveAction::SetScript2: {
                const auto argument = requiredArgument(directive, line, lower);
                if (!argument) return;
                if (argument->empty()) report(DiagnosticKind::NeedsArgument, {keyword});
                add(directive).text = *argument;
                return;
            }
            case DirectiveAction::SetExtent:
            case DirectiveAction::SetPrae:
            case DirectiveAction::SetPost:
                // The keyword ends with its space, so the argument is there, if empty.
                add(directive).text = argumentOf(line).value_or(std::u16string_view{});
                return;
            case DirectiveAction::Digits: {
                // The mode is the last character of the trimmed line: ">digits 12" gives 2.
                const std::u16string_view trimmed = trimSpaces(line);
                if (auto mode = toInt16(ReadLeadingNumber(trimmed.substr(trimmed.size() - 1)))) {
                    add(directive).number = *mode;
                }
                return;
            }
            case DirectiveAction::RunScript: {
                const auto name = requiredArgument(directive, line, lower);
                if (!name) return;
                if (name->empty()) {
                    report(DiagnosticKind::NeedsArgument, {keyword});
                    return;
                }
                add(directive).text = *name;
                return;
            }
            case DirectiveAction::Eol2On:
            case DirectiveAction::Eol2Off:
                add(directive);
                return;
            case DirectiveAction::Include:
                // The name keeps its "@": >go@common.txt names the file @common.txt.
                add(directive).text = line.substr(3);
                return;
        }
    }

    void diagnoseUnknown(std::u16string_view lower) {
        const std::u16string_view trimmed = trimSpaces(lower);
        const std::u16string_view word = trimmed.substr(0, trimmed.find(u' '));
        std::vector<std::u16string_view> keywords;
        for (const Directive& directive : directives()) {
            const std::u16string_view keyword = withoutSpace(directive.keyword);
            keywords.push_back(keyword);
            if (directive.match == DirectiveMatch::WholeLine && word == keyword) {
                report(DiagnosticKind::TakesNoArgument, {std::u16string(keyword)});
                return;
            }
            if (directive.needsTrailingSpace() && trimmed.starts_with(keyword)) {
                report(trimmed.size() == keyword.size() ? DiagnosticKind::NeedsArgument
                                                        : DiagnosticKind::NeedsSpace,
                       {std::u16string(keyword)});
                return;
            }
        }
        report(DiagnosticKind::UnknownDirective,
               {std::u16string(word), std::u16string(nearestKeyword(word, keywords))});
    }

    void diagnoseNoSeparator(std::u16string_view line) {
        if (line.find_first_not_of(u" \t") == std::u16string_view::npos) return;
        if (line.find(u"==") != std::u16string_view::npos)
            report(DiagnosticKind::NoSeparatorTight);
        else if (line.find(u'=') != std::u16string_view::npos)
            report(DiagnosticKind::NoSeparatorEquals);
        else if (line.find(u'\t') != std::u16string_view::npos)
            report(DiagnosticKind::NoSeparatorTab);
        else
            report(DiagnosticKind::NoSeparator);
    }

    const CodePage& page_;
    std::vector<Step>& steps_;
    std::vector<Diagnostic>* diagnostics_;
    const std::u16string& file_;
    int line_ = 0;
};

// A pair can never match when an earlier pair of the table replaced every occurrence of a
// character its search side needs, and nothing in between can bring that character back: no
// replacement holding it, no numerals, script or include. Only single characters are followed:
// after replacing every "к" by a text without "к", no "к" is left, whereas a longer search text
// can form again where two replacements meet.
void findPairsThatNeverMatch(CompiledTable& table) {
    std::map<char16_t, int> gone;  // character -> the line that removed it
    for (const Step& step : table.steps) {
        if (!step.isPair()) {
            if (step.touchesText()) gone.clear();
            continue;
        }
        for (char16_t c : step.search) {
            if (auto it = gone.find(c); it != gone.end()) {
                table.diagnostics.push_back({table.file,
                                             step.line,
                                             Severity::Warning,
                                             DiagnosticKind::PairNeverMatches,
                                             {std::u16string(1, c), decimal(it->second)}});
                break;
            }
        }
        std::erase_if(gone, [&step](const auto& entry) {
            return step.text.find(entry.first) != std::u16string::npos;
        });
        if (step.search.size() == 1 &&
            step.text.find(step.search.front()) == std::u16string::npos) {
            gone[step.search.front()] = step.line;
        }
    }
}

}  // namespace

const OriginRules& rulesFor(TableOrigin origin) {
    return origin == TableOrigin::TopLevel ? kTopLevelRules : kAppliedRules;
}

void compileLine(std::u16string_view line, int lineNumber, const CodePage& page,
                 std::vector<Step>& steps, std::vector<Diagnostic>* diagnostics,
                 const std::u16string& file) {
    LineCompiler(page, steps, diagnostics, file).compile(line, lineNumber);
}

CompiledTable compileTable(std::u16string_view text, TableOrigin origin, std::u16string file,
                           const CodePage& page) {
    CompiledTable compiled;
    CompiledTable* table = &compiled;
    table->file = std::move(file);
    table->origin = origin;
    const OriginRules& rules = rulesFor(origin);
    LineCompiler compiler(page, table->steps, &table->diagnostics, table->file);
    int number = 0;
    // A line ends at CR LF or at a lone CR (a lone LF stays inside it).
    for (std::size_t start = 0; start < text.size();) {
        const std::size_t end = text.find(u'\r', start);
        ++number;
        if (end == std::u16string_view::npos && rules.lastLineNeedsBreak) {
            const std::u16string_view rest = text.substr(start);
            const bool blank = rest.find_first_not_of(u" \t") == std::u16string_view::npos;
            const bool comment = rest.starts_with(kComment) && !rest.starts_with(kHiddenLine);
            if (!blank && !comment) {
                table->diagnostics.push_back({table->file,
                                              number,
                                              Severity::Warning,
                                              DiagnosticKind::LastLineUnterminated,
                                              {}});
            }
            break;
        }
        std::u16string_view line = text.substr(
            start, end == std::u16string_view::npos ? std::u16string_view::npos : end - start);
        start = end == std::u16string_view::npos ? text.size() : end + 1;
        if (start < text.size() && text[start] == u'\n' && end != std::u16string_view::npos)
            ++start;

        if (line.size() < rules.minLineLength) continue;
        if (line.starts_with(kComment)) {
            if (!rules.hiddenLines || !line.starts_with(kHiddenLine)) continue;
            line.remove_prefix(kHiddenLine.size());
        }
        compiler.compile(line, number);
    }
    findPairsThatNeverMatch(compiled);
    PassRunner::assignFusionGroups(compiled.steps);
    encodePairs(compiled.steps, page);
    return compiled;
}

void encodePairs(std::vector<Step>& steps, const CodePage& page) {
    if (!page.isSingleByte()) return;
    for (Step& step : steps) {
        if (!step.isPair()) continue;
        if (page.tryEncode(step.search, step.searchBytes) &&
            page.tryEncode(step.text, step.textBytes)) {
            step.bytesPage = page.number();
        } else {
            step.searchBytes.clear();
            step.textBytes.clear();
        }
    }
}

}  // namespace lorvane
