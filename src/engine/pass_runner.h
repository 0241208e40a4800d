// Runs the pair passes of a stretch of table lines over the working text with shortcuts that
// give exactly the text of one plain pass per pair:
// - consecutive single-character pairs become one translation pass (each maps characters
//   independently, so their composition is a map from characters to texts);
// - consecutive pairs that cannot interact (see fused_passes.h) become one multi-pattern scan;
// - a pass whose search text cannot occur is skipped, by exact counts of the units present;
// - with a single-byte code page a large text is worked on as its code-page bytes (half the
//   memory to scan), which is exact while every character has a code, and converted back once.
#pragma once

#include <bitset>
#include <cstdint>
#include <exception>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "engine/char_counts.h"
#include "engine/fused_passes.h"
#include "engine/pair_line.h"
#include "platform/code_page.h"

namespace lorvane {

struct Step;
struct CompiledTable;

class PassRunner {
  public:
    // Texts shorter than this are worked on directly: the shortcuts would cost more than they save.
    static constexpr std::size_t kDefaultThreshold = 4096;
    // Queued single-character pairs are run before an image of the composition would pass this
    // length.
    static constexpr std::size_t kMaxQueuedImage = 4096;
    // A group of passes that cannot interact runs once it has this many: each newcomer is checked
    // against every pass of the group, and past this the scans saved no longer pay for that.
    static constexpr std::size_t kMaxGroup = 128;
    // A group runs as one scan only on texts shorter than this. Measured on hip-like texts: on a
    // few kilobytes the fused scan takes half the time of the separate passes, whose fixed costs
    // dominate there; on megabytes the separate passes (each filtering on its own two rarest
    // units, rewriting the text only when it replaces something) were as fast or faster.
    static constexpr std::size_t kFuseBelow = std::size_t{1} << 18;

    PassRunner(std::u16string& text, const CodePage& codePage,
               std::size_t threshold = kDefaultThreshold);
    // The queued pairs run at the end of the stretch, but not while a failure (memory run
    // out) unwinds it: the conversion fails as a whole then.
    ~PassRunner() {
        if (std::uncaught_exceptions() == 0) flush();
    }
    PassRunner(const PassRunner&) = delete;
    PassRunner& operator=(const PassRunner&) = delete;

    // Queues the pair of a compiled table's step: into the translation (single characters), into
    // the group of passes that cannot interact, or, when it fits neither, runs what is queued and
    // starts a new queue. The step's fusion group, when not 0, is the group the compiled table
    // found the pair to join (see assignFusionGroups): a pair of the same group as every queued
    // pass joins them unchecked. The step must outlive the runner, or its table be kept by it.
    void add(const Step& step);
    // Keeps an included table, whose pairs may wait in this runner's queue after its application.
    void keep(std::shared_ptr<const CompiledTable> table) { kept_.push_back(std::move(table)); }
    // Decides once for the steps of a table what add would otherwise decide for each pair of
    // every application: which consecutive pairs form a group of passes that cannot interact.
    // Each pair queued into a group gets the group's number, unique in the process; a pair that
    // goes into a translation of single characters keeps 0. A step that touches the text other
    // than a pair ends a group, an include included (its pairs are checked as they come).
    static void assignFusionGroups(std::vector<Step>& steps);
    // Runs the queued pairs and leaves the result in the working text.
    void flush();
    // Takes the text as the code page's bytes for it (single-byte pages only), the working text
    // left empty meanwhile; called before any pair is added.
    void startInBytes(std::string bytes);
    // Runs the queued pairs like flush, but hands back the text in bytes when it is still in
    // that form, the working text left empty; nothing when the text is in the working text.
    std::optional<std::string> finishInBytes();
    // Something other than a pair changed the working text (call after flush).
    void textChanged() { unitCounts_.invalidate(); }

  private:
    bool composesSmall(char16_t from, std::size_t replacementSize) const;
    FusablePair queued(const Step& step) const;
    // The pass's texts in the page's bytes: the compiled table's, or encoded into the stores;
    // nothing when the page cannot write them.
    std::optional<FusedPattern<char>> bytesOf(const FusablePair& pass, std::string& searchStore,
                                              std::string& replacementStore) const;
    void runPair(const FusablePair& pass);
    void runGroup();
    bool scanGroupBytes(const std::vector<const FusablePair*>& passes);
    void scanGroupUnits(const std::vector<const FusablePair*>& passes);
    void runTranslation();
    void clearTranslation();
    bool translateBytes();
    void translateUnits();
    bool mayOccur(std::u16string_view search);
    bool mayOccur(const FusablePair& pass);
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
    // The units of the queued characters and of their images, folded onto fewer bits: a character
    // whose bit is clear is neither queued nor in an image (a set bit may be either).
    std::bitset<4096> composedUnits_;
    // Queued passes that cannot interact; never queued together with a translation.
    std::vector<FusablePair> group_;
    std::uint64_t groupOfAll_ = 0;  // the fusion group of every queued pass, 0 when none is
    // Working space of the group scans, kept from one group to the next.
    std::vector<const FusablePair*> occurring_;
    std::vector<FusedPattern<char>> bytePatterns_;
    std::vector<FusedMatch> matches_;
    std::vector<std::shared_ptr<const CompiledTable>> kept_;
};

}  // namespace lorvane
