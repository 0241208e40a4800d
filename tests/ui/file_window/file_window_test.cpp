#include "ui/file_window/file_window.h"

#include <QCheckBox>
#include <QComboBox>
#include <QKeyEvent>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>

#include <gtest/gtest.h>

#include "platform/error_catalogue.h"
#include "platform/text.h"
#include "recording_desktop.h"
#include "temp_folder.h"
#include "ui/file_window/file_window_layout.h"

namespace lorvane {
namespace {

using Names = std::vector<std::u16string>;

std::u16string fromQ(const QString& text) {
    return text.toStdU16String();
}

// A program folder with a file-type list, a folder of sources, and a window over them whose
// runs are recorded instead of converting.
class FileWindowTest : public ::testing::Test {
  protected:
    FileWindowTest() {
        temp.write("program/files.txt", "");
        temp.write("texts/a.txt", "alpha");
        temp.write("texts/b.txt", "beta");
        temp.write("texts/c.dat", "gamma");
        startup.programFolder = temp.u16("program");
        startup.DocsPath = temp.u16("docs");
    }

    FileWindow& window() {
        if (!window_) {
            window_ = std::make_unique<FileWindow>(
                [this](const RunRequest& request) {
                    runs.push_back(request);
                    return outcome;
                },
                settings, desktop, startup);
            QObject::connect(window_.get(), &FileWindow::programEnding, [this] { ++endings; });
        }
        return *window_;
    }

    template <class Control>
    Control* control(const char* name) {
        auto* found = window().findChild<Control*>(QString::fromLatin1(name));
        EXPECT_NE(found, nullptr) << name;
        return found;
    }
    QListWidget* list() { return control<QListWidget>("List1"); }
    QComboBox* patterns() { return control<QComboBox>("Combo1"); }
    QCheckBox* defaultBox() { return control<QCheckBox>("Check1"); }
    QPlainTextEdit* preview() { return control<QPlainTextEdit>("Text1"); }

    Names listed() {
        Names names;
        for (int i = 0; i < list()->count(); ++i)
            names.push_back(fromQ(list()->item(i)->text()));
        return names;
    }
    Names selected() { return window().selectedEntries(); }

    Names patternEntries() {
        Names entries;
        for (int i = 0; i < patterns()->count(); ++i)
            entries.push_back(fromQ(patterns()->itemText(i)));
        return entries;
    }

    QListWidgetItem* item(const std::u16string& text) {
        const auto found = list()->findItems(QString::fromStdU16String(text), Qt::MatchExactly);
        EXPECT_EQ(found.size(), 1) << toUtf8(text);
        return found.isEmpty() ? nullptr : found.front();
    }

    // A click as the user makes it: press and release on the entry.
    void click(const std::u16string& text) {
        window().show();
        QListWidgetItem* entry = item(text);
        ASSERT_NE(entry, nullptr);
        list()->scrollToItem(entry);
        QTest::mouseClick(list()->viewport(), Qt::LeftButton, {},
                          list()->visualItemRect(entry).center());
    }

    std::u16string storedDefault() {
        return settings.get(kSettingsSection, u"DefaultPattern", u"<absent>");
    }

    test::TempFolder temp;
    StartupValues startup;
    test::RecordingDesktop desktop;
    MemorySettingsStore settings;
    std::vector<RunRequest> runs;
    RunOutcome outcome;
    int endings = 0;

