// A list index read back from the settings store: decimal text of a 16-bit number.
#pragma once

#include <optional>
#include <string>

namespace lorvane {

// The number, or nothing for text that is not a whole decimal number within -32768..32767
// (spaces at both ends allowed). A negative number is returned as such; callers check ranges.
std::optional<int> storedIndex(const std::u16string& text);

}  // namespace lorvane
