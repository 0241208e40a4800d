// Faults in the middle of a run over several sources, injected from the run's progress
// callback: a source that vanishes before its turn, a result replaced by a folder, a table
// that is a folder, a documents folder that is a file. The run stops at the source concerned
// with a failure naming it; what was written before stays complete.
#include <gtest/gtest.h>

#include <filesystem>

#include "engine/table_engine.h"
#include "pipeline/conversion_session.h"
#include "platform/error_catalogue.h"
#include "platform/paths.h"
#include "recording_desktop.h"
#include "temp_folder.h"

namespace lorvane::test {
namespace {

namespace fs = std::filesystem;

class SessionFaults : public ::testing::Test {
  protected:
    SessionFaults() {
        temp.write("home/@m/plain.txt", "a == b\r\n");
        temp.makeFolder("home/@m/folder.txt");
        temp.write("home/r@mix.txt",
                   "<f> == @m\\folder.txt\r\ndefault == <p>\r\n<p> == @m\\plain.txt\r\n");
        temp.write("docs/a.txt", "a\r\n");
        temp.write("docs/b.txt", "aa\r\n");
        temp.write("docs/c.txt", "aaa\r\n");
        session.selection().buildModeList();
    }
    void selectPlain() {
        SelectionModel& selection = session.selection();
        selection.selectMode(selection.findMode(u"m"));
        selection.selectTable(selection.findTable(u"plain"));
        ASSERT_EQ(selection.tableText(), u"plain");
    }
    RunRequest pickAll() {
        RunRequest request;
        request.scope = 3;
        request.picked = {temp.u16("docs/a.txt"), temp.u16("docs/b.txt"), temp.u16("docs/c.txt")};
        request.openResult = false;
        return request;
    }

    TempFolder temp;
    RecordingDesktop desktop;
    ConversionSession session{SessionConfig{temp.u16("home"), 1251, temp.u16("my"), &desktop}};
};

// Converting it would write an empty result, replacing an older result of that name.
TEST_F(SessionFaults, ASourceThatVanishesBeforeItsTurnStopsTheRun) {
    selectPlain();
    temp.write("docs/c1.txt", "the older result\r\n");
    RunRequest request = pickAll();
    // Sources after the first are read ahead of their turn; this one goes before any is.
    request.progress = [this](int index, int, const std::u16string&) {
        if (index == 0) fs::remove(temp.path() / "docs/c.txt");
    };
    const RunOutcome outcome = session.Rewrite(request);
    ASSERT_TRUE(outcome.failure.has_value());
    EXPECT_EQ(outcome.failure->number, errors::kFileNotFound);
    EXPECT_EQ(outcome.failure->file, temp.u16("docs/c.txt"));
    EXPECT_EQ(outcome.failedSource, temp.u16("docs/c.txt"));
    EXPECT_EQ(outcome.written,
              (std::vector<std::u16string>{temp.u16("docs/a1.txt"), temp.u16("docs/b1.txt")}));
    EXPECT_EQ(temp.read("docs/b1.txt"), "bb\r\n\r\n");
    EXPECT_EQ(temp.read("docs/c1.txt"), "the older result\r\n");
}

TEST_F(SessionFaults, AResultReplacedByAFolderStopsTheRunAtItsSource) {
    selectPlain();
    RunRequest request = pickAll();
    request.progress = [this](int index, int, const std::u16string&) {
        if (index == 1) temp.makeFolder("docs/b1.txt");
    };
    const RunOutcome outcome = session.Rewrite(request);
    ASSERT_TRUE(outcome.failure.has_value());
    EXPECT_EQ(outcome.failure->file, temp.u16("docs/b1.txt"));
    EXPECT_EQ(outcome.failedSource, temp.u16("docs/b.txt"));
    EXPECT_EQ(outcome.written, std::vector<std::u16string>{temp.u16("docs/a1.txt")});
    EXPECT_TRUE(fs::is_empty(temp.path() / "docs/b1.txt"));
    EXPECT_FALSE(temp.exists("docs/c1.txt"));
}

// A table that cannot be read is an empty table: the text passes unconverted.
TEST_F(SessionFaults, ATableThatIsAFolderLeavesItsSegmentUnconverted) {
    SelectionModel& selection = session.selection();
    selection.selectMode(selection.findMode(u"?mix.txt"));
    ASSERT_TRUE(selection.SchemeMode());
    auto converted = session.ConvertText(u"a<f>a<p>a");
    ASSERT_TRUE(converted.ok()) << converted.failure().message();
    EXPECT_EQ(*converted, u"bab");

    struct NoScripts : ScriptRunner {
        Expected<std::u16string> RunScript(const std::u16string& name, std::u16string&) override {
            return failureFor(errors::kNoScriptHost, name);
        }
    } noScripts;
    auto applied = session.tableEngine().Table(u"a", u"@m/folder.txt", noScripts);
    ASSERT_FALSE(applied.ok());
    EXPECT_EQ(applied.failure().number, errors::kFileNotFound);
}

TEST_F(SessionFaults, AClipboardResultIntoADocumentsFolderThatIsAFileFails) {
    temp.write("my-file", "not a folder");
    ConversionSession clipboard{
        SessionConfig{temp.u16("home"), 1251, temp.u16("my-file"), &desktop}};
    clipboard.selection().buildModeList();
    clipboard.selection().selectMode(clipboard.selection().findMode(u"m"));
    clipboard.selection().selectTable(clipboard.selection().findTable(u"plain"));
    clipboard.setClipboardSource(true);
    desktop.clipboard = u"a";
    RunRequest request;
    request.openResult = false;
    const RunOutcome outcome = clipboard.Rewrite(request);
    ASSERT_TRUE(outcome.failure.has_value());
    EXPECT_EQ(outcome.failure->number, errors::kPathNotFound);
    EXPECT_EQ(outcome.failure->file, temp.u16("my-file/Lorva1.txt"));
    EXPECT_EQ(temp.read("my-file"), "not a folder");
}

}  // namespace
}  // namespace lorvane::test
