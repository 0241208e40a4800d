// Conversions between Variant subtypes by the script language's rules (what CStr, CDbl, CLng,
// CBool and the operators do), raising the language's errors: 13 for a text that is no number,
// 94 for Null, 6 for overflow, 91/438 for an object without a value.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "scripting/value.h"

namespace lorvane::vbs {

// The value of an object (its default member read without arguments); other values as they are.
// Nothing fails with 91, an object without a default member with 438.
Variant valueOf(const Variant& value);

// CStr: Empty is "", Booleans "True"/"False", numbers in the language's shortest form (0.3,
// 1E+20, 1.5E-07). Null fails with 94, arrays with 13.
std::u16string toString(const Variant& value);
// CDbl: Empty is 0, True is -1, a numeric text its number; anything else fails with 13.
double toDouble(const Variant& value);
// CLng / CInt: rounded half to even; out of range fails with 6.
int32_t toLong(const Variant& value);
int16_t toInteger(const Variant& value);
// CBool: numbers are True unless 0; texts "True"/"False" (any case) or numeric texts.
bool toBool(const Variant& value);
// The Boolean a text names ("True", "false", "#TRUE#"; letter case ignored), if any.
std::optional<bool> booleanText(std::u16string_view text);

// The number a text stands for by the language's rule (spaces around it, a sign, digits with an
// optional decimal point and exponent, or &H / &O digits), or nothing.
std::optional<double> parseNumber(std::u16string_view text);
// IsNumeric: numbers, Booleans, Empty and numeric texts.
bool isNumeric(const Variant& value);

// Numbers as CStr writes them: up to 15 significant digits for Double, 7 for Single.
std::u16string formatDouble(double value);
std::u16string formatSingle(float value);

// Rounding half to even, as CInt, CLng and Round do.
double roundHalfEven(double value);

// What TypeName reports: "Empty", "Null", "Integer", "String", "Variant()", a class name,
// "Nothing" ...
std::u16string typeName(const Variant& value);

}  // namespace lorvane::vbs
