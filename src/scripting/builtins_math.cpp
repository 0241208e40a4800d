// Built-in number functions: Int, Fix, Abs, Sgn, Round (half to even), Sqr, Exp, Log, the
// trigonometric functions and Rnd.
#include <cmath>
#include <cstdio>
#include <string>

#include "platform/c_numbers.h"
#include "platform/error_catalogue.h"
#include "scripting/builtins.h"
#include "scripting/coerce.h"
#include "scripting/evaluator.h"
#include "scripting/script_error.h"

namespace lorvane::vbs {
namespace {

using Args = BuiltinArgs;

// The argument as a number keeping its subtype; texts become Doubles, Empty an Integer 0.
Variant numeric(const Variant& arg) {
    Variant v = valueOf(arg);
    switch (v.type()) {
        case VarType::Empty:
            return Variant::fromInteger(0);
        case VarType::Boolean:
            return Variant::fromInteger(v.asBool() ? -1 : 0);
        case VarType::String:
            return Variant::fromDouble(toDouble(v));
        case VarType::Null:
            return v;
        default:
            if (!v.isNumber()) raise(errors::kTypeMismatch);
            return v;
    }
}

// A whole-number result of a function that keeps the subtype of its argument.
Variant sameType(const Variant& like, double value) {
    switch (like.type()) {
        case VarType::Byte:
            return Variant::fromByte(static_cast<uint8_t>(value));
        case VarType::Integer:
            if (value >= -32768 && value <= 32767)
                return Variant::fromInteger(static_cast<int16_t>(value));
            return Variant::fromLong(static_cast<int32_t>(value));
        case VarType::Long:
            if (value >= -2147483648.0 && value <= 2147483647.0) {
                return Variant::fromLong(static_cast<int32_t>(value));
            }
            return Variant::fromDouble(value);
        case VarType::Single:
            return Variant::fromSingle(static_cast<float>(value));
        case VarType::Date:
            return Variant::fromDate(value);
        default:
            return Variant::fromDouble(value);
    }
}

Variant fnInt(Evaluator&, Args& a) {
    const Variant v = numeric(a[0]);
    if (v.isNull()) return v;
    return sameType(v, std::floor(v.numberValue()));
}

Variant fnFix(Evaluator&, Args& a) {
    const Variant v = numeric(a[0]);
    if (v.isNull()) return v;
    return sameType(v, std::trunc(v.numberValue()));
}

Variant fnAbs(Evaluator&, Args& a) {
    const Variant v = numeric(a[0]);
    if (v.isNull()) return v;
    return sameType(v, std::fabs(v.numberValue()));
}

Variant fnSgn(Evaluator&, Args& a) {
    const Variant v = numeric(a[0]);
    if (v.isNull()) raise(errors::kInvalidUseOfNull);
    const double d = v.numberValue();
    return Variant::fromInteger(static_cast<int16_t>(d < 0 ? -1 : d > 0 ? 1 : 0));
}

// Round(number[, digits]) rounds halves to the even neighbour at that many decimals.
Variant fnRound(Evaluator&, Args& a) {
    const Variant v = numeric(a[0]);
    if (v.isNull()) return v;
    int32_t digits = a.size() > 1 && !a[1].isEmpty() ? toLong(a[1]) : 0;
    if (digits < 0) raise(errors::kInvalidProcedureCall);
    if (a[0].isBool()) return a[0];  // a Boolean is already whole
    const double d = v.numberValue();
    if (v.type() == VarType::Integer || v.type() == VarType::Long || v.type() == VarType::Byte) {
        return v;
    }
    if (digits > 15) return v;
    const double scale = std::pow(10.0, digits);
    const double scaled = d * scale;
    if (std::isinf(scaled)) return v;
    const double rounded = roundHalfEven(scaled) / scale;
    if (v.type() == VarType::Single) return Variant::fromSingle(static_cast<float>(rounded));
    return Variant::fromDouble(rounded);
}

double argument(const Args& a) {
    if (a[0].isNull()) raise(errors::kInvalidUseOfNull);
    return toDouble(a[0]);
}

Variant real(double value) {
    if (std::isinf(value)) raise(errors::kOverflow);
    if (std::isnan(value)) raise(errors::kInvalidProcedureCall);
    return Variant::fromDouble(value);
}

Variant fnSqr(Evaluator&, Args& a) {
    const double d = argument(a);
    if (d < 0) raise(errors::kInvalidProcedureCall);
    return real(std::sqrt(d));
}

Variant fnExp(Evaluator&, Args& a) {
    return real(std::exp(argument(a)));
}

Variant fnLog(Evaluator&, Args& a) {
    const double d = argument(a);
    if (d <= 0) raise(errors::kInvalidProcedureCall);
    return real(std::log(d));
}

Variant fnSin(Evaluator&, Args& a) {
    return real(std::sin(argument(a)));
}
Variant fnCos(Evaluator&, Args& a) {
    return real(std::cos(argument(a)));
}
Variant fnTan(Evaluator&, Args& a) {
    return real(std::tan(argument(a)));
}
Variant fnAtn(Evaluator&, Args& a) {
    return real(std::atan(argument(a)));
}

Variant fnRnd(Evaluator& e, Args& a) {
    std::optional<double> arg;
    if (!a.empty() && !a[0].isEmpty()) arg = toDouble(a[0]);
    return Variant::fromSingle(e.nextRandom(arg));
}

Variant fnRGB(Evaluator&, Args& a) {
    auto channel = [](const Variant& v) {
        const int32_t c = toLong(v);
        if (c < 0) raise(errors::kInvalidProcedureCall);
        return c > 255 ? 255 : c;
    };
    return Variant::fromLong(channel(a[0]) + channel(a[1]) * 256 + channel(a[2]) * 65536);
}

// FormatNumber(value[, digits[, leadingDigit[, parensForNegative[, groupDigits]]]]) in the
// en-US form: "." before the decimals, "," between groups of thousands.
std::u16string formatFixed(double value, int digits, bool leading, bool parens, bool group) {
    const bool negative =
        value < 0 && roundHalfEven(std::fabs(value) * std::pow(10.0, digits)) != 0;
    const std::string text = printFixed(std::fabs(value), digits);
    const std::size_t point = text.find('.');
    std::string whole = text.substr(0, point);
    const std::string fraction = point == std::string::npos ? "" : text.substr(point);
    if (group) {
        for (int i = static_cast<int>(whole.size()) - 3; i > 0; i -= 3) {
            whole.insert(static_cast<std::size_t>(i), ",");
        }
    }
    if (!leading && whole == "0" && !fraction.empty()) whole.clear();
    std::string out = whole + fraction;
    if (negative) out = parens ? "(" + out + ")" : "-" + out;
    return std::u16string(out.begin(), out.end());
}

bool tristate(const Args& a, std::size_t i, bool fallback) {
    if (i >= a.size() || a[i].isEmpty()) return fallback;
    const int32_t v = toLong(a[i]);
    return v == -2 ? fallback : v != 0;
}

int decimals(const Args& a) {
    if (a.size() < 2 || a[1].isEmpty()) return 2;
    const int32_t d = toLong(a[1]);
    if (d == -1) return 2;
    if (d < -1 || d > 255) raise(errors::kInvalidProcedureCall);
    return d;
}

Variant fnFormatNumber(Evaluator&, Args& a) {
    if (a[0].isNull()) raise(errors::kTypeMismatch);
    return Variant::fromString(formatFixed(toDouble(a[0]), decimals(a), tristate(a, 2, true),
                                           tristate(a, 3, false), tristate(a, 4, true)));
}

Variant fnFormatPercent(Evaluator&, Args& a) {
    if (a[0].isNull()) raise(errors::kTypeMismatch);
    return Variant::fromString(formatFixed(toDouble(a[0]) * 100, decimals(a), tristate(a, 2, true),
                                           tristate(a, 3, false), tristate(a, 4, true)) +
                               u"%");
}

// FormatCurrency: FormatNumber's rules with the en-US currency sign, "$1,000.00".
Variant fnFormatCurrency(Evaluator&, Args& a) {
    if (a[0].isNull()) raise(errors::kTypeMismatch);
    const std::u16string number = formatFixed(toDouble(a[0]), decimals(a), tristate(a, 2, true),
                                              tristate(a, 3, false), tristate(a, 4, true));
    if (number.front() == u'(') return Variant::fromString(u"($" + number.substr(1));
    if (number.front() == u'-') return Variant::fromString(u"-$" + number.substr(1));
    return Variant::fromString(u"$" + number);
}

constexpr Builtin kMathBuiltins[] = {
    {u"RGB", 3, 3, fnRGB},
    {u"FormatNumber", 1, 5, fnFormatNumber},
    {u"FormatPercent", 1, 5, fnFormatPercent},
    {u"FormatCurrency", 1, 5, fnFormatCurrency},
    {u"Int", 1, 1, fnInt},
    {u"Fix", 1, 1, fnFix},
    {u"Abs", 1, 1, fnAbs},
    {u"Sgn", 1, 1, fnSgn},
    {u"Round", 1, 2, fnRound},
    {u"Sqr", 1, 1, fnSqr},
    {u"Exp", 1, 1, fnExp},
    {u"Log", 1, 1, fnLog},
    {u"Sin", 1, 1, fnSin},
    {u"Cos", 1, 1, fnCos},
    {u"Tan", 1, 1, fnTan},
    {u"Atn", 1, 1, fnAtn},
    {u"Rnd", 0, 1, fnRnd},
};

}  // namespace

std::span<const Builtin> mathBuiltins() {
    return kMathBuiltins;
}

}  // namespace lorvane::vbs
