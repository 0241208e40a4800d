// lorvane-cli and the files it did not write: backups and notes on standard error, folders run
// twice, --output, a file system without marks, and a source too large for the memory there is.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>

#include "run_program.h"
#include "sanitizers.h"
#include "temp_folder.h"

namespace lorvane {
namespace {

namespace fs = std::filesystem;
using Arguments = std::vector<std::string>;

class CliUsersFilesTest : public ::testing::Test {
  protected:
    void SetUp() override {
        temp.write("home/@lat/T.txt", "x == y\r\n");
        temp.makeFolder("docs");
    }
    test::ProgramRun run(Arguments arguments,
                         std::map<std::string, std::optional<std::string>> environment = {}) {
        arguments.insert(arguments.begin(), {"--home", (temp.path() / "home").string()});
        environment.emplace("LORVANE_HOME", std::nullopt);
        environment.emplace("LORVANE_CODEPAGE", std::nullopt);
        environment.emplace("LORVANE_NO_OPEN", "1");
        return test::runProgram(LORVANE_CLI_PATH, arguments, environment);
    }
    std::string doc(const std::string& name) const {
        return (temp.path() / "docs" / name).string();
    }
    std::vector<std::string> docsFolder() const {
        std::vector<std::string> names;
        for (const auto& entry : fs::directory_iterator(temp.path() / "docs"))
            names.push_back(entry.path().filename().string());
        std::sort(names.begin(), names.end());
        return names;
    }

