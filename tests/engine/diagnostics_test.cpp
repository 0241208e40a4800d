// What compiling a table tells its author: one broken table per kind of finding, each at its
// exact line, clean tables reported clean, and the cache that compiles a table once.
#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>

#include "engine/compiled_table.h"
#include "engine_fixture.h"
#include "platform/file_encoding.h"
#include "platform/paths.h"
#include "platform/text.h"

namespace lorvane::test {
namespace {

struct Case {
    const char* what;
    std::u16string text;
    TableOrigin origin;
    int line;
    DiagnosticKind kind;
    std::vector<std::u16string> arguments;  // checked when given
};

const Case kBrokenTables[] = {
    {"single =", u"ш = sh\r\n", TableOrigin::TopLevel, 1, DiagnosticKind::NoSeparatorEquals, {}},
    {"== without spaces", u"a == b\r\nш==sh\r\n", TableOrigin::TopLevel, 2,
     DiagnosticKind::NoSeparatorTight, {}},
    {"tab", u"ш\tsh\r\n", TableOrigin::TopLevel, 1, DiagnosticKind::NoSeparatorTab, {}},
    {"plain words", u"// c\r\nplain words\r\n", TableOrigin::TopLevel, 2,
     DiagnosticKind::NoSeparator, {}},
    {"unknown directive", u"// c\r\n>extnet htm\r\n", TableOrigin::TopLevel, 2,
     DiagnosticKind::UnknownDirective, {u">extnet", u">extent"}},
    {"font size in words", u">fontsize twelve\r\n", TableOrigin::TopLevel, 1,
     DiagnosticKind::NotANumber, {u">fontsize", u"twelve"}},
    {"font size too large", u">fontsize 40000\r\n", TableOrigin::TopLevel, 1,
     DiagnosticKind::OutOfRange, {u">fontsize", u"40000"}},
    {"charset 0", u">charset 0\r\n", TableOrigin::TopLevel, 1, DiagnosticKind::CharsetZero, {}},
    {"charset glued", u">charset204\r\n", TableOrigin::TopLevel, 1, DiagnosticKind::NeedsSpace,
     {u">charset"}},
    {"charset alone", u">charset\r\n", TableOrigin::TopLevel, 1, DiagnosticKind::NeedsArgument,
     {u">charset"}},
    {"eol2 with words", u">eol2 please\r\n", TableOrigin::TopLevel, 1,
     DiagnosticKind::TakesNoArgument, {u">eol2"}},
    {"extent glued", u">extentrtf\r\n", TableOrigin::TopLevel, 1, DiagnosticKind::NeedsSpace,
     {u">extent"}},
    {"script without name", u">script \r\n", TableOrigin::TopLevel, 1,
     DiagnosticKind::NeedsArgument, {u">script"}},
    {"empty search side", u" == x\r\n", TableOrigin::TopLevel, 1, DiagnosticKind::EmptySearch, {}},
    {"code out of range", u"300 == x\r\n", TableOrigin::TopLevel, 1, DiagnosticKind::NoSuchCode,
     {u"300"}},
    {"last line unterminated", u"a == b\r\nc == d", TableOrigin::TopLevel, 2,
     DiagnosticKind::LastLineUnterminated, {}},
    {"shorter pair first", u"к == k\r\nx == y\r\n<кс> == ѯ\r\n", TableOrigin::TopLevel, 3,
     DiagnosticKind::PairNeverMatches, {u"к", u"1"}},
    {"numeric search side removed it", u"97 == b\r\nxa == y\r\n", TableOrigin::TopLevel, 2,
     DiagnosticKind::PairNeverMatches, {u"a", u"1"}},
    {"directive and pair", u">prae a == b\r\n", TableOrigin::TopLevel, 1,
     DiagnosticKind::DirectiveAndPair, {u">prae", u">prae a"}},
    {"hidden line", u"// * ш = sh\r\n", TableOrigin::TopLevel, 1,
     DiagnosticKind::NoSeparatorEquals, {}},
    {"include with lone CR", u"a == b\rab = cd\r", TableOrigin::Applied, 2,
     DiagnosticKind::NoSeparatorEquals, {}},
    {"include's last line counts", u"a == b\r\nab = cd", TableOrigin::Applied, 2,
     DiagnosticKind::NoSeparatorEquals, {}},
};

TEST(Diagnostics, EachBrokenTableIsReportedAtItsLine) {
    const auto page = *CodePage::forNumber(1251);
    for (const Case& c : kBrokenTables) {
        SCOPED_TRACE(c.what);
        const CompiledTable table = compileTable(c.text, c.origin, u"t.txt", *page);
        ASSERT_EQ(table.diagnostics.size(), 1u);
        const Diagnostic& found = table.diagnostics.front();
        EXPECT_EQ(found.kind, c.kind);
        EXPECT_EQ(found.line, c.line);
        EXPECT_EQ(found.file, u"t.txt");
        EXPECT_EQ(found.severity,
                  c.kind == DiagnosticKind::DirectiveAndPair ? Severity::Note : Severity::Warning);
        if (!c.arguments.empty()) {
            EXPECT_EQ(found.arguments, c.arguments);
        }
    }
}

TEST(Diagnostics, CleanTablesHaveNone) {
    const auto page = *CodePage::forNumber(1251);
    const std::u16string clean[] = {
        u"a == b\r\n>charset 204\r\n>fontsize 12\r\n>fontface Times New Roman\r\n  >EOL2  \r\n",
        u"// comment == or not\r\n\r\n   \r\n>digits 1\r\n>go@common.txt\r\n// last",
        // A step in between brings the character back, so the longer pair can still match.
        u"к == k\r\nk == к\r\n<кс> == ѯ\r\n",
        u"к == k\r\n>digits\r\n<кс> == ѯ\r\n",
        u">script x.vbs\r\n>script1 y.vbs\r\n>extent .htm\r\n>prae [\r\n>post ]\r\n",
    };
    for (const auto& text : clean) {
        SCOPED_TRACE(toUtf8(text));
        EXPECT_TRUE(compileTable(text, TableOrigin::TopLevel, u"t", *page).diagnostics.empty());
    }
    // Short lines of an include are skipped by design, and not reported.
    EXPECT_TRUE(compileTable(u"ab\r\n=\r\n", TableOrigin::Applied, u"t", *page).diagnostics.empty());
}

TEST(Diagnostics, MessagesNameTheFixInBothLanguages) {
    Diagnostic d{u"/p/@hip/t.txt", 4, Severity::Warning, DiagnosticKind::UnknownDirective,
                 {u">extnet", u">extent"}};
    EXPECT_EQ(formatDiagnostic(d, Language::English),
              u"/p/@hip/t.txt:4: warning: unknown directive '>extnet': the line does nothing "
              u"(did you mean '>extent'?)");
    EXPECT_EQ(formatDiagnostic(d, Language::Russian).rfind(u"/p/@hip/t.txt:4: предупреждение: ", 0),
              0u);
    d.line = 0;
    d.kind = DiagnosticKind::LooksLikeUtf8;
    d.arguments = {u"1251"};
    EXPECT_EQ(formatDiagnostic(d, Language::English).rfind(u"/p/@hip/t.txt: warning: ", 0), 0u);
}

class TableCacheTest : public EngineTest {};

TEST_F(TableCacheTest, AnUnchangedTableIsCompiledOnceAndAnEditedOneAgain) {
    const std::u16string path = writeTable("@hip/t.txt", u"a == b\r\n");
    const auto past = std::filesystem::file_time_type::clock::now() - std::chrono::seconds(10);
    std::filesystem::last_write_time(toFsPath(path), past);
    TableCache cache;
    auto first = cache.load(path, TableOrigin::TopLevel, *state.codePage);
    auto second = cache.load(path, TableOrigin::TopLevel, *state.codePage);
    ASSERT_TRUE(first.ok() && second.ok());
    EXPECT_EQ(first->get(), second->get());
    // Same size, new content: the modification time tells.
    writeTable("@hip/t.txt", u"a == c\r\n");
    auto edited = cache.load(path, TableOrigin::TopLevel, *state.codePage);
    ASSERT_TRUE(edited.ok());
    ASSERT_EQ((*edited)->steps.size(), 1u);
    EXPECT_EQ((*edited)->steps.front().text, u"c");
    // A table read as an include follows the include's rules: it is another compiled table.
    auto applied = cache.load(path, TableOrigin::Applied, *state.codePage);
    ASSERT_TRUE(applied.ok());
    EXPECT_NE(applied->get(), edited->get());
}

TEST_F(TableCacheTest, ATableSavedInUtf8IsReported) {
    folder.write("@hip/u.txt", "\xD1\x88 == sh\r\n");  // "ш" in UTF-8
    TableCache cache;
    auto table = cache.load(folder.u16("@hip/u.txt"), TableOrigin::TopLevel, *state.codePage);
    ASSERT_TRUE(table.ok());
    ASSERT_FALSE((*table)->diagnostics.empty());
    EXPECT_EQ((*table)->diagnostics.front().kind, DiagnosticKind::LooksLikeUtf8);
    EXPECT_EQ((*table)->diagnostics.front().line, 0);
    EXPECT_FALSE(looksLikeUtf8("plain ascii"));
    EXPECT_FALSE(looksLikeUtf8("\xF8 == sh"));  // "ш" in code page 1251
}

TEST_F(TableCacheTest, TheSameTableTwiceInARunGivesTheSameText) {
    writeTable("@hip/@inc.txt", u"ab == x\r\nb == y\r\n");
    for (int round = 0; round < 3; ++round) {
        EXPECT_EQ(apply(u">go@inc.txt", u"abb"), u"xy");
    }
}

}  // namespace
}  // namespace lorvane::test
