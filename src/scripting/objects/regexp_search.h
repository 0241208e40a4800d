// A script pattern compiled by ICU and the search for its matches by ECMAScript's rules: a
// global search goes on where the last match ended, one position further after an empty
// match, so it always ends. Each search is bounded by a step limit and fails with an error
// instead of running on for ever on a pattern that backtracks catastrophically.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "scripting/objects/regexp_translate.h"

#include <unicode/uversion.h>

U_NAMESPACE_BEGIN
class RegexPattern;
U_NAMESPACE_END

namespace lorvane::vbs {

// ICU's time-limit units, about ten thousand match steps each: a few seconds of work, well
// inside the time a whole script may run.
inline constexpr int32_t kDefaultMatchStepLimit = 30000;

struct MatchSpan {
    int32_t start = 0;  // in UTF-16 units
    int32_t end = 0;
    // Script groups 1..n at index k-1: start and end, -1 when the group took no part.
    std::vector<int32_t> groupStart;
    std::vector<int32_t> groupEnd;
};

class CompiledPattern {
  public:
    // Fails with 5017-5021 for a pattern that is not valid.
    CompiledPattern(std::u16string_view pattern, const PatternOptions& options);
    ~CompiledPattern();
    CompiledPattern(const CompiledPattern&) = delete;
    CompiledPattern& operator=(const CompiledPattern&) = delete;

    int32_t groupCount() const { return translated_.groupCount(); }

    // Every match in order when `global`, else the first one only. Fails with 6100 when a
    // search exceeds `stepLimit` and with 28 when its backtracking outgrows its stack.
    std::vector<MatchSpan> find(const std::u16string& text, bool global, int32_t stepLimit) const;

  private:
    TranslatedPattern translated_;
    std::unique_ptr<icu::RegexPattern> pattern_;
};

}  // namespace lorvane::vbs
