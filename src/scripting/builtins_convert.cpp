// Built-in conversions (CStr, CInt, CLng, ...) and the questions about values (IsNumeric,
// IsEmpty, TypeName, VarType ...).
#include <cmath>
#include <limits>

#include "platform/error_catalogue.h"
#include "scripting/builtins.h"
#include "scripting/coerce.h"
#include "scripting/dates.h"
#include "scripting/host_object.h"
#include "scripting/script_error.h"

namespace lorvane::vbs {
namespace {

using Args = BuiltinArgs;

Variant fnCStr(Evaluator&, Args& a) {
    return Variant::fromString(toString(a[0]));
}
Variant fnCInt(Evaluator&, Args& a) {
    return Variant::fromInteger(toInteger(a[0]));
}
Variant fnCLng(Evaluator&, Args& a) {
    return Variant::fromLong(toLong(a[0]));
}
Variant fnCDbl(Evaluator&, Args& a) {
    return Variant::fromDouble(toDouble(a[0]));
}
// CCur: the value to four decimal places, within the range of the language's Currency. The
// result is a Double: there is no Currency subtype here.
Variant fnCCur(Evaluator&, Args& a) {
    const double d = toDouble(a[0]);
    if (std::fabs(d) >= 922337203685477.5808) raise(errors::kOverflow);
    return Variant::fromDouble(roundHalfEven(d * 10000) / 10000);
}
Variant fnCBool(Evaluator&, Args& a) {
    return Variant::fromBool(toBool(a[0]));
}

Variant fnCSng(Evaluator&, Args& a) {
    const double d = toDouble(a[0]);
    if (std::fabs(d) > std::numeric_limits<float>::max()) raise(errors::kOverflow);
    return Variant::fromSingle(static_cast<float>(d));
}

Variant fnCByte(Evaluator&, Args& a) {
    if (a[0].isBool()) return Variant::fromByte(a[0].asBool() ? 255 : 0);  // True's bits, not -1
    const double d = roundHalfEven(toDouble(a[0]));
    if (!(d >= 0 && d <= 255)) raise(errors::kOverflow);
    return Variant::fromByte(static_cast<uint8_t>(d));
}

Variant fnCDate(Evaluator&, Args& a) {
    const Variant v = valueOf(a[0]);
    if (v.type() == VarType::Date) return v;
    if (v.isString()) {
        if (auto date = parseDateText(v.asString())) return Variant::fromDate(*date);
        if (auto number = parseNumber(v.asString())) return Variant::fromDate(*number);
        raise(errors::kTypeMismatch);
    }
    return Variant::fromDate(toDouble(v));
}

Variant fnIsNumeric(Evaluator&, Args& a) {
    // An object without a value is simply not numeric.
    if (a[0].isObject() && a[0].asObject() && a[0].asObject()->defaultMember() == kNoMember) {
        return Variant::fromBool(false);
    }
    const Variant v = a[0].isObject() && a[0].asObject() ? valueOf(a[0]) : a[0];
    return Variant::fromBool(isNumeric(v));
}

Variant fnIsEmpty(Evaluator&, Args& a) {
    return Variant::fromBool(a[0].isEmpty());
}
Variant fnIsNull(Evaluator&, Args& a) {
    return Variant::fromBool(a[0].isNull());
}
Variant fnIsArray(Evaluator&, Args& a) {
    return Variant::fromBool(a[0].isArray());
}
Variant fnIsObject(Evaluator&, Args& a) {
    return Variant::fromBool(a[0].isObject());
}

Variant fnIsDate(Evaluator&, Args& a) {
    const Variant& v = a[0];
    if (v.type() == VarType::Date) return Variant::fromBool(true);
    return Variant::fromBool(v.isString() && parseDateText(v.asString()).has_value());
}

Variant fnTypeName(Evaluator&, Args& a) {
    return Variant::fromString(typeName(a[0]));
}

Variant fnVarType(Evaluator&, Args& a) {
    return Variant::fromInteger(static_cast<int16_t>(static_cast<int>(a[0].type())));
}

constexpr Builtin kConversionBuiltins[] = {
    {u"CStr", 1, 1, fnCStr},         {u"CInt", 1, 1, fnCInt},     {u"CLng", 1, 1, fnCLng},
    {u"CDbl", 1, 1, fnCDbl},         {u"CSng", 1, 1, fnCSng},     {u"CBool", 1, 1, fnCBool},
    {u"CByte", 1, 1, fnCByte},       {u"CDate", 1, 1, fnCDate},   {u"IsNumeric", 1, 1, fnIsNumeric},
    {u"IsEmpty", 1, 1, fnIsEmpty},   {u"IsNull", 1, 1, fnIsNull}, {u"IsArray", 1, 1, fnIsArray},
    {u"IsObject", 1, 1, fnIsObject}, {u"IsDate", 1, 1, fnIsDate}, {u"TypeName", 1, 1, fnTypeName},
    {u"VarType", 1, 1, fnVarType},   {u"CCur", 1, 1, fnCCur},
};

}  // namespace

std::span<const Builtin> conversionBuiltins() {
    return kConversionBuiltins;
}

}  // namespace lorvane::vbs
