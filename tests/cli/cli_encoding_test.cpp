// lorvane-cli and encodings: the two code-page settings, standard input read like a file, and
// the note about sources that look like UTF-8.
#include <gtest/gtest.h>

#include "run_program.h"
#include "temp_folder.h"

namespace lorvane {
namespace {

using Arguments = std::vector<std::string>;

class CliEncodingTest : public ::testing::Test {
  protected:
    void SetUp() override {
        // The bundled tables' way: cp1251, "Ж" == "J".
        temp.write("home/@hip/T.txt", "\xc6 == J\r\n");
        temp.write("home/@lat/T.txt", "\xc6 == J\r\n>noteol2\r\n");
        temp.makeFolder("docs");
    }
    test::ProgramRun run(Arguments arguments, const std::string& input = {},
                         std::map<std::string, std::optional<std::string>> environment = {}) {
        arguments.insert(arguments.begin(), {"--home", (temp.path() / "home").string()});
        environment.emplace("LORVANE_HOME", std::nullopt);
        environment.emplace("LORVANE_CODEPAGE", std::nullopt);
        environment.emplace("LORVANE_TABLE_CODEPAGE", std::nullopt);
        environment.emplace("LORVANE_NO_OPEN", "1");
        return test::runProgram(LORVANE_CLI_PATH, arguments, environment, input);
    }
    std::string source(const std::string& name, const std::string& bytes) {
        return temp.write("docs/" + name, bytes).string();
    }

    test::TempFolder temp;
};

TEST_F(CliEncodingTest, DocumentsAndTablesHaveTheirOwnCodePages) {
    struct Case {
        const char* name;
        Arguments options;
        std::map<std::string, std::optional<std::string>> environment;
        std::string table, source, expected;
    } cases[] = {
        {"UTF-8 documents, cp1251 tables", {"--codepage", "65001"}, {}, "\xc6 == J\r\n",
         "\xd0\x96\xd0\x96", "JJ\r\n"},
        {"the same from the environment", {}, {{"LORVANE_CODEPAGE", "65001"}}, "\xc6 == J\r\n",
         "\xd0\x96", "J\r\n"},
        {"UTF-8 tables, cp1251 documents", {"--table-codepage", "65001"}, {},
         "\xd0\x96 == J\r\n", "\xc6", "J\r\n"},
        {"the same from the environment", {}, {{"LORVANE_TABLE_CODEPAGE", "65001"}},
         "\xd0\x96 == J\r\n", "\xc6\xc6", "JJ\r\n"},
        {"the option before the environment", {"--table-codepage", "1251"},
         {{"LORVANE_TABLE_CODEPAGE", "65001"}}, "\xc6 == J\r\n", "\xc6", "J\r\n"},
        {"a UTF-8 result keeps characters cp1251 has not", {"--codepage", "65001"}, {},
         "\xc6 == \xbf\r\n", "\xd0\x96\xd1\xa3", "\xd1\x97\xd1\xa3\r\n"},
    };
    for (const Case& c : cases) {
        temp.write("home/@lat/T.txt", c.table);
        Arguments arguments = c.options;
        arguments.insert(arguments.end(), {"--mode", "lat", source("s.txt", c.source)});
        auto converted = run(arguments, {}, c.environment);
        EXPECT_EQ(converted.exitCode, 0) << c.name << ": " << converted.err;
        EXPECT_EQ(temp.read("docs/s1.txt"), c.expected) << c.name;
    }
}

TEST_F(CliEncodingTest, AnUnknownTableCodePageIsAUsageError) {
    auto refused = run({"--table-codepage", "932", "--mode", "lat", source("s.txt", "a")});
    EXPECT_EQ(refused.exitCode, 2);
    EXPECT_NE(refused.err.find("932"), std::string::npos) << refused.err;
    auto malformed = run({"--table-codepage", "x1251", "--mode", "lat", source("s.txt", "a")});
    EXPECT_EQ(malformed.exitCode, 2);
    EXPECT_NE(malformed.err.find("--table-codepage"), std::string::npos) << malformed.err;
}

// A pipe and a file give the same bytes, paragraph joining included, whatever the line ends.
TEST_F(CliEncodingTest, StandardInputIsReadLikeAFile) {
    struct Case {
        const char* name;
        std::string text;
    } cases[] = {
        {"LF", "\xc6" "a\nb\n\nc\n"},
        {"CR", "\xc6" "a\rb\r\rc\r"},
        {"CR LF", "\xc6" "a\r\nb\r\n\r\nc\r\n"},
        {"mixed, no final line end", "\xc6" "a\nb\r\n\rc"},
        {"UTF-8 mark", "\xef\xbb\xbf\xd0\x96" "a\nb\n\nc"},
        {"UTF-16LE mark", std::string("\xff\xfe\x16\x04\x61\x00\x0a\x00\x62\x00", 10)},
    };
    for (const Case& c : cases) {
        const std::string path = source("s.txt", c.text);
        auto fromFile = run({"--mode", "hip", path});
        ASSERT_EQ(fromFile.exitCode, 0) << c.name << ": " << fromFile.err;
        auto fromPipe = run({"--mode", "hip", "-"}, c.text);
        ASSERT_EQ(fromPipe.exitCode, 0) << c.name << ": " << fromPipe.err;
        EXPECT_EQ(fromPipe.out, temp.read("docs/s1.txt")) << c.name;
    }
    EXPECT_EQ(run({"--mode", "hip", "-"}, "\xc6" "a\nb\n\nc\n").out, "Ja b\r\nc \r\n");
}

TEST_F(CliEncodingTest, ASourceThatLooksLikeUtf8IsConvertedWithANote) {
    const std::string utf8 = "\xd0\x96 text";
    const std::string path = source("u.txt", utf8);
    auto noted = run({"--mode", "lat", path});
    EXPECT_EQ(noted.exitCode, 0) << noted.err;
    EXPECT_EQ(temp.read("docs/u1.txt"), utf8 + "\r\n") << "converted as designed, in cp1251";
    EXPECT_NE(noted.err.find(path + " looks like UTF-8"), std::string::npos) << noted.err;
    EXPECT_NE(noted.err.find("--codepage 65001"), std::string::npos) << noted.err;

    auto piped = run({"--mode", "lat", "-"}, utf8);
    EXPECT_NE(piped.err.find("standard input looks like UTF-8"), std::string::npos) << piped.err;

    struct Quiet {
        const char* name;
        Arguments options;
        std::string bytes;
    } quiet[] = {
        {"read as UTF-8", {"--codepage", "65001"}, utf8},
        {"a UTF-8 mark", {}, "\xef\xbb\xbf" + utf8},
        {"cp1251 text", {}, "\xc6\xe5\xeb"},
        {"plain ASCII", {}, "abc"},
    };
    for (const Quiet& q : quiet) {
        Arguments arguments = q.options;
        arguments.insert(arguments.end(), {"--mode", "lat", source("q.txt", q.bytes)});
        auto converted = run(arguments);
        EXPECT_EQ(converted.exitCode, 0) << q.name;
        EXPECT_EQ(converted.err, "") << q.name;
    }
}

}  // namespace
}  // namespace lorvane
