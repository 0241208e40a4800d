// lorvane-cli --jobs: a run over several sources converted at once gives exactly what the same
// run gives one source after another: the same files, the same lines on standard output and
// standard error, the same exit status.
#include <gtest/gtest.h>

#include <filesystem>
#include <map>

#include "run_program.h"
#include "temp_folder.h"

namespace lorvane {
namespace {

namespace fs = std::filesystem;

struct RunResult {
    int exitCode = -1;
    std::string out, err;
    std::map<std::string, std::string> files;  // every file of the sources' folder afterwards
};

class JobsTest : public ::testing::Test {
  protected:
    void SetUp() override {
        temp.write("home/@lat/T.txt",
                   ">digits 1\r\nab == X\r\ncd == Y\r\n>go@inc.txt\r\nx == [x]\r\n");
        temp.write("home/@lat/@inc.txt", "X == Z\r\nd == D\r\n");
        temp.write("home/@lat/H.txt", "ab == X\r\n>extent htm\r\n");
        // Numbers the documents it sees in a file of its own.
        const std::string counter = (temp.path() / "counter.txt").string();
        temp.write("home/Scripts/seq.vbs",
                   "Sub Main\r\n  Dim fso, f, n\r\n"
                   "  Set fso = CreateObject(\"Scripting.FileSystemObject\")\r\n  n = 0\r\n"
                   "  If fso.FileExists(\"" +
                       counter +
                       "\") Then\r\n"
                       "    Set f = fso.OpenTextFile(\"" +
                       counter +
                       "\", 1)\r\n"
                       "    n = CInt(f.ReadLine)\r\n    f.Close\r\n  End If\r\n  n = n + 1\r\n"
                       "  Set f = fso.CreateTextFile(\"" +
                       counter +
                       "\", True)\r\n"
                       "  f.WriteLine n\r\n  f.Close\r\n  Send X() & \"#\" & n\r\nEnd Sub\r\n");
        temp.write("home/@lat/S.txt", "ab == X\r\n>script seq.vbs\r\n");
    }

    // The same sources laid out in a folder of their own for each run.
    using Layout = std::map<std::string, std::string>;
    std::string layOut(const std::string& folder, const Layout& files) {
        temp.makeFolder(folder);
        for (const auto& [name, bytes] : files)
            temp.write(folder + "/" + name, bytes);
        return (temp.path() / folder).string();
    }

    // What the run converts with: a table of the mode, or a scheme.
    using Selection = std::vector<std::string>;
    static Selection table(const std::string& name) { return {"--mode", "lat", "--table", name}; }
    static Selection scheme(const std::string& name) { return {"--scheme", name}; }

    RunResult run(const std::string& folder, const Selection& selection, const Layout& files,
                  const std::string& jobs) {
        const std::string path = layOut(folder, files);
        fs::remove(temp.path() / "counter.txt");
        std::vector<std::string> arguments{"--home", (temp.path() / "home").string()};
        arguments.insert(arguments.end(), selection.begin(), selection.end());
        arguments.insert(arguments.end(), {"--jobs", jobs, path});
        auto ran = test::runProgram(LORVANE_CLI_PATH, arguments,
                                    {{"LORVANE_HOME", std::nullopt},
                                     {"LORVANE_CODEPAGE", std::nullopt},
                                     {"LORVANE_NO_OPEN", "1"}});
        RunResult result{ran.exitCode, ran.out, ran.err, {}};
        // Paths in the reports name the run's own folder; the rest must be equal.
        for (std::string* text : {&result.out, &result.err}) {
            for (std::size_t at; (at = text->find(path)) != std::string::npos;)
                text->replace(at, path.size(), "FOLDER");
        }
        for (const auto& entry : fs::directory_iterator(path)) {
            result.files[entry.path().filename().string()] =
                entry.is_directory() ? "(folder)" : test::readBytes(entry.path());
        }
        return result;
    }

    // Runs one after another and with several jobs, and checks that both give the same.
    RunResult compare(const Selection& selection, const Layout& files) {
        const RunResult one = run("one", selection, files, "1");
        for (const std::string jobs : {"2", "5"}) {
            const RunResult many = run("jobs" + jobs, selection, files, jobs);
            EXPECT_EQ(many.exitCode, one.exitCode) << jobs;
            EXPECT_EQ(many.out, one.out) << jobs;
            EXPECT_EQ(many.err, one.err) << jobs;
            EXPECT_EQ(many.files, one.files) << jobs;
        }
        return one;
    }

    static Layout numberedSources(int count) {
        Layout files;
        for (int i = 0; i < count; ++i) {
            std::string text;
            for (int line = 0; line <= i % 7; ++line)
                text += "abcd x " + std::to_string(i * 37 + line) + "\r\n";
            files["s" + std::string(i < 10 ? "0" : "") + std::to_string(i) + ".txt"] = text;
        }
        return files;
    }

