// The file window's OK through a real conversion session: the picked files are converted.
#include <QPushButton>

#include <gtest/gtest.h>

#include "pipeline/conversion_session.h"
#include "recording_desktop.h"
#include "temp_folder.h"
#include "ui/file_window/file_window.h"

namespace lorvane {
namespace {

TEST(FileWindowSession, OkConvertsThePickedFilesAndOpensTheirFolder) {
    test::TempFolder temp;
    temp.write("program/@lat/T.txt", "a == x\r\n");
    temp.write("texts/a.txt", "abc");
    temp.write("texts/b.txt", "aaa");
    temp.write("texts/c.txt", "not picked");
    test::RecordingDesktop desktop;
    MemorySettingsStore settings;
    StartupValues startup;
    startup.programFolder = temp.u16("program");
    startup.SrcPath = temp.u16("texts/a.txt");

    ConversionSession session(
        SessionConfig{startup.programFolder, 1251, temp.u16("docs"), &desktop});
    SelectionModel& selection = session.selection();
    selection.buildModeList();
    selection.selectMode(selection.findMode(u"lat"));
    selection.selectTable(selection.findTable(u"T"));
    ASSERT_EQ(selection.tableText(), u"T");

    FileWindow window(session, settings, desktop, startup);
    window.selectPattern(0);  // "*.txt"; a.txt is picked as the source
    window.Mut2(temp.u16("texts"), false);
    window.addEntry(temp.u16("texts/b.txt"), true);
    window.findChild<QPushButton*>(QStringLiteral("Command1"))->click();

    EXPECT_EQ(temp.read("texts/a1.txt"), "xbc\r\n");
    EXPECT_EQ(temp.read("texts/b1.txt"), "xxx\r\n");
    EXPECT_FALSE(temp.exists("texts/c1.txt"));
    EXPECT_EQ(desktop.opened, std::vector<std::u16string>{temp.u16("texts")});
    EXPECT_TRUE(desktop.messages.empty());
}

}  // namespace
}  // namespace lorvane
