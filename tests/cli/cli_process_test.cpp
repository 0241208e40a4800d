// lorvane-cli run as a process against program folders built in temporary folders.
#include <gtest/gtest.h>

#include <filesystem>

#include "run_program.h"
#include "temp_folder.h"

namespace lorvane {
namespace {

namespace fs = std::filesystem;
using Arguments = std::vector<std::string>;

class CliTest : public ::testing::Test {
  protected:
    void SetUp() override {
        temp.write("home/@hip/a.txt", "a == A\r\n");
        temp.write("home/@hip/b.txt", "a == B\r\n>extent htm\r\n");
        temp.write("home/@lat/T.txt", "x == y\r\n");
        temp.write("home/@grk/T1.txt", "g == G\r\n");
        temp.write("home/@grk/T3.txt", "g == 3\r\n");
        temp.write("home/r@mix.txt", "<g> == @grk\\\r\ndefault == <l>\r\n<l> == @lat\\T.txt\r\n");
        temp.makeFolder("docs");
    }
    test::ProgramRun run(Arguments arguments, std::string input = {},
                         std::map<std::string, std::optional<std::string>> environment = {}) {
        environment.emplace("LORVANE_HOME", std::nullopt);
        environment.emplace("LORVANE_CODEPAGE", std::nullopt);
        environment.emplace("LORVANE_TABLE_CODEPAGE", std::nullopt);
        environment.emplace("LORVANE_NO_OPEN", "1");
        return test::runProgram(LORVANE_CLI_PATH, arguments, environment, input);
    }
    Arguments withHome(Arguments arguments) {
        arguments.insert(arguments.begin(), {"--home", home()});
        return arguments;
    }
    std::string home() const { return (temp.path() / "home").string(); }
    std::string doc(const std::string& name) const {
        return (temp.path() / "docs" / name).string();
    }
    std::string source(const std::string& name, const std::string& bytes) {
        return temp.write("docs/" + name, bytes).string();
    }

