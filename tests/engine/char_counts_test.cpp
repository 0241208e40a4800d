// The counts against a plain count of the text, above all when one object counts several texts
// in turn: a page left over from an earlier text must never show through.
#include "engine/char_counts.h"

#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

#include "platform/text.h"

namespace lorvane {
namespace {

std::map<char16_t, uint64_t> plainCount(std::u16string_view text) {
    std::map<char16_t, uint64_t> counts;
    for (char16_t c : text) ++counts[c];
    return counts;
}

void expectCountsOf(const CharCounts<char16_t>& counts, std::u16string_view text) {
    const auto expected = plainCount(text);
    std::map<char16_t, uint64_t> visited;
    counts.forEachPresent([&](char16_t c, uint64_t n) { visited[c] = n; });
    EXPECT_EQ(visited, expected) << toUtf8(text);
    for (char16_t probe : {u'a', u'z', u'ж', u'\u0483', u'\uFFFF', u'\0'}) {
        const auto found = expected.find(probe);
        EXPECT_EQ(counts[probe], found == expected.end() ? 0 : found->second) << toUtf8(text);
    }
}

std::u16string repeated(std::u16string_view piece, std::size_t times) {
    std::u16string text;
    for (std::size_t i = 0; i < times; ++i) text += piece;
    return text;
}

TEST(CharCounts, OneObjectCountsTextAfterTextWithoutLeftovers) {
    // Each text leaves other pages in use than the one before it; short and long texts (more
    // units than the alphabet has, counted another way) take turns.
    const std::u16string texts[] = {
        u"жжж aaa \u0483\uFFFF",
        u"",
        repeated(u"z\u0483", 40000),
        u"zz",
        std::u16string(u"\0\0жa", 4),
        repeated(u"ж", 70000) + u"a",
        u"aaa",
        u"\uFFFF\uFFFF ж",
        repeated(u"a\uFFFF ", 30000),
    };
    CharCounts<char16_t> counts;
    for (const auto& text : texts) {
        counts.recount(text);
        expectCountsOf(counts, text);
    }
    // A page that a long text left out comes into use through a replacement alone.
    counts.replaced(u"a", u"ж", 30000);
    expectCountsOf(counts, repeated(u"ж\uFFFF ", 30000));
}

// Long byte texts are counted four bytes at a time: every length's tail, a run of one value and
// every value of a byte must come out as a plain count gives them.
TEST(CharCounts, LongByteTextsCountEveryByteOnce) {
    std::string everyValue;
    for (int b = 0; b < 256; ++b)
        everyValue += static_cast<char>(b);
    std::vector<std::string> texts;
    for (std::size_t tail = 0; tail < 5; ++tail) {
        texts.push_back(std::string(1000 + tail, '\xe0'));
        texts.push_back(everyValue + everyValue.substr(0, tail + 1));
    }
    CharCounts<char> counts;
    for (const std::string& text : texts) {
        counts.recount(text);
        std::map<unsigned char, uint64_t> expected, visited;
        for (char c : text)
            ++expected[static_cast<unsigned char>(c)];
        counts.forEachPresent(
            [&](char c, uint64_t n) { visited[static_cast<unsigned char>(c)] = n; });
        EXPECT_EQ(visited, expected) << text.size();
        EXPECT_EQ(counts['\xe0'], expected[0xe0]) << text.size();
    }
}

TEST(CharCounts, ReplacementsAndTranslationsKeepTheCountsExact) {
    CharCounts<char16_t> counts;
    std::u16string text = u"abab жж";
    counts.recount(text);
    // "ab" -> "\u0483z" twice: a new page comes into use through the replacement alone.
    counts.replaced(u"ab", u"\u0483z", 2);
    text = u"\u0483z\u0483z жж";
    expectCountsOf(counts, text);
    counts.translated({{u'ж', u"\uFFFFa"}, {u'z', u""}});
    text = u"\u0483\u0483 \uFFFFa\uFFFFa";
    expectCountsOf(counts, text);
    EXPECT_TRUE(counts.mayContain(u"\uFFFFa"));
    EXPECT_FALSE(counts.mayContain(u"ж"));
}

TEST(CharCounts, StartingOverForgetsEveryEarlierCount) {
    CharCounts<char16_t> counts;
    counts.recount(u"жжж aaa");
    counts.startOver();
    counts.add(u'z', 3);
    expectCountsOf(counts, u"zzz");
    CharCounts<char> bytes;
    bytes.recount("\xff\xff" "a");
    bytes.startOver();
    bytes.add('a', 1);
    EXPECT_EQ(bytes['\xff'], 0u);
    EXPECT_EQ(bytes['a'], 1u);
}

}  // namespace
}  // namespace lorvane
