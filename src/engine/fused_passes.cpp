#include "engine/fused_passes.h"

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <string_view>
#include <type_traits>

#include "engine/candidate_blocks.h"

namespace lorvane {
namespace {

bool endOverlaps(std::u16string_view first, std::u16string_view second) {
    const std::size_t shorter = std::min(first.size(), second.size());
    for (std::size_t k = 1; k < shorter; ++k) {
        if (first.substr(first.size() - k) == second.substr(0, k)) return true;
    }
    return false;
}

template <class Char>
void copyUnits(Char* target, const Char* source, std::size_t count) {
    if (target != source && count > 0) std::memmove(target, source, count * sizeof(Char));
}

// Patterns filtered together in one vector step; a longer group is scanned in consecutive chunks
// of this many (each chunk is again a group that cannot interact).
constexpr std::size_t kChunk = kMaxFilters;

// Looks at the possible starts in increasing order, a block of them at a time: for each pattern
// a start is a candidate only where both of its anchor units stand at their offsets. Each
// pattern takes a match only after the end of its last one (the left-to-right, non-overlapping
// choice of one pass); patterns cannot overlap one another, so at most one matches at a start.
template <class Char>
class FilteredScan {
  public:
    FilteredScan(std::basic_string_view<Char> text, FusedPattern<Char>* patterns, std::size_t count,
                 std::vector<FusedMatch>& matches)
        : text_(text), patterns_(patterns), count_(count), matches_(matches) {
        for (std::size_t i = 0; i < count; ++i)
            longest_ = std::max(longest_, patterns[i].search.size());
        matches_.clear();
    }

    // Leaves the matches of all patterns in `matches`, ordered by their start.
    void run() {
        const std::size_t size = text_.size();
        std::size_t start = 0;
        const VectorWidth width = widestVectors();
        if (const std::size_t block = blockStarts<Char>(width); block > 0 && size + 1 >= longest_) {
            UnitFilters<Char> filters;
            filters.count = count_;
            for (std::size_t p = 0; p < count_; ++p) {
                const FusedPattern<Char>& pattern = patterns_[p];
                filters.offset1[p] = pattern.anchor;
                filters.offset2[p] = pattern.anchor2;
                filters.unit1[p] = pattern.search[pattern.anchor];
                filters.unit2[p] = pattern.search[pattern.anchor2];
            }
            // Every anchor of a start below this lies inside the text.
            const std::size_t endStart = size + 1 - longest_;
            std::uint32_t masks[kChunk];
            while ((start = findCandidateBlock(width, text_.data(), start, endStart, filters, masks)) +
                       block <=
                   endStart) {
                std::uint32_t any = 0;
                for (std::size_t p = 0; p < count_; ++p)
                    any |= masks[p];
                while (any != 0) {
                    const unsigned place = takeFirstStart<Char>(any);
                    for (std::size_t p = 0; p < count_; ++p) {
                        if ((masks[p] & startBits<Char>(place)) != 0 && take(p, start + place)) {
                            break;
                        }
                    }
                }
                start += block;
            }
        }
        // The last starts, fewer than a block and the longest search: the same two-anchor
        // filter, one start at a time.
        for (; start < size; ++start) {
            for (std::size_t p = 0; p < count_; ++p) {
                if (anchorsAt(p, start) && take(p, start)) break;
            }
        }
    }

  private:
    bool anchorsAt(std::size_t p, std::size_t start) const {
        const FusedPattern<Char>& pattern = patterns_[p];
        return start + pattern.search.size() <= text_.size() &&
               text_[start + pattern.anchor] == pattern.search[pattern.anchor] &&
               text_[start + pattern.anchor2] == pattern.search[pattern.anchor2];
    }

