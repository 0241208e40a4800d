#include "ui/main_window/main_window.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QListWidget>
#include <QMenu>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScreen>
#include <QTest>
#include <memory>

#include "fake_file_link.h"
#include "pipeline/conversion_session.h"
#include "platform/code_page.h"
#include "platform/file_lister.h"
#include "platform/text.h"
#include "recording_desktop.h"
#include "settings/qt_settings_store.h"
#include "startup/program_end.h"
#include "temp_folder.h"

namespace lorvane {
namespace {

using test::FakeFileLink;

std::string cp1251(std::u16string_view text) {
    return (*CodePage::forNumber(1251))->encode(text);
}

QStringList items(const QListWidget* list) {
    QStringList texts;
    for (int i = 0; i < list->count(); ++i)
        texts << list->item(i)->text();
    return texts;
}

QStringList items(const QComboBox* combo) {
    QStringList texts;
    for (int i = 0; i < combo->count(); ++i)
        texts << combo->itemText(i);
    return texts;
}

// A program folder with two modes and two combined schemes:
//   0 "grc" (greek), 1 "hip" (plain, slav), 2 "?fixed.txt" (all tables named),
//   3 "?mix.txt" (two open entries).
class MainWindowTest : public ::testing::Test {
  protected:
    MainWindowTest() {
        program.write("@hip/plain.txt", "a == b\r\n");
        program.write("@hip/slav.txt", "a == c\r\n");
        program.write("@hip/@include.txt", "x == y\r\n");
        program.write("@grc/greek.txt", "a == d\r\n");
        program.write("notamode/other.txt", "");
        program.write("r@fixed.txt",
                      cp1251(u"<ц> == @hip\\plain.txt\r\n<г> == @grc\\greek.txt\r\n"));
        program.write("r@mix.txt", cp1251(u"DEFAULT == <ц>\r\n<ц> == @hip\\\r\n<г> == @grc\\\r\n"));
        program.write("Help2.htm", "<html></html>");
        sources.write("a.txt", "a text\r\n");
        docs.makeFolder("Documents");
        values.programFolder = program.u16path();
        values.DocsPath = docs.u16("Documents");
    }

    MainWindow& open(SettingsStore& store) {
        SessionConfig config{program.u16path(), 1251, values.DocsPath, &desktop};
        session = std::make_unique<ConversionSession>(config);
        window = std::make_unique<MainWindow>(*session, store, desktop, values, files, end);
        window->clipboardSource();  // the first touch loads the window
        return *window;
    }
    MainWindow& open() { return open(settings); }

    template <class T>
    T* control(const char* name) {
        T* found = window->findChild<T*>(name);
        EXPECT_NE(found, nullptr) << name;
        return found;
    }
    QComboBox* Combo1() { return control<QComboBox>("Combo1"); }
    QComboBox* Combo2() { return control<QComboBox>("Combo2"); }
    QListWidget* List1() { return control<QListWidget>("List1"); }
    QListWidget* List2() { return control<QListWidget>("List2"); }
    QPlainTextEdit* Text1() { return control<QPlainTextEdit>("Text1"); }
    QCheckBox* Check1() { return control<QCheckBox>("Check1"); }

    void clickRow(QListWidget* list, int row) {
        const QRect rect = list->visualItemRect(list->item(row));
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, rect.center());
    }
    void doubleClickRow(QListWidget* list, int row) {
        // A real double click is a click, then the double-click event.
        const QRect rect = list->visualItemRect(list->item(row));
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, rect.center());
        QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, rect.center());
    }
    void pressOk() { QTest::mouseClick(control<QPushButton>("Command1"), Qt::LeftButton); }

    // The source's result for plain-text output: a.txt becomes a1.txt beside it.
    std::u16string result() const { return sources.u16("a1.txt"); }
    // The converted text of a result, without what paragraph joining added at the line ends.
    std::string converted(std::string_view name) const {
        std::string text = sources.read(name);
        while (!text.empty() && (text.back() == '\n' || text.back() == '\r' || text.back() == ' '))
            text.pop_back();
        return text;
    }

    test::TempFolder program, sources, docs;
    test::RecordingDesktop desktop;
    MemorySettingsStore settings;
    StartupValues values;
    FakeFileLink files;
    ProgramEnd end;
    std::unique_ptr<ConversionSession> session;
    std::unique_ptr<MainWindow> window;
};