    test::TempFolder temp;
};

// More sources than one batch of small results flushed to the disk together.
TEST_F(JobsTest, AFolderRunGivesTheSameFilesAndReportsInOrder) {
    const RunResult one = compare(table("T"), numberedSources(99));
    EXPECT_EQ(one.exitCode, 0) << one.err;
    EXPECT_EQ(one.files.size(), 198u);
    // 37 and 38 as letter numerals, in the code page's bytes (л = EB, з = E7, и = E8).
    EXPECT_EQ(one.files.at("s011.txt"), "ZY [x] \xEB~\xE7~\r\nZY [x] \xEB~\xE8~\r\n\r\n");
    EXPECT_EQ(one.out.rfind("FOLDER/s001.txt\nFOLDER/s011.txt\nFOLDER/s021.txt\n", 0), 0u);
}

// Large results are written by threads of their own as soon as they are converted, small ones
// in batches by the run: mixed, they still take their names and are reported in source order.
TEST_F(JobsTest, LargeResultsAmongSmallOnesKeepTheirPlace) {
    Layout files = numberedSources(80);
    std::string large;
    while (large.size() < (std::size_t{1} << 20) + 100)
        large += "abcd x 12345 ab cd\r\n";
    for (const int i : {3, 4, 40, 77})
        files["s" + std::to_string(i / 10) + std::to_string(i % 10) + ".txt"] = large;
    const RunResult one = compare(table("T"), files);
    EXPECT_EQ(one.exitCode, 0) << one.err;
    EXPECT_EQ(one.files.size(), 160u);
    EXPECT_GT(one.files.at("s401.txt").size(), std::size_t{1} << 20);
}

TEST_F(JobsTest, AFailureStopsTheRunAtTheSameSourceWithTheSameReport) {
    Layout files = numberedSources(12);
    files.erase("s07.txt");
    // The result of s06 cannot be written: its name is taken by a folder.
    temp.makeFolder("blocked/s06.htm");
    const RunResult blocked = run("blocked", table("H"), files, "1");
    EXPECT_EQ(blocked.exitCode, 1);
    temp.makeFolder("blocked2/s06.htm");
    const RunResult parallel = run("blocked2", table("H"), files, "4");
    EXPECT_EQ(parallel.exitCode, 1);
    EXPECT_EQ(parallel.out, blocked.out);
    EXPECT_EQ(parallel.err, blocked.err);
    EXPECT_EQ(parallel.files, blocked.files);
    EXPECT_NE(blocked.err.find("cannot convert FOLDER/s06.txt"), std::string::npos) << blocked.err;
    EXPECT_EQ(blocked.files.count("s08.htm"), 0u) << "nothing after the failure is written";
}

TEST_F(JobsTest, TablesThatRunScriptsStayInOneHost) {
    // The script numbers the documents it sees: only converting them in order gives 1, 2, ...
    const RunResult one = compare(table("S"), numberedSources(9));
    EXPECT_EQ(one.exitCode, 0) << one.err;
    EXPECT_EQ(one.files.at("s081.txt"), "Xcd x 296\r\nXcd x 297\r\n#9\r\n");
}

// In a scheme run each source's segments choose their tables: a later source may meet a table
// the first did not, here one whose script numbers the documents it sees.
TEST_F(JobsTest, ASchemeRunWhoseLaterSourceMeetsAScriptAgrees) {
    temp.write("home/r@mix.txt",
               "Default == <::a>\r\n<::a> == @lat\\A.txt\r\n<::s> == @lat\\S.txt\r\n");
    temp.write("home/@lat/A.txt", "cd == Y\r\n");
    Layout files = numberedSources(12);
    files["s05.txt"] = "abcd\r\n<::s>abcd\r\n";
    files["s09.txt"] = "<::s>cd\r\n";
    const RunResult one = compare(scheme("mix"), files);
    EXPECT_EQ(one.exitCode, 0) << one.err;
    EXPECT_EQ(one.files.at("s011.txt"), "abY x 37\r\nabY x 38\r\n\r\n");
    EXPECT_EQ(one.files.at("s051.txt"), "abY\r\nXcd\r\n#1\r\n");
    EXPECT_EQ(one.files.at("s091.txt"), "cd\r\n#2\r\n");
}

TEST_F(JobsTest, AResultWrittenOverALaterSourceKeepsItAndSkipsIt) {
    // t.rtf comes before t.txt and its result is t.txt, itself a source of the run.
    Layout files = numberedSources(6);
    files["t.rtf"] = "ab ab\r\n";
    files["t.txt"] = "the old t.txt\r\n";
    const RunResult one = compare(table("T"), files);
    EXPECT_EQ(one.exitCode, 0) << one.err;
    // The user's t.txt is kept as t.txt~ and, replaced by t.rtf's result, not converted: in
    // parallel exactly as one after another.
    EXPECT_EQ(one.files.count("t1.txt"), 0u);
    EXPECT_EQ(one.files.at("t.txt~"), "the old t.txt\r\n");
}

}  // namespace
}  // namespace lorvane
