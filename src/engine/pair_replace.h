// Replace-all as every pair of a table does it: exact, left to right, occurrences do not
// overlap, and inserted text is not searched again. Written for speed: one scan filtered on two
// chosen units of the search text, no work when nothing matches, and the text is rewritten in
// place (shrinking forwards, growing backwards) instead of being copied.
#pragma once

#include <string>
#include <string_view>

namespace lorvane {

inline constexpr std::size_t kLastUnit = static_cast<std::size_t>(-1);

// Returns the number of occurrences replaced. An empty search text changes nothing. The filter
// offsets name two units of the search text the scan looks for first (its rarest ones, when the
// caller knows them; by default its first and last). For UTF-16 texts and code-page bytes.
template <class Char>
std::size_t replaceUnits(std::basic_string<Char>& text, std::basic_string_view<Char> search,
                         std::basic_string_view<Char> replacement, std::size_t filterA = 0,
                         std::size_t filterB = kLastUnit);

inline std::size_t replaceOccurrences(std::u16string& text, std::u16string_view search,
                                      std::u16string_view replacement, std::size_t filterA = 0,
                                      std::size_t filterB = kLastUnit) {
    return replaceUnits<char16_t>(text, search, replacement, filterA, filterB);
}

}  // namespace lorvane
