#include "platform/wildcard.h"

#include "platform/text.h"

namespace lorvane {
namespace {

bool sameLetter(char16_t a, char16_t b) {
    if (a == b) return true;
    return equalsIgnoringCase(std::u16string_view(&a, 1), std::u16string_view(&b, 1));
}

// Iterative glob matching with one backtrack point: linear in practice, no recursion.
bool glob(std::u16string_view name, std::u16string_view pattern) {
    std::size_t n = 0, p = 0;
    std::size_t starP = std::u16string_view::npos, starN = 0;
    while (n < name.size()) {
        if (p < pattern.size() && (pattern[p] == u'?' || sameLetter(pattern[p], name[n]))) {
            ++n;
            ++p;
        } else if (p < pattern.size() && pattern[p] == u'*') {
            starP = p++;
            starN = n;
        } else if (starP != std::u16string_view::npos) {
            p = starP + 1;
            n = ++starN;
        } else {
            return false;
        }
    }
    while (p < pattern.size() && pattern[p] == u'*')
        ++p;
    return p == pattern.size();
}

}  // namespace

bool matchesPattern(std::u16string_view name, std::u16string_view pattern) {
    pattern = trimSpaces(pattern);
    if (pattern.empty()) return false;
    if (glob(name, pattern)) return true;
    // A pattern ending in ".*" also admits names without any extension ("*.*" admits every name),
    // as the platform the tables come from treats it.
    if (pattern.size() >= 2 && pattern.substr(pattern.size() - 2) == u".*" &&
        name.find(u'.') == std::u16string_view::npos) {
        return glob(name, pattern.substr(0, pattern.size() - 2));
    }
    return false;
}

bool matchesPatternList(std::u16string_view name, std::u16string_view patterns) {
    std::size_t start = 0;
    while (start <= patterns.size()) {
        std::size_t end = patterns.find(u';', start);
        if (end == std::u16string_view::npos) end = patterns.size();
        if (matchesPattern(name, patterns.substr(start, end - start))) return true;
        start = end + 1;
    }
    return false;
}

}  // namespace lorvane
