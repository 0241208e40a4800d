// Decimal numbers read and written with "." and without regard to the process's locale: a
// desktop session runs under the user's locale (Qt sets it from the environment), and a
// Russian or German one would otherwise read "13.5" as 13 and print 1.5 as "1,5".
#pragma once

#include <string>
#include <string_view>

namespace lorvane {

// The value of [sign] digits [. digits] [(e|E) [sign] digits], as strtod reads it in the C
// locale; too large a value is infinite, too small one 0.
double parseCNumber(std::string_view text);

// printf's "%.*e" and "%.*f" in the C locale.
std::string printScientific(double value, int decimals);
std::string printFixed(double value, int decimals);

}  // namespace lorvane
