#include "engine/diagnostics.h"

#include <algorithm>
#include <iterator>
#include <numeric>

#include "platform/text.h"

namespace lorvane {
namespace {

struct MessageEntry {
    DiagnosticKind kind;
    std::u16string_view english;
    std::u16string_view russian;
};

// {1} and {2} stand for the diagnostic's arguments.
constexpr MessageEntry kMessages[] = {
    {DiagnosticKind::NoSeparator,
     u"line has no ' == ' and is neither a comment ('// ') nor a directive ('>'): it does nothing",
     u"в строке нет « == », это не комментарий («// ») и не директива («>»): строка ничего не "
     u"делает"},
    {DiagnosticKind::NoSeparatorTight,
     u"line has no ' == ': write '==' with a space on each side ('search == replacement')",
     u"в строке нет « == »: знак «==» пишется с пробелом с каждой стороны («что == чем»)"},
    {DiagnosticKind::NoSeparatorEquals,
     u"line has no ' == ': a pair is written 'search == replacement', with '==' and a space on "
     u"each side",
     u"в строке нет « == »: пара пишется «что == чем», с «==» и пробелом с каждой стороны"},
    {DiagnosticKind::NoSeparatorTab,
     u"line has no ' == ': a tab does not separate a pair; write ' == ' between the two sides",
     u"в строке нет « == »: табуляция не разделяет пару; напишите « == » между частями"},
    {DiagnosticKind::UnknownDirective,
     u"unknown directive '{1}': the line does nothing (did you mean '{2}'?)",
     u"неизвестная директива «{1}»: строка ничего не делает (может быть, «{2}»?)"},
    {DiagnosticKind::NeedsSpace,
     u"'{1}' needs a space before its argument: the line does nothing",
     u"после «{1}» нужен пробел перед значением: строка ничего не делает"},
    {DiagnosticKind::NeedsArgument,
     u"'{1}' needs an argument after a space: the line does nothing",
     u"у «{1}» нет значения после пробела: строка ничего не делает"},
    {DiagnosticKind::CharsetZero,
     u"'>charset' with 0 (or no number) leaves the character set unchanged: give its number, "
     u"such as 204",
     u"«>charset» с 0 (или без числа) не меняет набор символов: укажите номер, например 204"},
    {DiagnosticKind::NotANumber,
     u"argument '{2}' of '{1}' is not a number: it counts as 0",
     u"значение «{2}» у «{1}» не число: оно считается нулём"},
    {DiagnosticKind::OutOfRange,
     u"argument '{2}' of '{1}' is out of range (-32768 to 32767): the line does nothing",
     u"значение «{2}» у «{1}» вне пределов (от -32768 до 32767): строка ничего не делает"},
    {DiagnosticKind::TakesNoArgument,
     u"'{1}' takes nothing after it: the line does nothing; write '{1}' alone",
     u"после «{1}» ничего не пишется: строка ничего не делает; оставьте «{1}» одно"},
    {DiagnosticKind::EmptySearch,
     u"pair has an empty search side: it replaces nothing",
     u"у пары пустая левая часть: она ничего не заменяет"},
    {DiagnosticKind::NoSuchCode,
     u"search side '{1}' begins with a number that names no character code (1 to 255): the pair "
     u"does nothing",
     u"левая часть «{1}» начинается с числа, которое не код символа (от 1 до 255): пара ничего не "
     u"делает"},
    {DiagnosticKind::IncludeNotFound,
     u"include '{1}' is not found: the line does nothing (include names are exact, letter case "
     u"included)",
     u"вложенная таблица «{1}» не найдена: строка ничего не делает (имя пишется точно, с учётом "
     u"регистра)"},
    {DiagnosticKind::ScriptNotFound,
     u"script '{1}' is not found in the Scripts folder: the step does nothing",
     u"скрипт «{1}» не найден в папке Scripts: шаг ничего не делает"},
    {DiagnosticKind::ScriptDoesNotCompile,
     u"script '{1}' does not compile: {2}",
     u"скрипт «{1}» не компилируется: {2}"},
    {DiagnosticKind::TableNotFound,
     u"table '{1}' is not found",
     u"таблица «{1}» не найдена"},
    {DiagnosticKind::TemplateNotFound,
     u"template '{1}' is not found",
     u"шаблон «{1}» не найден"},
    {DiagnosticKind::LastLineUnterminated,
     u"last line has no line break and is not applied: end it with a line break",
     u"последняя строка без перевода строки и не применяется: закончите её переводом строки"},
    {DiagnosticKind::LooksLikeUtf8,
     u"file reads as UTF-8 but tables are read in code page {1}: save it in code page {1}",
     u"файл записан в UTF-8, а таблицы читаются в кодовой странице {1}: сохраните его в кодовой "
     u"странице {1}"},
    {DiagnosticKind::PairNeverMatches,
     u"pair can never match: line {2} replaced every '{1}' and no step in between brings it back "
     u"(put the longer pair first)",
     u"пара никогда не сработает: строка {2} заменила все «{1}», и ничто до этой строки их не "
     u"возвращает (поставьте более длинную пару раньше)"},
    {DiagnosticKind::DirectiveAndPair,
     u"line is both the directive '{1}' and a pair replacing '{2}': both act",
     u"строка одновременно директива «{1}» и пара, заменяющая «{2}»: действуют обе"},
};

const MessageEntry& entryFor(DiagnosticKind kind) {
    return *std::find_if(std::begin(kMessages), std::end(kMessages),
                         [kind](const MessageEntry& entry) { return entry.kind == kind; });
}

std::size_t editDistance(std::u16string_view a, std::u16string_view b) {
    std::vector<std::size_t> row(b.size() + 1);
    std::iota(row.begin(), row.end(), std::size_t{0});
    for (std::size_t i = 1; i <= a.size(); ++i) {
        std::size_t diagonal = row[0];
        row[0] = i;
        for (std::size_t j = 1; j <= b.size(); ++j) {
            const std::size_t above = row[j];
            row[j] = std::min({row[j] + 1, row[j - 1] + 1, diagonal + (a[i - 1] != b[j - 1])});
            diagonal = above;
        }
    }
    return row[b.size()];
}

}  // namespace

std::u16string diagnosticMessage(const Diagnostic& diagnostic, Language language) {
    const MessageEntry& entry = entryFor(diagnostic.kind);
    std::u16string text(language == Language::English ? entry.english : entry.russian);
    for (std::size_t i = 0; i < diagnostic.arguments.size(); ++i) {
        replaceAll(text, u"{" + decimal(static_cast<long long>(i + 1)) + u"}",
                   diagnostic.arguments[i]);
    }
    return text;
}

std::u16string formatDiagnostic(const Diagnostic& diagnostic, Language language) {
    std::u16string text = diagnostic.file;
    if (diagnostic.line > 0) text += u":" + decimal(diagnostic.line);
    const bool english = language == Language::English;
    if (diagnostic.severity == Severity::Warning)
        text += english ? u": warning: " : u": предупреждение: ";
    else
        text += english ? u": note: " : u": замечание: ";
    return text + diagnosticMessage(diagnostic, language);
}

std::u16string_view nearestKeyword(std::u16string_view word,
                                   const std::vector<std::u16string_view>& keywords) {
    std::u16string_view best;
    std::size_t bestDistance = static_cast<std::size_t>(-1);
    for (std::u16string_view keyword : keywords) {
        const std::size_t distance = editDistance(word, keyword);
        if (distance < bestDistance) {
            best = keyword;
            bestDistance = distance;
        }
    }
    return best;
}

}  // namespace lorvane
