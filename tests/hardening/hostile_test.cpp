// Hostile file names, table lines, scheme paths and templates: none may run a program or make
// Lorvane write anywhere but beside the source. Names with shell characters, "..", absolute
// paths in scheme entries and includes, output extensions that name other folders, names that
// are no UTF-8, and names at the length limits.
#include <limits.h>
#include <sys/stat.h>

#include <filesystem>
#include <set>
#include <string>

#include "fault_fixture.h"

namespace lorvane::test {
namespace {

namespace fs = std::filesystem;

constexpr int kOk = 0;
constexpr int kConversionFailed = 1;

class Hostile : public FaultTest {
  protected:
    // Every file under the temporary folder, as relative paths.
    std::set<std::string> allFiles() const {
        std::set<std::string> files;
        for (const auto& entry : fs::recursive_directory_iterator(temp.path())) {
            if (!entry.is_directory()) files.insert(fs::relative(entry.path(), temp.path()));
        }
        return files;
    }
    // The files that appeared since `before`.
    std::set<std::string> newFiles(const std::set<std::string>& before) const {
        std::set<std::string> added;
        for (const std::string& file : allFiles()) {
            if (before.count(file) == 0) added.insert(file);
        }
        return added;
    }
};

// Each name would run "touch" if it ever reached a shell.
const char* const kShellNames[] = {
    "$(touch PWNED-1).txt",
    "a;touch PWNED-2.txt",
    "`touch PWNED-3`.txt",
    "x|touch PWNED-4.txt",
    "y&touch PWNED-5&.txt",
    "q'\"r.txt",
    "-rf.txt",
    "sp ace\ttab.txt",
    "new\nline.txt",
    "нов.txt",
    "..txt",
    "*.txt",
};

TEST_F(Hostile, NamesWithShellCharactersAreOnlyEverFileNames) {
    std::vector<std::string> arguments{"--"};
    std::set<std::string> expected;
    for (const char* name : kShellNames) {
        arguments.push_back(source(name, "a\r\n"));
        const std::string stem = fs::path(name).stem().string();
        expected.insert("docs/" + (stem.empty() ? std::string(name) : stem) + "1.txt");
    }
    const auto before = allFiles();
    const ChildRun run = convert("plain", arguments);
    EXPECT_EQ(run.exitCode, kOk) << run.err;
    EXPECT_EQ(newFiles(before), expected);
    for (const std::string& result : expected)
        EXPECT_EQ(temp.read(result), "b\r\n\r\n") << result;
    EXPECT_FALSE(fs::exists("PWNED-1") || fs::exists("PWNED-2") || fs::exists("PWNED-3"));
    expectSourcesUnchanged();
}

TEST_F(Hostile, AFolderOfHostileNamesConvertsEachBesideItself) {
    for (const char* name : kShellNames)
        source(name, "aa\r\n");
    const auto before = allFiles();
    const ChildRun run = convert("html", {"--folder", docs().string()});
    EXPECT_EQ(run.exitCode, kOk) << run.err;
    const auto added = newFiles(before);
    EXPECT_EQ(added.size(), std::size(kShellNames) - 1);  // "..txt" is hidden, so not listed
    for (const std::string& result : added) {
        EXPECT_EQ(fs::path(result).parent_path(), "docs") << result;
        EXPECT_EQ(temp.read(result), "<html>\r\n<body>bb\r\n<p></body></html>\r\n") << result;
    }
    expectSourcesUnchanged();
}

// Cyrillic names written by an archiver in code page 1251 are no UTF-8: they must still be read
// and answered under their own bytes.
TEST_F(Hostile, NamesThatAreNoUtf8KeepTheirBytes) {
    const std::string name = "\xCF\xF1\xE0\xEB\xEE\xEC.txt";  // "Псалом" in code page 1251
    source(name, "a\r\n");
    const auto before = allFiles();
    const ChildRun folder = convert("html", {"--folder", docs().string()});
    EXPECT_EQ(folder.exitCode, kOk) << folder.err;
    const ChildRun single = convert("plain", {doc(name)});
    EXPECT_EQ(single.exitCode, kOk) << single.err;
    EXPECT_EQ(newFiles(before), (std::set<std::string>{"docs/\xCF\xF1\xE0\xEB\xEE\xEC"
                                                       "1.txt",
                                                       "docs/\xCF\xF1\xE0\xEB\xEE\xEC.htm"}));
    expectSourcesUnchanged();
}

// An output extension is part of a file name: one that names another folder would put the
// result outside the source's folder.
TEST_F(Hostile, AnExtensionThatNamesAnotherFolderIsRefused) {
    temp.makeFolder("docs/a.d/sub");  // an archive may well bring such a folder along
    const char* const extents[] = {".d/../../escaped", "d/sub/x", ".d\\..\\..\\escaped", "/"};
    const auto a = source("a.txt", "a\r\n");
    for (const char* extent : extents) {
        SCOPED_TRACE(extent);
        temp.write("home/@m/escape.txt", std::string(">extent ") + extent + "\r\n");
        const auto before = allFiles();
        const ChildRun run = convert("escape", {a});
        EXPECT_EQ(run.exitCode, kConversionFailed) << run.err;
        EXPECT_NE(run.err.find("cannot convert " + a), std::string::npos) << run.err;
        EXPECT_NE(run.err.find("Bad file name"), std::string::npos) << run.err;
        EXPECT_TRUE(newFiles(before).empty());
    }
    expectSourcesUnchanged();
}

// Tables named by absolute paths or by ".." may lie anywhere and are read; the result still
// goes beside the source and nowhere else.
TEST_F(Hostile, SchemeEntriesAndIncludesOutsideTheProgramFolderOnlyReadTables) {
    temp.write("outside/far.txt", "a == F\r\n");
    temp.write("outside/@inc.txt", "x == X\r\n");
    temp.write("home/@m/@inc.txt", "y == Y\r\n");
    const std::string outside = (temp.path() / "outside").string();
    temp.write("home/r@far.txt", "<abs> == " + outside +
                                     "/far.txt\r\n<rel> == ..\\outside\\far.txt\r\n"
                                     "<inc> == @m\\inc.txt\r\n");
    temp.write("home/@m/inc.txt", ">go@m\\..\\..\\outside\\@inc.txt\r\n>go@/" + outside +
                                      "/@inc.txt\r\n>go@inc.txt\r\n");
    const auto a = source("a.txt", "<abs>a<rel>a<inc>axy\r\n");
    const auto before = allFiles();
    const ChildRun run = runChild(cliPath(), {"--home", home(), "--scheme", "far.txt", a},
                                  {{"LORVANE_NO_OPEN", "1"}});
    EXPECT_EQ(run.exitCode, kOk) << run.err;
    EXPECT_EQ(newFiles(before), std::set<std::string>{"docs/a1.txt"});
    // The mode-folder include finds nothing: in scheme mode there is no mode folder.
    EXPECT_EQ(temp.read("docs/a1.txt"),
              "FF"
              "aXy\r\n\r\n");
    expectSourcesUnchanged();
}

TEST_F(Hostile, ATableNamedWithDotsIsNotATableOfTheMode) {
    temp.write("secret.txt", "a == LEAKED\r\n");
    const auto a = source("a.txt", "a\r\n");
    for (const char* table : {"../../secret", "..", "/etc/passwd"}) {
        const ChildRun run = convert(table, {a});
        EXPECT_EQ(run.exitCode, 2) << table << ": " << run.err;
    }
    EXPECT_FALSE(temp.exists("docs/a1.txt"));
}

// A name of NAME_MAX characters is a valid source, but its result's name is one too long.
TEST_F(Hostile, AResultNameOverTheLengthLimitFailsCleanly) {
    const std::string name = std::string(NAME_MAX - 4, 'n') + ".txt";
    const auto a = source(name, "a\r\n");
    const ChildRun run = convert("plain", {a});
    EXPECT_EQ(run.exitCode, kConversionFailed) << run.err;
    EXPECT_NE(run.err.find("cannot convert " + a), std::string::npos) << run.err;
    expectSourcesUnchanged();
    expectNoTemporaryFiles();
}

// Folders nested past PATH_MAX: the source cannot even be named, and is reported as missing.
TEST_F(Hostile, APathOverPathMaxIsReportedNotFollowed) {
    std::string deep = doc("");
    while (deep.size() < PATH_MAX + 16)
        deep += std::string(200, 'd') + "/";
    const ChildRun run = convert("plain", {deep + "a.txt"});
    EXPECT_EQ(run.exitCode, 2) << run.err;
    EXPECT_NE(run.err.find("does not exist"), std::string::npos) << run.err;
}

// A scheme entry may name any path: a device that never ends and a pipe that nobody writes are
// no tables, and reading them would never finish.
TEST_F(Hostile, TablesThatAreDevicesOrPipesReadAsEmpty) {
    const fs::path pipe = temp.path() / "pipe.txt";
    ASSERT_EQ(::mkfifo(pipe.c_str(), 0600), 0);
    temp.write("home/r@dev.txt",
               "<z> == /dev/zero\r\n<p> == " + pipe.string() + "\r\n<t> == /dev/tty\r\n");
    const auto a = source("a.txt", "<z>a<p>a<t>a\r\n");
    ChildFaults faults;
    faults.secondsLimit = 20;
    const ChildRun run = runChild(cliPath(), {"--home", home(), "--scheme", "dev.txt", a},
                                  {{"LORVANE_NO_OPEN", "1"}}, faults);
    EXPECT_EQ(run.signal, 0) << "it did not end";
    EXPECT_EQ(run.exitCode, kOk) << run.err;
    EXPECT_EQ(temp.read("docs/a1.txt"), "aaa\r\n\r\n");
}

}  // namespace
}  // namespace lorvane::test
