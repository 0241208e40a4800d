// What a table author is told about a table: each finding names its file and line, how serious
// it is, and what to do. Findings never change what a conversion does; the catalogue of their
// texts (English for the command line, Russian for the desktop program) is one table.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace lorvane {

enum class Severity { Warning, Note };

enum class DiagnosticKind {
    NoSeparator,           // a line that is neither comment, directive nor pair
    NoSeparatorTight,      // ... with "==" not between spaces
    NoSeparatorEquals,     // ... with a single "="
    NoSeparatorTab,        // ... with a tab where " == " belongs
    UnknownDirective,      // {1}: the keyword, {2}: the nearest known one
    NeedsSpace,            // {1}: the keyword; the argument is glued to it
    NeedsArgument,         // {1}: the keyword
    CharsetZero,           // ">charset 0" or an argument reading as 0
    NotANumber,            // {1}: the keyword, {2}: the argument
    OutOfRange,            // {1}: the keyword, {2}: the argument
    TakesNoArgument,       // {1}: the keyword (">eol2 please")
    EmptySearch,           // a pair whose search side is empty
    NoSuchCode,            // {1}: the search side naming no character code
    IncludeNotFound,       // {1}: the include name
    ScriptNotFound,        // {1}: the script name
    ScriptDoesNotCompile,  // {1}: the script name, {2}: the compiler's message
    TableNotFound,         // {1}: the table path (scheme entries, Table calls)
    TemplateNotFound,      // {1}: the template path
    LastLineUnterminated,  // the last line has no line break and is not applied
    LooksLikeUtf8,         // {1}: the code page number
    PairNeverMatches,      // {1}: the text that is gone, {2}: the line that removed it
    DirectiveAndPair,      // {1}: the keyword, {2}: the search side
};

struct Diagnostic {
    std::u16string file;
    int line = 0;  // 1-based; 0 for the file as a whole
    Severity severity = Severity::Warning;
    DiagnosticKind kind = DiagnosticKind::NoSeparator;
    std::vector<std::u16string> arguments;
};

enum class Language { English, Russian };

std::u16string diagnosticMessage(const Diagnostic& diagnostic, Language language);

// "FILE:LINE: warning: MESSAGE", the form editors jump from (no ":LINE" for a whole file).
std::u16string formatDiagnostic(const Diagnostic& diagnostic, Language language);

// Every keyword the nearest of which an unknown directive is compared with.
std::u16string_view nearestKeyword(std::u16string_view word,
                                   const std::vector<std::u16string_view>& keywords);

}  // namespace lorvane