    // The search at `start` lies inside the text: a block's starts are all below the last start
    // of the longest search, and the end's are checked by anchorsAt.
    bool take(std::size_t p, std::size_t start) {
        const FusedPattern<Char>& pattern = patterns_[p];
        const std::size_t length = pattern.search.size();
        if (start < allowed_[p] || text_.compare(start, length, pattern.search) != 0) {
            return false;
        }
        allowed_[p] = start + length;
        ++patterns_[p].replaced;
        matches_.push_back({start, p});
        return true;
    }

    std::basic_string_view<Char> text_;
    FusedPattern<Char>* patterns_;
    std::size_t count_;
    std::size_t longest_ = 1;
    std::size_t allowed_[kChunk] = {};  // each pattern's earliest next start
    std::vector<FusedMatch>& matches_;
};

template <class Char>
void rewrite(std::basic_string<Char>& text, const FusedPattern<Char>* patterns,
             const std::vector<FusedMatch>& matches, bool shrinks) {
    if (matches.empty()) return;
    std::basic_string<Char> grown;
    std::size_t resultSize = text.size();
    for (const FusedMatch& m : matches) {
        resultSize += patterns[m.pattern].replacement.size();
        resultSize -= patterns[m.pattern].search.size();
    }
    // Shrinking, the text is rewritten in place: the write position never passes the read
    // position. Otherwise the result is built in a second text of its exact size.
    if (!shrinks) grown.resize(resultSize);
    Char* target = shrinks ? text.data() : grown.data();
    const Char* data = text.data();
    std::size_t write = 0, read = 0;
    for (const FusedMatch& m : matches) {
        const FusedPattern<Char>& pattern = patterns[m.pattern];
        copyUnits(target + write, data + read, m.start - read);
        write += m.start - read;
        copyUnits(target + write, pattern.replacement.data(), pattern.replacement.size());
        write += pattern.replacement.size();
        read = m.start + pattern.search.size();
    }
    copyUnits(target + write, data + read, text.size() - read);
    if (shrinks)
        text.resize(resultSize);
    else
        text.swap(grown);
}

template <class Char>
void scanChunk(std::basic_string<Char>& text, FusedPattern<Char>* patterns, std::size_t count,
               std::vector<FusedMatch>& matches) {
    if (count == 0) return;
    const bool shrinks = std::all_of(patterns, patterns + count, [](const auto& p) {
        return p.replacement.size() <= p.search.size();
    });
    FilteredScan<Char>(text, patterns, count, matches).run();
    rewrite(text, patterns, matches, shrinks);
}

}  // namespace

bool canOverlap(std::u16string_view a, std::u16string_view b) {
    if (a.find(b) != std::u16string_view::npos || b.find(a) != std::u16string_view::npos) {
        return true;
    }
    return endOverlaps(a, b) || endOverlaps(b, a);
}

// A later pass's replacement plays no part: the earlier passes have run by the time it is put in.
bool joinsWithoutInteracting(const std::vector<FusablePair>& earlier, std::u16string_view search) {
    const UnitSet units(search);
    return std::none_of(earlier.begin(), earlier.end(), [search, &units](const FusablePair& pass) {
        if (pass.searchUnits.mayShareWith(units) && canOverlap(pass.search, search)) return true;
        if (pass.replacement.empty()) return search.size() > 1;
        return pass.replacementUnits.mayShareWith(units) && canOverlap(pass.replacement, search);
    });
}

template <class Char>
void runFusedScan(std::basic_string<Char>& text, std::vector<FusedPattern<Char>>& patterns,
                  std::vector<FusedMatch>& matches) {
    for (std::size_t first = 0; first < patterns.size(); first += kChunk) {
        scanChunk(text, patterns.data() + first, std::min(kChunk, patterns.size() - first),
                  matches);
    }
}

template void runFusedScan<char>(std::string&, std::vector<FusedPattern<char>>&,
                                 std::vector<FusedMatch>&);
template void runFusedScan<char16_t>(std::u16string&, std::vector<FusedPattern<char16_t>>&,
                                     std::vector<FusedMatch>&);

}  // namespace lorvane
