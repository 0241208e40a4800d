#include "engine/pair_replace.h"

#include <gtest/gtest.h>

#include <random>

#include "platform/text.h"

namespace lorvane {
namespace {

// The plain definition: scan left to right, replace, continue after the occurrence.
std::u16string reference(const std::u16string& text, const std::u16string& search,
                         const std::u16string& replacement) {
    if (search.empty()) return text;
    std::u16string out;
    std::size_t i = 0;
    while (i < text.size()) {
        if (text.compare(i, search.size(), search) == 0) {
            out += replacement;
            i += search.size();
        } else {
            out.push_back(text[i++]);
        }
    }
    return out;
}

TEST(PairReplace, AgreesWithThePlainDefinitionOnRandomInputs) {
    std::mt19937 random(20261208);
    auto randomText = [&](std::size_t maxLength) {
        std::uniform_int_distribution<std::size_t> length(0, maxLength);
        std::uniform_int_distribution<int> letter(0, 2);
        std::u16string text(length(random), u'a');
        for (auto& c : text)
            c = static_cast<char16_t>(u'a' + letter(random));
        return text;
    };
    for (int round = 0; round < 20000; ++round) {
        const std::u16string text = randomText(24);
        const std::u16string search = randomText(3);
        const std::u16string replacement = randomText(4);
        std::u16string actual = text;
        replaceOccurrences(actual, search, replacement);
        ASSERT_EQ(actual, reference(text, search, replacement))
            << toUtf8(text) << " / " << toUtf8(search) << " -> " << toUtf8(replacement);
    }
}

TEST(PairReplace, CountsReplacements) {
    std::u16string text = u"abab";
    EXPECT_EQ(replaceOccurrences(text, u"ab", u"x"), 2u);
    EXPECT_EQ(replaceOccurrences(text, u"", u"x"), 0u);
    EXPECT_EQ(replaceOccurrences(text, u"xxx", u"y"), 0u);
    EXPECT_EQ(text, u"xx");
}

}  // namespace
}  // namespace lorvane
