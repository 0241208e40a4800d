#include "startup/startup.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <algorithm>
#include <cstdlib>
#include <memory>

#include "fake_window_ports.h"
#include "platform/text_file_reader.h"
#include "platform/code_page.h"
#include "platform/paths.h"
#include "platform/text.h"
#include "recording_desktop.h"
#include "temp_folder.h"

namespace lorvane {
namespace {

using test::FakeFileWindow;
using test::FakeMainWindow;

std::u16string readText(const std::u16string& path) {
    return ReadTextFile(path, **CodePage::forNumber(1251), nullptr);
}

class Startup : public ::testing::Test {
  protected:
    Startup() : main(log, values), files(log) {
        values.programFolder = program.u16path();
        program.write("files.txt",
                      (*CodePage::forNumber(1251))->encode(u"Тексты HIP (*.hip)|*.hip\r\n"));
        docs.makeFolder("Documents");
    }

    StartupOutcome start(std::vector<std::u16string> arguments) {
        StartupContext context{std::move(arguments),
                               {},
                               u"lorvane",
                               desktop,
                               main,
                               files,
                               end,
                               readText,
                               unpack,
                               folders()};
        return runStartup(values, context);
    }
    StartupOutcome startWithLine(std::u16string line) {
        StartupContext context{{},  std::move(line), u"lorvane", desktop,  main, files,
                               end, readText,        unpack,     folders()};
        return runStartup(values, context);
    }
    std::function<std::u16string(int)> folders() {
        return [this](int number) {
            if (number == 5) return docs.u16("Documents");
            if (number == 16) return docs.u16("Desktop");
            return std::u16string();
        };
    }
    bool called(const std::string& call) const {
        return std::find(log.calls.begin(), log.calls.end(), call) != log.calls.end();
    }

