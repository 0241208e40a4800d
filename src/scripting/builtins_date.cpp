// Built-in date and time functions. Dates are the Date subtype (days since 30 December 1899);
// Now, Date and Time read the local clock.
#include <algorithm>
#include <chrono>
#include <cmath>
#include <ctime>

#include "platform/error_catalogue.h"
#include "platform/text.h"
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

// The first day of the week is checked before the date: Weekday(Null, 9) is an invalid call.
Variant fnWeekday(Evaluator&, Args& a) {
    if (a.size() > 1 && a[1].isNull()) raise(errors::kInvalidUseOfNull);
    const int first = a.size() > 1 && !a[1].isEmpty() ? toLong(a[1]) : 1;
    if (first < 0 || first > 7) raise(errors::kInvalidProcedureCall);
    if (a[0].isNull()) return Variant::null();
    const int day = weekdayOf(dateArg(a[0]));
    const int start = first == 0 ? 1 : first;
    return Variant::fromInteger(static_cast<int16_t>((day - start + 7) % 7 + 1));
}

// A year of two digits is 1930 ... 2029.
Variant fnDateSerial(Evaluator&, Args& a) {
    int32_t year = toLong(a[0]);
    if (year >= 0 && year < 30) year += 2000;
    else if (year >= 30 && year < 100) year += 1900;
    if (year < 100 || year > 9999) raise(errors::kInvalidProcedureCall);
    return Variant::fromDate(dateFromParts(year, toLong(a[1]), toLong(a[2])));
}

// DateAdd(interval, number, date): the whole part of number in years ("yyyy"), quarters ("q"),
// months ("m"), days ("d", "y", "w"), weeks ("ww"), hours ("h"), minutes ("n") or seconds
// ("s"). Adding months keeps the day where the month has it, else takes the month's last day.
Variant fnDateAdd(Evaluator&, Args& a) {
    if (a[0].isNull() || a[1].isNull()) raise(errors::kInvalidUseOfNull);
    const std::u16string interval = toLower(toString(a[0]));
    const double count = std::trunc(toDouble(a[1]));
    if (a[2].isNull()) return Variant::null();
    const double date = dateArg(a[2]);
    int months = 0;
    double days = 0;
    if (interval == u"yyyy") {
        months = 12;
    } else if (interval == u"q") {
        months = 3;
    } else if (interval == u"m") {
        months = 1;
    } else if (interval == u"d" || interval == u"y" || interval == u"w") {
        days = 1;
    } else if (interval == u"ww") {
        days = 7;
    } else if (interval == u"h") {
        days = 1.0 / 24;
    } else if (interval == u"n") {
        days = 1.0 / (24 * 60);
    } else if (interval == u"s") {
        days = 1.0 / (24 * 60 * 60);
    } else {
        raise(errors::kInvalidProcedureCall);
    }
    if (months == 0) return Variant::fromDate(date + count * days);
    const DateParts parts = partsOfDate(date);
    const double total = parts.year * 12.0 + (parts.month - 1) + count * months;
    if (std::fabs(total) > 12.0 * 10000) raise(errors::kInvalidProcedureCall);
    const int year = static_cast<int>(std::floor(total / 12));
    const int month = static_cast<int>(total - year * 12.0) + 1;
    const int lastDay = static_cast<int>(dateFromParts(year, month + 1, 1) - dateFromParts(year, month, 1));
    const double day = dateFromParts(year, month, std::min(parts.day, lastDay));
    const double time = date - std::trunc(date);  // the time of day stays
    return Variant::fromDate(day + (day < 0 ? -std::fabs(time) : std::fabs(time)));
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
    if (a.size() > 1 && a[1].isNull()) raise(errors::kInvalidUseOfNull);
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

// FormatDateTime(date[, format]) in the en-US forms: 0 as CStr writes dates, 1 "Tuesday,
// March 5, 2024", 2 "3/5/2024", 3 "5:04:09 PM", 4 "17:04".
Variant fnFormatDateTime(Evaluator&, Args& a) {
    if (a[0].isNull() || (a.size() > 1 && a[1].isNull())) raise(errors::kInvalidUseOfNull);
    const double date = dateArg(a[0]);
    const int32_t format = a.size() > 1 && !a[1].isEmpty() ? toLong(a[1]) : 0;
    const double day = std::trunc(date);
    const double time = std::fabs(date - day);
    auto two = [](int n) { return (n < 10 ? u"0" : u"") + fromUtf8(std::to_string(n)); };
    switch (format) {
        case 0:
            return Variant::fromString(formatDate(date));
        case 1: {
            const DateParts p = partsOfDate(day);
            return Variant::fromString(std::u16string(kWeekdays[weekdayOf(day) - 1]) + u", " +
                                       kMonths[p.month - 1] + u" " +
                                       fromUtf8(std::to_string(p.day)) + u", " +
                                       fromUtf8(std::to_string(p.year)));
        }
        case 2:
            return Variant::fromString(formatDate(day));
        case 3: {
            const DateParts p = partsOfDate(time);
            const int hour12 = p.hour % 12 == 0 ? 12 : p.hour % 12;
            return Variant::fromString(fromUtf8(std::to_string(hour12)) + u":" + two(p.minute) +
                                       u":" + two(p.second) + (p.hour < 12 ? u" AM" : u" PM"));
        }
        case 4: {
            const DateParts p = partsOfDate(time);
            return Variant::fromString(two(p.hour) + u":" + two(p.minute));
        }
        default:
            raise(errors::kInvalidProcedureCall);
    }
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
    {u"DateAdd", 3, 3, fnDateAdd},
    {u"FormatDateTime", 1, 2, fnFormatDateTime},
};

}  // namespace

std::span<const Builtin> dateBuiltins() {
    return kDateBuiltins;
}

}  // namespace lorvane::vbs
