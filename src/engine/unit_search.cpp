#include "engine/unit_search.h"

#include <algorithm>
#include <cstdint>
#include <cstring>

#include "engine/candidate_blocks.h"

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace lorvane {

template <>
const char* findUnit<char>(const char* first, const char* last, char unit) {
    const void* hit = std::memchr(first, static_cast<unsigned char>(unit),
                                  static_cast<std::size_t>(last - first));
    return hit ? static_cast<const char*>(hit) : last;
}

template <>
const char16_t* findUnit<char16_t>(const char16_t* first, const char16_t* last, char16_t unit) {
#if defined(__SSE2__)
    const __m128i needle = _mm_set1_epi16(static_cast<short>(unit));
    auto load = [](const char16_t* at) {
        return _mm_loadu_si128(reinterpret_cast<const __m128i*>(at));
    };
    while (last - first >= 16) {
        const int maskA = _mm_movemask_epi8(_mm_cmpeq_epi16(load(first), needle));
        const int maskB = _mm_movemask_epi8(_mm_cmpeq_epi16(load(first + 8), needle));
        if ((maskA | maskB) != 0) {
            if (maskA != 0) return first + __builtin_ctz(static_cast<unsigned>(maskA)) / 2;
            return first + 8 + __builtin_ctz(static_cast<unsigned>(maskB)) / 2;
        }
        first += 16;
    }
#endif
    return std::find(first, last, unit);
}

template <class Char>
TextSearcher<Char>::TextSearcher(std::basic_string_view<Char> search, std::size_t a, std::size_t b)
    : search_(search), a_(a), b_(b) {
    if (a_ >= search_.size()) a_ = 0;
    if (b_ >= search_.size() || b_ == a_) b_ = search_.size() - 1 == a_ ? 0 : search_.size() - 1;
}

template <class Char>
bool TextSearcher<Char>::matchesAt(const Char* at) const {
    for (std::size_t i = 0; i < search_.size(); ++i) {
        if (at[i] != search_[i]) return false;
    }
    return true;
}

// Tests a block of candidate starts at a time: both filter units must be in place.
template <class Char>
std::size_t TextSearcher<Char>::findBlocks(const Char* base, std::size_t& start,
                                           std::size_t lastStart) const {
    const VectorWidth width = widestVectors();
    const std::size_t block = blockStarts<Char>(width);
    if (block == 0) return std::basic_string_view<Char>::npos;
    UnitFilters<Char> filter;
    filter.count = 1;
    filter.offset1[0] = a_;
    filter.offset2[0] = b_;
    filter.unit1[0] = search_[a_];
    filter.unit2[0] = search_[b_];
    std::uint32_t mask;
    while ((start = findCandidateBlock(width, base, start, lastStart + 1, filter, &mask)) + block <=
           lastStart + 1) {
        while (mask != 0) {
            const std::size_t candidate = start + takeFirstStart<Char>(mask);
            if (matchesAt(base + candidate)) return candidate;
        }
        start += block;
    }
    return std::basic_string_view<Char>::npos;
}

template <class Char>
std::size_t TextSearcher<Char>::find(std::basic_string_view<Char> text, std::size_t from) const {
    constexpr std::size_t npos = std::basic_string_view<Char>::npos;
    const std::size_t length = search_.size();
    if (length == 0 || text.size() < length) return npos;
    const std::size_t lastStart = text.size() - length;
    if (from > lastStart) return npos;
    const Char* base = text.data();
    if (length == 1) {
        const Char* hit = findUnit<Char>(base + from, base + text.size(), search_[0]);
        return hit == base + text.size() ? npos : static_cast<std::size_t>(hit - base);
    }
    std::size_t start = from;
    if (const std::size_t hit = findBlocks(base, start, lastStart); hit != npos) return hit;
    for (; start <= lastStart; ++start) {
        if (base[start + a_] == search_[a_] && base[start + b_] == search_[b_] &&
            matchesAt(base + start)) {
            return start;
        }
    }
    return npos;
}

template class TextSearcher<char16_t>;
template class TextSearcher<char>;

}  // namespace lorvane
