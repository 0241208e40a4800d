// Built-in date and time functions. Dates are the Date subtype (days since 30 December 1899);
// Now, Date and Time read the local clock.
#include <chrono>
#include <cmath>
#include <ctime>

#include "platform/error_catalogue.h"
#include "scripting/builtins.h"
#include "scripting/coerce.h"
#include "scripting/dates.h"
#include "scripting/script_error.h"

namespace lorvane::vbs {
namespace {

using Args = BuiltinArgs;

double dateArg(const Variant& arg) {
    const Variant v = valueOf(arg);
    if (v.type() == VarType::Date) return v.asDate();
    if (v.isString()) {
        if (auto date = parseDateText(v.asString())) return *date;
    }
    if (v.isNull()) raise(errors::kInvalidUseOfNull);
    return toDouble(v);
}

Variant fnNow(Evaluator&, Args&) {
    return Variant::fromDate(currentDate());
}
Variant fnDate(Evaluator&, Args&) {
    return Variant::fromDate(std::floor(currentDate()));
}

Variant fnTime(Evaluator&, Args&) {
    const double now = currentDate();
    return Variant::fromDate(now - std::floor(now));
}

Variant fnTimer(Evaluator&, Args&) {
    std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    const auto since = std::chrono::system_clock::now().time_since_epoch();
    const double fraction =
        static_cast<double>(std::chrono::duration_cast<std::chrono::milliseconds>(since).count() %
                            1000) /
        1000.0;
    return Variant::fromSingle(
        static_cast<float>(local.tm_hour * 3600 + local.tm_min * 60 + local.tm_sec + fraction));
}

Variant part(const Args& a, int DateParts::*field) {
    if (a[0].isNull()) return Variant::null();
    const DateParts parts = partsOfDate(dateArg(a[0]));
    return Variant::fromInteger(static_cast<int16_t>(parts.*field));
}

Variant fnYear(Evaluator&, Args& a) {
    return part(a, &DateParts::year);
}
Variant fnMonth(Evaluator&, Args& a) {
    return part(a, &DateParts::month);
}
Variant fnDay(Evaluator&, Args& a) {
    return part(a, &DateParts::day);
}
Variant fnHour(Evaluator&, Args& a) {
    return part(a, &DateParts::hour);
}
Variant fnMinute(Evaluator&, Args& a) {
    return part(a, &DateParts::minute);
}
Variant fnSecond(Evaluator&, Args& a) {
    return part(a, &DateParts::second);
}

Variant fnWeekday(Evaluator&, Args& a) {
    if (a[0].isNull()) return Variant::null();
    const int first = a.size() > 1 && !a[1].isEmpty() ? toLong(a[1]) : 1;
    if (first < 0 || first > 7) raise(errors::kInvalidProcedureCall);
    const int day = weekdayOf(dateArg(a[0]));
    const int start = first == 0 ? 1 : first;
    return Variant::fromInteger(static_cast<int16_t>((day - start + 7) % 7 + 1));
}

Variant fnDateSerial(Evaluator&, Args& a) {
    return Variant::fromDate(dateFromParts(toLong(a[0]), toLong(a[1]), toLong(a[2])));
}

Variant fnTimeSerial(Evaluator&, Args& a) {
    return Variant::fromDate(timeFromParts(toLong(a[0]), toLong(a[1]), toLong(a[2])));
}

constexpr const char16_t* kMonths[] = {u"January",   u"February", u"March",    u"April",
                                       u"May",       u"June",     u"July",     u"August",
                                       u"September", u"October",  u"November", u"December"};
constexpr const char16_t* kWeekdays[] = {u"Sunday",   u"Monday", u"Tuesday", u"Wednesday",
                                         u"Thursday", u"Friday", u"Saturday"};

bool abbreviated(const Args& a, std::size_t i) {
    return i < a.size() && !a[i].isEmpty() && toBool(a[i]);
}

Variant fnMonthName(Evaluator&, Args& a) {
    const int32_t m = toLong(a[0]);
    if (m < 1 || m > 12) raise(errors::kInvalidProcedureCall);
    std::u16string name = kMonths[m - 1];
    return Variant::fromString(abbreviated(a, 1) ? name.substr(0, 3) : name);
}

Variant fnWeekdayName(Evaluator&, Args& a) {
    const int32_t d = toLong(a[0]);
    const int32_t first = a.size() > 2 && !a[2].isEmpty() ? toLong(a[2]) : 1;
    if (d < 1 || d > 7 || first < 0 || first > 7) raise(errors::kInvalidProcedureCall);
    std::u16string name = kWeekdays[(d - 1 + (first == 0 ? 0 : first - 1)) % 7];
    return Variant::fromString(abbreviated(a, 1) ? name.substr(0, 3) : name);
}

constexpr Builtin kDateBuiltins[] = {
    {u"MonthName", 1, 2, fnMonthName},
    {u"WeekdayName", 1, 3, fnWeekdayName},
    {u"Now", 0, 0, fnNow},
    {u"Date", 0, 0, fnDate},
    {u"Time", 0, 0, fnTime},
    {u"Timer", 0, 0, fnTimer},
    {u"Year", 1, 1, fnYear},
    {u"Month", 1, 1, fnMonth},
    {u"Day", 1, 1, fnDay},
    {u"Hour", 1, 1, fnHour},
    {u"Minute", 1, 1, fnMinute},
    {u"Second", 1, 1, fnSecond},
    {u"Weekday", 1, 2, fnWeekday},
    {u"DateSerial", 3, 3, fnDateSerial},
    {u"TimeSerial", 3, 3, fnTimeSerial},
};

}  // namespace

std::span<const Builtin> dateBuiltins() {
    return kDateBuiltins;
}

}  // namespace lorvane::vbs
