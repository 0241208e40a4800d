// Date values of the script language: days since 30 December 1899, the fraction being the time
// of day. Written in the form the language uses for the en-US locale ("3/7/2024 5:04:09 PM").
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace lorvane::vbs {

struct DateParts {
    int year = 1899, month = 12, day = 30;
    int hour = 0, minute = 0, second = 0;
};

double dateFromParts(int year, int month, int day);
double timeFromParts(int hour, int minute, int second);
DateParts partsOfDate(double value);
// 1 = Sunday ... 7 = Saturday.
int weekdayOf(double value);

// The date alone when there is no time of day, the time alone when the date is 30/12/1899.
std::u16string formatDate(double value);

// A date written as "m/d/yyyy" or "yyyy-mm-dd", each optionally followed by "h:mm[:ss]
// [AM|PM]", or the time alone; nothing for any other text.
std::optional<double> parseDateText(std::u16string_view text);

// The local date and time now.
double currentDate();

}  // namespace lorvane::vbs
