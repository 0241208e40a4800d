// The whole desktop program, both windows and start-up, with a recording desktop: what each
// kind of start converts and opens in the end.
#include "ui/app/desktop_program.h"

#include <gtest/gtest.h>

#include <QComboBox>
#include <QListWidget>
#include <QPushButton>
#include <QTest>

#include "comma_locale.h"
#include "pipeline/result_mark.h"
#include "pipeline/selection_model.h"
#include "platform/text.h"
#include "recording_desktop.h"
#include "settings/settings_store.h"
#include "temp_folder.h"
#include "ui/file_window/file_window.h"
#include "ui/main_window/main_window.h"

namespace lorvane {
namespace {

class DesktopProgramTest : public ::testing::Test {
  protected:
    DesktopProgramTest() {
        program.write("@hip/plain.txt", "a == b\r\n");
        sources.write("one.txt", "a one\r\n");
        sources.write("two.txt", "a two\r\n");
        docs.makeFolder("Documents");
        desktopProgram = std::make_unique<DesktopProgram>(DesktopProgramConfig{
            program.u16path(),
            *CodePage::forNumber(1251),
            desktop,
            settings,
            {},
            [this](int number) { return number == 5 ? docs.u16("Documents") : docs.u16path(); }});
    }

    void click(QWidget& window, const char* button) {
        QTest::mouseClick(window.findChild<QPushButton*>(button), Qt::LeftButton);
    }
    std::string converted(std::string_view name) const { return sources.read(name).substr(0, 5); }

