// The one catalogue of error numbers and their wording. Numbers and texts follow the script
// language's run-time and compile-time errors, which users already know from their scripts.
#pragma once

#include <string>
#include <string_view>

namespace lorvane::errors {

enum : int {
    kInvalidProcedureCall = 5,
    kOverflow = 6,
    kOutOfMemory = 7,
    kSubscriptOutOfRange = 9,
    kArrayFixedOrLocked = 10,
    kDivisionByZero = 11,
    kTypeMismatch = 13,
    kOutOfStringSpace = 14,
    kOutOfStackSpace = 28,
    kSubOrFunctionNotDefined = 35,
    kBadFileNameOrNumber = 52,
    kFileNotFound = 53,
    kBadFileMode = 54,
    kFileAlreadyOpen = 55,
    kDeviceIoError = 57,
    kFileAlreadyExists = 58,
    kDiskFull = 61,
    kInputPastEndOfFile = 62,
    kTooManyFiles = 67,
    kPermissionDenied = 70,
    kPathFileAccessError = 75,
    kPathNotFound = 76,
    kObjectVariableNotSet = 91,
    kForLoopNotInitialized = 92,
    kInvalidUseOfNull = 94,
    kCannotCreateObject = 429,
    kObjectDoesNotSupportProperty = 438,
    kWrongNumberOfArguments = 450,
    kObjectRequired = 424,
    kObjectNotCollection = 451,
    kKeyAlreadyAssociated = 457,
    kVariableUndefined = 500,
    kIllegalAssignment = 501,
    kScriptTimedOut = 6000,  // the host's own number for a script stopped after its time limit
    kInvalidPattern = 5017,
    kUnexpectedQuantifier = 5018,
    kExpectedBracket = 5019,
    kExpectedParen = 5020,
    kInvalidRangeInCharacterSet = 5021,
    kElementNotFound = 32811,
    kNoMainProcedure = 6001,  // the host's own: a script defines no procedure Main
    kNoResultSent = 6002,     // the host's own: Main returned without sending a text back
    kOutputIsSource = 6003,   // the program's own: a result would overwrite its own source
    kNoScriptHost = 6004,     // the program's own: scripts cannot run in this build
    // The conversion's own failures.
    kTemplateMarkerUnclosed = 6010,
    kNoModeSelected = 6011,
    kNoTableSelected = 6012,
    kSchemeEntriesOpen = 6013,
    kTooManySegments = 6014,
    kRegExpTooComplex = 6100,  // the host's own: a match gave up after too many steps

    // Compile errors.
    kSyntaxError = 1002,
    kExpectedColon = 1003,
    kExpectedOpenParen = 1005,
    kExpectedCloseParen = 1006,
    kExpectedIdentifier = 1010,
    kExpectedEquals = 1011,
    kExpectedIf = 1012,
    kExpectedTo = 1013,
    kExpectedEnd = 1014,
    kExpectedFunction = 1015,
    kExpectedSub = 1016,
    kExpectedThen = 1017,
    kExpectedWend = 1018,
    kExpectedLoop = 1019,
    kExpectedNext = 1020,
    kExpectedCase = 1021,
    kExpectedSelect = 1022,
    kExpectedExpression = 1023,
    kExpectedStatement = 1024,
    kExpectedEndOfStatement = 1025,
    kExpectedInteger = 1026,
    kExpectedWhileOrUntil = 1028,
    kExpectedWhileUntilOrEndOfStatement = 1029,
    kTooManyLocals = 1031,
    kInvalidCharacter = 1032,
    kUnterminatedString = 1033,
    kInvalidNumber = 1035,
    kInvalidExitStatement = 1039,
    kInvalidForLoopControl = 1040,
    kNameRedefined = 1041,
    kMustBeFirstStatement = 1042,
    kCannotAssignToNonByValArgument = 1043,
    kCannotUseParensCallingSub = 1044,
    kExpectedLiteralConstant = 1045,
    kExpectedIn = 1046,
    kExpectedClass = 1047,
    kMustBeDefinedInsideClass = 1048,
    kExpectedLetSetGet = 1049,
    kExpectedProperty = 1050,
    kInconsistentPropertyArguments = 1051,
    kCannotHaveMultipleDefault = 1052,
    kClassInitializeNoArguments = 1053,
    kPropertyLetSetNeedsArgument = 1054,
    kUnexpectedNext = 1055,
    kDefaultNeedsPublic = 1057,
    kDefaultOnlyOnPropertyGet = 1058,
};

// The languages the catalogue speaks: English for the command-line tools and the script
// language's own error texts, Russian for the desktop program.
enum class Language { English, Russian };

// The catalogue's wording of a number, or "Unknown runtime error" for a number it does not hold.
std::u16string description(int number, Language language = Language::English);

// A failure's description in `language`: the catalogue's English wording of `number` is
// replaced by the catalogue's wording in that language; a description of the failure's own
// (a script's Err.Raise text, a code page's name) stays as given.
std::u16string descriptionIn(Language language, int number, std::u16string_view given);

}  // namespace lorvane::errors
