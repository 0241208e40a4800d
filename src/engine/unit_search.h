// Finding units and short texts in a text fast: the scans at the heart of every pair pass, for
// UTF-16 texts and for texts held as code-page bytes.
#pragma once

#include <cstddef>
#include <string_view>

namespace lorvane {

// The first position in [first, last) holding `unit`, or `last`.
template <class Char>
const Char* findUnit(const Char* first, const Char* last, Char unit);

// Finds a search text by first filtering on two of its units at once (offsets `a` and `b`,
// ideally its rarest ones), then comparing the candidates whole.
template <class Char>
class TextSearcher {
  public:
    TextSearcher(std::basic_string_view<Char> search, std::size_t a, std::size_t b);
    // The first start at or after `from` where the search text stands in `text`, or npos.
    std::size_t find(std::basic_string_view<Char> text, std::size_t from) const;

  private:
    bool matchesAt(const Char* at) const;
    std::size_t findBlocks(const Char* base, std::size_t& start, std::size_t lastStart) const;

    std::basic_string_view<Char> search_;
    std::size_t a_, b_;
};

}  // namespace lorvane
