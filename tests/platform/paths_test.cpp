#include "platform/paths.h"

#include <gtest/gtest.h>

#include "temp_folder.h"

namespace lorvane {
namespace {

TEST(Paths, BackslashesBecomeTheSeparator) {
    EXPECT_EQ(normalizeSeparators(u"@grk\\@tab.txt"), u"@grk/@tab.txt");
    EXPECT_EQ(normalizeSeparators(u"a/b\\c\\"), u"a/b/c/");
}

TEST(Paths, FolderAndFileParts) {
    struct Case {
        std::u16string path, folder, file;
    } cases[] = {
        {u"/t/psalm.txt", u"/t/", u"psalm.txt"},
        {u"psalm.txt", u"", u"psalm.txt"},
        {u"/t/", u"/t/", u""},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(folderPart(c.path), c.folder);
        EXPECT_EQ(fileNamePart(c.path), c.file);
    }
}

TEST(Paths, ResolvesLetterCaseComponentByComponent) {
    test::TempFolder temp;
    temp.write("@Hip/Plain.txt", "x");
    temp.write("Scripts/Up.VBS", "y");
    EXPECT_EQ(resolveCaseInsensitive(temp.u16("@hip/plain.TXT")), temp.u16("@Hip/Plain.txt"));
    EXPECT_EQ(resolveCaseInsensitive(temp.u16("scripts/up.vbs")), temp.u16("Scripts/Up.VBS"));
    EXPECT_EQ(resolveCaseInsensitive(temp.u16("@HIP/")), temp.u16("@Hip/"));
}

TEST(Paths, ExistingAndUnresolvablePathsStayAsWritten) {
    test::TempFolder temp;
    temp.write("a.txt", "");
    temp.write("A.TXT", "");
    EXPECT_EQ(resolveCaseInsensitive(temp.u16("A.TXT")), temp.u16("A.TXT"));
    EXPECT_EQ(resolveCaseInsensitive(temp.u16("missing/a.txt")), temp.u16("missing/a.txt"));
    EXPECT_EQ(resolveCaseInsensitive(u""), u"");
}

TEST(Paths, ProgramFolderFollowsTheEnvironment) {
    test::TempFolder temp;
    setenv("LORVANE_HOME", (temp.path().string() + "/").c_str(), 1);
    EXPECT_EQ(locateProgramFolder(), temp.u16path());
    unsetenv("LORVANE_HOME");
    EXPECT_FALSE(locateProgramFolder().empty());
    EXPECT_NE(locateProgramFolder().back(), u'/');
}

}  // namespace
}  // namespace lorvane
