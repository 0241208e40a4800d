#include "scripting/coerce.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "platform/c_numbers.h"
#include "platform/error_catalogue.h"
#include "platform/text.h"
#include "scripting/dates.h"
#include "scripting/host_object.h"
#include "scripting/script_error.h"

namespace lorvane::vbs {
namespace {

bool isSpace(char16_t c) {
    return c == u' ' || c == u'\t';
}

int digitValue(char16_t c, int base) {
    int v = -1;
    if (c >= u'0' && c <= u'9')
        v = c - u'0';
    else if (c >= u'a' && c <= u'f')
        v = c - u'a' + 10;
    else if (c >= u'A' && c <= u'F')
        v = c - u'A' + 10;
    return v < base ? v : -1;
}

// &H / &O digits as the literal would read them: up to 16 bits as an Integer, up to 32 bits as
// a Long, so &HFFFF is -1.
std::optional<double> parseRadix(std::u16string_view digits, int base) {
    if (digits.empty()) return std::nullopt;
    unsigned long long value = 0;
    for (char16_t c : digits) {
        int d = digitValue(c, base);
        if (d < 0) return std::nullopt;
        value = value * static_cast<unsigned>(base) + static_cast<unsigned>(d);
        if (value > 0xFFFFFFFFull) return std::nullopt;
    }
    if (value <= 0xFFFF) return static_cast<double>(static_cast<int16_t>(value));
    return static_cast<double>(static_cast<int32_t>(static_cast<uint32_t>(value)));
}

// Digits are 15 (or 7) significant digits without trailing zeros; exponent of the first digit.
std::u16string formatDigits(const std::string& digits, int exponent, bool negative, int precision) {
    std::string out = negative ? "-" : "";
    const int count = static_cast<int>(digits.size());
    const bool fixedFits =
        exponent < precision && (exponent >= 0 || count - exponent - 1 <= precision);
    if (fixedFits) {
        if (exponent < 0) {
            out += "0." + std::string(static_cast<std::size_t>(-exponent - 1), '0') + digits;
        } else if (count <= exponent + 1) {
            out += digits + std::string(static_cast<std::size_t>(exponent + 1 - count), '0');
        } else {
            out += digits.substr(0, static_cast<std::size_t>(exponent + 1)) + "." +
                   digits.substr(static_cast<std::size_t>(exponent + 1));
        }
    } else {
        out += digits.substr(0, 1);
        if (count > 1) out += "." + digits.substr(1);
        char exp[16];
        std::snprintf(exp, sizeof exp, "E%c%02d", exponent < 0 ? '-' : '+', std::abs(exponent));
        out += exp;
    }
    return std::u16string(out.begin(), out.end());
}

std::u16string formatSignificant(double value, int precision) {
    if (std::isnan(value)) return u"-1.#IND";
    if (std::isinf(value)) return value < 0 ? u"-1.#INF" : u"1.#INF";
    if (value == 0) return u"0";
    const std::string text = printScientific(std::fabs(value), precision - 1);
    const auto e = text.find('e');
    std::string digits;
    for (std::size_t i = 0; i < e; ++i) {
        if (text[i] != '.') digits += text[i];
    }
    while (digits.size() > 1 && digits.back() == '0')
        digits.pop_back();
    const int exponent = std::atoi(text.c_str() + e + 1);
    return formatDigits(digits, exponent, value < 0, precision);
}

}  // namespace

Variant valueOf(const Variant& value) {
    Variant current = value;
    for (int depth = 0; current.isObject(); ++depth) {
        const ObjectRef object = current.asObject();
        if (!object) raise(errors::kObjectVariableNotSet);
        const MemberId member = object->defaultMember();
        if (member == kNoMember || depth > 8) raise(errors::kObjectDoesNotSupportProperty);
        Arguments none;
        current = object->get(member, none);
    }
    return current;
}

std::u16string toString(const Variant& value) {
    switch (value.type()) {
        case VarType::Empty:
            return {};
        case VarType::Null:
            raise(errors::kInvalidUseOfNull);
        case VarType::Boolean:
            return value.asBool() ? u"True" : u"False";
        case VarType::Byte:
            return decimal(value.asByte());
        case VarType::Integer:
            return decimal(value.asInteger());
        case VarType::Long:
            return decimal(value.asLong());
        case VarType::Single:
            return formatSingle(value.asSingle());
        case VarType::Double:
            return formatDouble(value.asDouble());
        case VarType::Date:
            return formatDate(value.asDate());
        case VarType::String:
            return value.asString();
        case VarType::Object:
            return toString(valueOf(value));
        case VarType::Array:
            break;
    }
    raise(errors::kTypeMismatch);
}

double toDouble(const Variant& value) {
    switch (value.type()) {
        case VarType::Empty:
            return 0;
        case VarType::Null:
            raise(errors::kInvalidUseOfNull);
        case VarType::String: {
            auto number = parseNumber(value.asString());
            if (!number) raise(errors::kTypeMismatch);
            return *number;
        }
        case VarType::Object:
            return toDouble(valueOf(value));
        case VarType::Array:
            raise(errors::kTypeMismatch);
        default:
            return value.numberValue();
    }
}

int32_t toLong(const Variant& value) {
    if (value.type() == VarType::Long) return value.asLong();
    if (value.type() == VarType::Integer) return value.asInteger();
    const double rounded = roundHalfEven(toDouble(value));
    if (!(rounded >= -2147483648.0 && rounded <= 2147483647.0)) raise(errors::kOverflow);
    return static_cast<int32_t>(rounded);
}

int16_t toInteger(const Variant& value) {
    if (value.type() == VarType::Integer) return value.asInteger();
    const double rounded = roundHalfEven(toDouble(value));
    if (!(rounded >= -32768.0 && rounded <= 32767.0)) raise(errors::kOverflow);
    return static_cast<int16_t>(rounded);
}

std::optional<bool> booleanText(std::u16string_view text) {
    // "#TRUE#" and "#FALSE#" are how Booleans were once written out to files.
    if (equalsIgnoringCase(text, u"true") || equalsIgnoringCase(text, u"#true#")) return true;
    if (equalsIgnoringCase(text, u"false") || equalsIgnoringCase(text, u"#false#")) return false;
    return std::nullopt;
}

bool toBool(const Variant& value) {
    switch (value.type()) {
        case VarType::Empty:
            return false;
        case VarType::Null:
            raise(errors::kInvalidUseOfNull);
        case VarType::Boolean:
            return value.asBool();
        case VarType::String: {
            std::u16string_view text = trimSpaces(value.asString());
            if (auto named = booleanText(text)) return *named;
            auto number = parseNumber(text);
            if (!number) raise(errors::kTypeMismatch);
            return *number != 0;
        }
        case VarType::Object:
            return toBool(valueOf(value));
        case VarType::Array:
            raise(errors::kTypeMismatch);
        default:
            return value.numberValue() != 0;
    }
}

std::optional<double> parseNumber(std::u16string_view text) {
    std::size_t begin = 0, end = text.size();
    while (begin < end && isSpace(text[begin]))
        ++begin;
    while (end > begin && isSpace(text[end - 1]))
        --end;
    text = text.substr(begin, end - begin);
    if (text.empty()) return std::nullopt;

    if (text.size() > 2 && text[0] == u'&') {
        if (text[1] == u'h' || text[1] == u'H') return parseRadix(text.substr(2), 16);
        if (text[1] == u'o' || text[1] == u'O') return parseRadix(text.substr(2), 8);
    }
    std::string ascii;
    std::size_t i = 0;
    if (text[i] == u'+' || text[i] == u'-') ascii += static_cast<char>(text[i++]);
    while (i < text.size() && isSpace(text[i]))
        ++i;  // "- 5" is a number too
    bool digits = false;
    while (i < text.size() && text[i] >= u'0' && text[i] <= u'9') {
        ascii += static_cast<char>(text[i++]);
        digits = true;
    }
    if (i < text.size() && text[i] == u'.') {
        ascii += '.';
        ++i;
        while (i < text.size() && text[i] >= u'0' && text[i] <= u'9') {
            ascii += static_cast<char>(text[i++]);
            digits = true;
        }
    }
    if (!digits) return std::nullopt;
    if (i < text.size() &&
        (text[i] == u'e' || text[i] == u'E' || text[i] == u'd' || text[i] == u'D')) {
        ascii += 'e';
        ++i;
        if (i < text.size() && (text[i] == u'+' || text[i] == u'-')) {
            ascii += static_cast<char>(text[i++]);
        }
        bool expDigits = false;
        while (i < text.size() && text[i] >= u'0' && text[i] <= u'9') {
            ascii += static_cast<char>(text[i++]);
            expDigits = true;
        }
        if (!expDigits) return std::nullopt;
    }
    if (i != text.size()) return std::nullopt;
    const double value = parseCNumber(ascii);
    if (std::isinf(value)) return std::nullopt;
    return value;
}

bool isNumeric(const Variant& value) {
    switch (value.type()) {
        case VarType::Empty:
        case VarType::Boolean:
        case VarType::Byte:
        case VarType::Integer:
        case VarType::Long:
        case VarType::Single:
        case VarType::Double:
            return true;
        case VarType::String:
            return parseNumber(value.asString()).has_value();
        default:
            return false;
    }
}

std::u16string formatDouble(double value) {
    return formatSignificant(value, 15);
}

std::u16string formatSingle(float value) {
    return formatSignificant(value, 7);
}

double roundHalfEven(double value) {
    const double floor = std::floor(value);
    const double diff = value - floor;
    if (diff > 0.5) return floor + 1;
    if (diff < 0.5) return floor;
    return std::fmod(floor, 2.0) == 0 ? floor : floor + 1;
}

std::u16string typeName(const Variant& value) {
    switch (value.type()) {
        case VarType::Empty:
            return u"Empty";
        case VarType::Null:
            return u"Null";
        case VarType::Boolean:
            return u"Boolean";
        case VarType::Byte:
            return u"Byte";
        case VarType::Integer:
            return u"Integer";
        case VarType::Long:
            return u"Long";
        case VarType::Single:
            return u"Single";
        case VarType::Double:
            return u"Double";
        case VarType::Date:
            return u"Date";
        case VarType::String:
            return u"String";
        case VarType::Object:
            return value.asObject() ? value.asObject()->typeName() : u"Nothing";
        case VarType::Array:
            return u"Variant()";
    }
    return u"Unknown";
}

}  // namespace lorvane::vbs
