#include "engine/pass_runner.h"

#include <algorithm>
#include <array>
#include <atomic>
#include <optional>
#include <tuple>
#include <utility>

#include "engine/compiled_table.h"
#include "engine/pair_replace.h"

namespace lorvane {
namespace {

// One pass with the counts kept exact; skipped when the search text cannot occur.
template <class Char>
void countedPass(std::basic_string<Char>& text, CharCounts<Char>& counts,
                 std::basic_string_view<Char> search, std::basic_string_view<Char> replacement) {
    if (!counts.valid()) counts.recount(text);
    if (!counts.mayContain(search)) return;
    const auto [rarest, next] = counts.rarestOffsets(search);
    counts.replaced(search, replacement, replaceUnits(text, search, replacement, rarest, next));
}

// One fused scan, filtered on each pattern's two rarest units, with the counts kept exact.
template <class Char>
void scanWithCounts(std::basic_string<Char>& text, CharCounts<Char>& counts,
                    std::vector<FusedPattern<Char>>& patterns, std::vector<FusedMatch>& matches) {
    if (!counts.valid()) counts.recount(text);
    for (auto& pattern : patterns)
        std::tie(pattern.anchor, pattern.anchor2) = counts.rarestOffsets(pattern.search);
    runFusedScan(text, patterns, matches);
    for (const auto& pattern : patterns)
        counts.replaced(pattern.search, pattern.replacement, pattern.replaced);
}

// Applies a map from units to texts in one pass; `images[u]` is empty for units left alone
// and holds the unit's new text (possibly empty) otherwise.
template <class Char, class Images>
// `resultSize` is the exact length of the result, known from the counts.
void translate(std::basic_string<Char>& text, const Images& images, bool sameLength,
               std::size_t resultSize) {
    using Unsigned = std::make_unsigned_t<Char>;
    if (sameLength) {
        for (Char& c : text) {
            if (const auto& image = images[static_cast<Unsigned>(c)]) c = image->front();
        }
        return;
    }
    std::basic_string<Char> out;
    out.reserve(resultSize);
    for (Char c : text) {
        if (const auto& image = images[static_cast<Unsigned>(c)])
            out += *image;
        else
            out.push_back(c);
    }
    text.swap(out);
}

// Applies a byte map, given as the bytes that change with their images (every other byte stays),
// in one pass: in place when every image is one byte, else into an output sized exactly
// beforehand.
void translateByTable(std::string& text, const std::vector<std::pair<char, std::string>>& mapping) {
    const bool oneByte = std::all_of(mapping.begin(), mapping.end(),
                                     [](const auto& entry) { return entry.second.size() == 1; });
    if (oneByte) {
        std::array<char, 256> map;
        for (std::size_t b = 0; b < 256; ++b)
            map[b] = static_cast<char>(b);
        for (const auto& [from, image] : mapping)
            map[static_cast<unsigned char>(from)] = image.front();
        for (char& c : text)
            c = map[static_cast<unsigned char>(c)];
        return;
    }
    std::array<std::string, 256> images;
    for (std::size_t b = 0; b < 256; ++b)
        images[b] = std::string(1, static_cast<char>(b));
    for (const auto& [from, image] : mapping)
        images[static_cast<unsigned char>(from)] = image;
    std::size_t size = 0;
    for (char c : text)
        size += images[static_cast<unsigned char>(c)].size();
    std::string out(size, '\0');
    char* target = out.data();
    for (char c : text) {
        const std::string& image = images[static_cast<unsigned char>(c)];
        switch (image.size()) {
            case 0:
                break;
            case 1:
                *target++ = image.front();
                break;
            default:
                target = std::copy(image.begin(), image.end(), target);
        }
    }
    text.swap(out);
}

// A queued group runs before `search` is added: the group is full, or a queued pass could
// interact with it.
bool mustRunBefore(const std::vector<FusablePair>& group, std::u16string_view search) {
    return group.size() >= PassRunner::kMaxGroup || !joinsWithoutInteracting(group, search);
}

// A pair goes into the group of passes that cannot interact, unless it is a single character
// and no group is queued: then it goes into the translation.
bool goesIntoGroup(std::u16string_view search, bool groupQueued) {
    return search.size() > 1 || groupQueued;
}

}  // namespace

PassRunner::PassRunner(std::u16string& text, const CodePage& codePage, std::size_t threshold)
    : text_(text), codePage_(codePage), threshold_(threshold) {}

FusablePair PassRunner::queued(const Step& step) const {
    FusablePair pass(step.search, step.text);
    if (step.bytesPage != 0 && step.bytesPage == codePage_.number()) {
        pass.bytesKnown = true;
        pass.searchBytes = step.searchBytes;
        pass.replacementBytes = step.textBytes;
    }
    return pass;
}

void PassRunner::add(const Step& step) {
    const std::u16string_view search = step.search;
    const std::u16string_view replacement = step.text;
    const std::uint64_t fusionGroup = step.fusionGroup;
    if (search.empty()) return;
    if (changed_.empty() && group_.empty() && !inBytes_ && text_.size() < threshold_) {
        // Too short to be worth it: replaced without its counts, so counts it had (brought
        // from its bytes, or taken while it was longer) no longer hold.
        unitCounts_.invalidate();
        replaceOccurrences(text_, search, replacement);
        return;
    }
    const bool single = search.size() == 1;
    // On a large text the passes run one by one (see kFuseBelow), single characters still
    // composed into translations.
    const bool fusing = (inBytes_ ? bytes_.size() : text_.size()) < kFuseBelow;
    if (!group_.empty()) {
        // The queued passes are some of those the compiled table checked the pair against.
        const bool known = fusionGroup != 0 && fusionGroup == groupOfAll_;
        if (!fusing || (known ? group_.size() >= kMaxGroup : mustRunBefore(group_, search))) {
            runGroup();
        }
    }
    if (!single && !fusing) {
        runTranslation();
        runPair(queued(step));
        return;
    }
    if (goesIntoGroup(search, !group_.empty())) {
        runTranslation();
        groupOfAll_ = group_.empty() || groupOfAll_ == fusionGroup ? fusionGroup : 0;
        group_.push_back(queued(step));
        return;
    }
    // Compose: every queued image has the character replaced, and the character itself (when
    // not yet queued, its image is itself) becomes the replacement.
    const char16_t from = search.front();
    // Mostly the character is neither queued nor in any image (a table maps one alphabet to
    // another): then it only joins the queue.
    const bool seen = composedUnits_.test(from % composedUnits_.size());
    if (seen && !composesSmall(from, replacement.size())) runTranslation();
    bool queued = false;
    if (seen) {
        for (std::size_t i = 0; i < changed_.size(); ++i) {
            if (images_[i].find(from) != std::u16string::npos) {
                replaceOccurrences(images_[i], search, replacement);
            }
            queued = queued || changed_[i] == from;
        }
    }
    if (!queued) {
        changed_.push_back(from);
        images_.emplace_back(replacement);
        composedUnits_.set(from % composedUnits_.size());
    }
    for (const char16_t unit : replacement)
        composedUnits_.set(unit % composedUnits_.size());
}

// An image that holds its own character grows with every pair that replaces it by a longer text
// (a == aa doubles it), while one pass per pair over a text without that character costs
// nothing: past kMaxQueuedImage the queue is run before the pair is composed into it.
bool PassRunner::composesSmall(char16_t from, std::size_t replacementSize) const {
    for (const std::u16string& image : images_) {
        if (image.size() * std::max<std::size_t>(replacementSize, 1) <= kMaxQueuedImage) continue;
        if (image.find(from) != std::u16string::npos) return false;
    }
    return true;
}

void PassRunner::assignFusionGroups(std::vector<Step>& steps) {
    static std::atomic<std::uint64_t> groups{0};
    std::vector<FusablePair> group;
    std::uint64_t current = 0;
    for (Step& step : steps) {
        if (!step.isPair()) {
            if (step.directive->touchesText) group.clear();
            continue;
        }
        if (!group.empty() && mustRunBefore(group, step.search)) group.clear();
        if (goesIntoGroup(step.search, !group.empty())) {
            if (group.empty()) current = ++groups;
            group.push_back({step.search, step.text});
            step.fusionGroup = current;
        }
    }
}

void PassRunner::flush() {
    runTranslation();
    runGroup();
    leaveBytes();
}

void PassRunner::startInBytes(std::string bytes) {
    text_.clear();
    bytes_ = std::move(bytes);
    inBytes_ = true;
    byteCounts_.invalidate();
    unitCounts_.invalidate();
}

std::optional<std::string> PassRunner::finishInBytes() {
    runTranslation();
    runGroup();
    if (!inBytes_) return std::nullopt;
    inBytes_ = false;
    unitCounts_.invalidate();
    return std::exchange(bytes_, std::string());
}

// The counts move with the text between its two forms: each unit's count is its byte's.
bool PassRunner::enterBytes() {
    if (inBytes_) return true;
    if (bytesRefused_ || !codePage_.isSingleByte() || text_.size() < threshold_) return false;
    if (!codePage_.tryEncode(text_, bytes_)) {
        bytesRefused_ = true;
        bytes_.clear();
        return false;
    }
    std::u16string().swap(text_);  // give the memory back while the bytes stand in for it
    byteCounts_.invalidate();
    if (unitCounts_.valid()) {
        byteCounts_.startOver();
        unitCounts_.forEachPresent([this](char16_t c, uint64_t n) {
            byteCounts_.add(static_cast<char>(codePage_.codeOf(c)), n);
        });
    }
    inBytes_ = true;
    return true;
}

void PassRunner::leaveBytes() {
    if (!inBytes_) return;
    text_.clear();
    codePage_.decodeAppend(bytes_, text_);
    std::string().swap(bytes_);
    unitCounts_.invalidate();
    if (byteCounts_.valid()) {
        unitCounts_.startOver();
        byteCounts_.forEachPresent([this](char b, uint64_t n) {
            unitCounts_.add(codePage_.charOf(static_cast<unsigned char>(b)), n);
        });
    }
    inBytes_ = false;
}

// False when the counts show that the search text cannot occur in the text as it stands.
bool PassRunner::mayOccur(std::u16string_view search) {
    if (inBytes_) {
        std::string bytes;
        if (!byteCounts_.valid()) byteCounts_.recount(bytes_);
        return !codePage_.tryEncode(search, bytes) || byteCounts_.mayContain(bytes);
    }
    if (text_.size() < threshold_) return true;
    if (!unitCounts_.valid()) unitCounts_.recount(text_);
    return unitCounts_.mayContain(search);
}

bool PassRunner::mayOccur(const FusablePair& pass) {
    if (!inBytes_ || !pass.bytesKnown) return mayOccur(pass.search);
    if (!byteCounts_.valid()) byteCounts_.recount(bytes_);
    return byteCounts_.mayContain(pass.searchBytes);
}

std::optional<FusedPattern<char>> PassRunner::bytesOf(const FusablePair& pass,
                                                      std::string& searchStore,
                                                      std::string& replacementStore) const {
    if (pass.bytesKnown) return FusedPattern<char>{pass.searchBytes, pass.replacementBytes};
    if (!codePage_.tryEncode(pass.search, searchStore) ||
        !codePage_.tryEncode(pass.replacement, replacementStore)) {
        return std::nullopt;
    }
    return FusedPattern<char>{searchStore, replacementStore};
}

void PassRunner::runPair(const FusablePair& pass) {
    const std::u16string_view search = pass.search;
    const std::u16string_view replacement = pass.replacement;
    if (!mayOccur(pass)) return;  // before any change of form, which would cost a pass
    if (enterBytes()) {
        std::string searchStore, replacementStore;
        if (const auto bytes = bytesOf(pass, searchStore, replacementStore)) {
            countedPass<char>(bytes_, byteCounts_, bytes->search, bytes->replacement);
            return;
        }
    }
    leaveBytes();
    if (text_.size() < threshold_) {
        unitCounts_.invalidate();  // see add
        replaceOccurrences(text_, search, replacement);
        return;
    }
    countedPass<char16_t>(text_, unitCounts_, search, replacement);
}

// Passes whose search text cannot occur drop out first; one left is an ordinary pass.
void PassRunner::runGroup() {
    std::vector<const FusablePair*>& passes = occurring_;
    passes.clear();
    for (const FusablePair& pass : group_) {
        if (mayOccur(pass)) passes.push_back(&pass);
    }
    if (passes.size() == 1) {
        runPair(*passes.front());
    } else if (passes.size() > 1) {
        const std::size_t size = inBytes_ ? bytes_.size() : text_.size();
        if ((!inBytes_ && size < threshold_) || size >= kFuseBelow) {
            for (const FusablePair* pass : passes)
                runPair(*pass);
        } else if (!(enterBytes() && scanGroupBytes(passes))) {
            leaveBytes();
            scanGroupUnits(passes);
        }
    }
    group_.clear();
}

bool PassRunner::scanGroupBytes(const std::vector<const FusablePair*>& passes) {
    std::vector<FusedPattern<char>>& patterns = bytePatterns_;
    patterns.clear();
    // The bytes of passes the compiled table had none for; sized at the first such pass, and
    // never moved while the scan runs.
    std::vector<std::string> encoded;
    for (std::size_t i = 0; i < passes.size(); ++i) {
        const FusablePair& pass = *passes[i];
        if (pass.bytesKnown) {
            patterns.push_back({pass.searchBytes, pass.replacementBytes});
            continue;
        }
        if (encoded.empty()) encoded.resize(2 * passes.size());
        const auto bytes = bytesOf(pass, encoded[2 * i], encoded[2 * i + 1]);
        if (!bytes) return false;
        patterns.push_back(*bytes);
    }
    scanWithCounts(bytes_, byteCounts_, patterns, matches_);
    return true;
}

void PassRunner::scanGroupUnits(const std::vector<const FusablePair*>& passes) {
    std::vector<FusedPattern<char16_t>> patterns;
    for (const FusablePair* pass : passes)
        patterns.push_back({pass->search, pass->replacement});
    scanWithCounts(text_, unitCounts_, patterns, matches_);
}

void PassRunner::runTranslation() {
    if (changed_.empty()) return;
    const bool anyOccurs = std::any_of(changed_.begin(), changed_.end(), [this](char16_t c) {
        return mayOccur(std::u16string_view(&c, 1));
    });
    if (!anyOccurs) {
        clearTranslation();
        return;
    }
    // A translation that lengthens the text runs on the units when the text is not in bytes
    // yet: going through bytes would need the grown text in both forms at once.
    const bool grows = std::any_of(images_.begin(), images_.end(),
                                   [](const std::u16string& image) { return image.size() > 1; });
    if (changed_.size() == 1) {
        runPair(FusablePair(std::u16string_view(&changed_.front(), 1), images_.front()));
    } else if (!((inBytes_ || !grows) && enterBytes() && translateBytes())) {
        leaveBytes();
        translateUnits();
    }
    clearTranslation();
}

void PassRunner::clearTranslation() {
    changed_.clear();
    images_.clear();
    composedUnits_.reset();
}

// Only characters that occur take part; a translation none of whose characters occurs is
// skipped, and the counts are carried over exactly instead of being taken anew.
bool PassRunner::translateBytes() {
    std::vector<std::pair<char, std::string>> mapping;
    if (!byteCounts_.valid()) byteCounts_.recount(bytes_);
    for (std::size_t i = 0; i < changed_.size(); ++i) {
        std::string from, image;
        if (!codePage_.tryEncode(std::u16string_view(&changed_[i], 1), from) ||
            !codePage_.tryEncode(images_[i], image)) {
            return false;
        }
        if (byteCounts_[from.front()] > 0) mapping.emplace_back(from.front(), std::move(image));
    }
    if (mapping.empty()) return true;
    translateByTable(bytes_, mapping);
    byteCounts_.translated(mapping);
    return true;
}

void PassRunner::translateUnits() {
    std::vector<std::pair<char16_t, std::u16string>> mapping;
    if (!unitCounts_.valid()) unitCounts_.recount(text_);
    for (std::size_t i = 0; i < changed_.size(); ++i) {
        if (unitCounts_[changed_[i]] > 0) mapping.emplace_back(changed_[i], images_[i]);
    }
    if (mapping.empty()) return;
    std::vector<std::optional<std::u16string>> images(65536);
    bool sameLength = true;
    std::size_t resultSize = text_.size();
    for (const auto& [from, image] : mapping) {
        sameLength = sameLength && image.size() == 1;
        resultSize = resultSize - unitCounts_[from] + unitCounts_[from] * image.size();
        images[from] = image;
    }
    translate(text_, images, sameLength, resultSize);
    unitCounts_.translated(mapping);
}

}  // namespace lorvane
