// Results that cannot be written: a target that is a folder, a full disk (a file-size limit, a
// full file system), a read-only folder. The run stops at that source, says which file and
// why, and exits with failure; what was written before is complete, nothing half-written stays
// behind, and no source changes.
#include <string>

#include "fault_fixture.h"

namespace lorvane::test {
namespace {

constexpr int kConversionFailed = 1;

class OutputFaults : public FaultTest {
  protected:
    // The run stopped at `failed` for `cause` (the catalogue's wording).
    void expectStoppedAt(const ChildRun& run, const std::string& failed, const std::string& cause) {
        EXPECT_EQ(run.exitCode, kConversionFailed) << run.err;
        EXPECT_EQ(run.signal, 0);
        EXPECT_NE(run.err.find("cannot convert " + doc(failed)), std::string::npos) << run.err;
        EXPECT_NE(run.err.find(cause), std::string::npos) << run.err;
    }
};

TEST_F(OutputFaults, AResultThatIsAFolderStopsTheRunAtItsSource) {
    const auto a = source("a.txt", "a\r\n");
    const auto b = source("b.txt", "aa\r\n");
    const auto c = source("c.txt", "aaa\r\n");
    temp.makeFolder("docs/b1.txt");
    const ChildRun run = convert("plain", {a, b, c});
    expectStoppedAt(run, "b.txt", "Path/File access error");
    EXPECT_NE(run.err.find(doc("b1.txt")), std::string::npos) << run.err;
    EXPECT_EQ(run.out, doc("a1.txt") + "\n");
    EXPECT_EQ(temp.read("docs/a1.txt"), "b\r\n\r\n");
    EXPECT_FALSE(temp.exists("docs/c1.txt"));
    expectSourcesUnchanged();
    expectNoTemporaryFiles();
}

// With the file-size limit a write past it fails (EFBIG) as on a full disk.
TEST_F(OutputFaults, AFullDiskKeepsTheOlderResultWhole) {
    const auto a = source("a.txt", "a\r\n");
    const auto b = source("b.txt", std::string(200000, 'a') + "\r\n");
    temp.write("docs/b1.txt", "the older result\r\n");
    ChildFaults faults;
    faults.fileSizeLimit = 65536;
    const ChildRun run = convert("plain", {a, b}, faults);
    expectStoppedAt(run, "b.txt", "Disk full");
    EXPECT_EQ(temp.read("docs/a1.txt"), "b\r\n\r\n");
    EXPECT_EQ(temp.read("docs/b1.txt"), "the older result\r\n");
    expectSourcesUnchanged();
    expectNoTemporaryFiles();
}

// A shell's "ulimit -f" leaves SIGXFSZ at its default, which would end the program in the middle
// of the write and leave the temporary result behind.
TEST_F(OutputFaults, AFileSizeLimitFromTheShellIsAFullDiskToo) {
    const auto a = source("a.txt", std::string(200000, 'a'));
    ChildFaults faults;
    faults.fileSizeLimit = 65536;
    faults.ignoreFileSizeSignal = false;
    const ChildRun run = convert("plain", {a}, faults);
    expectStoppedAt(run, "a.txt", "Disk full");
    EXPECT_FALSE(temp.exists("docs/a1.txt"));
    expectSourcesUnchanged();
    expectNoTemporaryFiles();
}

TEST_F(OutputFaults, AFullFileSystemLeavesNoPartOfTheResult) {
    if (const std::string why = mountNamespaceUnavailable(); !why.empty()) GTEST_SKIP() << why;
    const auto a = source("a.txt", "a\r\n");
    const auto small = temp.makeFolder("docs/small");
    ChildFaults faults;
    faults.tinyFileSystems[small] = 65536;
    faults.filesOnTinyFileSystems[small / "big.txt"] = std::string(40000, 'a');
    const ChildRun run = convert("plain", {a, (small / "big.txt").string()}, faults);
    EXPECT_EQ(run.exitCode, kConversionFailed) << run.err;
    EXPECT_NE(run.err.find("cannot convert " + (small / "big.txt").string()), std::string::npos)
        << run.err;
    EXPECT_NE(run.err.find("Disk full"), std::string::npos) << run.err;
    EXPECT_EQ(temp.read("docs/a1.txt"), "b\r\n\r\n");
    // Only the source is left: the temporary result was removed.
    EXPECT_EQ(run.leftOnTinyFileSystems, "big.txt 40000\n");
}

TEST_F(OutputFaults, AReadOnlyFolderStopsTheRunAtItsFirstSource) {
    if (const std::string why = mountNamespaceUnavailable(); !why.empty()) GTEST_SKIP() << why;
    const auto a = source("a.txt", "a\r\n");
    const auto b = source("locked/b.txt", "a\r\n");
    temp.write("docs/locked/b1.txt", "the older result\r\n");
    ChildFaults faults;
    faults.readOnlyFolders.push_back(docs() / "locked");
    const ChildRun run = convert("plain", {a, b}, faults);
    expectStoppedAt(run, "locked/b.txt", "Permission denied");
    EXPECT_EQ(temp.read("docs/a1.txt"), "b\r\n\r\n");
    EXPECT_EQ(temp.read("docs/locked/b1.txt"), "the older result\r\n");
    expectSourcesUnchanged();
    expectNoTemporaryFiles();
}

TEST_F(OutputFaults, AReadOnlyResultBesideAWritableFolderIsRefused) {
    if (const std::string why = mountNamespaceUnavailable(); !why.empty()) GTEST_SKIP() << why;
    const auto a = source("a.txt", "a\r\n");
    temp.write("docs/a.htm", "the older result\r\n");
    // A read-only bind of the result file alone: the folder stays writable.
    ChildFaults faults;
    faults.readOnlyFolders.push_back(docs() / "a.htm");
    const ChildRun run = convert("html", {a}, faults);
    expectStoppedAt(run, "a.txt", "");
    EXPECT_EQ(temp.read("docs/a.htm"), "the older result\r\n");
    expectSourcesUnchanged();
    expectNoTemporaryFiles();
}

}  // namespace
}  // namespace lorvane::test
