// findCandidateBlock with 256-bit vectors. This file alone is compiled for processors that have
// them, and is only called where the processor says it does; it defines nothing that another
// file could share (see candidate_kernel.h).
#include <immintrin.h>

#include "engine/candidate_kernel.h"

namespace lorvane {
namespace {

template <class Char>
struct WideLanes {
    using Vector = __m256i;
    static constexpr std::size_t kStarts = 32 / sizeof(Char);
    static Vector splat(Char unit) {
        if constexpr (sizeof(Char) == 1) return _mm256_set1_epi8(static_cast<char>(unit));
        return _mm256_set1_epi16(static_cast<short>(unit));
    }
    static Vector load(const Char* at) {
        return _mm256_loadu_si256(reinterpret_cast<const __m256i*>(at));
    }
    static std::uint32_t candidates(Vector a, Vector unitA, Vector b, Vector unitB) {
        if constexpr (sizeof(Char) == 1) {
            return static_cast<std::uint32_t>(_mm256_movemask_epi8(
                _mm256_and_si256(_mm256_cmpeq_epi8(a, unitA), _mm256_cmpeq_epi8(b, unitB))));
        }
        return static_cast<std::uint32_t>(_mm256_movemask_epi8(
            _mm256_and_si256(_mm256_cmpeq_epi16(a, unitA), _mm256_cmpeq_epi16(b, unitB))));
    }
};

}  // namespace

std::size_t findCandidateBlockWide(const char* data, std::size_t start, std::size_t endStart,
                                   const UnitFilters<char>& filters, std::uint32_t* masks) {
    return candidateBlocks<WideLanes<char>>(data, start, endStart, filters, masks);
}

std::size_t findCandidateBlockWide(const char16_t* data, std::size_t start, std::size_t endStart,
                                   const UnitFilters<char16_t>& filters, std::uint32_t* masks) {
    return candidateBlocks<WideLanes<char16_t>>(data, start, endStart, filters, masks);
}

}  // namespace lorvane