TEST_F(MainWindowTest, LoadsTheModesAndSchemesAndSelectsTheFirst) {
    open();
    EXPECT_EQ(window->windowTitle(), "Параметры");
    EXPECT_EQ(items(Combo1()), QStringList({"grc", "hip", "?fixed.txt", "?mix.txt"}));
    EXPECT_EQ(Combo1()->currentIndex(), 0);
    EXPECT_EQ(items(List1()), QStringList({"greek"}));
    EXPECT_EQ(List1()->currentRow(), 0);
    EXPECT_EQ(items(Combo2()), QStringList({"В файле ", "Во всей папке", "Выбрать файлы"}));
    EXPECT_EQ(Combo2()->currentIndex(), 0);
    // Nothing stored reads as "0", the selected entry: the box shows ticked.
    EXPECT_TRUE(Check1()->isChecked());
    EXPECT_TRUE(List2()->isHidden());
    EXPECT_TRUE(Text1()->isHidden());
    EXPECT_FALSE(end.requested());
}

TEST_F(MainWindowTest, CaptionsAndDesignGeometry) {
    open();
    EXPECT_EQ(control<QLabel>("Label1")->text(), "Источник текста как:");
    EXPECT_EQ(control<QLabel>("Label2")->text(), "Преобразовать в:");
    EXPECT_EQ(Check1()->text(), "Настройки по умолчанию");
    auto* ok = control<QPushButton>("Command1");
    auto* cancel = control<QPushButton>("Command2");
    EXPECT_EQ(ok->text(), "OK");
    EXPECT_TRUE(ok->isDefault());
    EXPECT_EQ(cancel->text(), "Отмена");
    if (window->logicalDpiX() != 96) GTEST_SKIP() << "geometry below is for 96 dpi";
    EXPECT_EQ(control<QLabel>("Label1")->geometry(), QRect(8, 0, 145, 17));
    EXPECT_EQ(control<QLabel>("Label2")->geometry(), QRect(8, 40, 145, 17));
    EXPECT_EQ(window->size(), QSize(236, 298));
    // The design's minimum, or wider when the font needs it for the check box's caption.
    EXPECT_EQ(window->minimumHeight(), 298);
    EXPECT_GE(window->minimumWidth(), 170);
    EXPECT_GE(Check1()->width(), Check1()->sizeHint().width());
    EXPECT_LE(Check1()->geometry().right() + 1 + 8, std::max(170, window->minimumWidth()));
    EXPECT_EQ(Combo1()->geometry(), QRect(0, 16, 236, 21));
    EXPECT_EQ(List1()->geometry(), QRect(0, 56, 236, 167));
    EXPECT_EQ(ok->geometry(), QRect(8, 267, 65, 25));
    EXPECT_EQ(cancel->geometry(), QRect(88, 267, 65, 25));
}

TEST_F(MainWindowTest, StartOptionSelectsModeAndTable) {
    values.StartMode = u"hip";
    values.StartTable = u"slav";
    open();
    EXPECT_EQ(Combo1()->currentIndex(), 1);
    EXPECT_EQ(items(List1()), QStringList({"plain", "slav"}));
    EXPECT_EQ(List1()->currentRow(), 1);
    EXPECT_EQ(session->selection().selectedTable(), 1);
}

TEST_F(MainWindowTest, UnknownStartModeFallsBackToTheStoredDefault) {
    settings.save(kSettingsSection, u"DefaultFolder", u"1");
    settings.save(kSettingsSection, u"DefaultMode", u"2");
    values.StartMode = u"Hip";  // exact comparison: no entry
    open();
    EXPECT_EQ(Combo1()->currentIndex(), 1);
    EXPECT_EQ(Combo2()->currentIndex(), 2);
    EXPECT_TRUE(Check1()->isChecked());
}

