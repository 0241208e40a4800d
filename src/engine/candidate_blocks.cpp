#include "engine/candidate_blocks.h"

#include "engine/candidate_kernel.h"

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace lorvane {

#if defined(__SSE2__) && defined(LORVANE_WIDE_VECTORS)
// In candidate_blocks_wide.cpp, compiled for processors with 256-bit vectors.
std::size_t findCandidateBlockWide(const char* data, std::size_t start, std::size_t endStart,
                                   const UnitFilters<char>& filters, std::uint32_t* masks);
std::size_t findCandidateBlockWide(const char16_t* data, std::size_t start, std::size_t endStart,
                                   const UnitFilters<char16_t>& filters, std::uint32_t* masks);
#endif

namespace {

#if defined(__SSE2__)
template <class Char>
struct NarrowLanes {
    using Vector = __m128i;
    static constexpr std::size_t kStarts = 16 / sizeof(Char);
    static Vector splat(Char unit) {
        if constexpr (sizeof(Char) == 1) return _mm_set1_epi8(static_cast<char>(unit));
        return _mm_set1_epi16(static_cast<short>(unit));
    }
    static Vector load(const Char* at) {
        return _mm_loadu_si128(reinterpret_cast<const __m128i*>(at));
    }
    static std::uint32_t candidates(Vector a, Vector unitA, Vector b, Vector unitB) {
        if constexpr (sizeof(Char) == 1) {
            return static_cast<std::uint32_t>(_mm_movemask_epi8(
                _mm_and_si128(_mm_cmpeq_epi8(a, unitA), _mm_cmpeq_epi8(b, unitB))));
        }
        return static_cast<std::uint32_t>(_mm_movemask_epi8(
            _mm_and_si128(_mm_cmpeq_epi16(a, unitA), _mm_cmpeq_epi16(b, unitB))));
    }
};
#endif

}  // namespace

VectorWidth widestVectors() {
#if defined(__SSE2__) && defined(LORVANE_WIDE_VECTORS)
    static const bool wide = __builtin_cpu_supports("avx2");
    return wide ? VectorWidth::Wide : VectorWidth::Narrow;
#elif defined(__SSE2__)
    return VectorWidth::Narrow;
#else
    return VectorWidth::None;
#endif
}

template <class Char>
std::size_t blockStarts(VectorWidth width) {
    switch (width) {
        case VectorWidth::None:
            return 0;
        case VectorWidth::Narrow:
            return 16 / sizeof(Char);
        case VectorWidth::Wide:
            return 32 / sizeof(Char);
    }
    return 0;
}

template <class Char>
std::size_t findCandidateBlock(VectorWidth width, const Char* data, std::size_t start,
                               std::size_t endStart, const UnitFilters<Char>& filters,
                               std::uint32_t* masks) {
#if defined(__SSE2__) && defined(LORVANE_WIDE_VECTORS)
    if (width == VectorWidth::Wide) {
        return findCandidateBlockWide(data, start, endStart, filters, masks);
    }
#endif
#if defined(__SSE2__)
    if (width != VectorWidth::None) {
        return candidateBlocks<NarrowLanes<Char>>(data, start, endStart, filters, masks);
    }
#endif
    (void)data;
    (void)endStart;
    (void)filters;
    (void)masks;
    return start;
}

template std::size_t blockStarts<char>(VectorWidth);
template std::size_t blockStarts<char16_t>(VectorWidth);
template std::size_t findCandidateBlock<char>(VectorWidth, const char*, std::size_t, std::size_t,
                                              const UnitFilters<char>&, std::uint32_t*);
template std::size_t findCandidateBlock<char16_t>(VectorWidth, const char16_t*, std::size_t,
                                                  std::size_t, const UnitFilters<char16_t>&,
                                                  std::uint32_t*);

}  // namespace lorvane
