// Regular expressions as scripts write them — the ECMAScript 3 syntax of the Windows engine —
// turned into ICU patterns of the same meaning. ICU's own extras that the script syntax reads
// differently (\Q..\E, \p{..}, possessive quantifiers, inline flags, \A, \z ...) are read the
// script's way: as literal characters, or as errors where that syntax fails.
//
// What still differs from the Windows engine: ICU matches whole code points, so "." and a class
// take a surrogate pair as one character; IgnoreCase follows ICU's full case folding for
// literal text ("ß" matches "SS"); a group inside a repeated group keeps its capture from an
// earlier repetition where ECMAScript would reset it; a quantified lookahead is an error.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace lorvane::vbs {

struct PatternOptions {
    bool ignoreCase = false;  // passed to ICU as a flag; the translation does not depend on it
    bool multiLine = false;
};

struct TranslatedPattern {
    std::u16string icuPattern;
    // The ICU group number of the script's group k at index k (index 0 is the whole match).
    // The numbers differ where helper groups were added for backreferences.
    std::vector<int32_t> icuGroup{0};

    int32_t groupCount() const { return static_cast<int32_t>(icuGroup.size()) - 1; }
};

// Fails with 5017 (syntax error), 5018 (unexpected quantifier), 5019 (expected ']'), 5020
// (expected ')') or 5021 (invalid range in character set).
TranslatedPattern translatePattern(std::u16string_view pattern, const PatternOptions& options);

}  // namespace lorvane::vbs
