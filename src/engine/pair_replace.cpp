#include "engine/pair_replace.h"

#include <cstring>
#include <vector>

#include "engine/unit_search.h"

namespace lorvane {
namespace {

template <class Char>
void copyUnits(Char* target, const Char* source, std::size_t count) {
    std::memmove(target, source, count * sizeof(Char));
}

// The search runs over a fixed view of the text, which is rewritten only behind it.
template <class Char>
struct Finder {
    std::basic_string_view<Char> text;
    const TextSearcher<Char>& searcher;
    std::size_t next(std::size_t from) const { return searcher.find(text, from); }
};

// Same length or shorter: the write position never passes the read position.
template <class Char>
std::size_t shrinkInPlace(std::basic_string<Char>& text, const Finder<Char>& finder,
                          std::size_t searchLength, std::basic_string_view<Char> replacement,
                          std::size_t at) {
    constexpr std::size_t npos = std::basic_string_view<Char>::npos;
    Char* data = text.data();
    std::size_t write = at;
    std::size_t count = 0;
    while (at != npos) {
        copyUnits(data + write, replacement.data(), replacement.size());
        write += replacement.size();
        ++count;
        const std::size_t read = at + searchLength;
        at = finder.next(read);
        const std::size_t keep = (at == npos ? text.size() : at) - read;
        if (write != read) copyUnits(data + write, data + read, keep);
        write += keep;
    }
    text.resize(write);
    return count;
}

// Longer: find every occurrence first, then grow once and fill from the back.
template <class Char>
std::size_t growInPlace(std::basic_string<Char>& text, const Finder<Char>& finder,
                        std::size_t searchLength, std::basic_string_view<Char> replacement,
                        std::size_t at) {
    std::vector<std::size_t> starts;
    for (; at != std::basic_string_view<Char>::npos; at = finder.next(at + searchLength)) {
        starts.push_back(at);
    }
    const std::size_t oldSize = text.size();
    text.resize(oldSize + starts.size() * (replacement.size() - searchLength));
    Char* data = text.data();
    std::size_t readEnd = oldSize;
    std::size_t writeEnd = text.size();
    for (auto it = starts.rbegin(); it != starts.rend(); ++it) {
        const std::size_t tail = *it + searchLength;
        const std::size_t keep = readEnd - tail;
        writeEnd -= keep;
        copyUnits(data + writeEnd, data + tail, keep);
        writeEnd -= replacement.size();
        copyUnits(data + writeEnd, replacement.data(), replacement.size());
        readEnd = *it;
    }
    return starts.size();
}

}  // namespace

template <class Char>
std::size_t replaceUnits(std::basic_string<Char>& text, std::basic_string_view<Char> search,
                         std::basic_string_view<Char> replacement, std::size_t filterA,
                         std::size_t filterB) {
    if (search.empty() || text.size() < search.size()) return 0;
    const TextSearcher<Char> searcher(search, filterA, filterB);
    const Finder<Char> finder{text, searcher};
    const std::size_t first = finder.next(0);
    if (first == std::basic_string_view<Char>::npos) return 0;
    if (replacement.size() <= search.size()) {
        return shrinkInPlace(text, finder, search.size(), replacement, first);
    }
    return growInPlace(text, finder, search.size(), replacement, first);
}

template std::size_t replaceUnits<char16_t>(std::u16string&, std::u16string_view,
                                            std::u16string_view, std::size_t, std::size_t);
template std::size_t replaceUnits<char>(std::string&, std::string_view, std::string_view,
                                        std::size_t, std::size_t);

}  // namespace lorvane
