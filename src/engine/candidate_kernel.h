// The loop behind findCandidateBlock, once for each width of vector. Each file that includes this
// gets its own copy (internal linkage): the wide copy is compiled for a newer processor than the
// rest of the program and must never stand in for the narrow one.
#pragma once

#include <cstddef>
#include <cstdint>

#include "engine/candidate_blocks.h"

namespace lorvane {
namespace {

// Lanes: Vector, kStarts, splat(unit), load(at), candidates(vector, vector, units, units).
template <class Lanes, class Char>
inline std::size_t candidateBlocks(const Char* data, std::size_t start, std::size_t endStart,
                                   const UnitFilters<Char>& filters, std::uint32_t* masks) {
    typename Lanes::Vector first[kMaxFilters], second[kMaxFilters];
    const Char* at1[kMaxFilters];
    const Char* at2[kMaxFilters];
    const std::size_t count = filters.count;
    for (std::size_t p = 0; p < count; ++p) {
        first[p] = Lanes::splat(filters.unit1[p]);
        second[p] = Lanes::splat(filters.unit2[p]);
        at1[p] = data + filters.offset1[p];
        at2[p] = data + filters.offset2[p];
    }
    for (; start + Lanes::kStarts <= endStart; start += Lanes::kStarts) {
        std::uint32_t any = 0;
        for (std::size_t p = 0; p < count; ++p) {
            masks[p] = Lanes::candidates(Lanes::load(at1[p] + start), first[p],
                                         Lanes::load(at2[p] + start), second[p]);
            any |= masks[p];
        }
        if (any != 0) return start;
    }
    return start;
}

}  // namespace
}  // namespace lorvane
