// Which passes may share one scan, and the scan itself on hand-picked cases; the random
// comparison with one pass per pair is in differential_test.cpp.
#include "engine/fused_passes.h"

#include <gtest/gtest.h>

#include <random>

#include "platform/text.h"

namespace lorvane {
namespace {

struct OverlapCase {
    std::u16string a, b;
    bool overlap;
};

TEST(FusedPasses, OverlapIsContainmentOrAnEndSharedWithAStart) {
    const OverlapCase cases[] = {
        {u"ab", u"ab", true},       // the same text
        {u"abc", u"b", true},       // inside
        {u"b", u"abc", true},       // around
        {u"ab", u"bc", true},       // the end of a is the start of b
        {u"bc", u"ab", true},       // the other way round
        {u"aba", u"ac", true},      // a single shared unit at the joint
        {u"ab", u"cd", false},      // nothing shared
        {u"ab", u"ba", true},       // both ends
        {u"ab", u"ca", true},       // b's end is a's start
        {u"ab", u"ac", false},      // same first unit, but they cannot stand on one position
        {u"<кс>", u"<пс>", false},  // common units, no overlap
        {u"<кс>", u"с>", true},     // a suffix
        {u"к", u"<кс>", true},      // a single unit inside
        {u"abc", u"cab", true},     // "c" joins them (abcab), and "ab" the other way (cabc)
    };
    for (const auto& c : cases) {
        EXPECT_EQ(canOverlap(c.a, c.b), c.overlap) << toUtf8(c.a) << " / " << toUtf8(c.b);
    }
}

// The folded units only ever rule overlaps out: texts that overlap always may share a unit,
// whichever bits their units fold onto (0x0041 and 0x0441 share theirs, 0x0041 and 0x0081 not).
TEST(FusedPasses, FoldedUnitsNeverRuleOutAnOverlap) {
    const std::u16string alphabet = u"A\u0441\u0081\u00C1\u0440\u0040\uFFFF";
    std::mt19937 random(7);
    auto text = [&] {
        std::u16string made(1 + random() % 4, u' ');
        for (char16_t& unit : made)
            unit = alphabet[random() % alphabet.size()];
        return made;
    };
    int overlapping = 0, ruledOut = 0;
    for (int round = 0; round < 20000; ++round) {
        const std::u16string a = text(), b = text();
        const bool mayShare = UnitSet(a).mayShareWith(UnitSet(b));
        if (canOverlap(a, b)) {
            ++overlapping;
            EXPECT_TRUE(mayShare) << toUtf8(a) << " / " << toUtf8(b);
        }
        ruledOut += mayShare ? 0 : 1;
    }
    // Both kinds were met.
    EXPECT_GT(overlapping, 1000);
    EXPECT_GT(ruledOut, 1000);
    EXPECT_FALSE(UnitSet(u"A").mayShareWith(UnitSet(u"\u0081")));
    EXPECT_TRUE(UnitSet(u"A").mayShareWith(UnitSet(u"\u0441")));  // folded onto one bit
}

struct JoinCase {
    std::vector<FusablePair> earlier;
    std::u16string search;
    bool joins;
};

TEST(FusedPasses, APassJoinsOnlyWhenNoEarlierPassCanReachItsMatches) {
    const JoinCase cases[] = {
        {{{u"ab", u"X"}}, u"cd", true},
        {{{u"ab", u"X"}}, u"bc", false},                 // the searches overlap
        {{{u"ab", u"cd"}}, u"cd", false},                // the earlier pass creates its matches
        {{{u"ab", u"xc"}}, u"cd", false},                // ... at the replacement's end
        {{{u"ab", u"X"}, {u"ef", u"Y"}}, u"cY", false},  // any earlier pass counts
        {{{u"ab", u""}}, u"cd", false},                  // a deletion may join c and d
        {{{u"ab", u""}}, u"c", true},                    // a single unit spans no joint
        {{{u"ab", u"X"}}, u"aX", false},                 // X after a: created
        {{{u"aX", u"b"}}, u"X", false},                  // inside an earlier search
    };
    for (const auto& c : cases) {
        EXPECT_EQ(joinsWithoutInteracting(c.earlier, c.search), c.joins) << toUtf8(c.search);
    }
}

template <class Char>
std::basic_string<Char> scanned(std::basic_string<Char> text,
                                std::vector<FusedPattern<Char>> patterns,
                                std::vector<std::size_t>* counts = nullptr) {
    // Working space as a caller leaves it after an earlier scan: none of it may count.
    std::vector<FusedMatch> matches{{0, 0}, {1, 0}, {2, 0}};
    runFusedScan(text, patterns, matches);
    if (counts != nullptr) {
        for (const auto& p : patterns)
            counts->push_back(p.replaced);
    }
    return text;
}

TEST(FusedPasses, OneScanReplacesEveryPatternAndCountsEach) {
    std::vector<std::size_t> counts;
    EXPECT_EQ(scanned<char>("ab cd abab x", {{"ab", "1"}, {"cd", ""}}, &counts), "1  11 x");
    EXPECT_EQ(counts, (std::vector<std::size_t>{3, 1}));
    // Growing replacements go through a second text.
    EXPECT_EQ(scanned<char>("abXcd", {{"ab", "long"}, {"cd", "s"}}), "longXs");
    // Patterns sharing a first unit; a pattern cut off by the end of the text.
    EXPECT_EQ(scanned<char>("acabac a", {{"ab", "2"}, {"ac", "3"}}), "323 a");
    EXPECT_EQ(scanned<char16_t>(u"<кс><пс>кс", {{u"<кс>", u"ѯ"}, {u"<пс>", u"ѱ"}}), u"ѯѱкс");
    EXPECT_EQ(scanned<char>("", {{"ab", "1"}, {"cd", "2"}}), "");
}

}  // namespace
}  // namespace lorvane
