#include "platform/code_page.h"

#include <gtest/gtest.h>

namespace lorvane {
namespace {

class SingleBytePage : public ::testing::TestWithParam<int> {};

TEST_P(SingleBytePage, EveryByteSurvivesDecodeAndEncode) {
    auto page = CodePage::forNumber(GetParam());
    ASSERT_TRUE(page.ok()) << page.failure().message();
    std::string all;
    for (int byte = 0; byte < 256; ++byte)
        all.push_back(static_cast<char>(byte));
    const std::u16string decoded = (*page)->decode(all);
    ASSERT_EQ(decoded.size(), 256u);
    EXPECT_EQ((*page)->encode(decoded), all);
    for (int byte = 0; byte < 256; ++byte) {
        EXPECT_EQ((*page)->codeOf(decoded[static_cast<std::size_t>(byte)]), byte) << byte;
    }
}

INSTANTIATE_TEST_SUITE_P(Pages, SingleBytePage,
                         ::testing::Values(874, 1250, 1251, 1252, 1253, 1254, 1255, 1256, 1257,
                                           1258, 866, 437, 850, 20866, 28591, 28595));

TEST(CodePage, Windows1251DecodesCyrillic) {
    auto page = CodePage::forNumber(1251);
    ASSERT_TRUE(page.ok());
    EXPECT_EQ((*page)->decode("\xC0\xE1\xFF"), u"Абя");
    EXPECT_EQ((*page)->encode(u"Абя"), "\xC0\xE1\xFF");
}

TEST(CodePage, UnrepresentableCharactersBecomeQuestionMarks) {
    auto page = CodePage::forNumber(1251);
    ASSERT_TRUE(page.ok());
    EXPECT_EQ((*page)->encode(u"a\u4E2Db\u03A9"), "a?b?");
    EXPECT_EQ((*page)->codeOf(u'\u4E2D'), -1);
}

TEST(CodePage, Utf8RoundTripsText) {
    auto page = CodePage::forNumber(65001);
    ASSERT_TRUE(page.ok());
    const std::string bytes = "\xD0\x90\xD0\xB1 \xE4\xB8\xAD";
    EXPECT_EQ((*page)->decode(bytes), u"Аб 中");
    EXPECT_EQ((*page)->encode((*page)->decode(bytes)), bytes);
    EXPECT_EQ((*page)->encode(u"a\xD800" u"b"), "a?b");  // a lone surrogate has no UTF-8 form
}

TEST(CodePage, UnknownNumberFailsWithItsNumber) {
    auto page = CodePage::forNumber(12345);
    ASSERT_FALSE(page.ok());
    EXPECT_NE(page.failure().message().find("12345"), std::string::npos);
}

}  // namespace
}  // namespace lorvane
