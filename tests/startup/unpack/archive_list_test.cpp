#include "startup/unpack/archive_list.h"

#include <gtest/gtest.h>

#include "platform/text.h"

namespace lorvane {
namespace {

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
