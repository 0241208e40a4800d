#include "engine/char_counts.h"

#include <algorithm>
#include <array>
#include <limits>

namespace lorvane {

template <class Char>
std::size_t CharCounts<Char>::open(Char c) {
    const std::size_t s = slot(c);
    const std::size_t page = s / kPageSize;
    if (!open_[page]) {
        std::fill_n(&counts_[page * kPageSize], kPageSize, uint64_t{0});
        open_[page] = true;
    }
    return s;
}

// Nothing but the bits: a page is cleared when a unit of it is first counted again.
template <class Char>
void CharCounts<Char>::clearAll() {
    if (!counts_) counts_ = std::make_unique_for_overwrite<uint64_t[]>(kUnits);
    open_.reset();
}

template <class Char>
void CharCounts<Char>::recount(std::basic_string_view<Char> text) {
    clearAll();
    if (text.size() < kUnits) {
        // A short text touches a few pages, and clearing only those costs less than clearing
        // them all (a text of a few kilobytes is counted for every document of a folder).
        for (Char unit : text)
            ++counts_[open(unit)];
    } else {
        // A long text: every page cleared at once, then one increment per unit without a test;
        // the pages in use are read off the counts afterwards.
        uint64_t* counts = counts_.get();
        std::fill_n(counts, kUnits, uint64_t{0});
        if constexpr (kUnits == 256) {
            // Bytes into four tables in turn, so a run of one value does not wait on its own
            // increments; the tables are summed at the end.
            std::array<std::array<uint64_t, 256>, 4> lanes{};
            std::size_t i = 0;
            for (; i + 4 <= text.size(); i += 4) {
                ++lanes[0][slot(text[i])];
                ++lanes[1][slot(text[i + 1])];
                ++lanes[2][slot(text[i + 2])];
                ++lanes[3][slot(text[i + 3])];
            }
            for (; i < text.size(); ++i)
                ++lanes[0][slot(text[i])];
            for (std::size_t b = 0; b < 256; ++b)
                counts[b] = lanes[0][b] + lanes[1][b] + lanes[2][b] + lanes[3][b];
        } else {
            for (Char unit : text)
                ++counts[slot(unit)];
        }
        for (std::size_t page = 0; page < kPages; ++page) {
            const uint64_t* first = counts + page * kPageSize;
            open_[page] = std::any_of(first, first + kPageSize, [](uint64_t n) { return n != 0; });
        }
    }
    valid_ = true;
}

template <class Char>
void CharCounts<Char>::startOver() {
    clearAll();
    valid_ = true;
}

template <class Char>
bool CharCounts<Char>::mayContain(std::basic_string_view<Char> search) const {
    return std::all_of(search.begin(), search.end(), [this](Char c) { return count(c) > 0; });
}

template <class Char>
std::pair<std::size_t, std::size_t> CharCounts<Char>::rarestOffsets(
    std::basic_string_view<Char> search) const {
    std::size_t best = 0;
    std::size_t second = search.size() > 1 ? 1 : 0;
    if (count(search[second]) < count(search[best])) std::swap(best, second);
    for (std::size_t i = 2; i < search.size(); ++i) {
        if (count(search[i]) < count(search[best])) {
            second = best;
            best = i;
        } else if (count(search[i]) < count(search[second])) {
            second = i;
        }
    }
    return {best, second};
}

template <class Char>
void CharCounts<Char>::replaced(std::basic_string_view<Char> search,
                                std::basic_string_view<Char> replacement, std::size_t times) {
    if (times == 0) return;
    const auto n = static_cast<uint64_t>(times);
    for (Char c : search)
        counts_[open(c)] -= n;
    for (Char c : replacement)
        counts_[open(c)] += n;
}

template <class Char>
void CharCounts<Char>::translated(
    const std::vector<std::pair<Char, std::basic_string<Char>>>& mapping) {
    std::vector<uint64_t> before;
    before.reserve(mapping.size());
    for (const auto& [from, image] : mapping) before.push_back(count(from));
    for (std::size_t i = 0; i < mapping.size(); ++i) {
        counts_[open(mapping[i].first)] -= before[i];
        for (Char c : mapping[i].second) counts_[open(c)] += before[i];
    }
}

template class CharCounts<char16_t>;
template class CharCounts<char>;

}  // namespace lorvane
