// Checking tables with the files they name: includes, scripts, templates and the tables of
// combined schemes, each finding at the file and line that names the missing or broken file;
// every bundled table and scheme comes out clean.
#include "pipeline/table_checker.h"

#include <gtest/gtest.h>

#include "platform/text.h"
#include "temp_folder.h"

namespace lorvane {
namespace {

class Checker : public testing::Test {
  protected:
    Checker() : page(*CodePage::forNumber(1251)), checker(temp.u16path(), page) {}

    struct Expected {
        std::u16string file;
        int line;
        DiagnosticKind kind;
    };

    void expectFindings(const std::vector<Expected>& expected) {
        const auto& found = checker.diagnostics();
        ASSERT_EQ(found.size(), expected.size());
        for (std::size_t i = 0; i < expected.size(); ++i) {
            SCOPED_TRACE(toUtf8(formatDiagnostic(found[i], Language::English)));
            EXPECT_EQ(found[i].file, expected[i].file);
            EXPECT_EQ(found[i].line, expected[i].line);
            EXPECT_EQ(found[i].kind, expected[i].kind);
        }
    }

    test::TempFolder temp;
    std::shared_ptr<const CodePage> page;
    TableChecker checker;
};

TEST_F(Checker, FilesATableNamesAreFollowed) {
    temp.write("@hip/t.txt",
               ">go@missing.txt\r\n>go@inc.txt\r\n>script nosuch.vbs\r\n>script bad.vbs\r\n"
               ">extent xyz\r\n>script1 good.vbs\r\n>extent htm\r\n");
    temp.write("@hip/@inc.txt", "a == b\r\nab = c\r\n");
    temp.write("Scripts/bad.vbs", "Sub Main\r\n  x = (1\r\nEnd Sub\r\n");
    temp.write("Scripts/good.vbs", "Sub Main\r\n  Send X()\r\nEnd Sub\r\n");
    checker.checkTable(temp.u16("@hip/t.txt"), u"hip");
    const std::u16string table = temp.u16("@hip/t.txt");
    expectFindings({
        {table, 1, DiagnosticKind::IncludeNotFound},
        {table, 3, DiagnosticKind::ScriptNotFound},
        {table, 4, DiagnosticKind::ScriptDoesNotCompile},
        {table, 5, DiagnosticKind::TemplateNotFound},
        {temp.u16("@hip/@inc.txt"), 2, DiagnosticKind::NoSeparatorEquals},
    });
    // The script's own place is named.
    EXPECT_NE(checker.diagnostics()[2].arguments[1].find(u"bad.vbs(2, "), std::u16string::npos)
        << toUtf8(checker.diagnostics()[2].arguments[1]);
}

TEST_F(Checker, SchemeEntriesNameTheirTables) {
    temp.write("@grk/T1.txt", "g = G\r\n");
    temp.write("r@mix.txt",
               "<g> == @grk\\T1.txt\r\nno separator\r\n<l> == @lat\\nosuch.txt\r\n"
               "<o> == @none\\\r\n<p> == @grk\\\r\n");
    checker.checkScheme(temp.u16("r@mix.txt"));
    const std::u16string scheme = temp.u16("r@mix.txt");
    expectFindings({
        {scheme, 2, DiagnosticKind::NoSeparator},
        {scheme, 3, DiagnosticKind::TableNotFound},
        {scheme, 4, DiagnosticKind::TableNotFound},
        {temp.u16("@grk/T1.txt"), 1, DiagnosticKind::NoSeparatorEquals},
    });
}

TEST_F(Checker, IncludesOfSchemeTablesAreLookedForAsAConversionDoes) {
    // A scheme has no mode folder, so an include without a folder part is never found.
    temp.write("@grk/T1.txt", ">go@inc.txt\r\n>go@grk\\@inc.txt\r\n");
    temp.write("@grk/@inc.txt", "x == y\r\n");
    temp.write("r@mix.txt", "<g> == @grk\\T1.txt\r\n");
    checker.checkScheme(temp.u16("r@mix.txt"));
    expectFindings({{temp.u16("@grk/T1.txt"), 1, DiagnosticKind::IncludeNotFound}});
}

TEST_F(Checker, EveryBundledTableAndSchemeIsClean) {
    TableChecker bundled(fromUtf8(LORVANE_BUNDLE_DIR), page);
    bundled.checkEverything();
    for (const Diagnostic& d : bundled.diagnostics()) {
        ADD_FAILURE() << toUtf8(formatDiagnostic(d, Language::English));
    }
    EXPECT_GT(bundled.filesChecked(), 5u);
}

}  // namespace
}  // namespace lorvane