    test::TempFolder program, sources, docs;
    StartupValues values;
    test::RecordingDesktop desktop;
    test::PortLog log;
    FakeMainWindow main;
    FakeFileWindow files;
    ProgramEnd end;
    std::vector<std::u16string> unpacked;  // the types Unpack was asked for
    std::u16string unpackResult;
    std::function<std::u16string(const std::u16string&)> unpack =
        [this](const std::u16string& type) {
            unpacked.push_back(type);
            return unpackResult;
        };
};

// The resulting start state for each kind of source.
struct StartState {
    StartupOutcome outcome;
    bool clipboard;
    bool scopeListVisible;
    bool filesPrepared;  // the file window was given entries or a folder
};

void expectState(const FakeMainWindow& main, const FakeFileWindow& files, StartupOutcome outcome,
                 const StartState& state, const char* name) {
    SCOPED_TRACE(name);
    EXPECT_EQ(outcome, state.outcome);
    EXPECT_EQ(main.clipboard_, state.clipboard);
    EXPECT_EQ(main.scopeListVisible, state.scopeListVisible);
    EXPECT_EQ(main.shown, state.outcome == StartupOutcome::MainWindowShown);
    EXPECT_EQ(files.shown, state.outcome == StartupOutcome::FileWindowShown);
    EXPECT_TRUE(main.loaded);
    EXPECT_TRUE(files.loaded);
    EXPECT_EQ(!files.mut2Calls.empty() || !files.entries.empty(), state.filesPrepared);
}

TEST_F(Startup, ClipboardSwitch) {
    for (const char16_t* word : {u"-c", u"-C", u"-clip"}) {
        FakeMainWindow freshMain(log, values);
        FakeFileWindow freshFiles(log);
        StartupContext context{{word},     {},  u"lorvane", desktop, freshMain,
                               freshFiles, end, readText,   unpack,  folders()};
        const StartupOutcome outcome = runStartup(values, context);
        expectState(freshMain, freshFiles, outcome,
                    {StartupOutcome::MainWindowShown, true, false, false}, toUtf8(word).c_str());
        EXPECT_TRUE(desktop.choices.empty());
    }
}

TEST_F(Startup, CancelledDialogTakesTheClipboard) {
    expectState(main, files, start({}), {StartupOutcome::MainWindowShown, true, false, false},
                "cancelled");
    ASSERT_EQ(desktop.choices.size(), 1u);
    EXPECT_EQ(desktop.choices[0].title, u"Выберите файл-исходник");
    EXPECT_EQ(desktop.choices[0].filter,
              u"Тексты HIP (*.hip)|*.hip|Текстовые документы (*.txt)|*.txt|Все файлы (*.*)|*.*");
    EXPECT_EQ(desktop.choices[0].initialFolder, docs.u16("Documents"));
    EXPECT_TRUE(values.SrcPath.empty());
}

TEST_F(Startup, OneFileFromTheCommandLine) {
    sources.write("a.txt", "text");
    const StartupOutcome outcome = start({sources.u16("a.txt")});
    expectState(main, files, outcome, {StartupOutcome::MainWindowShown, false, true, false},
                "one file");
    EXPECT_EQ(values.SrcPath, sources.u16("a.txt"));
    EXPECT_EQ(main.firstScopeText, u"a.txt");
}

TEST_F(Startup, OneFileFromTheDialog) {
    sources.write("a.txt", "text");
    desktop.chosenFile = sources.u16("a.txt");
    const StartupOutcome outcome = start({});
    expectState(main, files, outcome, {StartupOutcome::MainWindowShown, false, true, false},
                "dialog");
    EXPECT_EQ(values.SrcPath, sources.u16("a.txt"));
    EXPECT_EQ(main.firstScopeText, u"a.txt");
}

TEST_F(Startup, ArchiveIsUnpackedAndListedLikeAFolder) {
    sources.write("book.zip", "PK");
    unpackResult = sources.u16("Lorva/book");
    const StartupOutcome outcome = start({sources.u16("book.zip")});
    expectState(main, files, outcome, {StartupOutcome::MainWindowShown, false, false, true},
                "archive");
    EXPECT_EQ(unpacked, std::vector<std::u16string>{u"zip"});
    EXPECT_TRUE(values.SrcPath.empty());
    EXPECT_EQ(files.selectedPattern, 3);
    ASSERT_EQ(files.mut2Calls.size(), 1u);
    EXPECT_EQ(files.mut2Calls[0], std::make_pair(sources.u16("Lorva/book"), true));
    EXPECT_EQ(main.firstScopeText, u"В файле ");
}

TEST_F(Startup, FolderIsListedWithEveryFileSelected) {
    sources.makeFolder("texts");
    const StartupOutcome outcome = start({sources.u16("texts")});
    expectState(main, files, outcome, {StartupOutcome::MainWindowShown, false, false, true},
                "folder");
    EXPECT_EQ(files.selectedPattern, 3);
    ASSERT_EQ(files.mut2Calls.size(), 1u);
    EXPECT_EQ(files.mut2Calls[0], std::make_pair(sources.u16("texts"), true));
    EXPECT_TRUE(values.SrcPath.empty());
}

TEST_F(Startup, SeveralFilesShowTheFileWindow) {
    sources.write("a.txt", "a");
    sources.write("sub/b.txt", "b");
    const StartupOutcome outcome = start({sources.u16("a.txt"), sources.u16("sub/b.txt")});
    expectState(main, files, outcome, {StartupOutcome::FileWindowShown, false, false, true},
                "list");
    using Entry = std::pair<std::u16string, bool>;
    EXPECT_EQ(files.entries,
              (std::vector<Entry>{{sources.u16("a.txt"), true}, {sources.u16("sub/b.txt"), true}}));
    EXPECT_FALSE(files.patternsVisible);
    EXPECT_EQ(files.lister_.folder(), sources.u16path());
    EXPECT_TRUE(files.mut2Calls.empty());
}

TEST_F(Startup, TheStartOptionIsSettledBeforeEitherWindowLoads) {
    sources.write("t.txt", "t");
    start({u"@hip@x", sources.u16("t.txt")});
    EXPECT_EQ(main.valuesAtLoad.StartMode, u"hip");
    EXPECT_EQ(main.valuesAtLoad.StartTable, u"x");
    EXPECT_EQ(main.valuesAtLoad.SrcPath, sources.u16("t.txt"));
    EXPECT_EQ(main.valuesAtLoad.DocsPath, docs.u16("Documents"));
    EXPECT_EQ(main.valuesAtLoad.DesktopPath, docs.u16("Desktop"));
    EXPECT_EQ(main.firstScopeText, u"t.txt");
}

TEST_F(Startup, OptionAloneAsksForTheSource) {
    EXPECT_EQ(start({u"@hip"}), StartupOutcome::MainWindowShown);
    EXPECT_EQ(values.StartMode, u"hip");
    EXPECT_EQ(values.StartTable, u"");
    EXPECT_EQ(desktop.choices.size(), 1u);
    EXPECT_TRUE(main.clipboard_);
}

TEST_F(Startup, OptionWithClipboard) {
    EXPECT_EQ(start({u"@hip", u"-c"}), StartupOutcome::MainWindowShown);
    EXPECT_EQ(values.StartMode, u"hip");
    EXPECT_TRUE(main.clipboard_);
    EXPECT_TRUE(desktop.choices.empty());
}

TEST_F(Startup, EmptyModeWithTable) {
    start({u"@@x", u"-c"});
    EXPECT_EQ(values.StartMode, u"");
    EXPECT_EQ(values.StartTable, u"x");
}

TEST_F(Startup, PathWithSpacesIsOneSource) {
    sources.write("My Texts/a.txt", "a");
    EXPECT_EQ(start({sources.u16("My Texts/a.txt")}), StartupOutcome::MainWindowShown);
    EXPECT_EQ(values.SrcPath, sources.u16("My Texts/a.txt"));
    EXPECT_EQ(main.firstScopeText, u"a.txt");
}

TEST_F(Startup, OneQuotedPathWithSpacesInsideOneArgumentIsOneSource) {
    sources.write("My Texts/a b.txt", "a");
    const std::u16string path = sources.u16("My Texts/a b.txt");
    EXPECT_EQ(start({u"\"" + path + u"\""}), StartupOutcome::MainWindowShown);
    EXPECT_TRUE(desktop.messages.empty());
    EXPECT_EQ(values.SrcPath, path);
    EXPECT_EQ(main.firstScopeText, u"a b.txt");
}

TEST_F(Startup, AQuotedListInsideOneArgumentKeepsEveryPathAsGiven) {
    sources.write("My Texts/a.txt", "a");
    sources.write("b.txt", "b");
    const std::u16string a = sources.u16("My Texts/a.txt"), b = sources.u16("b.txt");
    EXPECT_EQ(start({u"\"" + a + u"\" \"" + b + u"\""}), StartupOutcome::FileWindowShown);
    using Entry = std::pair<std::u16string, bool>;
    EXPECT_EQ(files.entries, (std::vector<Entry>{{a, true}, {b, true}}));
    EXPECT_EQ(files.lister_.folder(), sources.u16("My Texts"));
}

TEST_F(Startup, QuotedPathsWithTwoSpacesAreNotAList) {
    sources.write("a.txt", "a");
    sources.write("b.txt", "b");
    const std::u16string line =
        u"\"" + sources.u16("a.txt") + u"\"  \"" + sources.u16("b.txt") + u"\"";
    EXPECT_EQ(startWithLine(line), StartupOutcome::Ended);
    EXPECT_TRUE(files.entries.empty());
    ASSERT_EQ(desktop.messages.size(), 1u);
    EXPECT_EQ(desktop.messages[0].text, sources.u16("a.txt") + u"  " + sources.u16("b.txt") +
                                            u"\r\nНе могу найти файл или папку");
}

TEST_F(Startup, ARawListLineSplitsAtQuoteSpaceQuote) {
    const std::u16string line = u"\"/x/a.txt\" \"/y/b.txt\" \"c.txt\"";
    EXPECT_EQ(startWithLine(line), StartupOutcome::FileWindowShown);
    using Entry = std::pair<std::u16string, bool>;
    EXPECT_EQ(files.entries,
              (std::vector<Entry>{{u"/x/a.txt", true}, {u"/y/b.txt", true}, {u"c.txt", true}}));
}

TEST_F(Startup, MissingPathIsReportedAndEndsTheProgram) {
    const std::u16string missing = sources.u16("nothing.txt");
    EXPECT_EQ(start({missing}), StartupOutcome::Ended);
    ASSERT_EQ(desktop.messages.size(), 1u);
    EXPECT_EQ(desktop.messages[0].text, missing + u"\r\nНе могу найти файл или папку");
    EXPECT_EQ(desktop.messages[0].caption, u"Ошибка!");
    EXPECT_EQ(desktop.messages[0].icon, MessageIcon::Stop);
    EXPECT_TRUE(end.requested());
    EXPECT_FALSE(main.shown);
    EXPECT_FALSE(files.shown);
}

TEST_F(Startup, MissingFileFromTheDialogIsReportedToo) {
    desktop.chosenFile = sources.u16("typed.txt");
    EXPECT_EQ(start({}), StartupOutcome::Ended);
    ASSERT_EQ(desktop.messages.size(), 1u);
    EXPECT_EQ(desktop.messages[0].caption, u"Ошибка!");
}

TEST_F(Startup, ArchiveThatCannotBeUnpackedEndsTheProgram) {
    sources.write("book.rar", "Rar!");
    EXPECT_EQ(start({sources.u16("book.rar")}), StartupOutcome::Ended);
    EXPECT_EQ(unpacked, std::vector<std::u16string>{u"rar"});
    ASSERT_EQ(desktop.messages.size(), 1u);
    EXPECT_EQ(desktop.messages[0].text, sources.u16("book.rar") + u"\r\nНе могу распаковать архив");
    EXPECT_EQ(desktop.messages[0].caption, u"Ошибка!");
    EXPECT_EQ(desktop.messages[0].icon, MessageIcon::Stop);
    EXPECT_EQ(desktop.messages[0].buttons, 0);
    EXPECT_FALSE(main.shown);
    EXPECT_FALSE(files.shown);
}

TEST_F(Startup, ArchiveListNamesFurtherTypes) {
    sources.write("book.ZIP", "PK");
    sources.write("book.arj", "arj");
    program.write("Arch.txt", ".arj\nzip -o %file%\n");
    unpackResult = sources.u16("Lorva/book");
    EXPECT_EQ(start({sources.u16("book.ZIP")}), StartupOutcome::MainWindowShown);
    EXPECT_TRUE(unpacked.empty());
    EXPECT_EQ(values.SrcPath, sources.u16("book.ZIP"));

    values = StartupValues{};
    values.programFolder = program.u16path();
    FakeMainWindow secondMain(log, values);
    FakeFileWindow secondFiles(log);
    StartupContext context{{sources.u16("book.arj")},
                           {},
                           u"lorvane",
                           desktop,
                           secondMain,
                           secondFiles,
                           end,
                           readText,
                           unpack,
                           folders()};
    EXPECT_EQ(runStartup(values, context), StartupOutcome::MainWindowShown);
    EXPECT_EQ(unpacked, std::vector<std::u16string>{u"arj"});
    EXPECT_FALSE(secondMain.scopeListVisible);
}

TEST_F(Startup, ClipboardIsNeverUnpacked) {
    EXPECT_EQ(start({u"-c"}), StartupOutcome::MainWindowShown);
    EXPECT_TRUE(unpacked.empty());
}

TEST_F(Startup, AWindowThatEndsTheProgramWhileLoadingStopsTheStart) {
    main.onLoad = [this] { end.request(); };
    sources.write("a.txt", "a");
    EXPECT_EQ(start({sources.u16("a.txt")}), StartupOutcome::Ended);
    EXPECT_FALSE(main.shown);
    EXPECT_FALSE(files.shown);
}

TEST_F(Startup, ShortcutScriptStartsOnlyWithAScriptHost) {
    start({u"-c"});
    EXPECT_TRUE(desktop.started.empty());

    test::TempFolder bin;
    bin.write("wscript.exe", "#!/bin/sh\n");
    ::chmod(bin.path().c_str(), 0755);
    ::chmod((bin.path() / "wscript.exe").c_str(), 0755);
    const std::string oldPath = std::getenv("PATH") ? std::getenv("PATH") : "";
    ::setenv("PATH", (bin.path().string() + ":" + oldPath).c_str(), 1);
    start({u"-c"});
    ::setenv("PATH", oldPath.c_str(), 1);
    ASSERT_EQ(desktop.started.size(), 1u);
    EXPECT_EQ(desktop.started[0],
              (std::vector<std::u16string>{u"wscript.exe", program.u16("Shortcut.vbs"),
                                           program.u16("lorvane")}));
}

TEST_F(Startup, ListTouchesTheFileWindowBeforeHidingTheScopeList) {
    start({u"/x/a.txt", u"/x/b.txt"});
    const auto at = [this](const std::string& call) {
        return std::find(log.calls.begin(), log.calls.end(), call) - log.calls.begin();
    };
    EXPECT_LT(at("files.clearList"), at("files.addEntry"));
    EXPECT_LT(at("files.addEntry"), at("main.setScopeListVisible"));
    EXPECT_LT(at("main.setScopeListVisible"), at("files.setPatternListVisible"));
    EXPECT_LT(at("files.setPatternListVisible"), at("files.show"));
    EXPECT_FALSE(called("main.show"));
}

}  // namespace
}  // namespace lorvane
