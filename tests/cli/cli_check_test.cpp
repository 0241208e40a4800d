// lorvane-cli --check and --trace run as a process, and the findings a conversion prints.
#include <gtest/gtest.h>

#include <regex>

#include "run_program.h"
#include "temp_folder.h"

namespace lorvane {
namespace {

using Arguments = std::vector<std::string>;

// Slow steps get their time, which no test can know.
std::string withoutTimes(const std::string& trace) {
    return std::regex_replace(trace, std::regex(", [0-9.]+ ms"), "");
}

class CliCheckTest : public ::testing::Test {
  protected:
    void SetUp() override {
        temp.write("home/@hip/clean.txt", "a == x\r\nb == y\r\n>go@inc.txt\r\n");
        temp.write("home/@hip/@inc.txt", "xy == z\r\n");
        temp.write("home/@lat/T.txt", "q == Q\r\n");
        temp.makeFolder("docs");
    }
    test::ProgramRun run(Arguments arguments) {
        arguments.insert(arguments.begin(), {"--home", home()});
        return test::runProgram(LORVANE_CLI_PATH, arguments,
                                {{"LORVANE_HOME", std::nullopt},
                                 {"LORVANE_CODEPAGE", std::nullopt},
                                 {"LORVANE_NO_OPEN", "1"}});
    }
    std::string home() const { return (temp.path() / "home").string(); }
    std::string homeFile(const std::string& name) const {
        return (temp.path() / "home" / name).string();
    }

    test::TempFolder temp;
};

TEST_F(CliCheckTest, CleanTablesExitZeroWithASummary) {
    auto checked = run({"--check"});
    EXPECT_EQ(checked.exitCode, 0) << checked.err;
    EXPECT_EQ(checked.out, "0 warnings, 0 notes in 3 files checked\n");
}

TEST_F(CliCheckTest, WarningsArePrintedAsFileLineAndExitOne) {
    temp.write("home/@hip/broken.txt", "a == x\r\n>extnet htm\r\n>go@nosuch.txt\r\nlast == x");
    auto checked = run({"--check", "--mode", "hip", "--table", "broken"});
    EXPECT_EQ(checked.exitCode, 1);
    const std::string table = homeFile("@hip/broken.txt");
    EXPECT_EQ(checked.out,
              table + ":2: warning: unknown directive '>extnet': the line does nothing (did you "
                      "mean '>extent'?)\n" +
                  table + ":3: warning: include '@nosuch.txt' is not found: the line does nothing "
                          "(include names are exact, letter case included)\n" +
                  table + ":4: warning: last line has no line break and is not applied: end it "
                          "with a line break\n"
                          "3 warnings, 0 notes in 1 file checked\n");
    // A mode alone checks all its tables.
    auto mode = run({"--check", "--mode", "hip"});
    EXPECT_EQ(mode.exitCode, 1);
    EXPECT_NE(mode.out.find("3 warnings, 0 notes in 3 files checked"), std::string::npos)
        << mode.out;
    auto other = run({"--check", "--mode", "lat"});
    EXPECT_EQ(other.exitCode, 0) << other.out;
}

TEST_F(CliCheckTest, AnUnknownSelectionIsAUsageError) {
    auto checked = run({"--check", "--mode", "nosuch"});
    EXPECT_EQ(checked.exitCode, 2);
    EXPECT_NE(checked.err.find("unknown mode 'nosuch'"), std::string::npos) << checked.err;
    auto scheme = run({"--check", "--scheme", "nosuch"});
    EXPECT_EQ(scheme.exitCode, 2);
}

TEST_F(CliCheckTest, AConversionPrintsTheFindingsOfItsTablesUnlessQuiet) {
    temp.write("home/@hip/broken.txt", "a == x\r\nq = sh\r\n");
    const std::string source = temp.write("docs/s.txt", "ab\r\n").string();
    auto converted = run({"--mode", "hip", "--table", "broken", source});
    EXPECT_EQ(converted.exitCode, 0);
    EXPECT_EQ(converted.err, "lorvane-cli: " + homeFile("@hip/broken.txt") +
                                 ":2: warning: line has no ' == ': a pair is written 'search == "
                                 "replacement', with '==' and a space on each side\n");
    EXPECT_EQ(temp.read("docs/s1.txt"), "xb \r\n");
    auto quiet = run({"--quiet", "--mode", "hip", "--table", "broken", source});
    EXPECT_EQ(quiet.exitCode, 0);
    EXPECT_EQ(quiet.err, "");
    EXPECT_EQ(temp.read("docs/s1.txt"), "xb \r\n");
}

TEST_F(CliCheckTest, TraceShowsEveryStepWithItsCounts) {
    // By hand: "aab ab" has three a and two b; a -> x, b -> y, then "xy" twice.
    const std::string source = temp.write("docs/s.txt", "aab ab\r\n").string();
    auto traced = run({"--trace", "--mode", "hip", "--table", "clean", source});
    EXPECT_EQ(traced.exitCode, 0) << traced.err;
    const std::string table = homeFile("@hip/clean.txt");
    const std::string include = homeFile("@hip/@inc.txt");
    EXPECT_EQ(withoutTimes(traced.err), "trace: " + source + "\n  " + table +
                              ":1: pair 'a': 3 replacements, 8 -> 8 characters\n  " + table +
                              ":2: pair 'b': 2 replacements, 8 -> 8 characters\n  " + table +
                              ":3: >go@ '" + include + "', 8 -> 8 characters\n    " + include +
                              ":1: pair 'xy': 2 replacements, 8 -> 6 characters\n");
    EXPECT_EQ(temp.read("docs/s1.txt"), "xz z \r\n");  // hip joins single line ends
}

TEST_F(CliCheckTest, TraceListsTheLinesThatNeverActed) {
    const std::string source = temp.write("docs/s.txt", "b\r\n").string();
    auto traced = run({"--trace", "--mode", "hip", "--table", "clean", source});
    EXPECT_EQ(traced.exitCode, 0) << traced.err;
    const std::string tail = "trace: lines that never acted:\n  " + homeFile("@hip/@inc.txt") +
                             ":1\n  " + homeFile("@hip/clean.txt") + ":1\n";
    const std::string err = withoutTimes(traced.err);
    ASSERT_GE(err.size(), tail.size());
    EXPECT_EQ(err.substr(err.size() - tail.size()), tail) << err;
}

}  // namespace
}  // namespace lorvane
