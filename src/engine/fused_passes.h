// Consecutive pair passes that cannot interact, run as one scan over the text. Passes interact
// when one could create, destroy or overlap another's matches; which is decided from the search
// and replacement texts alone, so the single scan gives exactly the text of one pass per pair.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace lorvane {

// True when some text holds an occurrence of `a` and one of `b` that share a position: one lies
// inside the other, or an end of one is the start of the other. Both must be non-empty.
bool canOverlap(std::u16string_view a, std::u16string_view b);

// A pass (search, replacement) may run in one scan together with the passes before it when:
// - its search text cannot overlap an earlier search text (it would take or lose matches that
//   the passes one by one give to the earlier pass);
// - it cannot overlap an earlier replacement (it would find matches an earlier pass created,
//   or lose them to a text inserted before it looks);
// - no earlier pass deletes its matches, unless its search text is a single character (a
//   deletion joins its neighbours, and a longer search text could span the joint).
//
// Most pairs of a table share no unit at all, and texts that share none cannot overlap: each pass
// keeps the units of its texts folded into a few bits, which settles those pairs at once.
class UnitSet {
  public:
    explicit UnitSet(std::u16string_view text) {
        for (const char16_t unit : text)
            bits_[(unit >> 6) & 1] |= std::uint64_t{1} << (unit & 63);
    }
    // False when the texts have no unit in common; true may be either.
    bool mayShareWith(const UnitSet& other) const {
        return ((bits_[0] & other.bits_[0]) | (bits_[1] & other.bits_[1])) != 0;
    }

  private:
    std::uint64_t bits_[2] = {};
};

// The texts are views: of a compiled table's steps, which outlive the passes queued from them.
struct FusablePair {
    FusablePair(std::u16string_view search, std::u16string_view replacement)
        : search(search),
          replacement(replacement),
          searchUnits(search),
          replacementUnits(replacement) {}
    std::u16string_view search;
    std::u16string_view replacement;
    UnitSet searchUnits;
    UnitSet replacementUnits;
    // The texts in the bytes of the code page the text is worked on in, when the compiled table
    // has them; otherwise they are encoded when needed.
    bool bytesKnown = false;
    std::string_view searchBytes;
    std::string_view replacementBytes;
};
bool joinsWithoutInteracting(const std::vector<FusablePair>& earlier, std::u16string_view search);

// The passes of a fusable group over one form of the text.
// The texts are views, of texts that outlive the scan.
template <class Char>
struct FusedPattern {
    std::basic_string_view<Char> search;
    std::basic_string_view<Char> replacement;
    // Offsets of the two units the scan filters on (ideally the rarest); both 0 by default.
    std::size_t anchor = 0;
    std::size_t anchor2 = 0;
    std::size_t replaced = 0;  // filled by runFusedScan
};

// An occurrence of a pattern's search text, found by the scan.
struct FusedMatch {
    std::size_t start;
    std::size_t pattern;
};

// Replaces every occurrence of every pattern's search text, as one pass per pattern in order
// would: the scan skips through the text looking for each pattern's two anchor units, all
// patterns at once, and checks the patterns only there; each pattern takes its occurrences from
// left to right without overlap, and as patterns cannot overlap one another, the text is rewritten
// once at the end. Each pattern's `replaced` counts its replacements.
// `matches` is working space, passed in so that a caller running many scans allocates it once;
// what it holds before and after the scan means nothing.
template <class Char>
void runFusedScan(std::basic_string<Char>& text, std::vector<FusedPattern<Char>>& patterns,
                  std::vector<FusedMatch>& matches);

}  // namespace lorvane
