#include "scripting/dates.h"

#include <cmath>
#include <ctime>
#include <vector>

#include "platform/text.h"

namespace lorvane::vbs {
namespace {

// Days from 1970-01-01 to a civil date (proleptic Gregorian calendar).
long long daysFromCivil(long long y, unsigned m, unsigned d) {
    y -= m <= 2;
    const long long era = (y >= 0 ? y : y - 399) / 400;
    const unsigned yoe = static_cast<unsigned>(y - era * 400);
    const unsigned doy = (153 * (m + (m > 2 ? -3 : 9)) + 2) / 5 + d - 1;
    const unsigned doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
    return era * 146097 + static_cast<long long>(doe) - 719468;
}

void civilFromDays(long long z, int& year, int& month, int& day) {
    z += 719468;
    const long long era = (z >= 0 ? z : z - 146096) / 146097;
    const unsigned doe = static_cast<unsigned>(z - era * 146097);
    const unsigned yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
    const long long y = static_cast<long long>(yoe) + era * 400;
    const unsigned doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
    const unsigned mp = (5 * doy + 2) / 153;
    day = static_cast<int>(doy - (153 * mp + 2) / 5 + 1);
    month = static_cast<int>(mp < 10 ? mp + 3 : mp - 9);
    year = static_cast<int>(y + (month <= 2));
}

const long long kEpochOffset = daysFromCivil(1899, 12, 30);  // 1899-12-30 from 1970-01-01

bool isDigit(char16_t c) {
    return c >= u'0' && c <= u'9';
}

}  // namespace

double dateFromParts(int year, int month, int day) {
    // Months outside 1..12 carry into the year, as DateSerial does.
    int m0 = month - 1;
    year += m0 >= 0 ? m0 / 12 : (m0 - 11) / 12;
    m0 = ((m0 % 12) + 12) % 12;
    long long days = daysFromCivil(year, static_cast<unsigned>(m0 + 1), 1) + (day - 1);
    return static_cast<double>(days - kEpochOffset);
}

double timeFromParts(int hour, int minute, int second) {
    return (hour * 3600.0 + minute * 60.0 + second) / 86400.0;
}

DateParts partsOfDate(double value) {
    DateParts parts;
    // Negative dates count days backwards but the time forwards within the day.
    double whole = std::trunc(value);
    double fraction = std::fabs(value - whole);
    long long seconds = std::llround(fraction * 86400.0);
    if (seconds >= 86400) {
        seconds -= 86400;
        whole += value < 0 ? -1 : 1;
    }
    civilFromDays(static_cast<long long>(whole) + kEpochOffset, parts.year, parts.month, parts.day);
    parts.hour = static_cast<int>(seconds / 3600);
    parts.minute = static_cast<int>(seconds / 60 % 60);
    parts.second = static_cast<int>(seconds % 60);
    return parts;
}

int weekdayOf(double value) {
    long long days = static_cast<long long>(std::floor(value));
    // 1899-12-30 was a Saturday (7).
    return static_cast<int>(((days % 7) + 7 + 6) % 7) + 1;
}

std::u16string formatDate(double value) {
    const DateParts p = partsOfDate(value);
    std::u16string out;
    const bool hasDate = std::trunc(value) != 0;
    const bool hasTime = value != std::trunc(value);
    if (hasDate || !hasTime) {
        out = decimal(p.month) + u"/" + decimal(p.day) + u"/" + decimal(p.year);
    }
    if (hasTime) {
        if (!out.empty()) out += u' ';
        int hour12 = p.hour % 12 == 0 ? 12 : p.hour % 12;
        auto two = [](int n) { return (n < 10 ? u"0" : u"") + decimal(n); };
        out += decimal(hour12) + u":" + two(p.minute) + u":" + two(p.second) +
               (p.hour < 12 ? u" AM" : u" PM");
    }
    return out;
}

// "m/d/yyyy", "yyyy-mm-dd", each optionally followed by "h:mm[:ss] [AM|PM]", or the time
// alone.
std::optional<double> parseDateText(std::u16string_view text) {
    std::vector<int> numbers;
    std::vector<char16_t> separators;
    bool pm = false, am = false;
    std::size_t i = 0;
    while (i < text.size()) {
        const char16_t c = text[i];
        if (isDigit(c)) {
            // No part of a date or time has more than four digits.
            int n = 0;
            int digits = 0;
            while (i < text.size() && isDigit(text[i])) {
                if (++digits > 4) return std::nullopt;
                n = n * 10 + (text[i++] - u'0');
            }
            numbers.push_back(n);
            continue;
        }
        if (c == u'/' || c == u'-' || c == u':' || c == u' ') {
            if (c != u' ')
                separators.push_back(c);
            else
                separators.push_back(u' ');
            ++i;
            continue;
        }
        const std::u16string rest = toLower(text.substr(i));
        if (rest == u"am" || rest == u"pm") {
            (rest == u"pm" ? pm : am) = true;
            break;
        }
        return std::nullopt;
    }
    std::u16string seps;
    for (char16_t s : separators) {
        if (s != u' ') seps += s;
    }
    double date = 0;
    std::size_t used = 0;
    int year = 0, month = 0, day = 0;
    if (seps.rfind(u"//", 0) == 0 && numbers.size() >= 3) {
        year = numbers[2], month = numbers[0], day = numbers[1];
        used = 3;
    } else if (seps.rfind(u"--", 0) == 0 && numbers.size() >= 3) {
        year = numbers[0], month = numbers[1], day = numbers[2];
        used = 3;
    }
    if (used) {
        date = dateFromParts(year, month, day);
        const DateParts check = partsOfDate(date);
        if (check.year != year || check.month != month || check.day != day) return std::nullopt;
    }
    const std::size_t timeCount = numbers.size() - used;
    if (timeCount == 1 || timeCount > 3) return std::nullopt;
    if (timeCount == 0) return used ? std::optional<double>(date) : std::nullopt;
    int hour = numbers[used];
    if (pm && hour < 12) hour += 12;
    if (am && hour == 12) hour = 0;
    const int minute = numbers[used + 1];
    const int second = timeCount == 3 ? numbers[used + 2] : 0;
    if (hour > 23 || minute > 59 || second > 59) return std::nullopt;
    return date + timeFromParts(hour, minute, second);
}

double currentDate() {
    std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    return dateFromParts(local.tm_year + 1900, local.tm_mon + 1, local.tm_mday) +
           timeFromParts(local.tm_hour, local.tm_min, local.tm_sec);
}

}  // namespace lorvane::vbs