    test::TempFolder temp;
};

TEST_F(CliUsersFilesTest, ConvertingPsalmHipKeepsTheUsersPsalmTxtAndSaysSo) {
    temp.write("docs/psalm.hip", "x");
    temp.write("docs/psalm.txt", "my notes");
    auto converted = run({doc("psalm.hip")});
    EXPECT_EQ(converted.exitCode, 0) << converted.err;
    EXPECT_EQ(temp.read("docs/psalm.txt"), "y\r\n");
    EXPECT_EQ(temp.read("docs/psalm.txt~"), "my notes");
    EXPECT_EQ(converted.err, "lorvane-cli: note: " + doc("psalm.txt") +
                                 " was not written by Lorvane: kept as " + doc("psalm.txt~") +
                                 "\n");
}

TEST_F(CliUsersFilesTest, AFolderWithChapterTxtAndChapterHipLosesNothing) {
    temp.write("docs/chapter.hip", "x hip");
    temp.write("docs/chapter.txt", "x txt");
    auto converted = run({"--pattern", "*.txt;*.hip", (temp.path() / "docs").string()});
    EXPECT_EQ(converted.exitCode, 0) << converted.err;
    EXPECT_EQ(temp.read("docs/chapter.txt"), "y hip\r\n");
    EXPECT_EQ(temp.read("docs/chapter.txt~"), "x txt");
    EXPECT_FALSE(temp.exists("docs/chapter1.txt"));
    EXPECT_NE(converted.err.find(doc("chapter.txt") +
                                 " is not converted: a result of this run replaced it (its text "
                                 "is kept as " +
                                 doc("chapter.txt~") + ")"),
              std::string::npos)
        << converted.err;
}

TEST_F(CliUsersFilesTest, ConvertingAFolderTwiceConvertsOnlyTheUsersFiles) {
    temp.write("docs/psalm.txt", "x");
    ASSERT_EQ(run({(temp.path() / "docs").string()}).exitCode, 0);
    auto again = run({(temp.path() / "docs").string()});
    EXPECT_EQ(again.exitCode, 0) << again.err;
    if (temp.exists("docs/psalm11.txt")) {
        GTEST_SKIP() << "the temporary folder keeps no extended attributes";
    }
    EXPECT_EQ(again.out, doc("psalm1.txt") + "\n");
    EXPECT_EQ(again.err, "");
    EXPECT_EQ(docsFolder(), (std::vector<std::string>{"psalm.txt", "psalm1.txt"}));
}

TEST_F(CliUsersFilesTest, WithoutMarksEveryReplacedFileIsKept) {
    std::map<std::string, std::optional<std::string>> noMarks{
        {"LD_PRELOAD", LORVANE_NO_MARKS_PRELOAD}};
    if (test::kBuiltWithAddressSanitizer) {
        // The preloaded library comes before the sanitizer's runtime, which refuses to start
        // unless told that this is meant.
        const char* options = std::getenv("ASAN_OPTIONS");
        noMarks["ASAN_OPTIONS"] =
            std::string(options != nullptr ? options : "") + ":verify_asan_link_order=0";
    }
    temp.write("docs/psalm.txt", "x");
    ASSERT_EQ(run({(temp.path() / "docs").string()}, noMarks).exitCode, 0);
    auto again = run({(temp.path() / "docs").string()}, noMarks);
    EXPECT_EQ(again.exitCode, 0) << again.err;
    // The first result cannot be told from a user's file: it is kept as a backup when the
    // second run's result replaces it, and, replaced, it is not converted itself. Nothing is lost.
    EXPECT_EQ(docsFolder(), (std::vector<std::string>{"psalm.txt", "psalm1.txt", "psalm1.txt~"}));
    EXPECT_EQ(temp.read("docs/psalm1.txt~"), "y\r\n");
    EXPECT_NE(again.err.find("kept as " + doc("psalm1.txt~")), std::string::npos) << again.err;
    EXPECT_NE(again.err.find(doc("psalm1.txt") + " is not converted"), std::string::npos)
        << again.err;
}

TEST_F(CliUsersFilesTest, OutputPutsResultsIntoAFolderItCreates) {
    temp.write("docs/a.txt", "x");
    temp.write("docs/b.hip", "xx");
    const std::string out = (temp.path() / "out" / "sub").string();
    auto converted = run({"--output", out, (temp.path() / "docs").string()});
    EXPECT_EQ(converted.exitCode, 0) << converted.err;
    EXPECT_EQ(converted.out, out + "/a1.txt\n" + out + "/b.txt\n");
    EXPECT_EQ(temp.read("out/sub/b.txt"), "yy\r\n");
    EXPECT_EQ(docsFolder(), (std::vector<std::string>{"a.txt", "b.hip"}));
}

TEST_F(CliUsersFilesTest, OutputIsRefusedForStandardInput) {
    auto refused = run({"--output", (temp.path() / "out").string(), "-"});
    EXPECT_EQ(refused.exitCode, 2);
    EXPECT_NE(refused.err.find("--output cannot take the result of - (standard input)"),
              std::string::npos)
        << refused.err;
    EXPECT_FALSE(temp.exists("out"));
}

TEST_F(CliUsersFilesTest, ASourceTooLargeForTheMemoryFailsAndWritesNothing) {
    if (test::kBuiltWithAddressSanitizer)
        GTEST_SKIP() << "AddressSanitizer's shadow memory does not fit under an address-space limit";
    // 64 MiB of text needs several times that while it is read; the child gets far less.
    {
        std::ofstream big(temp.path() / "docs" / "big.txt", std::ios::binary);
        const std::string line(1023, 'x');
        for (int i = 0; i < 64 * 1024; ++i)
            big << line << '\n';
    }
    temp.write("docs/big1.txt", "an older good result");
    const std::string command = "ulimit -v 160000 && exec \"$0\" \"$@\"";
    auto failed = test::runProgram("/bin/sh",
                                   {"-c", command, LORVANE_CLI_PATH, "--home",
                                    (temp.path() / "home").string(), doc("big.txt")},
                                   {{"LORVANE_HOME", std::nullopt}, {"LORVANE_NO_OPEN", "1"}});
    EXPECT_EQ(failed.exitCode, 1) << failed.err;
    EXPECT_NE(failed.err.find("cannot convert " + doc("big.txt")), std::string::npos) << failed.err;
    EXPECT_NE(failed.err.find("error 7: Out of memory"), std::string::npos) << failed.err;
    EXPECT_EQ(failed.out, "");
    EXPECT_EQ(temp.read("docs/big1.txt"), "an older good result");
    EXPECT_FALSE(temp.exists("docs/big1.txt~"));
}

}  // namespace
}  // namespace lorvane