    test::TempFolder temp;
};

TEST_F(CliTest, HelpAndVersion) {
    auto help = run({"--help"});
    EXPECT_EQ(help.exitCode, 0);
    EXPECT_EQ(help.out.rfind("Usage: lorvane-cli [OPTIONS] SOURCE...\n", 0), 0u) << help.out;
    auto version = run({"--version"});
    EXPECT_EQ(version.exitCode, 0);
    EXPECT_EQ(version.out, "lorvane-cli " LORVANE_VERSION "\n");
}

TEST_F(CliTest, ListsModesTablesAndSchemeChoices) {
    auto listed = run(withHome({"--list"}));
    EXPECT_EQ(listed.exitCode, 0) << listed.err;
    EXPECT_EQ(listed.out,
              "grk\n  T1\n  T3\nhip\n  a\n  b\nlat\n  T\n?mix.txt\n  <g>=T1\n  <g>=T3\n");
}

TEST_F(CliTest, ConvertsOneFileWithTheFirstModeAndTable) {
    const std::string path = source("s.txt", "g\r\n");
    auto converted = run(withHome({path}));
    EXPECT_EQ(converted.exitCode, 0) << converted.err;
    EXPECT_EQ(converted.out, doc("s1.txt") + "\n");
    EXPECT_EQ(converted.err, "");
    EXPECT_EQ(temp.read("docs/s1.txt"), "G\r\n\r\n");
}

TEST_F(CliTest, ModeAndTableChooseTheConversion) {
    const std::string path = source("s.txt", "a");
    auto converted = run(withHome({"--mode", "hip", "--table", "b", path}));
    EXPECT_EQ(converted.exitCode, 0) << converted.err;
    EXPECT_EQ(converted.out, doc("s.htm") + "\n");
    EXPECT_EQ(temp.read("docs/s.htm"), "<html>\r\n<body>B</body></html>\r\n");
}

TEST_F(CliTest, TheProgramFolderFromTheEnvironment) {
    const std::string path = source("s.txt", "x");
    auto converted = run({"--mode", "lat", path}, {}, {{"LORVANE_HOME", home()}});
    EXPECT_EQ(converted.exitCode, 0) << converted.err;
    EXPECT_EQ(temp.read("docs/s1.txt"), "y\r\n");
}

TEST_F(CliTest, TheCodePageDecidesHowBytesAreRead) {
    temp.write("home/@lat/T.txt", "\xd0\x96 == J\r\n");  // "Ж" in UTF-8
    const std::string path = source("s.txt", "\xd0\x96\xc6");
    auto utf8 = run(
        withHome({"--mode", "lat", "--codepage", "65001", "--table-codepage", "65001", path}));
    EXPECT_EQ(utf8.exitCode, 0) << utf8.err;
    EXPECT_EQ(temp.read("docs/s1.txt"), "J\xef\xbf\xbd\r\n")
        << "a byte that is no UTF-8 comes back as the replacement character";
    auto fromEnvironment =
        run(withHome({"--mode", "lat", path}), {}, {{"LORVANE_CODEPAGE", "1251"}});
    EXPECT_EQ(fromEnvironment.exitCode, 0) << fromEnvironment.err;
    EXPECT_EQ(temp.read("docs/s1.txt"), "J\xc6\r\n") << "single-byte pages keep every byte";
}

TEST_F(CliTest, StandardInputGoesToStandardOutput) {
    temp.write("home/@lat/H.txt", ">extent htm\r\nx == y\r\n");
    auto converted = run(withHome({"--mode", "lat", "--table", "H", "-"}), "x\nx\r\nx");
    EXPECT_EQ(converted.exitCode, 0) << converted.err;
    EXPECT_EQ(converted.out, "<html>\r\n<body>y\r\n<p>y\r\n<p>y</body></html>\r\n")
        << "line ends are normalised as a source file's are";
    EXPECT_TRUE(fs::is_empty(temp.path() / "docs"));
}

TEST_F(CliTest, FolderSourcesAndSeveralSourcesInOrder) {
    source("b.txt", "x");
    source("a.txt", "xx");
    source("c.htm", "x");
    const std::string other = temp.write("other/z.txt", "x").string();
    auto converted = run(
        withHome({"--mode", "lat", "--pattern", "*.txt", other, (temp.path() / "docs").string()}));
    EXPECT_EQ(converted.exitCode, 0) << converted.err;
    EXPECT_EQ(converted.out, (temp.path() / "other/z1.txt").string() + "\n" + doc("a1.txt") + "\n" +
                                 doc("b1.txt") + "\n");
    EXPECT_EQ(converted.err, "") << "no progress line when standard error is no terminal";
    EXPECT_EQ(temp.read("docs/a1.txt"), "yy\r\n");
}

TEST_F(CliTest, TheWholeFolderOfASource) {
    const std::string a = source("a.txt", "x");
    source("b.txt", "x");
    source("c.htm", "x");
    auto converted = run(withHome({"--mode", "lat", "--folder", "--pattern", "*.txt", a}));
    EXPECT_EQ(converted.exitCode, 0) << converted.err;
    EXPECT_EQ(converted.out, doc("a1.txt") + "\n" + doc("b1.txt") + "\n");
    EXPECT_FALSE(temp.exists("docs/c1.txt"));
    EXPECT_FALSE(temp.exists("docs/a11.txt"));
}

TEST_F(CliTest, ASchemeWithItsOpenEntriesChosen) {
    const std::string path = source("s.txt", "gx<g>gx<l>gx");
    auto converted = run(withHome({"--scheme", "mix", "--entry", "<g>=T3", path}));
    EXPECT_EQ(converted.exitCode, 0) << converted.err;
    EXPECT_EQ(temp.read("docs/s1.txt"), "gy3xgy\r\n");
}

TEST_F(CliTest, SchemeLinesWithoutSeparatorAreIgnoredWithANote) {
    temp.write("home/r@odd.txt", "<l> == @lat\\T.txt\r\nno separator here\r\n\r\n");
    const std::string path = source("s.txt", "<l>x");
    auto converted = run(withHome({"--scheme", "odd.txt", path}));
    EXPECT_EQ(converted.exitCode, 0) << converted.err;
    EXPECT_NE(converted.err.find("note: line 2 of "), std::string::npos) << converted.err;
    EXPECT_EQ(converted.err.find("line 3"), std::string::npos) << "empty lines pass silently";
    EXPECT_EQ(temp.read("docs/s1.txt"), "y\r\n");
}

TEST_F(CliTest, UsageErrorsSayWhatToDo) {
    const std::string path = source("s.txt", "x");
    struct Case {
        Arguments arguments;
        std::string says;
    } cases[] = {
        {{"--bogus", path}, "unknown option '--bogus'"},
        {{"--mode", "nope", path}, "unknown mode 'nope'"},
        {{"--mode", "hip", "--table", "zz", path}, "unknown table 'zz' of mode 'hip'"},
        {{"--scheme", "nope", path}, "unknown scheme 'nope'"},
        {{"--scheme", "mix", path}, "give each with --entry NAME=TABLE"},
        {{"--scheme", "mix", "--entry", "<x>=T1", path}, "has no open entry '<x>'"},
        {{"--scheme", "mix", "--entry", "<g>=T9", path}, "no table 'T9' for the entry '<g>'"},
        {{"--scheme", "mix", "--table", "T1", path}, "--table applies to a source mode"},
        {{"--mode", "lat", "--entry", "<g>=T1", path}, "--entry applies to a combined scheme"},
        {{doc("missing.txt")}, "does not exist: check its name"},
        {{}, "no SOURCE given"},
        {{"-", path}, "must be the only SOURCE"},
        {{"--folder", path, path}, "--folder converts the folder of one SOURCE"},
        {{"--codepage", "9999", path}, "code page 9999"},
    };
    for (const auto& c : cases) {
        auto refused = run(withHome(c.arguments));
        EXPECT_EQ(refused.exitCode, 2) << c.says;
        EXPECT_NE(refused.err.find(c.says), std::string::npos) << refused.err;
        EXPECT_EQ(refused.out, "") << c.says;
    }
    EXPECT_FALSE(temp.exists("docs/s1.txt"));
}

TEST_F(CliTest, AProgramFolderWithoutModesIsAUsageError) {
    temp.makeFolder("empty");
    auto refused = run({"--home", (temp.path() / "empty").string(), "x"});
    EXPECT_EQ(refused.exitCode, 2);
    EXPECT_NE(refused.err.find("point --home at a program folder"), std::string::npos)
        << refused.err;
    auto missing = run({"--home", (temp.path() / "gone").string(), "x"});
    EXPECT_EQ(missing.exitCode, 2);
    EXPECT_NE(missing.err.find("does not exist"), std::string::npos) << missing.err;
}

TEST_F(CliTest, AFailedConversionNamesItsSourceAndKeepsEarlierResults) {
    const std::string a = source("a.txt", "x");
    const std::string b = source("b.txt", "x");
    const std::string c = source("c.txt", "x");
    temp.makeFolder("docs/b1.txt");
    auto failed = run(withHome({"--mode", "lat", a, b, c}));
    EXPECT_EQ(failed.exitCode, 1);
    EXPECT_EQ(failed.out, doc("a1.txt") + "\n");
    EXPECT_NE(failed.err.find("cannot convert " + b), std::string::npos) << failed.err;
    EXPECT_NE(failed.err.find("error 75: Path/File access error"), std::string::npos) << failed.err;
    EXPECT_EQ(temp.read("docs/a1.txt"), "y\r\n");
    EXPECT_FALSE(temp.exists("docs/c1.txt"));
}

TEST_F(CliTest, ASourceIsNeverOverwrittenByItsResult) {
    const std::string path = source("psalm.TXT", "x");
    fs::create_hard_link(path, temp.path() / "docs/psalm.txt");
    auto failed = run(withHome({"--mode", "lat", path}));
    EXPECT_EQ(failed.exitCode, 1);
    EXPECT_NE(failed.err.find("error 6003"), std::string::npos) << failed.err;
    EXPECT_EQ(temp.read("docs/psalm.TXT"), "x");
}

TEST_F(CliTest, AFailingDocumentScriptFailsTheRun) {
    temp.write("home/@lat/T.txt", ">script1 up.vbs\r\n");
    const std::string path = source("s.txt", "x");
    auto failed = run(withHome({"--mode", "lat", path}));
    EXPECT_EQ(failed.exitCode, 1);
    EXPECT_NE(failed.err.find("cannot convert " + path), std::string::npos) << failed.err;
    EXPECT_FALSE(temp.exists("docs/s1.txt"));
}

TEST_F(CliTest, TableDocumentAndTemplateScriptsRunEndToEnd) {
    temp.write("home/Scripts/up.vbs", "Sub Main\r\n  Send UCase(X())\r\nEnd Sub\r\n");
    temp.write("home/Scripts/count.vbs",
               "Sub Main\r\n  Dim re: Set re = New RegExp\r\n  re.Pattern = \"Y+\"\r\n"
               "  re.Global = True\r\n  Send re.Replace(X(), \"<$&>\")\r\nEnd Sub\r\n");
    temp.write("home/Scripts/frame.vbs", "Sub Main\r\n  Send \"[\" & X() & \"]\"\r\nEnd Sub\r\n");
    temp.write("home/@lat/T.txt",
               "x == y\r\n>script up.vbs\r\n>script1 count.vbs\r\n>extent doc\r\n");
    temp.write("home/format/doc.txt", "BEGIN [%\xd4\xe0\xe9\xeb=frame.vbs] END");
    const std::string path = source("s.txt", "xxab");
    auto converted = run(withHome({"--mode", "lat", path}));
    EXPECT_EQ(converted.exitCode, 0) << converted.err;
    EXPECT_EQ(converted.out, doc("s.doc") + "\n");
    EXPECT_EQ(temp.read("docs/s.doc"), "BEGIN [<YY>AB] END\r\n");
}

}  // namespace
}  // namespace lorvane
