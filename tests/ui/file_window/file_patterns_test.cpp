#include "ui/file_window/file_patterns.h"

#include <gtest/gtest.h>

#include "platform/text.h"

namespace lorvane {
namespace {

using Entries = std::vector<std::u16string>;
const std::u16string kText = u"Текстовые документы (*.txt)|*.txt";
const std::u16string kAll = u"Все файлы (*.*)|*.*";

TEST(PatternList, FileTypesComeFirstInReverseOrder) {
    struct Case {
        std::u16string fileTypes;
        Entries entries;
    } cases[] = {
        {u"A|*.a\r\nB|*.b\r\n", {u"B|*.b", u"A|*.a", kText, kAll}},
        {u"A|*.a\r\nno bar here\r\n\r\nB|*.b", {u"B|*.b", u"A|*.a", kText, kAll}},
        {u"Web|*.htm;*.html\r\n", {u"Web|*.htm;*.html", kText, kAll}},
        {u"", {kText, kAll}},
        {u"plain line", {kText, kAll}},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(buildPatternList(c.fileTypes), c.entries) << toUtf8(c.fileTypes);
    }
}

TEST(PatternList, PatternIsTheTextAfterTheLastBar) {
    EXPECT_EQ(patternOf(u"Web|*.htm;*.html"), u"*.htm;*.html");
    EXPECT_EQ(patternOf(u"odd|name|*.x"), u"*.x");
    EXPECT_EQ(patternOf(u"*.txt"), u"*.txt");
    EXPECT_EQ(patternOf(u"ends|"), u"");
}

TEST(PatternList, StoredDefaultSelectsAnEntry) {
    struct Case {
        std::u16string stored;
        int index;
        bool tick;
    } cases[] = {
        {u"0", 0, true},   {u"2", 2, true},      {u"3", 3, false},  // 3 is the last entry
        {u"99", 3, false}, {u"4", 3, false},     {u"-1", 3, false}, {u"abc", 3, false},
        {u"", 3, false},   {u"70000", 3, false}, {u" 1 ", 1, true}, {u"1.5", 3, false},
    };
    for (const auto& c : cases) {
        const auto choice = chooseDefaultPattern(c.stored, 4);
        EXPECT_EQ(choice.index, c.index) << toUtf8(c.stored);
        EXPECT_EQ(choice.tickDefault, c.tick) << toUtf8(c.stored);
    }
}

}  // namespace
}  // namespace lorvane
