// What a run does to files it did not write: a result never destroys one. Each test is a
// situation a user met: two sources of one name in a folder, a folder converted twice, their
// own file beside a single source, backups kept and replaced, a folder without marks.
#include <sys/xattr.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>

#include "pipeline/conversion_session.h"
#include "pipeline/output_writer.h"
#include "pipeline/result_mark.h"
#include "platform/file_lister.h"
#include "platform/paths.h"
#include "recording_desktop.h"
#include "temp_folder.h"

namespace lorvane {
namespace {

namespace fs = std::filesystem;

class UsersFilesTest : public ::testing::Test {
  protected:
    void SetUp() override {
        temp.write("home/@lat/plain.txt", "a == b\r\n");
        temp.makeFolder("docs");
        temp.makeFolder("my");
    }

    ConversionSession& session(std::u16string outputFolder = {}) {
        if (!session_) {
            session_ = std::make_unique<ConversionSession>(SessionConfig{
                temp.u16("home"), 1251, temp.u16("my"), &desktop, 1251, std::move(outputFolder)});
            SelectionModel& selection = session_->selection();
            selection.buildModeList();
            selection.selectMode(selection.findMode(u"lat"));
            selection.selectTable(selection.findTable(u"plain"));
        }
        return *session_;
    }

    RunOutcome convertFolder(const std::u16string& pattern) {
        FileLister lister;
        lister.setPattern(pattern);
        RunRequest request;
        request.scope = 1;
        request.srcPath = temp.u16("docs/any");
        request.lister = &lister;
        request.openResult = false;
        return session().Rewrite(request);
    }

    RunOutcome convertOne(const std::string& name) {
        RunRequest request;
        request.scope = 0;
        request.srcPath = temp.u16("docs/" + name);
        request.openResult = false;
        return session().Rewrite(request);
    }

    // Marks need extended attributes in the temporary folder's file system.
    bool marksKept() {
        const auto probe = temp.write("probe", "");
        const bool kept = ::setxattr(probe.c_str(), "user.lorvane.probe", "1", 1, 0) == 0;
        fs::remove(probe);
        return kept;
    }

