#include "platform/error_catalogue.h"

#include <algorithm>
#include <iterator>

namespace lorvane::errors {
namespace {

struct Entry {
    int number;
    const char16_t* text;
};

// Sorted by number, so a lookup is a binary search.
constexpr Entry kCatalogue[] = {
    {kInvalidProcedureCall, u"Invalid procedure call or argument"},
    {kOverflow, u"Overflow"},
    {kOutOfMemory, u"Out of memory"},
    {kSubscriptOutOfRange, u"Subscript out of range"},
    {kArrayFixedOrLocked, u"This array is fixed or temporarily locked"},
    {kDivisionByZero, u"Division by zero"},
    {kTypeMismatch, u"Type mismatch"},
    {kOutOfStringSpace, u"Out of string space"},
    {kOutOfStackSpace, u"Out of stack space"},
    {kSubOrFunctionNotDefined, u"Sub or Function not defined"},
    {kBadFileNameOrNumber, u"Bad file name or number"},
    {kFileNotFound, u"File not found"},
    {kBadFileMode, u"Bad file mode"},
    {kFileAlreadyOpen, u"File already open"},
    {kDeviceIoError, u"Device I/O error"},
    {kFileAlreadyExists, u"File already exists"},
    {kDiskFull, u"Disk full"},
    {kInputPastEndOfFile, u"Input past end of file"},
    {kTooManyFiles, u"Too many files"},
    {kPermissionDenied, u"Permission denied"},
    {kPathFileAccessError, u"Path/File access error"},
    {kPathNotFound, u"Path not found"},
    {kObjectVariableNotSet, u"Object variable not set"},
    {kForLoopNotInitialized, u"For loop not initialized"},
    {kInvalidUseOfNull, u"Invalid use of Null"},
    {kObjectRequired, u"Object required"},
    {kCannotCreateObject, u"ActiveX component can't create object"},
    {kObjectDoesNotSupportProperty, u"Object doesn't support this property or method"},
    {kWrongNumberOfArguments, u"Wrong number of arguments or invalid property assignment"},
    {kObjectNotCollection, u"Object not a collection"},
    {kKeyAlreadyAssociated, u"This key is already associated with an element of this collection"},
    {kVariableUndefined, u"Variable is undefined"},
    {kIllegalAssignment, u"Illegal assignment"},
    {kSyntaxError, u"Syntax error"},
    {kExpectedColon, u"Expected ':'"},
    {kExpectedOpenParen, u"Expected '('"},
    {kExpectedCloseParen, u"Expected ')'"},
    {kExpectedIdentifier, u"Expected identifier"},
    {kExpectedEquals, u"Expected '='"},
    {kExpectedIf, u"Expected 'If'"},
    {kExpectedTo, u"Expected 'To'"},
    {kExpectedEnd, u"Expected 'End'"},
    {kExpectedFunction, u"Expected 'Function'"},
    {kExpectedSub, u"Expected 'Sub'"},
    {kExpectedThen, u"Expected 'Then'"},
    {kExpectedWend, u"Expected 'Wend'"},
    {kExpectedLoop, u"Expected 'Loop'"},
    {kExpectedNext, u"Expected 'Next'"},
    {kExpectedCase, u"Expected 'Case'"},
    {kExpectedSelect, u"Expected 'Select'"},
    {kExpectedExpression, u"Expected expression"},
    {kExpectedStatement, u"Expected statement"},
    {kExpectedEndOfStatement, u"Expected end of statement"},
    {kExpectedInteger, u"Expected integer constant"},
    {kExpectedWhileOrUntil, u"Expected 'While' or 'Until'"},
    {kExpectedWhileUntilOrEndOfStatement, u"Expected 'While', 'Until' or end of statement"},
    {kTooManyLocals, u"Too many locals or arguments"},
    {kInvalidCharacter, u"Invalid character"},
    {kUnterminatedString, u"Unterminated string constant"},
    {kInvalidNumber, u"Invalid number"},
    {kInvalidExitStatement, u"Invalid 'exit' statement"},
    {kInvalidForLoopControl, u"Invalid 'for' loop control variable"},
    {kNameRedefined, u"Name redefined"},
    {kMustBeFirstStatement, u"Must be first statement on the line"},
    {kCannotAssignToNonByValArgument, u"Cannot assign to non-ByVal argument"},
    {kCannotUseParensCallingSub, u"Cannot use parentheses when calling a Sub"},
    {kExpectedLiteralConstant, u"Expected literal constant"},
    {kExpectedIn, u"Expected 'In'"},
    {kExpectedClass, u"Expected 'Class'"},
    {kMustBeDefinedInsideClass, u"Must be defined inside a Class"},
    {kExpectedLetSetGet, u"Expected Let or Set or Get in property declaration"},
    {kExpectedProperty, u"Expected 'Property'"},
    {kInconsistentPropertyArguments,
     u"Number of arguments must be consistent across properties specification"},
    {kCannotHaveMultipleDefault, u"Cannot have multiple default property/method in a Class"},
    {kClassInitializeNoArguments, u"Class initialize or terminate do not have arguments"},
    {kPropertyLetSetNeedsArgument, u"Property set or let must have at least one argument"},
    {kUnexpectedNext, u"Unexpected 'Next'"},
    {kDefaultNeedsPublic, u"'Default' specification must also specify 'Public'"},
    {kDefaultOnlyOnPropertyGet, u"'Default' specification can only be on Property Get"},
    {kInvalidPattern, u"Syntax error in regular expression"},
    {kUnexpectedQuantifier, u"Unexpected quantifier"},
    {kExpectedBracket, u"Expected ']' in regular expression"},
    {kExpectedParen, u"Expected ')' in regular expression"},
    {kInvalidRangeInCharacterSet, u"Invalid range in character set"},
    {kScriptTimedOut, u"Script timed out: it ran longer than the time allowed"},
    {kNoMainProcedure, u"The script defines no procedure Main"},
    {kNoResultSent, u"The script ended without sending a text back with Send"},
    {kOutputIsSource, u"The result would overwrite its own source file"},
    {kNoScriptHost, u"Scripts cannot run: no script host is available"},
    {kTemplateMarkerUnclosed,
     u"The output template's \"[%Файл=\" marker has no closing \"]\": end the script name "
     u"with \"]\""},
    {kNoModeSelected, u"No source mode or combined scheme is selected: choose one first"},
    {kNoTableSelected, u"No target table is selected: choose one of the mode's tables"},
    {kSchemeEntriesOpen,
     u"Tables are not chosen for every language mode of the combined scheme: choose a table "
     u"for each open entry"},
    {kTooManySegments,
     u"The document has more than 32767 language-mode segments: split it into smaller "
     u"documents"},
    {kRegExpTooComplex,
     u"Regular expression too complex: matching was stopped after too many steps"},
    {kElementNotFound, u"Element not found"},
};

static_assert(std::is_sorted(std::begin(kCatalogue), std::end(kCatalogue),
                             [](const Entry& a, const Entry& b) { return a.number < b.number; }));

}  // namespace

std::u16string description(int number) {
    auto found = std::lower_bound(std::begin(kCatalogue), std::end(kCatalogue), number,
                                  [](const Entry& e, int n) { return e.number < n; });
    if (found != std::end(kCatalogue) && found->number == number) return found->text;
    return u"Unknown runtime error";
}

}  // namespace lorvane::errors
