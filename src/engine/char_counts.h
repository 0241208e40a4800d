// How often each unit occurs in the working text, kept exact across pair passes, so a pass whose
// search text cannot occur is skipped and a search is filtered on its rarest units.
//
// The counts are kept in pages of 256 units, and only the pages of units that occur are ever
// visited, and cleared unless the text is long: a text of a few kilobytes touches two or three of
// the 256 pages of UTF-16, so counting it costs what the text costs, not what the alphabet of
// 65,536 units would.
#pragma once

#include <bitset>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace lorvane {

template <class Char>
class CharCounts {
  public:
    void recount(std::basic_string_view<Char> text);
    // Counts taken over from another form of the same text: all zero, then add() per unit.
    void startOver();
    void add(Char c, uint64_t n) { counts_[open(c)] += n; }
    bool valid() const { return valid_; }
    void invalidate() { valid_ = false; }

    uint64_t operator[](Char c) const { return count(c); }
    // Calls visit(unit, count) for every unit that occurs, in the order of their codes.
    template <class Visit>
    void forEachPresent(Visit&& visit) const;
    // Accounts for a translation that replaced every occurrence of each `from` unit by its
    // image at once.
    void translated(const std::vector<std::pair<Char, std::basic_string<Char>>>& mapping);
    // False when some unit of `search` is absent, so the search text cannot occur.
    bool mayContain(std::basic_string_view<Char> search) const;
    // The offsets in `search` of its least frequent unit and of the next least frequent one.
    std::pair<std::size_t, std::size_t> rarestOffsets(std::basic_string_view<Char> search) const;
    // Accounts for `times` replacements of `search` by `replacement`.
    void replaced(std::basic_string_view<Char> search, std::basic_string_view<Char> replacement,
                  std::size_t times);

  private:
    static constexpr std::size_t kUnits = std::size_t{1} << (8 * sizeof(Char));
    static constexpr std::size_t kPageSize = 256;
    static constexpr std::size_t kPages = kUnits / kPageSize;

    static std::size_t slot(Char c) { return static_cast<std::make_unsigned_t<Char>>(c); }
    uint64_t count(Char c) const {
        const std::size_t s = slot(c);
        return open_[s / kPageSize] ? counts_[s] : 0;
    }
    // The slot of `c`, its page cleared first when it was not in use.
    std::size_t open(Char c);
    void clearAll();

    std::unique_ptr<uint64_t[]> counts_;  // pages not in open_ hold stale values
    std::bitset<kPages> open_;
    bool valid_ = false;
};

template <class Char>
template <class Visit>
void CharCounts<Char>::forEachPresent(Visit&& visit) const {
    for (std::size_t page = 0; page < kPages; ++page) {
        if (!open_[page]) continue;
        for (std::size_t s = page * kPageSize; s < (page + 1) * kPageSize; ++s) {
            if (counts_[s] > 0) visit(static_cast<Char>(s), counts_[s]);
        }
    }
}

}  // namespace lorvane
