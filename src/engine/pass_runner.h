// Runs the pair passes of a stretch of table lines over the working text with shortcuts that
// give exactly the text of one plain pass per pair:
// - consecutive single-character pairs become one translation pass (each maps characters
//   independently, so their composition is a map from characters to texts);
// - a pass whose search text cannot occur is skipped, by exact counts of the units present;
// - with a single-byte code page a large text is worked on as its code-page bytes (half the
//   memory to scan), which is exact while every character has a code, and converted back once.
#pragma once

#include <exception>
#include <string>
#include <string_view>
#include <vector>

#include "engine/char_counts.h"
#include "engine/pair_line.h"
#include "platform/code_page.h"

namespace lorvane {

class PassRunner {
  public:
    // Texts shorter than this are worked on directly: the shortcuts would cost more than they save.
    static constexpr std::size_t kDefaultThreshold = 4096;
    // Queued single-character pairs are run before an image of the composition would pass this
    // length.
    static constexpr std::size_t kMaxQueuedImage = 4096;

    PassRunner(std::u16string& text, const CodePage& codePage,
               std::size_t threshold = kDefaultThreshold);
    // The queued pairs run at the end of the stretch, but not while a failure (memory run
    // out) unwinds it: the conversion fails as a whole then.
    ~PassRunner() {
        if (std::uncaught_exceptions() == 0) flush();
    }
    PassRunner(const PassRunner&) = delete;
    PassRunner& operator=(const PassRunner&) = delete;

    // Queues a single-character pair or runs a longer one (after the queued ones).
    void add(std::u16string_view search, std::u16string_view replacement);
    void add(const Pair& pair) { add(pair.search, pair.replacement); }
    // Runs the queued pairs and leaves the result in the working text.
    void flush();
    // Something other than a pair changed the working text (call after flush).
    void textChanged() { unitCounts_.invalidate(); }

  private:
    bool composesSmall(char16_t from, std::size_t replacementSize) const;
    void runPair(std::u16string_view search, std::u16string_view replacement);
    void runTranslation();
    bool translateBytes();
    void translateUnits();
    bool mayOccur(std::u16string_view search);
    bool enterBytes();
    void leaveBytes();

    std::u16string& text_;
    const CodePage& codePage_;
    std::size_t threshold_;
    CharCounts<char16_t> unitCounts_;
    std::string bytes_;
    bool inBytes_ = false;
    bool bytesRefused_ = false;  // the text holds a character without a code
    CharCounts<char> byteCounts_;
    // The queued composition: each changed character and the text it now becomes.
    std::vector<char16_t> changed_;
    std::vector<std::u16string> images_;
};

}  // namespace lorvane
