// Start-up driving the real main window: each kind of command line gives its start state, and
// OK then converts what that start chose.
#include <gtest/gtest.h>

#include <QCheckBox>
#include <QComboBox>
#include <QListWidget>
#include <QPushButton>
#include <QTest>
#include <memory>

#include "fake_file_link.h"
#include "fake_window_ports.h"
#include "pipeline/conversion_session.h"
#include "platform/text_file_reader.h"
#include "platform/code_page.h"
#include "platform/paths.h"
#include "platform/text.h"
#include "recording_desktop.h"
#include "settings/settings_store.h"
#include "startup/startup.h"
#include "temp_folder.h"
#include "ui/main_window/main_window.h"

namespace lorvane {
namespace {

std::u16string readText(const std::u16string& path) {
    return ReadTextFile(path, **CodePage::forNumber(1251), nullptr);
}

class StartupWithMainWindow : public ::testing::Test {
  protected:
    StartupWithMainWindow() {
        program.write("@hip/plain.txt", "a == b\r\n");
        program.write("@hip/slav.txt", "a == c\r\n");
        program.write("@grc/greek.txt", "a == d\r\n");
        sources.write("a.txt", "a text\r\n");
        sources.write("texts/t.txt", "aa\r\n");
        docs.makeFolder("Documents");
        values.programFolder = program.u16path();
        session = std::make_unique<ConversionSession>(
            SessionConfig{program.u16path(), 1251, docs.u16("Documents"), &desktop});
        window = std::make_unique<MainWindow>(*session, settings, desktop, values, link, end);
    }

    StartupOutcome start(std::vector<std::u16string> arguments) {
        StartupContext context{
            std::move(arguments),
            {},
            u"lorvane",
            desktop,
            *window,
            files,
            end,
            readText,
            {},
            [this](int number) { return number == 5 ? docs.u16("Documents") : docs.u16path(); }};
        return runStartup(values, context);
    }

    QComboBox* combo(const char* name) { return window->findChild<QComboBox*>(name); }
    QListWidget* tables() { return window->findChild<QListWidget*>("List1"); }
    void pressOk() {
        QTest::mouseClick(window->findChild<QPushButton*>("Command1"), Qt::LeftButton);
    }

    test::TempFolder program, sources, docs;
    test::RecordingDesktop desktop;
    MemorySettingsStore settings;
    StartupValues values;
    test::PortLog log;
    test::FakeFileWindow files{log};
    test::FakeFileLink link;
    ProgramEnd end;
    std::unique_ptr<ConversionSession> session;
    std::unique_ptr<MainWindow> window;
};

TEST_F(StartupWithMainWindow, OneFileWithTheStartOption) {
    EXPECT_EQ(start({u"@hip@slav", sources.u16("a.txt")}), StartupOutcome::MainWindowShown);
    EXPECT_TRUE(window->isVisible());
    EXPECT_EQ(combo("Combo1")->currentText(), "hip");
    EXPECT_EQ(tables()->currentItem()->text(), "slav");
    EXPECT_FALSE(combo("Combo2")->isHidden());
    EXPECT_EQ(combo("Combo2")->itemText(0), "a.txt");
    pressOk();
    EXPECT_EQ(sources.read("a1.txt").substr(0, 6), "c text");
    EXPECT_EQ(desktop.opened, std::vector<std::u16string>{sources.u16("a1.txt")});
    EXPECT_TRUE(end.requested());
}

TEST_F(StartupWithMainWindow, Clipboard) {
    desktop.clipboard = u"a clip";
    EXPECT_EQ(start({u"@grc", u"-c"}), StartupOutcome::MainWindowShown);
    EXPECT_TRUE(combo("Combo2")->isHidden());
    EXPECT_EQ(combo("Combo1")->currentText(), "grc");
    EXPECT_TRUE(session->clipboardSource());
    pressOk();
    EXPECT_EQ(docs.read("Documents/Lorva1.txt").substr(0, 6), "d clip");
    EXPECT_TRUE(end.requested());
}

TEST_F(StartupWithMainWindow, CancelledDialogTakesTheClipboard) {
    EXPECT_EQ(start({}), StartupOutcome::MainWindowShown);
    EXPECT_TRUE(session->clipboardSource());
    EXPECT_TRUE(combo("Combo2")->isHidden());
}

TEST_F(StartupWithMainWindow, FolderRunsThePickedFilesOfTheFileWindow) {
    EXPECT_EQ(start({sources.u16("texts")}), StartupOutcome::MainWindowShown);
    EXPECT_TRUE(combo("Combo2")->isHidden());
    EXPECT_EQ(combo("Combo2")->itemText(0), "В файле ");
    link.lister_.setFolder(sources.u16("texts"));
    link.selected = {u"t.txt"};
    combo("Combo1")->setCurrentIndex(1);
    pressOk();
    EXPECT_EQ(sources.read("texts/t1.txt").substr(0, 2), "bb");
    EXPECT_EQ(desktop.opened, std::vector<std::u16string>{sources.u16("texts")});
}

TEST_F(StartupWithMainWindow, ListOfFilesLeavesTheMainWindowHidden) {
    EXPECT_EQ(start({sources.u16("a.txt"), sources.u16("texts/t.txt")}),
              StartupOutcome::FileWindowShown);
    EXPECT_FALSE(window->isVisible());
    EXPECT_TRUE(combo("Combo2")->isHidden());
    EXPECT_TRUE(files.shown);
    // The main window loaded all the same, with its load-time selection.
    EXPECT_EQ(combo("Combo1")->currentIndex(), 0);
}

TEST_F(StartupWithMainWindow, NoModesEndsTheStart) {
    test::TempFolder empty;
    values.programFolder = empty.u16path();
    session = std::make_unique<ConversionSession>(
        SessionConfig{empty.u16path(), 1251, docs.u16("Documents"), &desktop});
    window = std::make_unique<MainWindow>(*session, settings, desktop, values, link, end);
    EXPECT_EQ(start({u"-c"}), StartupOutcome::Ended);
    EXPECT_FALSE(window->isVisible());
    EXPECT_TRUE(desktop.messages.empty());
}

}  // namespace
}  // namespace lorvane
