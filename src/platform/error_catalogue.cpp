#include "platform/error_catalogue.h"

#include <algorithm>
#include <iterator>

namespace lorvane::errors {
namespace {

struct Entry {
    int number;
    const char16_t* text;     // English
    const char16_t* russian;  // what the desktop program shows
};

// Sorted by number, so a lookup is a binary search.
constexpr Entry kCatalogue[] = {
    {kInvalidProcedureCall, u"Invalid procedure call or argument",
     u"Недопустимый вызов процедуры или недопустимый аргумент"},
    {kOverflow, u"Overflow", u"Переполнение"},
    {kOutOfMemory, u"Out of memory", u"Недостаточно памяти"},
    {kSubscriptOutOfRange, u"Subscript out of range", u"Индекс вне допустимого диапазона"},
    {kArrayFixedOrLocked, u"This array is fixed or temporarily locked",
     u"Массив фиксирован или временно заблокирован"},
    {kDivisionByZero, u"Division by zero", u"Деление на ноль"},
    {kTypeMismatch, u"Type mismatch", u"Несоответствие типа"},
    {kOutOfStringSpace, u"Out of string space", u"Недостаточно места для строк"},
    {kOutOfStackSpace, u"Out of stack space", u"Недостаточно места в стеке"},
    {kSubOrFunctionNotDefined, u"Sub or Function not defined",
     u"Процедура Sub или Function не определена"},
    {kBadFileNameOrNumber, u"Bad file name or number", u"Неправильное имя или номер файла"},
    {kFileNotFound, u"File not found", u"Файл не найден"},
    {kBadFileMode, u"Bad file mode", u"Неправильный режим файла"},
    {kFileAlreadyOpen, u"File already open", u"Файл уже открыт"},
    {kDeviceIoError, u"Device I/O error", u"Ошибка ввода-вывода устройства"},
    {kFileAlreadyExists, u"File already exists", u"Файл уже существует"},
    {kDiskFull, u"Disk full", u"Диск заполнен"},
    {kInputPastEndOfFile, u"Input past end of file", u"Попытка чтения за концом файла"},
    {kTooManyFiles, u"Too many files", u"Слишком много файлов"},
    {kPermissionDenied, u"Permission denied", u"Отказано в разрешении"},
    {kPathFileAccessError, u"Path/File access error", u"Ошибка доступа к пути или файлу"},
    {kPathNotFound, u"Path not found", u"Путь не найден"},
    {kObjectVariableNotSet, u"Object variable not set", u"Объектная переменная не задана"},
    {kForLoopNotInitialized, u"For loop not initialized", u"Цикл For не инициализирован"},
    {kInvalidUseOfNull, u"Invalid use of Null", u"Недопустимое использование Null"},
    {kObjectRequired, u"Object required", u"Требуется объект"},
    {kCannotCreateObject, u"ActiveX component can't create object",
     u"Компоненту ActiveX не удается создать объект"},
    {kObjectDoesNotSupportProperty, u"Object doesn't support this property or method",
     u"Объект не поддерживает это свойство или метод"},
    {kWrongNumberOfArguments, u"Wrong number of arguments or invalid property assignment",
     u"Неправильное число аргументов или недопустимое присвоение свойству"},
    {kObjectNotCollection, u"Object not a collection", u"Объект не является коллекцией"},
    {kKeyAlreadyAssociated, u"This key is already associated with an element of this collection",
     u"Этот ключ уже связан с элементом данной коллекции"},
    {kVariableUndefined, u"Variable is undefined", u"Переменная не определена"},
    {kIllegalAssignment, u"Illegal assignment", u"Недопустимое присвоение"},
    {kSyntaxError, u"Syntax error", u"Синтаксическая ошибка"},
    {kExpectedColon, u"Expected ':'", u"Предполагается наличие ':'"},
    {kExpectedOpenParen, u"Expected '('", u"Предполагается наличие '('"},
    {kExpectedCloseParen, u"Expected ')'", u"Предполагается наличие ')'"},
    {kExpectedIdentifier, u"Expected identifier", u"Предполагается наличие идентификатора"},
    {kExpectedEquals, u"Expected '='", u"Предполагается наличие '='"},
    {kExpectedIf, u"Expected 'If'", u"Предполагается наличие 'If'"},
    {kExpectedTo, u"Expected 'To'", u"Предполагается наличие 'To'"},
    {kExpectedEnd, u"Expected 'End'", u"Предполагается наличие 'End'"},
    {kExpectedFunction, u"Expected 'Function'", u"Предполагается наличие 'Function'"},
    {kExpectedSub, u"Expected 'Sub'", u"Предполагается наличие 'Sub'"},
    {kExpectedThen, u"Expected 'Then'", u"Предполагается наличие 'Then'"},
    {kExpectedWend, u"Expected 'Wend'", u"Предполагается наличие 'Wend'"},
    {kExpectedLoop, u"Expected 'Loop'", u"Предполагается наличие 'Loop'"},
    {kExpectedNext, u"Expected 'Next'", u"Предполагается наличие 'Next'"},
    {kExpectedCase, u"Expected 'Case'", u"Предполагается наличие 'Case'"},
    {kExpectedSelect, u"Expected 'Select'", u"Предполагается наличие 'Select'"},
    {kExpectedExpression, u"Expected expression", u"Предполагается наличие выражения"},
    {kExpectedStatement, u"Expected statement", u"Предполагается наличие оператора"},
    {kExpectedEndOfStatement, u"Expected end of statement", u"Предполагается окончание инструкции"},
    {kExpectedInteger, u"Expected integer constant", u"Предполагается наличие целой константы"},
    {kExpectedWhileOrUntil, u"Expected 'While' or 'Until'",
     u"Предполагается наличие 'While' или 'Until'"},
    {kExpectedWhileUntilOrEndOfStatement, u"Expected 'While', 'Until' or end of statement",
     u"Предполагается наличие 'While', 'Until' или окончания инструкции"},
    {kTooManyLocals, u"Too many locals or arguments",
     u"Слишком много локальных переменных или аргументов"},
    {kInvalidCharacter, u"Invalid character", u"Недопустимый знак"},
    {kUnterminatedString, u"Unterminated string constant", u"Незавершенная строковая константа"},
    {kInvalidNumber, u"Invalid number", u"Недопустимое число"},
    {kInvalidExitStatement, u"Invalid 'exit' statement", u"Недопустимый оператор 'exit'"},
    {kInvalidForLoopControl, u"Invalid 'for' loop control variable",
     u"Недопустимая управляющая переменная цикла 'for'"},
    {kNameRedefined, u"Name redefined", u"Переопределение имени"},
    {kMustBeFirstStatement, u"Must be first statement on the line",
     u"Должен быть первым оператором в строке"},
    {kCannotAssignToNonByValArgument, u"Cannot assign to non-ByVal argument",
     u"Невозможно присвоение аргументу, не являющемуся ByVal"},
    {kCannotUseParensCallingSub, u"Cannot use parentheses when calling a Sub",
     u"При вызове процедуры Sub нельзя использовать скобки"},
    {kExpectedLiteralConstant, u"Expected literal constant",
     u"Предполагается наличие литеральной константы"},
    {kExpectedIn, u"Expected 'In'", u"Предполагается наличие 'In'"},
    {kExpectedClass, u"Expected 'Class'", u"Предполагается наличие 'Class'"},
    {kMustBeDefinedInsideClass, u"Must be defined inside a Class",
     u"Должно быть определено внутри класса"},
    {kExpectedLetSetGet, u"Expected Let or Set or Get in property declaration",
     u"Предполагается наличие Let, Set или Get в объявлении свойства"},
    {kExpectedProperty, u"Expected 'Property'", u"Предполагается наличие 'Property'"},
    {kInconsistentPropertyArguments,
     u"Number of arguments must be consistent across properties specification",
     u"Число аргументов должно быть одинаковым во всех определениях свойства"},
    {kCannotHaveMultipleDefault, u"Cannot have multiple default property/method in a Class",
     u"Класс не может иметь несколько свойств или методов по умолчанию"},
    {kClassInitializeNoArguments, u"Class initialize or terminate do not have arguments",
     u"Процедуры инициализации и завершения класса не имеют аргументов"},
    {kPropertyLetSetNeedsArgument, u"Property set or let must have at least one argument",
     u"Свойство Set или Let должно иметь хотя бы один аргумент"},
    {kUnexpectedNext, u"Unexpected 'Next'", u"Непредвиденный 'Next'"},
    {kDefaultNeedsPublic, u"'Default' specification must also specify 'Public'",
     u"Описание 'Default' должно также содержать 'Public'"},
    {kDefaultOnlyOnPropertyGet, u"'Default' specification can only be on Property Get",
     u"Описание 'Default' допустимо только для Property Get"},
    {kInvalidPattern, u"Syntax error in regular expression",
     u"Синтаксическая ошибка в регулярном выражении"},
    {kUnexpectedQuantifier, u"Unexpected quantifier", u"Непредвиденный квантификатор"},
    {kExpectedBracket, u"Expected ']' in regular expression",
     u"Предполагается наличие ']' в регулярном выражении"},
    {kExpectedParen, u"Expected ')' in regular expression",
     u"Предполагается наличие ')' в регулярном выражении"},
    {kInvalidRangeInCharacterSet, u"Invalid range in character set",
     u"Недопустимый диапазон в наборе знаков"},
    {kScriptTimedOut, u"Script timed out: it ran longer than the time allowed",
     u"Сценарий остановлен: он работал дольше допустимого времени"},
    {kNoMainProcedure, u"The script defines no procedure Main", u"В сценарии нет процедуры Main"},
    {kNoResultSent, u"The script ended without sending a text back with Send",
     u"Сценарий завершился, не вернув текст через Send"},
    {kOutputIsSource, u"The result would overwrite its own source file",
     u"Результат записался бы поверх своего же файла-исходника"},
    {kNoScriptHost, u"Scripts cannot run: no script host is available",
     u"Сценарии не могут выполняться: нет обработчика сценариев"},
    {kTemplateMarkerUnclosed,
     u"The output template's \"[%Файл=\" marker has no closing \"]\": end the script name "
     u"with \"]\"",
     u"В шаблоне вывода у метки \"[%Файл=\" нет закрывающей \"]\": завершите имя сценария знаком "
     u"\"]\""},
    {kNoModeSelected, u"No source mode or combined scheme is selected: choose one first",
     u"Не выбран ни исходный режим, ни комбинированная схема: выберите сначала их"},
    {kNoTableSelected, u"No target table is selected: choose one of the mode's tables",
     u"Не выбрана целевая таблица: выберите одну из таблиц режима"},
    {kSchemeEntriesOpen,
     u"Tables are not chosen for every language mode of the combined scheme: choose a table "
     u"for each open entry",
     u"Таблицы определены не для всех языковых режимов комбинированной схемы: выберите таблицу для "
     u"каждого открытого режима"},
    {kTooManySegments,
     u"The document has more than 32767 language-mode segments: split it into smaller "
     u"documents",
     u"В документе больше 32767 участков языковых режимов: разделите его на документы поменьше"},
    {kRegExpTooComplex,
     u"Regular expression too complex: matching was stopped after too many steps",
     u"Регулярное выражение слишком сложно: сопоставление остановлено после слишком многих шагов"},
    {kElementNotFound, u"Element not found", u"Элемент не найден"},
};

static_assert(std::is_sorted(std::begin(kCatalogue), std::end(kCatalogue),
                             [](const Entry& a, const Entry& b) { return a.number < b.number; }));

}  // namespace

std::u16string description(int number, Language language) {
    auto found = std::lower_bound(std::begin(kCatalogue), std::end(kCatalogue), number,
                                  [](const Entry& e, int n) { return e.number < n; });
    const bool russian = language == Language::Russian;
    if (found != std::end(kCatalogue) && found->number == number) {
        return russian ? found->russian : found->text;
    }
    return russian ? u"Неизвестная ошибка выполнения" : u"Unknown runtime error";
}

std::u16string descriptionIn(Language language, int number, std::u16string_view given) {
    if (language == Language::English || given != description(number)) return std::u16string(given);
    return description(number, language);
}

}  // namespace lorvane::errors
