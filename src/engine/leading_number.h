// The one rule by which table arguments, pair search sides and numeral inputs are read as
// numbers: spaces, tabs and line feeds are ignored anywhere; the longest numeric prefix counts
// (sign, digits, decimals, exponent, or &H / &O digits); no prefix reads as 0.
#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

namespace lorvane {

double ReadLeadingNumber(std::u16string_view text);

// Rounded to the nearest integer, halves to the even neighbour; nothing when out of range.
std::optional<int16_t> toInt16(double value);
std::optional<int32_t> toInt32(double value);

}  // namespace lorvane