TEST_F(MainWindowTest, StoredValuesOutsideTheirListsAreSkipped) {
    const char16_t* bad[] = {u"9", u"-1", u"x", u"", u"99999"};
    for (const char16_t* value : bad) {
        MemorySettingsStore store;
        store.save(kSettingsSection, u"DefaultFolder", value);
        store.save(kSettingsSection, u"DefaultMode", value);
        open(store);
        EXPECT_EQ(Combo1()->currentIndex(), 0) << toUtf8(value);
        EXPECT_EQ(Combo2()->currentIndex(), 0) << toUtf8(value);
        EXPECT_FALSE(Check1()->isChecked()) << toUtf8(value);
    }
}

TEST_F(MainWindowTest, SchemeWithOpenEntriesWidensTheWindowAndIsCompletedByChoosingTables) {
    open();
    const int narrow = window->width();
    Combo1()->setCurrentIndex(3);
    EXPECT_FALSE(List2()->isHidden());
    EXPECT_EQ(items(List2()), QStringList({"<ц>", "<г>"}));
    EXPECT_EQ(List2()->currentRow(), 0);
    EXPECT_EQ(window->width(), narrow + List2()->width());
    EXPECT_EQ(List1()->width(), narrow);
    EXPECT_EQ(List2()->x(), window->width() - List2()->width());
    EXPECT_EQ(items(List1()), QStringList({"plain", "slav"}));
    EXPECT_EQ(List1()->currentRow(), -1);

    clickRow(List1(), 1);
    const SchemeEntries& entries = session->selection().entries();
    ASSERT_EQ(entries.size(), 2u);
    EXPECT_FALSE(entries[0].isOpen());
    EXPECT_TRUE(entries[0].IsDefault);
    EXPECT_TRUE(entries[1].isOpen());

    clickRow(List2(), 1);
    EXPECT_EQ(items(List1()), QStringList({"greek"}));
    EXPECT_EQ(List1()->currentRow(), -1);
    clickRow(List2(), 0);
    EXPECT_EQ(List1()->currentRow(), 1);

    Combo1()->setCurrentIndex(1);
    EXPECT_TRUE(List2()->isHidden());
    EXPECT_EQ(window->width(), narrow);
}

TEST_F(MainWindowTest, ChoosingASchemeInAMaximisedWindowKeepsItMaximised) {
    open();
    window->showMaximized();
    QApplication::processEvents();
    ASSERT_TRUE(window->isMaximized());
    const QSize maximised = window->size();
    Combo1()->setCurrentIndex(3);
    QApplication::processEvents();
    EXPECT_TRUE(window->isMaximized());
    EXPECT_EQ(window->size(), maximised);
    // The two lists share the window's width; the entry list ends at its right edge.
    EXPECT_FALSE(List2()->isHidden());
    EXPECT_EQ(List1()->width() + List2()->width(), window->width());
    EXPECT_EQ(List2()->geometry().right(), window->width() - 1);
}

TEST_F(MainWindowTest, WideningForSchemeEntriesStaysOnTheScreen) {
    open();
    window->QWidget::show();
    const QRect available = window->screen()->availableGeometry();
    // Near the screen's right edge, the entry list would land outside it.
    window->move(available.right() - window->frameGeometry().width() - 5, available.top());
    Combo1()->setCurrentIndex(3);
    EXPECT_FALSE(List2()->isHidden());
    EXPECT_LE(window->frameGeometry().right(), available.right());
    EXPECT_GE(window->frameGeometry().left(), available.left());
    EXPECT_EQ(List2()->geometry().right(), window->width() - 1);
}

TEST_F(MainWindowTest, SchemeWithoutOpenEntriesShowsItsText) {
    open();
    Combo1()->setCurrentIndex(2);
    EXPECT_TRUE(List2()->isHidden());
    EXPECT_FALSE(Text1()->isHidden());
    EXPECT_EQ(Text1()->toPlainText(), "<ц> == @hip\\plain.txt\n<г> == @grc\\greek.txt\n");
    EXPECT_EQ(Text1()->geometry(), List1()->geometry());
    Combo1()->setCurrentIndex(0);
    EXPECT_TRUE(Text1()->isHidden());
}

TEST_F(MainWindowTest, OkWithoutATableBeepsAndSelectsTheFirst) {
    open();
    Combo1()->setCurrentIndex(3);
    pressOk();
    EXPECT_EQ(desktop.beeps, 1);
    EXPECT_EQ(List1()->currentRow(), 0);
    EXPECT_TRUE(desktop.messages.empty());
    EXPECT_FALSE(end.requested());
    EXPECT_FALSE(session->selection().entries()[0].isOpen());
}

