// Large inputs through lorvane-cli: a table of a million lines, as the selected table and as an
// include, and large sources, whose conversion must keep its memory bounded (peak RSS below six
// times the source's size plus 50 MB). The gigabyte source runs only with LORVANE_SLOW_TESTS=1
// (ctest -L slow); the 200 MB one always does.
#include <cstdlib>
#include <fstream>
#include <string>

#include "fault_fixture.h"

namespace lorvane::test {
namespace {

namespace fs = std::filesystem;

constexpr int kOk = 0;

class LargeInputs : public FaultTest {
  protected:
    // A table whose lines are q0q == Q ... q999999q == Q, then `last`.
    void writeMillionLines(const std::string& relative, const std::string& last) {
        std::string table;
        table.reserve(16 << 20);
        for (int i = 0; i < 1000000; ++i)
            table += "q" + std::to_string(i) + "q == Q\r\n";
        table += last;
        temp.write(relative, table);
    }

    // Writes `bytes` of repeated lines and converts it with a == b; checks the result's size
    // and ends, and the memory the conversion took.
    void convertLargeSource(std::size_t bytes) {
        const std::string line = "abc def ghi jkl mno pqr stu vwx yz 0123456789 abc\r\n";
        const fs::path path = docs() / "large.txt";
        {
            std::ofstream out(path, std::ios::binary);
            std::string chunk;
            while (chunk.size() + line.size() <= (1 << 20))
                chunk += line;
            for (std::size_t written = 0; written + chunk.size() <= bytes; written += chunk.size())
                out.write(chunk.data(), static_cast<std::streamsize>(chunk.size()));
        }
        const std::uintmax_t size = fs::file_size(path);
        const ChildRun run = convert("plain", {path.string()});
        EXPECT_EQ(run.exitCode, kOk) << run.err;
        EXPECT_EQ(fs::file_size(docs() / "large1.txt"), size + 2);
        std::ifstream result(docs() / "large1.txt", std::ios::binary);
        std::string head(line.size(), '\0');
        result.read(head.data(), static_cast<std::streamsize>(head.size()));
        EXPECT_EQ(head, "bbc def ghi jkl mno pqr stu vwx yz 0123456789 bbc\r\n");
        const long limitKiB = static_cast<long>(6 * size / 1024) + 50 * 1024;
        EXPECT_LT(run.peakRssKiB, limitKiB)
            << "peak RSS " << run.peakRssKiB / 1024 << " MB for " << size / (1 << 20) << " MB";
        fs::remove(path);
        fs::remove(docs() / "large1.txt");
        expectNoTemporaryFiles();
    }
};

TEST_F(LargeInputs, AMillionLineTable) {
    writeMillionLines("home/@m/million.txt", "a == b\r\n");
    const auto a = source("a.txt", "aq5qa q999999q\r\n");
    const ChildRun run = convert("million", {a});
    EXPECT_EQ(run.exitCode, kOk) << run.err;
    EXPECT_EQ(temp.read("docs/a1.txt"), "bQb Q\r\n\r\n");
}

TEST_F(LargeInputs, AMillionLineInclude) {
    writeMillionLines("home/@m/@million.txt", "a == b");  // an include's last line counts
    temp.write("home/@m/outer.txt", ">go@million.txt\r\n>go@million.txt\r\n");
    const auto a = source("a.txt", "aq5qa q999999q\r\n");
    const ChildRun run = convert("outer", {a});
    EXPECT_EQ(run.exitCode, kOk) << run.err;
    EXPECT_EQ(temp.read("docs/a1.txt"), "bQb Q\r\n\r\n");
}

TEST_F(LargeInputs, A200MegabyteSourceKeepsMemoryBounded) {
    convertLargeSource(std::size_t{200} << 20);
}

TEST_F(LargeInputs, AGigabyteSourceKeepsMemoryBounded) {
    const char* slow = std::getenv("LORVANE_SLOW_TESTS");
    if (slow == nullptr || std::string(slow) != "1") {
        GTEST_SKIP() << "a gigabyte source takes a while: run with LORVANE_SLOW_TESTS=1";
    }
    convertLargeSource(std::size_t{1} << 30);
}

}  // namespace
}  // namespace lorvane::test
