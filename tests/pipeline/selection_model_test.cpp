#include "pipeline/selection_model.h"

#include <gtest/gtest.h>

#include "pipeline/scheme_file.h"
#include "platform/text.h"
#include "temp_folder.h"

namespace lorvane {
namespace {

using Names = std::vector<std::u16string>;

class SelectionModelTest : public ::testing::Test {
  protected:
    SelectionModel model() {
        return SelectionModel(temp.u16path(), *CodePage::forNumber(1251), nullptr);
    }
    test::TempFolder temp;
};

TEST_F(SelectionModelTest, ModesThenSchemesInAlphabeticalOrder) {
    temp.write("@lat/T.txt", "");
    temp.write("@Hip/a.txt", "");
    temp.makeFolder("plain");
    temp.makeFolder("@");
    temp.write("r@Mix.txt", "");
    temp.write("R@alpha.TXT", "");
    temp.write("r@mix.htm", "");
    temp.write("xr@no.txt", "");
    SelectionModel selection = model();
    EXPECT_EQ(selection.buildModeList(), 4);
    EXPECT_EQ(selection.modeList(), (Names{u"Hip", u"lat", u"?alpha.TXT", u"?Mix.txt"}));
    EXPECT_EQ(selection.selectedMode(), 0) << "the first entry is selected";
    EXPECT_EQ(selection.modeText(), u"Hip");
}

TEST_F(SelectionModelTest, AnEmptyProgramFolderHasNoEntries) {
    SelectionModel selection = model();
    EXPECT_EQ(selection.buildModeList(), 0);
    EXPECT_EQ(selection.selectedMode(), -1);
    EXPECT_EQ(selection.modeText(), u"");
}

TEST_F(SelectionModelTest, AModeListsItsTablesAndSelectsTheFirst) {
    temp.write("@hip/b.txt", "");
    temp.write("@hip/A.doc", "");
    temp.write("@hip/@inc.txt", "");
    temp.write("@hip/abc", "");
    temp.write("@hip/.hidden.txt", "");
    temp.makeFolder("@hip/sub");
    SelectionModel selection = model();
    selection.buildModeList();
    EXPECT_FALSE(selection.SchemeMode());
    EXPECT_EQ(selection.tableList(), (Names{u"A", u"b"}));
    EXPECT_EQ(selection.selectedTable(), 0);
    EXPECT_EQ(selection.tableText(), u"A");
    selection.selectTable(1);
    EXPECT_EQ(selection.tableText(), u"b");
    selection.selectTable(5);
    EXPECT_EQ(selection.tableText(), u"b") << "an index outside the list changes nothing";
    EXPECT_EQ(selection.findTable(u"b"), 1);
    EXPECT_EQ(selection.findTable(u"B"), -1) << "table names compare exactly";
}

TEST(SchemeFile, LinesBecomeEntries) {
    const SchemeFile scheme = parseScheme(
        u"<g> == @grk\\T1.txt\r\n"
        u"DEFAULT == <l>\r\n"
        u"<l> == @lat\\\r\n"
        u"<x> == a == b\r\n"
        u"no separator\r\n"
        u"\r\n"
        u"<l> == again.txt\r\n"
        u"<last> == unterminated.txt");
    ASSERT_EQ(scheme.entries.size(), 4u);
    const struct {
        std::u16string name, path;
        bool isDefault, open;
    } expected[] = {
        {u"<g>", u"@grk/T1.txt", false, false},
        {u"<l>", u"@lat/", true, true},
        {u"<x>", u"a", false, false},
        {u"<l>", u"again.txt", true, false},
    };
    for (std::size_t i = 0; i < scheme.entries.size(); ++i) {
        const SchemeEntry& entry = scheme.entries[i];
        EXPECT_EQ(entry.Name, expected[i].name) << i;
        EXPECT_EQ(entry.Path, expected[i].path) << i;
        EXPECT_EQ(entry.IsDefault, expected[i].isDefault) << i;
        EXPECT_EQ(entry.isOpen(), expected[i].open) << i;
    }
    EXPECT_EQ(scheme.ignoredLines, (std::vector<int>{5}));
}

TEST(SchemeFile, ADefaultLineNamesOnlyTheEntriesAfterIt) {
    const SchemeFile scheme = parseScheme(u"<a> == A.txt\r\ndefault == <a>\r\n");
    ASSERT_EQ(scheme.entries.size(), 1u);
    EXPECT_FALSE(scheme.entries[0].IsDefault);
    const SchemeFile exact = parseScheme(u"default == <A>\r\n<a> == A.txt\r\n");
    EXPECT_FALSE(exact.entries[0].IsDefault) << "the default name compares exactly";
}

class SchemeSelectionTest : public SelectionModelTest {
  protected:
    void SetUp() override {
        temp.write("@grk/T1.txt", "");
        temp.write("@grk/T3.txt", "");
        temp.write("@lat/T2.txt", "");
        temp.write("r@mix.txt",
                   "<g> == @grk\\\r\ndefault == <l>\r\n<l> == @lat\\\r\n<f> == @grk\\T1.txt\r\n");
        temp.write("r@fixed.txt", "<g> == @grk\\T1.txt\r\n<l> == @lat\\T2.txt\r\n");
        selection.buildModeList();
    }
    SelectionModel selection = model();
};

TEST_F(SchemeSelectionTest, ASchemeWithOpenEntriesListsTheFirstEntrysFolder) {
    selection.selectMode(selection.findMode(u"?mix.txt"));
    EXPECT_TRUE(selection.SchemeMode());
    EXPECT_TRUE(selection.entryListShown());
    EXPECT_FALSE(selection.schemeTextShown());
    EXPECT_EQ(selection.entryList(), (Names{u"<g>", u"<l>"}));
    EXPECT_EQ(selection.selectedEntry(), 0);
    EXPECT_EQ(selection.tableList(), (Names{u"T1", u"T3"}));
    EXPECT_EQ(selection.selectedTable(), -1) << "an open entry shows no table selected";
    EXPECT_TRUE(selection.hasOpenEntries());
    EXPECT_EQ(selection.schemeFilePath(), temp.u16("r@mix.txt"));
}

TEST_F(SchemeSelectionTest, ChoosingTablesCompletesTheEntries) {
    selection.selectMode(selection.findMode(u"?mix.txt"));
    selection.selectTable(1);
    EXPECT_EQ(selection.entries()[0].Path, u"@grk/T3.txt");
    selection.selectTable(0);
    EXPECT_EQ(selection.entries()[0].Path, u"@grk/T1.txt") << "the folder stays, the table changes";
    EXPECT_TRUE(selection.hasOpenEntries());

    selection.selectEntry(1);
    EXPECT_EQ(selection.tableList(), (Names{u"T2"}));
    selection.selectTable(0);
    EXPECT_EQ(selection.entries()[1].Path, u"@lat/T2.txt");
    EXPECT_FALSE(selection.hasOpenEntries());
    EXPECT_EQ(selection.entries()[2].Path, u"@grk/T1.txt") << "a fixed entry stays";

    selection.selectEntry(0);
    EXPECT_EQ(selection.tableList(), (Names{u"T1", u"T3"}));
    EXPECT_EQ(selection.selectedTable(), 0) << "going back shows the table chosen before";
}

TEST_F(SchemeSelectionTest, ASchemeWithoutOpenEntriesShowsItsText) {
    selection.selectMode(selection.findMode(u"?fixed.txt"));
    EXPECT_TRUE(selection.SchemeMode());
    EXPECT_FALSE(selection.entryListShown());
    EXPECT_TRUE(selection.schemeTextShown());
    EXPECT_EQ(selection.schemeText(), u"<g> == @grk\\T1.txt\r\n<l> == @lat\\T2.txt\r\n");
    EXPECT_FALSE(selection.hasOpenEntries());
    EXPECT_EQ(selection.entries().size(), 2u);
}

TEST_F(SchemeSelectionTest, AModeAfterASchemeLeavesTheSchemeModel) {
    selection.selectMode(selection.findMode(u"?mix.txt"));
    selection.selectMode(selection.findMode(u"lat"));
    EXPECT_FALSE(selection.SchemeMode());
    EXPECT_FALSE(selection.entryListShown());
    EXPECT_FALSE(selection.hasOpenEntries()) << "open entries matter only in a scheme";
    EXPECT_EQ(selection.tableList(), (Names{u"T2"}));
    EXPECT_EQ(selection.tableFolder(), temp.u16("@lat"));
    EXPECT_EQ(selection.entries().size(), 3u) << "the scheme's entries stay until the next scheme";
}

TEST_F(SchemeSelectionTest, PathsFromTheSchemeIgnoreLetterCase) {
    temp.write("r@case.txt", "<g> == @GRK\\\r\n");
    selection.buildModeList();
    selection.selectMode(selection.findMode(u"?case.txt"));
    EXPECT_EQ(selection.tableList(), (Names{u"T1", u"T3"}));
}

}  // namespace
}  // namespace lorvane
