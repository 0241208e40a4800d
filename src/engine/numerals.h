// Digit strings turned into numerals in the source markup: Slavonic letters with titlos, Greek
// letters with the numeral sign, or Roman numerals.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace lorvane {

enum NumeralMode : int16_t { kAutomatic = 0, kSlavonic = 1, kGreek = 2, kRoman = 3 };

// `mode` 0 becomes 2 when the table path names a Greek table ("grk" or "gre" in any case); the
// caller's variable keeps that choice. Any mode but 2 works as Slavonic.
std::u16string LetterNumeral(std::u16string_view digits, int16_t& mode,
                             std::u16string_view tablePath);

// Nothing when the number does not fit a 32-bit signed integer.
std::optional<std::u16string> RomanNumeral(std::u16string_view digits);

// Converts every run of the digits 0-9 that is followed by another character, in place. False
// when a run's value is out of range; the runs before it stay converted.
bool DigitRuns(std::u16string& text, int16_t mode, std::u16string_view tablePath);

}  // namespace lorvane
