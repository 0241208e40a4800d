#include "startup/source_filter.h"

#include <gtest/gtest.h>

#include "platform/text.h"
#include "temp_folder.h"

namespace lorvane {
namespace {

const std::u16string kBuiltIn = kBuiltInTypes;

TEST(SourceFilter, PutsTheUsersTypesBeforeTheBuiltInOnes) {
    struct Case {
        std::u16string typeList, filter;
    } cases[] = {
        {u"Тексты HIP (*.hip)|*.hip", u"Тексты HIP (*.hip)|*.hip|" + kBuiltIn},
        {u"Тексты HIP (*.hip)|*.hip\r\n", u"Тексты HIP (*.hip)|*.hip|" + kBuiltIn},
        {u"A|*.a\r\n\r\n\r\nB|*.b\r\n", u"A|*.a|B|*.b|" + kBuiltIn},
        // A line without "|" is one element and shifts the later pairs.
        {u"Notes\r\nA|*.a", u"Notes|A|*.a|" + kBuiltIn},
        {u"", u"|" + kBuiltIn},
        {u"\r\n\r\n", u"|" + kBuiltIn},
        {u"  A|*.a;*.b  \r\n", u"A|*.a;*.b  |" + kBuiltIn},
        {u"A|*.a|", u"A|*.a|" + kBuiltIn},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(sourceFilterFromTypeList(c.typeList), c.filter) << toUtf8(c.typeList);
    }
}

TEST(SourceFilter, ReadsTheTypeListOfTheProgramFolder) {
    test::TempFolder folder;
    folder.write("files.txt", "A|*.a\r\nB|*.b");
    std::u16string readPath;
    const auto read = [&](const std::u16string& path) {
        readPath = path;
        return std::u16string(u"A|*.a\r\nB|*.b");
    };
    EXPECT_EQ(SourceFilter(folder.u16path(), read), u"A|*.a|B|*.b|" + kBuiltIn);
    EXPECT_EQ(readPath, folder.u16("files.txt"));
}

TEST(SourceFilter, OffersTheBuiltInTypesAloneWithoutATypeList) {
    test::TempFolder folder;
    bool read = false;
    const auto reader = [&](const std::u16string&) {
        read = true;
        return std::u16string();
    };
    EXPECT_EQ(SourceFilter(folder.u16path(), reader), kBuiltIn);
    EXPECT_FALSE(read);
}

}  // namespace
}  // namespace lorvane