    test::TempFolder temp;
    test::RecordingDesktop desktop;
    std::unique_ptr<ConversionSession> session_;
};

TEST_F(UsersFilesTest, FolderHoldingChapterTxtAndChapterHipKeepsTheUsersText) {
    temp.write("docs/chapter.hip", "a from hip\r\n");
    temp.write("docs/chapter.txt", "a from txt\r\n");

    const RunOutcome outcome = convertFolder(u"*.txt;*.hip");

    ASSERT_FALSE(outcome.failure) << outcome.failure->message();
    // chapter.hip comes first and its result takes the name chapter.txt: the user's chapter.txt
    // is kept beside it, and is not converted again as the result now standing there.
    EXPECT_EQ(temp.read("docs/chapter.txt"), "b from hip\r\n\r\n");
    EXPECT_EQ(temp.read("docs/chapter.txt~"), "a from txt\r\n");
    EXPECT_EQ(outcome.backups, std::vector<std::u16string>{temp.u16("docs/chapter.txt~")});
    EXPECT_EQ(outcome.skipped, std::vector<std::u16string>{temp.u16("docs/chapter.txt")});
    EXPECT_FALSE(temp.exists("docs/chapter1.txt"));
}

// A picked source named like the first source's result, which did not exist before the run:
// that result took a free name, and the later source is the result now, not the user's text.
TEST_F(UsersFilesTest, APickedSourceThatAnEarlierResultCreatedIsNotConvertedAgain) {
    for (int jobs : {1, 2}) {
        SCOPED_TRACE(jobs);
        fs::remove_all(temp.path() / "docs");
        for (const char* name : {"docs/a.hip", "docs/b.hip", "docs/c.hip"})
            temp.write(name, "a text\r\n");
        RunRequest request;
        request.scope = 3;  // picked files
        request.picked = {temp.u16("docs/a.hip"), temp.u16("docs/b.hip"),
                          temp.u16("docs/c.hip"), temp.u16("docs/a.txt")};
        request.openResult = false;
        request.jobs = jobs;
        session_.reset();
        const RunOutcome outcome = session().Rewrite(request);

        ASSERT_FALSE(outcome.failure) << outcome.failure->message();
        EXPECT_EQ(outcome.skipped, std::vector<std::u16string>{temp.u16("docs/a.txt")});
        EXPECT_EQ(outcome.written.size(), 3u);
        EXPECT_EQ(temp.read("docs/a.txt"), "b text\r\n\r\n");
        EXPECT_FALSE(temp.exists("docs/a1.txt"));
    }
}

TEST_F(UsersFilesTest, ConvertingAFolderAgainDoesNotConvertTheResults) {
    if (!marksKept()) GTEST_SKIP() << "the temporary folder keeps no extended attributes";
    temp.write("docs/psalm.txt", "a psalm\r\n");
    temp.write("docs/page.htm", "a page\r\n");

    const RunOutcome first = convertFolder(u"*.*");
    ASSERT_FALSE(first.failure);
    EXPECT_TRUE(isMarkedResult(temp.u16("docs/psalm1.txt")));
    EXPECT_FALSE(isMarkedResult(temp.u16("docs/psalm.txt")));
    session_.reset();
    const RunOutcome second = convertFolder(u"*.*");

    ASSERT_FALSE(second.failure);
    EXPECT_EQ(second.written, (std::vector<std::u16string>{temp.u16("docs/page.txt"),
                                                           temp.u16("docs/psalm1.txt")}));
    // Results are replaced without backups: they are Lorvane's own.
    EXPECT_TRUE(second.backups.empty());
    EXPECT_FALSE(temp.exists("docs/psalm11.txt"));
    EXPECT_FALSE(temp.exists("docs/page1.txt"));
    EXPECT_FALSE(temp.exists("docs/psalm1.txt~"));
}

TEST_F(UsersFilesTest, UsersOwnFileBesideASingleSourceIsKept) {
    temp.write("docs/psalm.hip", "a hip\r\n");
    temp.write("docs/psalm.txt", "my own notes\r\n");

    const RunOutcome outcome = convertOne("psalm.hip");

    ASSERT_FALSE(outcome.failure);
    EXPECT_EQ(temp.read("docs/psalm.txt"), "b hip\r\n\r\n");
    EXPECT_EQ(temp.read("docs/psalm.txt~"), "my own notes\r\n");
    EXPECT_EQ(outcome.backups, std::vector<std::u16string>{temp.u16("docs/psalm.txt~")});
}

TEST_F(UsersFilesTest, ALaterBackupReplacesTheOlderOneAndAResultNeedsNone) {
    if (!marksKept()) GTEST_SKIP() << "the temporary folder keeps no extended attributes";
    temp.write("docs/psalm.hip", "a hip\r\n");
    temp.write("docs/psalm.txt", "first notes\r\n");
    ASSERT_EQ(convertOne("psalm.hip").backups.size(), 1u);
    // Converting again replaces the result, which is Lorvane's: the backup stays as it was.
    EXPECT_TRUE(convertOne("psalm.hip").backups.empty());
    EXPECT_EQ(temp.read("docs/psalm.txt~"), "first notes\r\n");
    // The user writes the file again, by hand: the next result keeps that text instead.
    fs::remove(temp.path() / "docs/psalm.txt");
    temp.write("docs/psalm.txt", "second notes\r\n");
    EXPECT_EQ(convertOne("psalm.hip").backups.size(), 1u);
    EXPECT_EQ(temp.read("docs/psalm.txt~"), "second notes\r\n");
    EXPECT_EQ(temp.read("docs/psalm.txt"), "b hip\r\n\r\n");
}

TEST_F(UsersFilesTest, OutputFolderTakesEveryResultAndLeavesTheSourcesFolderAlone) {
    temp.write("docs/one.txt", "a one\r\n");
    temp.write("docs/two.hip", "a two\r\n");
    session(temp.u16("out"));
    temp.makeFolder("out");

    const RunOutcome outcome = convertFolder(u"*.*");

    ASSERT_FALSE(outcome.failure);
    EXPECT_EQ(outcome.written,
              (std::vector<std::u16string>{temp.u16("out/one1.txt"), temp.u16("out/two.txt")}));
    EXPECT_EQ(temp.read("out/two.txt"), "b two\r\n\r\n");
    std::vector<std::string> names;
    for (const auto& entry : fs::directory_iterator(temp.path() / "docs"))
        names.push_back(entry.path().filename().string());
    std::sort(names.begin(), names.end());
    EXPECT_EQ(names, (std::vector<std::string>{"one.txt", "two.hip"}));
}

TEST_F(UsersFilesTest, WritingAResultBacksUpAnUnmarkedFileAndLeavesAMarkedOneAlone) {
    const std::u16string target = temp.u16("docs/result.txt");
    temp.write("docs/result.txt", "user's");
    auto first = writeResult(target, std::string_view("one"), u"");
    ASSERT_TRUE(first.ok());
    EXPECT_EQ(first->backup, target + u"~");
    EXPECT_EQ(temp.read("docs/result.txt~"), "user's");
    if (!marksKept()) return;
    auto second = writeResult(target, std::string_view("two"), u"");
    ASSERT_TRUE(second.ok());
    EXPECT_EQ(second->backup, u"");
    EXPECT_EQ(temp.read("docs/result.txt"), "two");
    EXPECT_EQ(temp.read("docs/result.txt~"), "user's");
}

}  // namespace
}  // namespace lorvane