  private:
    std::unique_ptr<FileWindow> window_;
};

TEST_F(FileWindowTest, CaptionAndControls) {
    EXPECT_EQ(window().windowTitle(), QStringLiteral("Файлы"));
    EXPECT_EQ(defaultBox()->text(), QStringLiteral("Настройки по умолчанию"));
    EXPECT_EQ(control<QPushButton>("Command1")->text(), QStringLiteral("OK"));
    EXPECT_EQ(control<QPushButton>("Command2")->text(), QStringLiteral("Отмена"));
    EXPECT_EQ(list()->selectionMode(), QAbstractItemView::MultiSelection);
}

TEST_F(FileWindowTest, PatternListPutsFileTypesFirstInReverseOrder) {
    temp.write("program/files.txt", "A|*.a\r\nskipped line\r\nB|*.b\r\n");
    EXPECT_EQ(window().patternCount(), 4);
    EXPECT_EQ(patternEntries(), (Names{u"B|*.b", u"A|*.a", u"Текстовые документы (*.txt)|*.txt",
                                       u"Все файлы (*.*)|*.*"}));
}

TEST_F(FileWindowTest, MissingFileTypeListLeavesTheBuiltInEntries) {
    std::filesystem::remove(temp.path() / "program" / "files.txt");
    EXPECT_EQ(window().patternCount(), 2);
}

TEST_F(FileWindowTest, StoredDefaultPatternSelectsAndTicks) {
    struct Case {
        std::optional<std::u16string> stored;
        int index;
        bool ticked;
    } cases[] = {
        {std::nullopt, 3, false}, {u"99", 3, false}, {u"1", 1, true},
        {u"0", 0, true},          {u"3", 3, false},  {u"x", 3, false},
    };
    temp.write("program/files.txt", "A|*.a\r\nB|*.b\r\n");
    for (const auto& c : cases) {
        MemorySettingsStore store;
        if (c.stored) store.save(kSettingsSection, u"DefaultPattern", *c.stored);
        FileWindow fresh([](const RunRequest&) { return RunOutcome{}; }, store, desktop, startup);
        fresh.load();
        auto* combo = fresh.findChild<QComboBox*>(QStringLiteral("Combo1"));
        auto* box = fresh.findChild<QCheckBox*>(QStringLiteral("Check1"));
        const std::string label = c.stored ? toUtf8(*c.stored) : "absent";
        EXPECT_EQ(combo->currentIndex(), c.index) << label;
        EXPECT_EQ(box->isChecked(), c.ticked) << label;
    }
}

TEST_F(FileWindowTest, LoadListsTheSourceFolderWithTheSourcePicked) {
    window();
    startup.SrcPath = temp.u16("texts/b.txt");  // set after the window is made, before use
    EXPECT_EQ(window().lister().folder(), temp.u16("texts"));
    EXPECT_EQ(listed(), (Names{u"a.txt", u"b.txt", u"c.dat"}));
    EXPECT_EQ(selected(), (Names{u"b.txt"}));
}

TEST_F(FileWindowTest, ShowingThroughQWidgetLoadsToo) {
    startup.SrcPath = temp.u16("texts/b.txt");
    static_cast<QWidget&>(window()).show();
    EXPECT_EQ(listed(), (Names{u"a.txt", u"b.txt", u"c.dat"}));
}

TEST_F(FileWindowTest, PicksSurviveAPatternChange) {
    settings.save(kSettingsSection, u"DefaultPattern", u"0");  // "*.txt"
    startup.SrcPath = temp.u16("texts/a.txt");
    window().load();
    EXPECT_EQ(listed(), (Names{u"a.txt", u"b.txt"}));
    item(u"b.txt")->setSelected(true);

    patterns()->setCurrentIndex(1);  // all files
    EXPECT_EQ(listed(), (Names{u"a.txt", u"b.txt", u"c.dat"}));
    EXPECT_EQ(selected(), (Names{u"a.txt", u"b.txt"}));

    item(u"a.txt")->setSelected(false);
    patterns()->setCurrentIndex(0);
    EXPECT_EQ(listed(), (Names{u"a.txt", u"b.txt"}));
    EXPECT_EQ(selected(), (Names{u"b.txt"}));

    patterns()->setCurrentIndex(1);  // a.txt stays deselected however often it is listed
    EXPECT_EQ(selected(), (Names{u"b.txt"}));
}

TEST_F(FileWindowTest, SelectingAPatternFromCodeRunsThePatternChange) {
    startup.SrcPath = temp.u16("texts/a.txt");
    window().selectPattern(0);
    EXPECT_EQ(listed(), (Names{u"a.txt", u"b.txt"}));
    temp.write("texts/new.txt", "n");
    window().selectPattern(0);  // the entry already selected: listed again all the same
    EXPECT_EQ(listed(), (Names{u"a.txt", u"b.txt", u"new.txt"}));
    window().selectPattern(7);  // no such entry
    EXPECT_EQ(patterns()->currentIndex(), 0);
}

TEST_F(FileWindowTest, Mut2ListsAFolderAndCanSelectEverything) {
    window().Mut2(temp.u16("texts"), true);
    EXPECT_EQ(selected(), (Names{u"a.txt", u"b.txt", u"c.dat"}));
    window().Mut2(temp.u16("missing"), false);  // the lister stays where it was
    EXPECT_EQ(window().lister().folder(), temp.u16("texts"));
    EXPECT_EQ(selected(), Names{});
}

TEST_F(FileWindowTest, StartUpFillsTheListThroughThePort) {
    FileWindowPort& port = window();
    port.clearList();
    port.addEntry(temp.u16("texts/a.txt"), true);
    port.addEntry(temp.u16("texts/c.dat"), false);
    port.setPatternListVisible(false);
    EXPECT_FALSE(port.patternListVisible());  // also before the window is shown
    EXPECT_EQ(selected(), (Names{temp.u16("texts/a.txt")}));
}

TEST_F(FileWindowTest, PreviewShowsTheClickedFile) {
    startup.SrcPath = temp.u16("texts/a.txt");
    temp.write("texts/lines.txt", "one\r\ntwo\nthree");
    click(u"lines.txt");
    EXPECT_EQ(fromQ(preview()->toPlainText()), u"one\ntwo\nthree");
}

TEST_F(FileWindowTest, PreviewShowsAtMost32760Characters) {
    startup.SrcPath = temp.u16("texts/a.txt");
    temp.write("texts/long.txt", std::string(40000, 'x'));
    temp.write("texts/exact.txt", std::string(32760, 'y'));
    click(u"long.txt");
    EXPECT_EQ(preview()->toPlainText().size(), 32760);
    click(u"exact.txt");
    EXPECT_EQ(preview()->toPlainText().size(), 32760);
}

TEST_F(FileWindowTest, FullPathEntryPreviewsThatPath) {
    temp.write("elsewhere/x.txt", "from elsewhere");
    startup.SrcPath = temp.u16("texts/a.txt");
    window().clearList();
    window().addEntry(temp.u16("elsewhere/x.txt"), false);
    click(temp.u16("elsewhere/x.txt"));
    EXPECT_EQ(fromQ(preview()->toPlainText()), u"from elsewhere");
    EXPECT_EQ(selected(), (Names{temp.u16("elsewhere/x.txt")}));
}

TEST_F(FileWindowTest, ClickingAnEmptyFileDeselectsIt) {
    temp.write("texts/empty.txt", "");
    startup.SrcPath = temp.u16("texts/empty.txt");  // listed selected
    click(u"empty.txt");
    EXPECT_EQ(selected(), Names{});
    click(u"empty.txt");  // a click that would select it
    EXPECT_EQ(selected(), Names{});
    click(u"b.txt");
    EXPECT_EQ(selected(), (Names{u"b.txt"}));
}

TEST_F(FileWindowTest, OkStoresTheDefaultAndRunsThePickedFiles) {
    startup.SrcPath = temp.u16("texts/a.txt");
    window().selectPattern(1);
    item(u"c.dat")->setSelected(true);
    defaultBox()->setChecked(true);

    control<QPushButton>("Command1")->click();

    EXPECT_EQ(storedDefault(), u"1");
    ASSERT_EQ(runs.size(), 1u);
    EXPECT_EQ(runs[0].scope, 3);
    EXPECT_EQ(runs[0].srcPath, startup.SrcPath);
    EXPECT_EQ(runs[0].lister, &window().lister());
    EXPECT_EQ(runs[0].picked, (Names{u"a.txt", u"c.dat"}));
    EXPECT_EQ(endings, 1);
    EXPECT_TRUE(desktop.messages.empty());
}

TEST_F(FileWindowTest, OkWithoutTheDefaultBoxStores99) {
    settings.save(kSettingsSection, u"DefaultPattern", u"0");
    window().load();
    defaultBox()->setChecked(false);
    control<QPushButton>("Command1")->click();
    EXPECT_EQ(storedDefault(), u"99");
    EXPECT_EQ(runs.size(), 1u);
}

TEST_F(FileWindowTest, FailedRunIsReportedBeforeTheProgramEnds) {
    startup.SrcPath = temp.u16("texts/a.txt");
    outcome.failure = failureFor(errors::kPermissionDenied, temp.u16("texts/a.txt"));
    control<QPushButton>("Command1")->click();
    ASSERT_EQ(desktop.messages.size(), 1u);
    EXPECT_EQ(desktop.messages[0].caption, u"Ошибка!");
    EXPECT_EQ(desktop.messages[0].icon, MessageIcon::Stop);
    EXPECT_NE(desktop.messages[0].text.find(u"70"), std::u16string::npos);
    EXPECT_NE(desktop.messages[0].text.find(u"Отказано в разрешении"), std::u16string::npos);
    EXPECT_EQ(desktop.beeps, 1);
    EXPECT_EQ(endings, 1);
}

TEST_F(FileWindowTest, CancelEndsWithoutRunning) {
    window().show();
    control<QPushButton>("Command2")->click();
    EXPECT_TRUE(runs.empty());
    EXPECT_EQ(endings, 1);
    EXPECT_FALSE(window().isVisible());
    EXPECT_EQ(storedDefault(), u"<absent>");
}

TEST_F(FileWindowTest, F1OpensTheHelpPage) {
    window().load();
    QKeyEvent press(QEvent::KeyPress, Qt::Key_F1, Qt::NoModifier);
    QCoreApplication::sendEvent(list(), &press);
    EXPECT_EQ(desktop.opened, (Names{startup.programFolder + u"/Help2.htm"}));
}

TEST_F(FileWindowTest, ShrinkingSnapsBackToTheMinimumSize) {
    window().show();
    const double dpi = window().logicalDpiX();
    const QSize minimum(twipsToPixels(4590, dpi),
                        twipsToPixels(4470, dpi));
    ASSERT_EQ(window().minimumSize(), minimum);
    window().resize(50, 50);
    QCoreApplication::processEvents();
    EXPECT_EQ(window().size(), minimum);
    window().resize(minimum.width() + 100, 50);
    QCoreApplication::processEvents();
    EXPECT_EQ(window().size(), QSize(minimum.width() + 100, minimum.height()));
}

TEST_F(FileWindowTest, ControlsFollowTheWindowSize) {
    window().show();
    window().resize(640, 480);
    QCoreApplication::processEvents();
    const int pane = window().previewPaneWidth();
    EXPECT_EQ(preview()->geometry(), QRect(640 - pane, 0, pane, 480));
    EXPECT_EQ(list()->width(), 640 - pane);
    EXPECT_EQ(patterns()->width(), 640 - pane);
    EXPECT_EQ(list()->geometry().bottom() + 1, patterns()->geometry().top());
}

TEST_F(FileWindowTest, TakesTheMainWindowsPlace) {
    QWidget mainWindow;
    mainWindow.move(120, 90);
    mainWindow.resize(300, 400);
    window().takeOverFrom(mainWindow, 380, 200);
    EXPECT_TRUE(window().isVisible());
    EXPECT_EQ(window().pos(), mainWindow.pos());
    EXPECT_EQ(window().size(), QSize(window().previewPaneWidth() + 200, 380));
}

}  // namespace
}  // namespace lorvane
