// Conversions that run out of memory: a document whose numbers become Roman numerals millions
// of letters long, converted under an address-space limit. The run stops at that document with
// "Out of memory" instead of ending abruptly; what was written before stays complete.
#include <string>

#include "fault_fixture.h"

namespace lorvane::test {
namespace {

constexpr int kConversionFailed = 1;

class MemoryFaults : public FaultTest {};

TEST_F(MemoryFaults, ADocumentThatOutgrowsMemoryFailsWithAMessage) {
    if (kBuiltWithAddressSanitizer)
        GTEST_SKIP() << "AddressSanitizer's shadow memory does not fit under an address-space limit";
    temp.write("home/@m/roman.txt", ">digits 3\r\n");
    const auto a = source("a.txt", "12 and 7.\r\n");
    std::string numbers;
    for (int i = 0; i < 400; ++i)
        numbers += "2000000000 ";  // two million letters each
    const auto b = source("b.txt", numbers);
    temp.write("docs/b1.txt", "the older result\r\n");
    ChildFaults faults;
    faults.addressSpaceLimit = std::size_t{768} << 20;
    const ChildRun run = convert("roman", {a, b}, faults);
    EXPECT_EQ(run.signal, 0) << run.err;
    EXPECT_EQ(run.exitCode, kConversionFailed) << run.err;
    EXPECT_NE(run.err.find("cannot convert " + doc("b.txt")), std::string::npos) << run.err;
    EXPECT_NE(run.err.find("Out of memory"), std::string::npos) << run.err;
    EXPECT_EQ(temp.read("docs/a1.txt"), "XII and VII.\r\n\r\n");
    EXPECT_EQ(temp.read("docs/b1.txt"), "the older result\r\n");
    expectSourcesUnchanged();
    expectNoTemporaryFiles();
}

}  // namespace
}  // namespace lorvane::test
