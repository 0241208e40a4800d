#include "startup/archive_check.h"

#include <gtest/gtest.h>

#include "platform/text.h"

namespace lorvane {
namespace {

TEST(ArchiveCheck, RecognisesArchivesBySuffixAndByTheArchiveList) {
    const std::u16string none;
    struct Case {
        std::u16string path, list;
        std::optional<std::u16string> type;
    } cases[] = {
        {u"/t/book.zip", none, u"zip"},
        {u"/t/book.rar", none, u"rar"},
        {u"/t/book.txt", none, std::nullopt},
        {u"/t/book.ZIP", none, std::nullopt},
        {u"/t/book.ZIP", u".zip\r\nzip -o %file%\r\n", std::nullopt},
        {u"/t/book.ZIP", u".ZIP\r\n", u"ZIP"},
        {u"/t/book.arj", u"zip -o\r\n.arj\r\narj x %file% %path%", u"arj"},
        {u"/t/book.arj", u".arj", u"arj"},
        {u"/t/book.7z", u".7z 7-zip archives\r\n", u"7z"},
        {u"/t/book.7z", u".7z\tcomment\r\n", u"7z"},
        // The line names a whole extension: ".rar" says nothing about ".r".
        {u"/t/notes.r", u".rar\r\n", std::nullopt},
        {u"/t/notes.r", u".r\r\n", u"r"},
        // The list test is exact about letter case.
        {u"/t/book.arj", u".ARJ\r\n", std::nullopt},
        // Template lines (no dot) recognise nothing.
        {u"/t/book.arj", u"arj x %file%\r\n", std::nullopt},
        // No dot at all: no extension for the list to name.
        {u"/t/readme", u".\r\n\r\n", std::nullopt},
        // A dot in a folder name makes the rest of the path the extension.
        {u"/t/a.b/readme", u".b\r\n", std::nullopt},
        {u"/t/a.b/readme", u".b/readme\r\n", u"b/readme"},
        {u"/t/book.tar.gz", u".gz\r\n", u"gz"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(archiveType(c.path, c.list), c.type)
            << toUtf8(c.path) << " with list " << toUtf8(c.list);
    }
}

}  // namespace
}  // namespace lorvane
