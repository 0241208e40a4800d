#include "scripting/objects/regexp_search.h"

#include <unicode/regex.h>
#include <unicode/utf16.h>

#include "platform/error_catalogue.h"
#include "scripting/run_limits.h"
#include "scripting/script_error.h"

namespace lorvane::vbs {
namespace {

// The translation catches the script syntax's errors itself; what ICU may still reject is a
// pattern beyond its limits.
int compileErrorNumber(UErrorCode status) {
    switch (status) {
        case U_REGEX_MISSING_CLOSE_BRACKET:
            return errors::kExpectedBracket;
        case U_REGEX_MISMATCHED_PAREN:
            return errors::kExpectedParen;
        case U_REGEX_INVALID_RANGE:
            return errors::kInvalidRangeInCharacterSet;
        default:
            return errors::kInvalidPattern;
    }
}

// ICU calls this now and then during a long match; false stops the match.
UBool continueMatching(const void*, int32_t) {
    return !pastDeadline();
}

void raiseForMatchFailure(UErrorCode status) {
    if (status == U_REGEX_STACK_OVERFLOW) raise(errors::kOutOfStackSpace);
    if (status == U_REGEX_STOPPED_BY_CALLER) checkDeadline();
    raise(errors::kRegExpTooComplex);  // U_REGEX_TIME_OUT, or a limit of ICU's own
}

MatchSpan spanOf(const icu::RegexMatcher& matcher, const TranslatedPattern& translated) {
    UErrorCode status = U_ZERO_ERROR;
    MatchSpan span;
    span.start = static_cast<int32_t>(matcher.start(status));
    span.end = static_cast<int32_t>(matcher.end(status));
    for (int32_t k = 1; k <= translated.groupCount(); ++k) {
        const int32_t group = translated.icuGroup[static_cast<std::size_t>(k)];
        span.groupStart.push_back(static_cast<int32_t>(matcher.start(group, status)));
        span.groupEnd.push_back(static_cast<int32_t>(matcher.end(group, status)));
    }
    return span;
}

// Where the next global search starts: ECMAScript moves on by one unit after an empty match;
// a whole surrogate pair is skipped, as ICU cannot start between its halves.
int64_t nextStart(const std::u16string& text, const MatchSpan& span) {
    if (span.end > span.start) return span.end;
    const auto at = static_cast<std::size_t>(span.end);
    if (at < text.size() && U16_IS_LEAD(text[at]) && at + 1 < text.size() &&
        U16_IS_TRAIL(text[at + 1]))
        return span.end + 2;
    return span.end + 1;
}

}  // namespace

CompiledPattern::CompiledPattern(std::u16string_view pattern, const PatternOptions& options)
    : translated_(translatePattern(pattern, options)) {
    UErrorCode status = U_ZERO_ERROR;
    UParseError where;
    const icu::UnicodeString source(translated_.icuPattern.data(),
                                    static_cast<int32_t>(translated_.icuPattern.size()));
    pattern_.reset(icu::RegexPattern::compile(
        source, options.ignoreCase ? UREGEX_CASE_INSENSITIVE : 0, where, status));
    if (U_FAILURE(status)) raise(compileErrorNumber(status));
}

CompiledPattern::~CompiledPattern() = default;

std::vector<MatchSpan> CompiledPattern::find(const std::u16string& text, bool global,
                                             int32_t stepLimit) const {
    // Read-only alias: the matcher reads `text` in place.
    const icu::UnicodeString input(false, text.data(), static_cast<int32_t>(text.size()));
    UErrorCode status = U_ZERO_ERROR;
    std::unique_ptr<icu::RegexMatcher> matcher(pattern_->matcher(input, status));
    if (U_FAILURE(status)) raise(errors::kOutOfMemory);
    matcher->setTimeLimit(stepLimit, status);
    matcher->setMatchCallback(continueMatching, nullptr, status);

    std::vector<MatchSpan> matches;
    int64_t from = 0;
    const auto length = static_cast<int64_t>(text.size());
    DeadlinePacer pacer;
    while (from <= length) {
        pacer.step();
        const bool found = matcher->find(from, status);
        if (U_FAILURE(status)) raiseForMatchFailure(status);
        if (!found) break;
        // Every match is kept with its groups; a bound on their number bounds that memory.
        if (matches.size() >= kMaxTextLength / 32) raise(errors::kOutOfMemory);
        matches.push_back(spanOf(*matcher, translated_));
        if (!global) break;
        from = nextStart(text, matches.back());
    }
    return matches;
}

}  // namespace lorvane::vbs
