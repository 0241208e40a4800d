#include "scripting/objects/fso_paths.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "platform/text.h"
#include "temp_folder.h"

namespace lorvane::vbs::fso {
namespace {

TEST(FsoPaths, NameFunctionsWorkOnTheTextWithEitherSeparator) {
    struct Case {
        std::u16string path, fileName, baseName, extension, parent;
    } cases[] = {
        {u"/t/psalm.txt", u"psalm.txt", u"psalm", u"txt", u"/t"},
        {u"C:\\Texts\\Psalm.HIP.txt", u"Psalm.HIP.txt", u"Psalm.HIP", u"txt", u"C:/Texts"},
        {u"dir\\sub\\", u"sub", u"sub", u"", u"dir"},
        {u"readme", u"readme", u"readme", u"", u""},
        {u".profile", u".profile", u"", u"profile", u""},
        {u"/a", u"a", u"a", u"", u"/"},
        {u"/", u"", u"", u"", u""},
        {u"", u"", u"", u"", u""},
        {u"a//b", u"b", u"b", u"", u"a"},
        {u"a.b/c", u"c", u"c", u"", u"a.b"},
    };
    for (const auto& c : cases) {
        const std::string shown = toUtf8(c.path);
        EXPECT_EQ(fileName(c.path), c.fileName) << shown;
        EXPECT_EQ(baseName(c.path), c.baseName) << shown;
        EXPECT_EQ(extensionName(c.path), c.extension) << shown;
        EXPECT_EQ(parentFolderName(c.path), c.parent) << shown;
    }
}

TEST(FsoPaths, BuildPathJoinsWithOneSeparator) {
    struct Case {
        std::u16string path, name, expected;
    } cases[] = {
        {u"/t", u"a.txt", u"/t/a.txt"},
        {u"/t/", u"a.txt", u"/t/a.txt"},
        {u"/t\\", u"\\a.txt", u"/t/a.txt"},
        {u"/t", u"/a.txt", u"/t/a.txt"},
        {u"", u"a.txt", u"a.txt"},
        {u"/t", u"", u"/t"},
        {u"Scripts", u"sub\\up.vbs", u"Scripts/sub/up.vbs"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(buildPath(c.path, c.name), c.expected)
            << toUtf8(c.path) << " + " << toUtf8(c.name);
}

TEST(FsoPaths, ResolvesLetterCaseOfExistingAndNewFiles) {
    lorvane::test::TempFolder temp;
    temp.write("Data/Input.TXT", "x");
    EXPECT_EQ(resolveExisting(temp.u16path() + u"\\data\\input.txt"), temp.u16("Data/Input.TXT"));
    EXPECT_EQ(resolveForCreation(temp.u16path() + u"/DATA/input.txt"), temp.u16("Data/Input.TXT"));
    EXPECT_EQ(resolveForCreation(temp.u16path() + u"/DATA/New.txt"), temp.u16("Data/New.txt"));
    EXPECT_EQ(resolveForCreation(temp.u16path() + u"/none/New.txt"), temp.u16("none/New.txt"));
}

TEST(FsoPaths, AbsolutePathsStartFromTheCurrentDirectory) {
    lorvane::test::TempFolder temp;
    temp.makeFolder("sub");
    const auto previous = std::filesystem::current_path();
    std::filesystem::current_path(temp.path());
    const std::u16string here = fromUtf8(std::filesystem::current_path().string());
    EXPECT_EQ(absolutePathName(u"sub\\..\\x.txt"), here + u"/x.txt");
    EXPECT_EQ(absolutePathName(u"sub\\"), here + u"/sub");
    EXPECT_EQ(absolutePathName(u""), here);
    EXPECT_EQ(absolutePathName(u"/abs/./p"), u"/abs/p");
    std::filesystem::current_path(previous);
}

}  // namespace
}  // namespace lorvane::vbs::fso
