#include "engine/leading_number.h"

#include <gtest/gtest.h>

#include <cmath>

#include "comma_locale.h"
#include "platform/c_numbers.h"
#include "platform/text.h"

namespace lorvane {
namespace {

TEST(LeadingNumber, ReadsTheLongestNumericPrefix) {
    struct Case {
        std::u16string text;
        double value;
    } cases[] = {
        {u"12 3abc", 123},
        {u"abc", 0},
        {u"", 0},
        {u"2nd", 2},
        {u"  -1.5e2x", -150},
        {u"1e", 1},
        {u"1e+", 1},
        {u"1.5.3", 1.5},
        {u".5", 0.5},
        {u"5.", 5},
        {u"-", 0},
        {u"+7", 7},
        {u"&H1F", 31},
        {u"&hff", 255},
        {u"&O17", 15},
        {u"&o8", 0},
        {u"&H", 0},
        {u"&X12", 0},
        {u"\t9", 9},
        {u"1\n2", 12},
        {u"1\r2", 1},
        {u"3 00", 300},
        {u"1 E 3", 1000},
        {u"٣", 0},
        {u"0", 0},
        {u"007", 7},
        {u"1e400", std::numeric_limits<double>::infinity()},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(ReadLeadingNumber(c.text), c.value) << toUtf8(c.text);
    }
}

TEST(LeadingNumber, RoundsHalvesToEvenAndChecksTheRange) {
    struct Case {
        double value;
        std::optional<int16_t> expected;
    } cases[] = {
        {12.5, 12},
        {13.5, 14},
        {-2.5, -2},
        {0.4999, 0},
        {32767, 32767},
        {32767.5, std::nullopt},
        {32768, std::nullopt},
        {-32768.5, -32768},
        {-32769, std::nullopt},
        {std::numeric_limits<double>::infinity(), std::nullopt},
    };
    for (const auto& c : cases)
        EXPECT_EQ(toInt16(c.value), c.expected) << c.value;
    EXPECT_EQ(toInt32(2147483647.0), 2147483647);
    EXPECT_EQ(toInt32(2147483648.0), std::nullopt);
    EXPECT_EQ(toInt32(-2147483648.0), -2147483647 - 1);
}

TEST(LeadingNumber, IsTheSameUnderEveryLocale) {
    // Table arguments such as ">fontsize 13.5", ">charset 161.5" and a pair side "65.5" are read
    // the same in a desktop session under a Russian or German locale as in the C locale.
    for (const char* locale : test::kNumberLocales) {
        test::ScopedLocale scoped(locale);
        if (!scoped.active()) GTEST_SKIP() << locale << " cannot be set or generated";
        EXPECT_EQ(ReadLeadingNumber(u"13.5"), 13.5) << locale;
        EXPECT_EQ(ReadLeadingNumber(u"161.5"), 161.5) << locale;
        EXPECT_EQ(ReadLeadingNumber(u" -1.25e1x"), -12.5) << locale;
        // A comma never belongs to a number, whatever the locale writes.
        EXPECT_EQ(ReadLeadingNumber(u"65,5"), 65) << locale;
        EXPECT_EQ(toInt16(ReadLeadingNumber(u"13.5")), 14) << locale;
    }
}

TEST(CNumbers, ReadAndPrintLikeTheCLocale) {
    struct Case {
        std::string text;
        double value;
    } cases[] = {
        {"1.5", 1.5},
        {"-0.25", -0.25},
        {"+7", 7},
        {"2e3", 2000},
        {".5", 0.5},
        {"5.", 5},
        {"1e400", HUGE_VAL},
        {"-1e400", -HUGE_VAL},
        {"1e-400", 0},
        {"0.000e999", 0},
        {"", 0},
    };
    for (const char* locale : test::kNumberLocales) {
        test::ScopedLocale scoped(locale);
        if (!scoped.active()) GTEST_SKIP() << locale << " cannot be set or generated";
        for (const auto& c : cases)
            EXPECT_EQ(parseCNumber(c.text), c.value) << c.text << " " << locale;
        EXPECT_EQ(printScientific(1.5, 14), "1.50000000000000e+00") << locale;
        EXPECT_EQ(printScientific(123456.0, 2), "1.23e+05") << locale;
        EXPECT_EQ(printFixed(1234.5, 2), "1234.50") << locale;
        EXPECT_EQ(printFixed(0.125, 0), "0") << locale;
        EXPECT_EQ(printFixed(2.5, 1), "2.5") << locale;
    }
}

}  // namespace
}  // namespace lorvane