TEST_F(MainWindowTest, OkWithOpenEntriesWarnsAndRunsNothing) {
    values.SrcPath = sources.u16("a.txt");
    open();
    Combo1()->setCurrentIndex(3);
    clickRow(List1(), 0);
    Check1()->setChecked(true);
    pressOk();
    EXPECT_EQ(desktop.beeps, 1);
    ASSERT_EQ(desktop.messages.size(), 1u);
    EXPECT_EQ(desktop.messages[0].text, u"Таблицы определены не для всех языковых режимов!");
    EXPECT_EQ(desktop.messages[0].caption, u"Комбинированная схема: mix.txt");
    EXPECT_EQ(desktop.messages[0].icon, MessageIcon::Exclamation);
    EXPECT_EQ(desktop.messages[0].buttons, 0);
    EXPECT_FALSE(end.requested());
    EXPECT_EQ(settings.get(kSettingsSection, u"DefaultFolder", u"absent"), u"absent");
    EXPECT_FALSE(sources.exists("a1.txt"));

    // Once the last entry has its table, OK runs.
    clickRow(List2(), 1);
    clickRow(List1(), 0);
    pressOk();
    EXPECT_EQ(desktop.messages.size(), 1u);
    EXPECT_TRUE(end.requested());
    EXPECT_TRUE(sources.exists("a1.txt"));
}

TEST_F(MainWindowTest, OkConvertsTheSingleSourceStoresTheDefaultsAndEnds) {
    values.SrcPath = sources.u16("a.txt");
    open();
    Combo1()->setCurrentIndex(1);  // hip, first table "plain"
    Check1()->setChecked(true);
    pressOk();
    EXPECT_EQ(converted("a1.txt"), "b text");
    EXPECT_EQ(desktop.opened, std::vector<std::u16string>{result()});
    EXPECT_EQ(settings.get(kSettingsSection, u"DefaultFolder", u""), u"1");
    EXPECT_EQ(settings.get(kSettingsSection, u"DefaultMode", u""), u"0");
    EXPECT_TRUE(end.requested());
    EXPECT_TRUE(files.closed);
    EXPECT_FALSE(window->isVisible());
}

TEST_F(MainWindowTest, OkWithTheBoxClearedStoresNothing) {
    settings.save(kSettingsSection, u"DefaultFolder", u"3");
    values.SrcPath = sources.u16("a.txt");
    open();
    Combo1()->setCurrentIndex(1);
    Check1()->setChecked(false);
    pressOk();
    EXPECT_EQ(settings.get(kSettingsSection, u"DefaultFolder", u""), u"3");
    EXPECT_EQ(settings.get(kSettingsSection, u"DefaultMode", u"absent"), u"absent");
    EXPECT_TRUE(end.requested());
}

TEST_F(MainWindowTest, DefaultsPersistIntoTheNextStart) {
    values.SrcPath = sources.u16("a.txt");
    {
        QtSettingsStore store;
        open(store);
        Combo1()->setCurrentIndex(1);
        Combo2()->setCurrentIndex(1);
        Check1()->setChecked(true);
        pressOk();
        ASSERT_TRUE(end.requested());
        window.reset();
    }
    QtSettingsStore nextStart;
    ProgramEnd nextEnd;
    SessionConfig config{program.u16path(), 1251, values.DocsPath, &desktop};
    ConversionSession nextSession(config);
    MainWindow next(nextSession, nextStart, desktop, values, files, nextEnd);
    next.clipboardSource();
    EXPECT_EQ(next.findChild<QComboBox*>("Combo1")->currentIndex(), 1);
    EXPECT_EQ(next.findChild<QComboBox*>("Combo2")->currentIndex(), 1);
    EXPECT_TRUE(next.findChild<QCheckBox*>("Check1")->isChecked());
}

TEST_F(MainWindowTest, WholeFolderConvertsEveryFileAndOpensTheFolder) {
    sources.write("b.txt", "aa\r\n");
    values.SrcPath = sources.u16("a.txt");
    open();
    Combo1()->setCurrentIndex(1);
    Combo2()->setCurrentIndex(1);
    pressOk();
    EXPECT_EQ(converted("a1.txt"), "b text");
    EXPECT_EQ(converted("b1.txt"), "bb");
    EXPECT_EQ(desktop.opened, std::vector<std::u16string>{sources.u16path()});
    EXPECT_TRUE(end.requested());
}

