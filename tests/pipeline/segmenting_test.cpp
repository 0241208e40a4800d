#include "pipeline/segmenting.h"

#include <gtest/gtest.h>

#include "pipeline/paragraph_joining.h"
#include "pipeline/table_application.h"
#include "platform/text.h"

namespace lorvane {
namespace {

SchemeEntries workedScheme() {
    return {{u"<g>", u"@grk/T1.txt", false}, {u"<l>", u"@lat/T2.txt", true}};
}

TEST(Segmenting, MarkersStartSegments) {
    struct Case {
        std::u16string text;
        std::vector<std::u16string> segments;
    } cases[] = {
        {u"x<g>y<l>z", {u"x", u"<g>y", u"<l>z"}},
        {u"x<g>y", {u"x", u"<g>y"}},
        {u"<g>y", {u"", u"<g>y"}},
        {u"plain", {u"plain"}},
        {u"", {u""}},
        {u"a\x01"
         u"b<l>c",
         {u"a b", u"<l>c"}},
        {u"<g><g>", {u"", u"<g>", u"<g>"}},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(cutSegments(c.text, workedScheme()), c.segments) << toUtf8(c.text);
    }
}

TEST(Segmenting, EachSegmentGetsItsMarkersEntryOrTheDefault) {
    const SchemeEntries scheme = workedScheme();
    struct Case {
        std::u16string segment;
        const SchemeEntry* entry;
        std::size_t cut;
    } cases[] = {
        {u"x", &scheme[1], 0}, {u"<g>y", &scheme[0], 3}, {u"<l>z", &scheme[1], 3},
        {u"", &scheme[1], 0},  {u"y<g>", &scheme[1], 0},
    };
    for (const auto& c : cases) {
        const SegmentEntry chosen = chooseSegmentEntry(c.segment, scheme);
        EXPECT_EQ(chosen.entry, c.entry) << toUtf8(c.segment);
        EXPECT_EQ(chosen.markerLength, c.cut) << toUtf8(c.segment);
    }
    const SchemeEntries noDefault = {{u"<g>", u"@grk/T1.txt", false}};
    EXPECT_EQ(chooseSegmentEntry(u"x", noDefault).entry, nullptr);
    const SchemeEntries twoDefaults = {{u"<a>", u"A.txt", true}, {u"<b>", u"B.txt", true}};
    EXPECT_EQ(chooseSegmentEntry(u"x", twoDefaults).entry, &twoDefaults[1]) << "the last default";
    const SchemeEntries emptyName = {{u"", u"E.txt", false}, {u"<b>", u"B.txt", true}};
    EXPECT_EQ(chooseSegmentEntry(u"<b>x", emptyName).entry, &emptyName[0]);
    EXPECT_EQ(chooseSegmentEntry(u"", emptyName).entry, &emptyName[1]);
}

TEST(ParagraphJoining, EmptyLinesEndParagraphs) {
    struct Case {
        std::u16string text, joined;
    } cases[] = {
        {u"a\r\nb\r\n\r\nc\r\n", u"a b\r\nc "}, {u"a\r\n\r\n\r\nb", u"a\r\n b"},
        {u"a\r\n\r\n\r\n\r\nb", u"a\r\n\r\nb"}, {u"a!%$%$%$%!b", u"a\r\nb"},
        {u"no line ends", u"no line ends"},
    };
    for (const auto& c : cases) {
        std::u16string text = c.text;
        joinParagraphs(text);
        EXPECT_EQ(text, c.joined) << toUtf8(c.text);
    }
}

TEST(TableName, GivesTheExtensionATableLeftOpen) {
    struct Case {
        std::u16string extent, table, expected;
    } cases[] = {
        {u"", u"plain", u".txt"}, {u"", u"Face%", u".htm"}, {u"rtf", u"Face%", u".rtf"},
        {u".rtf", u"x", u".rtf"}, {u"xyz", u"x", u".xyz"},
    };
    for (const auto& c : cases) {
        std::u16string extent = c.extent;
        completeExtension(extent, c.table);
        EXPECT_EQ(extent, c.expected) << toUtf8(c.extent) << " / " << toUtf8(c.table);
    }
}

TEST(TableName, GivesTheFontFaceOfItsFirstPieceWithoutABang) {
    struct Case {
        std::u16string table;
        std::optional<std::u16string> face;
    } cases[] = {
        {u"Face%", u"Face"},
        {u"!old%Face%x", u"Face"},
        {u"!x%", std::nullopt},
        {u"plain", std::nullopt},
        {u"A%B%", u"A"},
        {u"x%tail", u"x"},
        {u"!a%!b%c", std::nullopt},
        {u"%x", u""},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(faceFromTableName(c.table), c.face) << toUtf8(c.table);
    }
}

}  // namespace
}  // namespace lorvane
