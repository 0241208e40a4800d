#include "engine/pair_replace.h"

#include <algorithm>

namespace lorvane {
namespace {

// The next occurrence of `search` at or after `from`, or npos. Looks for the first unit with
// std::find, which the library vectorises, then compares the rest.
std::size_t findFrom(std::u16string_view text, std::u16string_view search, std::size_t from) {
    const char16_t first = search.front();
    const std::size_t last = text.size() - search.size();  // caller ensures text >= search
    const char16_t* begin = text.data();
    while (from <= last) {
        const char16_t* hit = std::find(begin + from, begin + last + 1, first);
        if (hit == begin + last + 1) return std::u16string_view::npos;
        const std::size_t at = static_cast<std::size_t>(hit - begin);
        if (std::equal(search.begin() + 1, search.end(), hit + 1)) return at;
        from = at + 1;
    }
    return std::u16string_view::npos;
}

std::size_t replaceSameLength(std::u16string& text, std::u16string_view search,
                              std::u16string_view replacement, std::size_t at) {
    std::size_t count = 0;
    while (at != std::u16string_view::npos) {
        std::copy(replacement.begin(), replacement.end(), text.begin() + static_cast<long>(at));
        ++count;
        at = findFrom(text, search, at + search.size());
    }
    return count;
}

}  // namespace

std::size_t replaceOccurrences(std::u16string& text, std::u16string_view search,
                               std::u16string_view replacement) {
    if (search.empty() || text.size() < search.size()) return 0;
    std::size_t at = findFrom(text, search, 0);
    if (at == std::u16string_view::npos) return 0;
    if (search.size() == replacement.size())
        return replaceSameLength(text, search, replacement, at);

    std::u16string out;
    out.reserve(replacement.size() > search.size() ? text.size() + text.size() / 8 : text.size());
    std::size_t start = 0;
    std::size_t count = 0;
    while (at != std::u16string_view::npos) {
        out.append(text, start, at - start);
        out.append(replacement);
        start = at + search.size();
        ++count;
        at = findFrom(text, search, start);
    }
    out.append(text, start, std::u16string::npos);
    text.swap(out);
    return count;
}

}  // namespace lorvane