TEST_F(MainWindowTest, ChoosingFilesHandsOverToTheFileWindow) {
    values.SrcPath = sources.u16("a.txt");
    open();
    window->show();
    Combo2()->setCurrentIndex(2);
    Check1()->setChecked(true);
    pressOk();
    EXPECT_EQ(files.takeOvers, 1);
    EXPECT_EQ(files.clientHeight, window->height());
    EXPECT_EQ(files.tableWidth, List1()->width());
    EXPECT_FALSE(window->isVisible());
    EXPECT_FALSE(end.requested());
    EXPECT_FALSE(sources.exists("a1.txt"));
    EXPECT_TRUE(desktop.opened.empty());
    EXPECT_EQ(settings.get(kSettingsSection, u"DefaultMode", u""), u"2");
}

TEST_F(MainWindowTest, HiddenScopeListRunsTheClipboardOrThePickedFiles) {
    desktop.clipboard = u"a clip";
    open();
    window->setClipboardSource(true);
    window->setScopeListVisible(false);
    Combo1()->setCurrentIndex(1);
    Check1()->setChecked(true);
    pressOk();
    EXPECT_EQ(docs.read("Documents/Lorva1.txt").substr(0, 6), "b clip");
    EXPECT_EQ(settings.get(kSettingsSection, u"DefaultMode", u"absent"), u"absent");
    EXPECT_EQ(settings.get(kSettingsSection, u"DefaultFolder", u""), u"1");

    MainWindowTest::end = ProgramEnd();
    desktop.opened.clear();
    sources.write("b.txt", "aaa\r\n");
    files.lister_.setFolder(sources.u16path());
    files.selected = {u"b.txt", sources.u16("a.txt")};
    open();
    window->setScopeListVisible(false);
    Combo1()->setCurrentIndex(1);
    pressOk();
    EXPECT_EQ(converted("b1.txt"), "bbb");
    EXPECT_EQ(converted("a1.txt"), "b text");
    EXPECT_EQ(desktop.opened, std::vector<std::u16string>{sources.u16path()});
}

TEST_F(MainWindowTest, HiddenScopeListGivesTheTableListItsRoom) {
    open();
    const QRect check = Check1()->geometry();
    window->setScopeListVisible(false);
    EXPECT_EQ(List1()->geometry().bottom() + 1, check.top());
    window->setScopeListVisible(true);
    EXPECT_EQ(List1()->geometry().bottom() + 1, Combo2()->geometry().top());
}

TEST_F(MainWindowTest, FirstScopeEntryNamesTheSource) {
    open();
    window->setFirstScopeText(u"a.txt");
    EXPECT_EQ(items(Combo2()), QStringList({"a.txt", "Во всей папке", "Выбрать файлы"}));
}

TEST_F(MainWindowTest, FailureIsReportedAndEndsTheProgramWithoutOpening) {
    sources.makeFolder("a1.txt");  // the result's name is taken by a folder
    values.SrcPath = sources.u16("a.txt");
    open();
    Combo1()->setCurrentIndex(1);
    pressOk();
    ASSERT_EQ(desktop.messages.size(), 1u);
    EXPECT_EQ(desktop.messages[0].caption, u"Ошибка!");
    EXPECT_EQ(desktop.messages[0].icon, MessageIcon::Stop);
    const std::u16string& text = desktop.messages[0].text;
    EXPECT_EQ(text.find(sources.u16("a.txt") + u"\r\n"), 0u) << toUtf8(text);
    // The desktop program reports in Russian.
    EXPECT_NE(text.find(u"ошибка 75: Ошибка доступа к пути или файлу"), std::u16string::npos)
        << toUtf8(text);
    EXPECT_TRUE(desktop.opened.empty());
    EXPECT_TRUE(end.requested());
}

