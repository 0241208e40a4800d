// A pair line split into what it searches for and what replaces it. A search side that begins
// with a number names one character by its code in the program's code page.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "platform/code_page.h"

namespace lorvane {

struct Pair {
    std::u16string search;            // empty: the pair changes nothing
    std::u16string_view replacement;  // a view into the line
};

// Nothing when the line holds no " == ", or when a numeric search side names no valid
// single-byte code (the step fails and changes nothing).
std::optional<Pair> parsePair(std::u16string_view line, const CodePage& codePage);

}  // namespace lorvane
