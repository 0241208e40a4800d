// Scripts that never end or recurse without end, run from table lines and as the document
// script of a run: a table line's script is stopped and skipped (the text stays as it was), a
// document script's failure stops the run at that source, and nothing half-written is left.
#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <filesystem>

#include "engine/table_engine.h"
#include "pipeline/conversion_session.h"
#include "platform/text_file_reader.h"
#include "platform/error_catalogue.h"
#include "recording_desktop.h"
#include "pipeline/script_host.h"
#include "temp_folder.h"

namespace lorvane::test {
namespace {

class ScriptFaults : public ::testing::Test {
  protected:
    ScriptFaults() {
        temp.write("home/Scripts/forever.vbs", "Sub Main\r\n  Do\r\n  Loop\r\nEnd Sub\r\n");
        temp.write("home/Scripts/deep.vbs",
                   "Function F(n)\r\n  F = F(n + 1)\r\nEnd Function\r\n"
                   "Sub Main\r\n  Send F(1)\r\nEnd Sub\r\n");
        temp.write("home/Scripts/upper.vbs", "Sub Main\r\n  Send UCase(X())\r\nEnd Sub\r\n");
        temp.write("home/@m/lines.txt",
                   "a == b\r\n>script forever.vbs\r\n>script deep.vbs\r\n>script upper.vbs\r\n");
        temp.write("home/@m/document.txt", "a == b\r\n>script1 forever.vbs\r\n");
        temp.write("home/@m/recursive.txt", "a == b\r\n>script1 deep.vbs\r\n");
        temp.write("docs/a.txt", "a\r\n");
        temp.write("docs/b.txt", "aa\r\n");
        session.selection().buildModeList();
        session.setScriptRunner(host);
    }
    void select(std::u16string_view table) {
        SelectionModel& selection = session.selection();
        selection.selectMode(selection.findMode(u"m"));
        selection.selectTable(selection.findTable(table));
        ASSERT_EQ(selection.tableText(), table);
    }
    static vbs::InterpreterOptions quickLimit() {
        vbs::InterpreterOptions options;
        options.timeLimit = std::chrono::milliseconds(200);
        return options;
    }
    RunOutcome runBoth() {
        RunRequest request;
        request.scope = 3;
        request.picked = {temp.u16("docs/a.txt"), temp.u16("docs/b.txt")};
        request.openResult = false;
        return session.Rewrite(request);
    }

    TempFolder temp;
    RecordingDesktop desktop;
    ConversionSession session{SessionConfig{temp.u16("home"), 1251, temp.u16("docs"), &desktop}};
    ScriptHost host{session.engineState(),
                    session.tableEngine(),
                    desktop,
                    [this](const std::u16string& path) {
                        return ReadTextFile(path, *session.engineState().codePage, &desktop);
                    },
                    session.engineState().codePage,
                    quickLimit()};
};

TEST_F(ScriptFaults, TableLineScriptsThatNeverEndOrRecurseAreSkipped) {
    select(u"lines");
    const RunOutcome outcome = runBoth();
    ASSERT_FALSE(outcome.failure) << outcome.failure->message();
    EXPECT_EQ(temp.read("docs/a1.txt"), "B\r\n\r\n");
    EXPECT_EQ(temp.read("docs/b1.txt"), "BB\r\n\r\n");
}

TEST_F(ScriptFaults, ADocumentScriptThatNeverEndsStopsTheRunAtTheTimeLimit) {
    select(u"document");
    temp.write("docs/a1.txt", "the older result\r\n");
    const RunOutcome outcome = runBoth();
    ASSERT_TRUE(outcome.failure);
    EXPECT_EQ(outcome.failure->number, errors::kScriptTimedOut);
    EXPECT_NE(outcome.failure->file.find(u"forever.vbs"), std::u16string::npos);
    EXPECT_GT(outcome.failure->line, 0);
    EXPECT_EQ(outcome.failedSource, temp.u16("docs/a.txt"));
    EXPECT_TRUE(outcome.written.empty());
    EXPECT_EQ(temp.read("docs/a1.txt"), "the older result\r\n");
    EXPECT_FALSE(temp.exists("docs/b1.txt"));
}

TEST_F(ScriptFaults, ADocumentScriptThatRecursesWithoutEndFailsWithError28) {
    select(u"recursive");
    const RunOutcome outcome = runBoth();
    ASSERT_TRUE(outcome.failure);
    EXPECT_EQ(outcome.failure->number, errors::kOutOfStackSpace);
    EXPECT_NE(outcome.failure->file.find(u"deep.vbs"), std::u16string::npos);
    EXPECT_EQ(outcome.failedSource, temp.u16("docs/a.txt"));
    EXPECT_FALSE(temp.exists("docs/a1.txt"));
}

// A script that applies its own table, whose line runs the script again: the nesting limits
// end it, each level's failure only skipping that level's step.
TEST_F(ScriptFaults, AScriptThatAppliesItsOwnTableEnds) {
    temp.write("home/Scripts/again.vbs", "Sub Main\r\n  Send Rpl3(X()) & \"!\"\r\nEnd Sub\r\n");
    temp.write("home/@m/again.txt", ">script again.vbs\r\na == b\r\n");
    select(u"again");
    const RunOutcome outcome = runBoth();
    ASSERT_FALSE(outcome.failure) << outcome.failure->message();
    // Every level that got its table applied added its "!".
    const std::string result = temp.read("docs/a1.txt");
    const std::size_t marks = std::count(result.begin(), result.end(), '!');
    EXPECT_EQ(result, "b\r\n" + std::string(marks, '!') + "\r\n");
    EXPECT_GE(marks, 1u);
    EXPECT_LE(marks, static_cast<std::size_t>(TableEngine::kMaxNesting));
}

}  // namespace
}  // namespace lorvane::test
