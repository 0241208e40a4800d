// A conversion session over a program folder (home/), sources (docs/) and a documents folder
// (my/) laid out in a temporary folder, with a recording desktop.
#pragma once

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <string_view>

#include "pipeline/conversion_session.h"
#include "platform/paths.h"
#include "recording_desktop.h"
#include "temp_folder.h"

namespace lorvane::test {

class SessionFixture : public ::testing::Test {
  protected:
    void SetUp() override { temp.makeFolder("my"); }

    // The session, created on first use with the documents' and the tables' code pages.
    ConversionSession& session(int documents = 1251, int tables = 1251) {
        if (!session_) {
            session_ = std::make_unique<ConversionSession>(
                SessionConfig{temp.u16("home"), documents, temp.u16("my"), &desktop, tables});
            session_->selection().buildModeList();
        }
        return *session_;
    }
    void select(std::u16string_view mode, std::u16string_view table) {
        SelectionModel& selection = session().selection();
        selection.selectMode(selection.findMode(mode));
        ASSERT_EQ(selection.modeText(), mode);
        selection.selectTable(selection.findTable(table));
        ASSERT_EQ(selection.tableText(), table);
    }
    void selectScheme(std::u16string_view entry) {
        SelectionModel& selection = session().selection();
        selection.selectMode(selection.findMode(entry));
        ASSERT_TRUE(selection.SchemeMode());
    }
    void table(const std::string& relative, const std::string& lines) {
        temp.write("home/" + relative, lines);
    }
    std::u16string source(const std::string& name, const std::string& bytes) {
        return fromFsPath(temp.write("docs/" + name, bytes));
    }
    // Converts one source and returns the bytes written.
    std::string convert(const std::u16string& path, const std::string& expectedResult) {
        auto written = session().ConvertFile(path);
        EXPECT_TRUE(written.ok()) << (written.ok() ? "" : written.failure().message());
        if (!written.ok()) return {};
        EXPECT_EQ(*written, temp.u16(expectedResult));
        return temp.read(expectedResult);
    }

    TempFolder temp;
    RecordingDesktop desktop;
    std::unique_ptr<ConversionSession> session_;
};

}  // namespace lorvane::test