    test::TempFolder program, sources, docs;
    test::RecordingDesktop desktop;
    MemorySettingsStore settings;
    std::unique_ptr<DesktopProgram> desktopProgram;
};

TEST_F(DesktopProgramTest, ListOfFilesIsConvertedFromTheFileWindow) {
    DesktopProgram& p = *desktopProgram;
    EXPECT_EQ(p.start({sources.u16("one.txt"), sources.u16("two.txt")}),
              StartupOutcome::FileWindowShown);
    EXPECT_TRUE(p.fileWindow().isVisible());
    EXPECT_FALSE(p.mainWindow().isVisible());
    click(p.fileWindow(), "Command1");
    EXPECT_EQ(converted("one1.txt"), "b one");
    EXPECT_EQ(converted("two1.txt"), "b two");
    EXPECT_EQ(desktop.opened, std::vector<std::u16string>{sources.u16path()});
    EXPECT_TRUE(p.ended());
}

TEST_F(DesktopProgramTest, ChoosingFilesHandsTheRunToTheFileWindow) {
    DesktopProgram& p = *desktopProgram;
    EXPECT_EQ(p.start({sources.u16("one.txt")}), StartupOutcome::MainWindowShown);
    p.mainWindow().findChild<QComboBox*>("Combo2")->setCurrentIndex(2);
    click(p.mainWindow(), "Command1");
    EXPECT_FALSE(p.mainWindow().isVisible());
    EXPECT_TRUE(p.fileWindow().isVisible());
    EXPECT_FALSE(p.ended());
    // The source is picked in the file window's list; OK converts just that.
    click(p.fileWindow(), "Command1");
    EXPECT_EQ(converted("one1.txt"), "b one");
    EXPECT_FALSE(sources.exists("two1.txt"));
    EXPECT_TRUE(p.ended());
}

TEST_F(DesktopProgramTest, FolderIsConvertedWhole) {
    DesktopProgram& p = *desktopProgram;
    EXPECT_EQ(p.start({sources.u16path()}), StartupOutcome::MainWindowShown);
    EXPECT_TRUE(p.mainWindow().findChild<QComboBox*>("Combo2")->isHidden());
    click(p.mainWindow(), "Command1");
    EXPECT_EQ(converted("one1.txt"), "b one");
    EXPECT_EQ(converted("two1.txt"), "b two");
    EXPECT_EQ(desktop.opened, std::vector<std::u16string>{sources.u16path()});
    EXPECT_TRUE(p.ended());
}

TEST_F(DesktopProgramTest, ConvertingAFolderAgainLeavesTheEarlierResultsAlone) {
    DesktopProgram& p = *desktopProgram;
    p.start({sources.u16path()});
    click(p.mainWindow(), "Command1");
    ASSERT_EQ(converted("one1.txt"), "b one");
    if (!isMarkedResult(sources.u16("one1.txt"))) {
        GTEST_SKIP() << "the temporary folder keeps no extended attributes";
    }
    desktopProgram.reset();
    desktopProgram = std::make_unique<DesktopProgram>(DesktopProgramConfig{
        program.u16path(), *CodePage::forNumber(1251), desktop, settings, {}, [this](int number) {
            return number == 5 ? docs.u16("Documents") : docs.u16path();
        }});
    desktopProgram->start({sources.u16path()});
    // The results are listed, not picked.
    auto* files = desktopProgram->fileWindow().findChild<QListWidget*>("List1");
    ASSERT_EQ(files->count(), 4);
    EXPECT_EQ(files->selectedItems().size(), 2);
    click(desktopProgram->mainWindow(), "Command1");
    EXPECT_FALSE(sources.exists("one11.txt"));
    EXPECT_FALSE(sources.exists("one1.txt~"));
    EXPECT_EQ(converted("two1.txt"), "b two");
}

TEST_F(DesktopProgramTest, CancelEndsWithoutConverting) {
    DesktopProgram& p = *desktopProgram;
    p.start({sources.u16("one.txt")});
    click(p.mainWindow(), "Command2");
    EXPECT_TRUE(p.ended());
    EXPECT_FALSE(sources.exists("one1.txt"));
    EXPECT_TRUE(desktop.opened.empty());
}

// A source saved as UTF-8 and read in cp1251 converts as asked; after the run, from either
// window, the user is told which sources looked like UTF-8 and what to do.
TEST_F(DesktopProgramTest, SourcesThatLookLikeUtf8AreNamedAfterTheRun) {
    sources.write("utf8.txt", "a \xd0\x96\r\n");
    for (const bool fromFileWindow : {false, true}) {
        desktop.messages.clear();
        desktopProgram = std::make_unique<DesktopProgram>(DesktopProgramConfig{
            program.u16path(), *CodePage::forNumber(1251), desktop, settings, {},
            [this](int number) { return number == 5 ? docs.u16("Documents") : docs.u16path(); }});
        DesktopProgram& p = *desktopProgram;
        if (fromFileWindow) {
            p.start({sources.u16("utf8.txt"), sources.u16("one.txt")});
            click(p.fileWindow(), "Command1");
        } else {
            p.start({sources.u16("utf8.txt")});
            click(p.mainWindow(), "Command1");
        }
        EXPECT_EQ(sources.read("utf81.txt"), "b \xd0\x96 \r\n") << "the hip mode joins lines";
        ASSERT_EQ(desktop.messages.size(), 1u) << fromFileWindow;
        const MessageRequest& hint = desktop.messages.front();
        EXPECT_EQ(hint.icon, MessageIcon::Information);
        EXPECT_NE(hint.text.find(sources.u16("utf8.txt") + u" looks like UTF-8"),
                  std::u16string::npos);
        EXPECT_NE(hint.text.find(u"LORVANE_CODEPAGE=65001"), std::u16string::npos);
        EXPECT_EQ(hint.text.find(u"one.txt"), std::u16string::npos);
    }
}

TEST_F(DesktopProgramTest, ListStartWhoseStoredSchemeHasOpenEntriesShowsTheMainWindow) {
    program.write("@grk/T1.txt", "a == g\r\n");
    program.write("r@mix.txt", "default == <g>\r\n<g> == @grk\\\r\n");
    SelectionModel modes(program.u16path(), *CodePage::forNumber(1251), nullptr);
    modes.buildModeList();
    settings.save(kSettingsSection, u"DefaultFolder", decimal(modes.findMode(u"?mix.txt")));
    DesktopProgram& p = *desktopProgram;
    EXPECT_EQ(p.start({sources.u16("one.txt"), sources.u16("two.txt")}),
              StartupOutcome::FileWindowShown);

    click(p.fileWindow(), "Command1");
    // Nothing can run with an entry still open: the main window is where the user chooses.
    EXPECT_FALSE(p.ended());
    EXPECT_FALSE(p.fileWindow().isVisible());
    EXPECT_TRUE(p.mainWindow().isVisible());
    EXPECT_FALSE(sources.exists("one1.txt"));
    EXPECT_TRUE(desktop.messages.empty());

    p.mainWindow().findChild<QListWidget*>("List1")->setCurrentRow(0);
    click(p.mainWindow(), "Command1");
    EXPECT_EQ(converted("one1.txt"), "g one");
    EXPECT_EQ(converted("two1.txt"), "g two");
    EXPECT_TRUE(p.ended());
}

TEST_F(DesktopProgramTest, AFailedRunIsReportedInRussian) {
    sources.makeFolder("one1.txt");  // the result's name is taken by a folder
    DesktopProgram& p = *desktopProgram;
    p.start({sources.u16("one.txt"), sources.u16("two.txt")});
    click(p.fileWindow(), "Command1");
    ASSERT_EQ(desktop.messages.size(), 1u);
    EXPECT_EQ(desktop.messages[0].caption, u"Ошибка!");
    EXPECT_EQ(desktop.messages[0].text, sources.u16("one.txt") + u"\r\n" + sources.u16("one1.txt") +
                                            u" ошибка 75: Ошибка доступа к пути или файлу");
    EXPECT_TRUE(p.ended());
}

TEST_F(DesktopProgramTest, ReplacingTheUsersFileIsToldAtTheEndOfTheRun) {
    sources.write("one1.txt", "my own notes\r\n");
    DesktopProgram& p = *desktopProgram;
    p.start({sources.u16("one.txt")});
    click(p.mainWindow(), "Command1");
    EXPECT_EQ(converted("one1.txt"), "b one");
    EXPECT_EQ(sources.read("one1.txt~"), "my own notes\r\n");
    ASSERT_EQ(desktop.messages.size(), 1u);
    EXPECT_EQ(desktop.messages[0].icon, MessageIcon::Information);
    EXPECT_NE(desktop.messages[0].text.find(sources.u16("one1.txt~")), std::u16string::npos);
}

TEST_F(DesktopProgramTest, TableNumbersReadAlikeUnderACommaLocale) {
    // The desktop program runs under the user's locale, which Qt takes from the environment.
    program.write("@hip/rtf.txt", ">extent rtf\r\n>charset 161.5\r\n>fontsize 13.5\r\n");
    for (const char* locale : test::kNumberLocales) {
        test::ScopedLocale scoped(locale);
        if (!scoped.active()) GTEST_SKIP() << locale << " cannot be set or generated";
        desktopProgram.reset();
        desktopProgram = std::make_unique<DesktopProgram>(DesktopProgramConfig{
            program.u16path(),
            *CodePage::forNumber(1251),
            desktop,
            settings,
            {},
            [this](int number) { return number == 5 ? docs.u16("Documents") : docs.u16path(); }});
        DesktopProgram& p = *desktopProgram;
        p.start({u"@hip@rtf", sources.u16("one.txt")});
        click(p.mainWindow(), "Command1");
        const std::string rtf = sources.read("one.rtf");
        EXPECT_NE(rtf.find("\\fcharset162 "), std::string::npos) << locale << rtf;
        EXPECT_NE(rtf.find("\\fs28"), std::string::npos) << locale << rtf;
    }
}

}  // namespace
}  // namespace lorvane
