#include "platform/file_lister.h"

#include <gtest/gtest.h>

#include "platform/wildcard.h"
#include "temp_folder.h"

namespace lorvane {
namespace {

TEST(Wildcard, MatchesLikeTheFileChoosers) {
    struct Case {
        std::u16string name, pattern;
        bool matches;
    } cases[] = {
        {u"psalm.txt", u"*.txt", true},
        {u"PSALM.TXT", u"*.txt", true},
        {u"psalm.txt", u"*.htm", false},
        {u"readme", u"*.*", true},
        {u"a.b.c", u"*.*", true},
        {u"r@hip.txt", u"r@*.txt", true},
        {u"xr@hip.txt", u"r@*.txt", false},
        {u"ab", u"a?", true},
        {u"a", u"a?", false},
        {u"Псалом.TXT", u"псалом.*", true},
        {u"book", u"book.*", true},
        {u"abc", u"", false},
        {u"aaaaaaaaaaaaaaaaaaaaaaab", u"*a*a*a*a*a*a*c", false},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(matchesPattern(c.name, c.pattern), c.matches)
            << ::testing::PrintToString(c.name) << " ~ " << ::testing::PrintToString(c.pattern);
    }
    EXPECT_TRUE(matchesPatternList(u"a.htm", u"*.txt;*.htm"));
    EXPECT_TRUE(matchesPatternList(u"a.htm", u"*.txt; *.htm"));
    EXPECT_FALSE(matchesPatternList(u"a.rtf", u"*.txt;*.htm"));
}

TEST(FileLister, ListsOrdinaryFilesInLetterCaseBlindOrder) {
    test::TempFolder temp;
    for (const char* name : {"b.txt", "A.txt", "c.htm", ".hidden.txt", "r@s.txt"}) {
        temp.write(name, "");
    }
    temp.makeFolder("folder.txt");
    FileLister lister;
    ASSERT_TRUE(lister.setFolder(temp.u16path()));
    EXPECT_EQ(lister.entries(),
              (std::vector<std::u16string>{u"A.txt", u"b.txt", u"c.htm", u"r@s.txt"}));
    lister.setPattern(u"r@*.txt");
    EXPECT_EQ(lister.entries(), (std::vector<std::u16string>{u"r@s.txt"}));
    lister.setPattern(u"*.*");
    EXPECT_EQ(lister.count(), 4);
}

TEST(FileLister, OnlyHiddenFilesGiveNothing) {
    test::TempFolder temp;
    temp.write(".a", "");
    FileLister lister;
    ASSERT_TRUE(lister.setFolder(temp.u16path()));
    EXPECT_EQ(lister.count(), 0);
}

TEST(FileLister, MissingFolderKeepsThePreviousFolderAndList) {
    test::TempFolder temp;
    temp.write("x.txt", "");
    FileLister lister;
    ASSERT_TRUE(lister.setFolder(temp.u16path() + u"/"));
    EXPECT_EQ(lister.folder(), temp.u16path());
    EXPECT_FALSE(lister.setFolder(temp.u16("missing")));
    EXPECT_FALSE(lister.setFolder(u""));
    EXPECT_EQ(lister.folder(), temp.u16path());
    EXPECT_EQ(lister.count(), 1);
}

TEST(FolderLister, ListsSubfoldersAsFullPaths) {
    test::TempFolder temp;
    temp.makeFolder("@hip");
    temp.makeFolder("@Grk");
    temp.makeFolder(".git");
    temp.write("@file", "");
    FolderLister lister;
    ASSERT_TRUE(lister.setFolder(temp.u16path()));
    EXPECT_EQ(lister.entries(), (std::vector<std::u16string>{temp.u16("@Grk"), temp.u16("@hip")}));
}

}  // namespace
}  // namespace lorvane
