// Replace-all as every pair of a table does it: exact, left to right, occurrences do not
// overlap, and inserted text is not searched again. Written for speed: one scan, no work when
// nothing matches, in place when the lengths agree.
#pragma once

#include <string>
#include <string_view>

namespace lorvane {

// Returns the number of occurrences replaced. An empty search text changes nothing.
std::size_t replaceOccurrences(std::u16string& text, std::u16string_view search,
                               std::u16string_view replacement);

}  // namespace lorvane
