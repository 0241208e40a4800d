// The fused passes of consecutive single-character pairs must never cost more than the plain
// passes they stand for: a pair whose replacement holds its own character (a == aa) grows the
// fused image at every line even when the text holds no such character.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "engine_fixture.h"

namespace lorvane::test {
namespace {

class PassShortcuts : public EngineTest {
  protected:
    std::u16string applyRepeated(std::u16string text, std::u16string_view line, int times) {
        const std::vector<std::u16string_view> lines(static_cast<std::size_t>(times), line);
        state.tmpText = std::move(text);
        engine.applyLines(lines, 0, scripts);
        return state.tmpText;
    }
};

// Fused, 64 doublings would build an image of 2^64 characters.
TEST_F(PassShortcuts, ASelfGrowingPairOverATextWithoutItsCharacterCostsNothing) {
    const std::u16string text(20000, u'b');
    EXPECT_EQ(applyRepeated(text, u"a == aa", 64), text);
    EXPECT_EQ(applyRepeated(text + u"c", u"c == cc", 12), text + std::u16string(4096, u'c'));
}

TEST_F(PassShortcuts, SelfGrowingPairsGiveThePlainResult) {
    struct Case {
        std::u16string_view line;
        int times;
        std::size_t grown;  // what one "a" becomes
    };
    const Case cases[] = {
        {u"a == aa", 13, 8192}, {u"a == aaa", 9, 19683}, {u"a == ba", 5000, 5001}};
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.line.begin(), c.line.end()) + " x" + std::to_string(c.times));
        const std::u16string text = std::u16string(6000, u'b') + u"a";
        const std::u16string result = applyRepeated(text, c.line, c.times);
        EXPECT_EQ(result.size(), 6000 + c.grown);
        EXPECT_EQ(result.substr(0, 6000), std::u16string(6000, u'b'));
        EXPECT_EQ(result.back(), u'a');
    }
}

}  // namespace
}  // namespace lorvane::test
