#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>

#include "pipeline/output_naming.h"
#include "pipeline/output_writer.h"
#include "platform/error_catalogue.h"
#include "platform/paths.h"
#include "platform/text.h"
#include "temp_folder.h"

namespace lorvane {
namespace {

namespace fs = std::filesystem;

TEST(OutputNaming, FollowsTheSourceName) {
    struct Case {
        std::u16string source, extent, expected;
    } cases[] = {
        {u"/t/psalm.txt", u".htm", u"/t/psalm.htm"},
        {u"/t/psalm.txt", u".txt", u"/t/psalm1.txt"},
        {u"/t/a.b.txt", u".txt", u"/t/a.b1.txt"},
        {u"/t/psalm", u".rtf", u"/t/psalm.rtf"},
        {u"/t.d/psalm", u".txt", u"/t.d/psalm.txt"},
        {u"/t/psalm.TXT", u".txt", u"/t/psalm.txt"},  // letter case counts
        {u"/t/psalm.rtf", u".xyz", u"/t/psalm.xyz"},
        {u"/t/psalm.xyz", u".xyz", u"/t/psalm1.xyz"},
        {u"/t/psalm.", u".txt", u"/t/psalm.txt"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(outputPath(c.source, c.extent), c.expected)
            << toUtf8(c.source) << " + " << toUtf8(c.extent);
    }
}

TEST(OutputNaming, ClipboardResultsGoToTheDocumentsFolder) {
    EXPECT_EQ(outputPath(clipboardSourcePath(u"/home/u/Documents"), u".txt"),
              u"/home/u/Documents/Lorva1.txt");
    EXPECT_EQ(outputPath(clipboardSourcePath(u"/home/u/Documents/"), u".htm"),
              u"/home/u/Documents/Lorva.htm");
}

bool runningAsRoot() {
    return ::geteuid() == 0;
}

std::size_t entriesIn(const fs::path& folder) {
    std::size_t count = 0;
    for ([[maybe_unused]] const auto& entry : fs::directory_iterator(folder))
        ++count;
    return count;
}

TEST(OutputWriter, WritesNewFilesAndReplacesOldOnes) {
    test::TempFolder temp;
    ASSERT_TRUE(writeFileSafely(temp.u16("r.txt"), "first\r\n").ok());
    EXPECT_EQ(temp.read("r.txt"), "first\r\n");
    ASSERT_TRUE(writeFileSafely(temp.u16("r.txt"), std::string("a\0b", 3)).ok());
    EXPECT_EQ(temp.read("r.txt"), std::string("a\0b", 3));
    EXPECT_EQ(entriesIn(temp.path()), 1u) << "no temporary file stays behind";
}

TEST(OutputWriter, FailuresNameTheFileAndLeaveNothingBehind) {
    test::TempFolder temp;
    temp.write("plain", "not a folder");
    temp.makeFolder("folder.txt");
    struct Case {
        std::string target;
        int number;
    } cases[] = {
        {"plain/r.txt", errors::kPathNotFound},    // the parent is a regular file
        {"missing/r.txt", errors::kPathNotFound},  // the parent does not exist
        {"folder.txt", errors::kPathFileAccessError},
    };
    for (const auto& c : cases) {
        Status written = writeFileSafely(temp.u16(c.target), "x");
        ASSERT_FALSE(written.ok()) << c.target;
        EXPECT_EQ(written.failure().number, c.number) << c.target;
        EXPECT_EQ(written.failure().file, temp.u16(c.target));
    }
    EXPECT_EQ(entriesIn(temp.path()), 2u);
}

TEST(OutputWriter, AReadOnlyResultIsNotReplaced) {
    if (runningAsRoot()) GTEST_SKIP() << "permissions do not stop root from writing";
    test::TempFolder temp;
    const auto target = temp.write("r.txt", "old");
    fs::permissions(target, fs::perms::owner_read);
    Status written = writeFileSafely(temp.u16("r.txt"), "new");
    ASSERT_FALSE(written.ok());
    EXPECT_EQ(written.failure().number, errors::kPermissionDenied);
    EXPECT_EQ(temp.read("r.txt"), "old");
}

TEST(OutputWriter, AnUnwritableFolderKeepsTheOldResult) {
    if (runningAsRoot()) GTEST_SKIP() << "permissions do not stop root from writing";
    test::TempFolder temp;
    temp.write("out/r.txt", "old");
    fs::permissions(temp.path() / "out", fs::perms::owner_read | fs::perms::owner_exec);
    Status written = writeFileSafely(temp.u16("out/r.txt"), "new");
    ASSERT_FALSE(written.ok());
    EXPECT_EQ(written.failure().number, errors::kPermissionDenied);
    EXPECT_EQ(temp.read("out/r.txt"), "old");
}

TEST(OutputWriter, NeverWritesOverItsOwnSource) {
    test::TempFolder temp;
    const auto source = temp.write("psalm.TXT", "source text");
    // On a letter-case-blind file system psalm.txt would be the source itself; a hard link
    // gives the same situation here.
    fs::create_hard_link(source, temp.path() / "psalm.txt");
    auto written = writeResult(temp.u16("psalm.txt"), "result", temp.u16("psalm.TXT"));
    ASSERT_FALSE(written.ok());
    EXPECT_EQ(written.failure().number, errors::kOutputIsSource);
    EXPECT_EQ(written.failure().file, temp.u16("psalm.txt"));
    EXPECT_EQ(temp.read("psalm.TXT"), "source text");

    EXPECT_TRUE(writeResult(temp.u16("psalm.htm"), "result", temp.u16("psalm.TXT")).ok());
    EXPECT_TRUE(writeResult(temp.u16("other.txt"), "result", u"").ok());
    EXPECT_EQ(temp.read("psalm.htm"), "result");
}

}  // namespace
}  // namespace lorvane
