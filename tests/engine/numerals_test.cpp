#include "engine/numerals.h"

#include <gtest/gtest.h>

#include "platform/text.h"

namespace lorvane {
namespace {

std::u16string letters(std::u16string_view digits, int16_t mode) {
    return LetterNumeral(digits, mode, u"/p/@hip/plain.txt");
}

TEST(Numerals, WorkedResults) {
    struct Case {
        std::u16string digits, slavonic, greek, roman;
    } cases[] = {
        {u"1", u"а~", u"а<_>'", u"I"},
        {u"10", u"i~", u"i<_>'", u"X"},
        {u"11", u"а~i~", u"аi<_>'", u"XI"},
        {u"12", u"в~i~", u"вi<_>'", u"XII"},
        {u"21", u"к~а~", u"ка<_>'", u"XXI"},
        {u"99", u"q~f~", u"qf<_>'", u"XCIX"},
        {u"111", u"р~а~i~", u"раi<_>'", u"CXI"},
        {u"400", u"<у>~", u"v<_>'", u"CD"},
        {u"404", u"<у>~д~", u"vд<_>'", u"CDIV"},
        {u"1000", u"#а~", u"#а<_>'", u"M"},
        {u"1234", u"#а~с~л~д~", u"#аслд<_>'", u"MCCXXXIV"},
        {u"11000", u"#i~#а~", u"#i#а<_>'", u"MMMMMMMMMMM"},
        {u"0", u"", u"<_>'", u""},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(letters(c.digits, kSlavonic), c.slavonic) << toUtf8(c.digits);
        EXPECT_EQ(letters(c.digits, kGreek), c.greek) << toUtf8(c.digits);
        EXPECT_EQ(RomanNumeral(c.digits), c.roman) << toUtf8(c.digits);
    }
}

TEST(Numerals, LetterNumeralEdges) {
    EXPECT_EQ(letters(u"1234567", kSlavonic), u"#с~#л~#д~ф~<кс>~з~");
    EXPECT_EQ(letters(u"007", kSlavonic), u"з~");
    EXPECT_EQ(letters(u"7a", kSlavonic), u"о~a~");
    EXPECT_EQ(letters(u"", kSlavonic), u"");
    EXPECT_EQ(letters(u"", kGreek), u"<_>'");
    EXPECT_EQ(letters(u"12", 9), u"в~i~");  // any other mode works as Slavonic
}

TEST(Numerals, AutomaticModeFollowsTheTablePath) {
    int16_t mode = kAutomatic;
    EXPECT_EQ(LetterNumeral(u"12", mode, u"/p/@Grk/x.txt"), u"вi<_>'");
    EXPECT_EQ(mode, kGreek);
    mode = kAutomatic;
    EXPECT_EQ(LetterNumeral(u"12", mode, u"/p/@GREEK/x.txt"), u"вi<_>'");
    mode = kAutomatic;
    EXPECT_EQ(LetterNumeral(u"12", mode, u"/p/@hip/x.txt"), u"в~i~");
    EXPECT_EQ(mode, kAutomatic);
}

TEST(Numerals, RomanLimits) {
    EXPECT_EQ(RomanNumeral(u"5000"), u"MMMMM");
    EXPECT_EQ(RomanNumeral(u"1999"), u"MCMXCIX");
    EXPECT_EQ(RomanNumeral(u"007"), u"VII");
    EXPECT_EQ(RomanNumeral(u"-5"), u"");
    EXPECT_EQ(RomanNumeral(u"99999999999"), std::nullopt);
}

TEST(DigitRuns, ConvertsRunsFollowedByAnotherCharacter) {
    struct Case {
        std::u16string text;
        int16_t mode;
        std::u16string expected;
    } cases[] = {
        {u"ch. 12, v. 3 and more", kSlavonic, u"ch. в~i~, v. г~ and more"},
        {u"page 7", kSlavonic, u"page 7"},
        {u"7 x 007 0.", kRoman, u"VII x VII ."},
        {u"a0b", kSlavonic, u"ab"},
        {u"12 3", kGreek, u"вi<_>' 3"},
        {u"٣٤ ¹²", kSlavonic, u"٣٤ ¹²"},
        {u"", kSlavonic, u""},
    };
    for (const auto& c : cases) {
        std::u16string text = c.text;
        EXPECT_TRUE(DigitRuns(text, c.mode, u"/p/@hip/t.txt")) << toUtf8(c.text);
        EXPECT_EQ(text, c.expected) << toUtf8(c.text);
    }
}

TEST(DigitRuns, OutOfRangeRomanRunStopsTheConversionThere) {
    std::u16string text = u"1 99999999999 2 end";
    EXPECT_FALSE(DigitRuns(text, kRoman, u""));
    EXPECT_EQ(text, u"I 99999999999 2 end");
}

}  // namespace
}  // namespace lorvane
