// Skipping through a text to the places where search texts may start: a block of consecutive
// starts is tested at once, each search text by two of its units (ideally its rarest), as wide a
// block as the processor allows.
#pragma once

#include <cstddef>
#include <cstdint>

namespace lorvane {

// Search texts filtered together at most.
constexpr std::size_t kMaxFilters = 8;

// For each search text, the two units a start needs at their offsets from it.
template <class Char>
struct UnitFilters {
    std::size_t count = 0;
    std::size_t offset1[kMaxFilters] = {};
    std::size_t offset2[kMaxFilters] = {};
    Char unit1[kMaxFilters] = {};
    Char unit2[kMaxFilters] = {};
};

// Bits a start takes in a block's mask: one per byte of the unit.
template <class Char>
constexpr unsigned kBitsPerStart = sizeof(Char);

// The bits of the start at `place` in its block.
template <class Char>
constexpr std::uint32_t startBits(unsigned place) {
    return ((std::uint32_t{1} << kBitsPerStart<Char>) - 1) << (place * kBitsPerStart<Char>);
}

// The place in its block of the first start a mask holds, whose bits are then cleared. The mask
// must hold one.
template <class Char>
unsigned takeFirstStart(std::uint32_t& mask) {
    const unsigned place = static_cast<unsigned>(__builtin_ctz(mask)) / kBitsPerStart<Char>;
    mask &= ~startBits<Char>(place);
    return place;
}

// The vectors a block is tested with: none, 128 bits, 256 bits.
enum class VectorWidth { None, Narrow, Wide };

// The widest vectors this processor has that the program can use.
VectorWidth widestVectors();

// The starts one block holds at that width (0 for None).
template <class Char>
std::size_t blockStarts(VectorWidth width);

// Looks at the starts from `start` on, a block at a time, while the whole block lies below
// `endStart`; the caller sees to it that every filter's offsets from those starts stay inside
// the text. Returns the first block where some filter has a candidate, each filter's candidates
// as bits of its mask in `masks` (the lowest bits the block's first start); or, when no block
// has one, the first start not looked at. `width` is widestVectors() or narrower.
template <class Char>
std::size_t findCandidateBlock(VectorWidth width, const Char* data, std::size_t start,
                               std::size_t endStart, const UnitFilters<Char>& filters,
                               std::uint32_t* masks);

}  // namespace lorvane
