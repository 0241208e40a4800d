#include "startup/unpack/archive_list.h"

#include <gtest/gtest.h>

#include "platform/text.h"

namespace lorvane {
namespace {

TEST(ArchiveList, RecognisesArchives) {
    struct Case {
        std::u16string path;
        std::u16string list;
        bool archive;
    } cases[] = {
        {u"/t/book.zip", u"", true},
        {u"/t/book.rar", u"", true},
        {u"/t/book.ZIP", u"", false},
        {u"/t/book.ZIP", u".zip\r\n", false},
        {u"/t/book.ZIP", u".ZIP\r\n", true},
        {u"/t/book.arj", u".7z\r\n.arj", true},
        {u"/t/book.arj", u"zip -o %file%\r\n.arjx\r\n", true},  // a prefix test on the line
        {u"/t/book.arj", u"arj x %file%\r\n", false},
        {u"/t/book.txt", u".7z\r\n", false},
        {u"/t/readme", u".7z\r\n", false},
        {u"/t.b/readme", u".b/readme\r\n", true},  // the extension starts at the folder's dot
    };
    for (const auto& c : cases) {
        EXPECT_EQ(isArchive(c.path, c.list), c.archive)
            << toUtf8(c.path) << " / " << toUtf8(c.list);
    }
}

TEST(ArchiveList, ArchiveTypeIsTheTextAfterTheLastDot) {
    EXPECT_EQ(archiveType(u"/t/book.tar.gz"), u"gz");
    EXPECT_EQ(archiveType(u"/t/book.ZIP"), u"ZIP");
    EXPECT_EQ(archiveType(u"/t/book."), u"");
    EXPECT_EQ(archiveType(u"/t/book"), std::nullopt);
}

TEST(ArchiveList, FindsTheTemplateOfAType) {
    const std::u16string list =
        u".arj\r\nzip -o %file% -d %path%\r\nzipx nope\r\narj\r\narj e %file% %path%\r\n"
        u"7z x -y -o%path% %file%\r\nrar";
    struct Case {
        std::u16string type;
        std::optional<std::u16string> found;
    } cases[] = {
        {u"zip", u" -o %file% -d %path%"},
        {u"7z", u" x -y -o%path% %file%"},
        {u"arj", u" e %file% %path%"},  // "arj" alone mid-list does not match
        {u"rar", u" "},                 // alone on the last line without a line end: empty
        {u"ZIP", std::nullopt},
        {u"zi", std::nullopt},
        {u"gz", std::nullopt},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(findArchiveTemplate(list, c.type), c.found) << toUtf8(c.type);
    }
}

TEST(ArchiveList, TypeAloneMatchesOnlyOnTheLastLineWithoutLineEnd) {
    EXPECT_EQ(findArchiveTemplate(u"zip -o %file%\r\narj", u"arj"), u" ");
    EXPECT_EQ(findArchiveTemplate(u"zip -o %file%\r\narj\r\n", u"arj"), std::nullopt);
    EXPECT_EQ(findArchiveTemplate(u"arj\r\nzip -o %file%", u"arj"), std::nullopt);
    EXPECT_EQ(findArchiveTemplate(u"", u"zip"), std::nullopt);
}

}  // namespace
}  // namespace lorvane
