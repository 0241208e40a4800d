// How often each unit occurs in the working text, kept exact across pair passes, so a pass whose
// search text cannot occur is skipped and a search is filtered on its rarest units.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace lorvane {

template <class Char>
class CharCounts {
  public:
    void recount(std::basic_string_view<Char> text);
    bool valid() const { return valid_; }
    void invalidate() { valid_ = false; }

    uint64_t operator[](Char c) const { return count(c); }
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
    static std::size_t slot(Char c) { return static_cast<std::make_unsigned_t<Char>>(c); }
    uint64_t count(Char c) const { return counts_[slot(c)]; }

    std::vector<uint64_t> counts_;
    bool valid_ = false;
};

}  // namespace lorvane