TEST_F(MainWindowTest, F1OpensTheHelpPageFromEveryControl) {
    open();
    window->show();
    const char* names[] = {"Combo1", "List1", "Combo2", "Check1", "Command1", "Command2"};
    for (const char* name : names) {
        desktop.opened.clear();
        QTest::keyClick(control<QWidget>(name), Qt::Key_F1);
        EXPECT_EQ(desktop.opened, std::vector<std::u16string>{program.u16("Help2.htm")}) << name;
    }
    Combo1()->setCurrentIndex(2);  // the scheme text box
    desktop.opened.clear();
    QTest::keyClick(Text1(), Qt::Key_F1);
    Combo1()->setCurrentIndex(3);  // the entry list
    QTest::keyClick(List2(), Qt::Key_F1);
    EXPECT_EQ(desktop.opened.size(), 2u);
    EXPECT_FALSE(end.requested());
}

TEST_F(MainWindowTest, EscapeCancelsAndEnterRuns) {
    values.SrcPath = sources.u16("a.txt");
    open();
    window->show();
    QTest::keyClick(List1(), Qt::Key_Escape);
    EXPECT_TRUE(end.requested());
    EXPECT_FALSE(sources.exists("a1.txt"));
    EXPECT_TRUE(desktop.opened.empty());

    end = ProgramEnd();
    open();
    window->show();
    QTest::keyClick(List1(), Qt::Key_Return);
    EXPECT_TRUE(end.requested());
    EXPECT_TRUE(sources.exists("a1.txt"));
}

TEST_F(MainWindowTest, ClosingTheWindowIsCancel) {
    open();
    window->show();
    window->close();
    EXPECT_TRUE(end.requested());
    EXPECT_TRUE(files.closed);
}

TEST_F(MainWindowTest, RightClickOffersViewWithoutChangingTheSelection) {
    open();
    window->show();
    Combo1()->setCurrentIndex(1);
    clickRow(List1(), 1);
    const QRect first = List1()->visualItemRect(List1()->item(0));
    QTest::mousePress(List1()->viewport(), Qt::RightButton, {}, first.center());
    auto* menu = control<QMenu>("mnu");
    EXPECT_TRUE(menu->isVisible());
    EXPECT_EQ(List1()->currentRow(), 1);
    ASSERT_EQ(menu->actions().size(), 2);
    EXPECT_EQ(menu->actions()[0]->text(), "Просмотр");
    EXPECT_EQ(menu->actions()[1]->text(), "Проверить таблицу");
    menu->actions()[0]->trigger();
    menu->close();
    EXPECT_EQ(desktop.opened, std::vector<std::u16string>{program.u16("@hip/slav.txt")});
}

TEST_F(MainWindowTest, DoubleClicks) {
    values.SrcPath = sources.u16("a.txt");
    open();
    window->show();
    Combo1()->setCurrentIndex(3);
    doubleClickRow(List2(), 0);
    EXPECT_EQ(desktop.opened, std::vector<std::u16string>{program.u16("r@mix.txt")});
    EXPECT_FALSE(end.requested());

    desktop.opened.clear();
    Combo1()->setCurrentIndex(1);
    doubleClickRow(List1(), 1);
    EXPECT_TRUE(end.requested());
    EXPECT_EQ(converted("a1.txt"), "c text");
}

TEST_F(MainWindowTest, NoModesEndsTheProgramAtOnce) {
    test::TempFolder empty;
    values.programFolder = empty.u16path();
    SessionConfig config{empty.u16path(), 1251, values.DocsPath, &desktop};
    ConversionSession emptySession(config);
    MainWindow bare(emptySession, settings, desktop, values, files, end);
    bare.show();
    EXPECT_TRUE(end.requested());
    EXPECT_FALSE(bare.isVisible());
    EXPECT_TRUE(desktop.messages.empty());
}

TEST_F(MainWindowTest, CannotBeMadeSmallerThanItsMinimum) {
    open();
    window->show();
    window->resize(10, 10);
    EXPECT_GE(window->width(), window->minimumWidth());
    EXPECT_GE(window->height(), window->minimumHeight());
    const int narrowMinimum = window->minimumWidth();
    Combo1()->setCurrentIndex(3);
    EXPECT_GT(window->minimumWidth(), narrowMinimum);
    window->resize(10, 10);
    EXPECT_GE(window->width(), window->minimumWidth());
}

}  // namespace
}  // namespace lorvane
