// One SSE2 vector of units, compared lane by lane: the building block of the scans that skip
// through a text looking for a few units at once.
#pragma once

#include <cstddef>

#if defined(__SSE2__)
#include <emmintrin.h>

namespace lorvane {

// One vector of units: 8 UTF-16 units or 16 bytes, compared lane by lane. The mask has two bits
// per UTF-16 lane and one per byte lane.
template <class Char>
struct Lanes;

template <>
struct Lanes<char16_t> {
    static constexpr std::size_t kCount = 8;
    static constexpr unsigned kBitsPerLane = 2;
    static __m128i splat(char16_t c) { return _mm_set1_epi16(static_cast<short>(c)); }
    static __m128i equal(__m128i a, __m128i b) { return _mm_cmpeq_epi16(a, b); }
};

template <>
struct Lanes<char> {
    static constexpr std::size_t kCount = 16;
    static constexpr unsigned kBitsPerLane = 1;
    static __m128i splat(char c) { return _mm_set1_epi8(c); }
    static __m128i equal(__m128i a, __m128i b) { return _mm_cmpeq_epi8(a, b); }
};

template <class Char>
inline __m128i load(const Char* at) {
    return _mm_loadu_si128(reinterpret_cast<const __m128i*>(at));
}

}  // namespace lorvane
#endif
