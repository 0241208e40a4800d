// The programs' allocation functions: large blocks ask for huge pages, and running out of
// memory is still std::bad_alloc after the new-handler has had its say.
#include <gtest/gtest.h>

#include <cstdint>
#include <fstream>
#include <limits>
#include <new>
#include <sstream>
#include <string>

#include "sanitizers.h"

namespace lorvane {
namespace {

std::string firstLineOf(const char* path) {
    std::ifstream file(path);
    std::string line;
    std::getline(file, line);
    return line;
}

// The VmFlags of the mapping that holds `address`, from /proc/self/smaps; empty when not found.
std::string mappingFlags(const void* address) {
    const auto at = reinterpret_cast<std::uintptr_t>(address);
    std::ifstream smaps("/proc/self/smaps");
    std::string line;
    bool inside = false;
    while (std::getline(smaps, line)) {
        std::uintptr_t start = 0, end = 0;
        char dash = 0;
        std::istringstream range(line);
        if (range >> std::hex >> start >> dash >> end && dash == '-') {
            inside = start <= at && at < end;
        } else if (inside && line.starts_with("VmFlags:")) {
            return line;
        }
    }
    return {};
}

TEST(LargePages, ALargeTextBufferAsksForHugePages) {
    if (test::kBuiltWithAddressSanitizer) GTEST_SKIP() << "the sanitizer's allocation is in use";
    const std::string mode = firstLineOf("/sys/kernel/mm/transparent_hugepage/enabled");
    if (mode.empty() || mode.find("[never]") != std::string::npos) {
        GTEST_SKIP() << "this kernel gives no transparent huge pages";
    }
    std::u16string text;
    text.reserve(std::size_t{32} << 20);
    const char16_t* middle = text.data() + (std::size_t{16} << 20);
    EXPECT_NE(mappingFlags(middle).find(" hg"), std::string::npos) << mappingFlags(middle);
    // Whole huge pages from its first byte: no ragged start left to small pages.
    EXPECT_EQ(reinterpret_cast<std::uintptr_t>(text.data()) % (std::uintptr_t{2} << 20), 0u);

    std::string small(1000, 'x');
    EXPECT_EQ(mappingFlags(small.data()).find(" hg"), std::string::npos);
}

int handlerCalls = 0;

TEST(LargePages, RunningOutOfMemoryCallsTheHandlerThenThrows) {
    if (test::kBuiltWithAddressSanitizer) GTEST_SKIP() << "the sanitizer's allocation is in use";
    std::set_new_handler([] {
        ++handlerCalls;
        std::set_new_handler(nullptr);
    });
    // Known only at run time, so the compiler can neither refuse nor leave out the request.
    volatile std::size_t impossible = std::numeric_limits<std::size_t>::max() / 4;
    void* volatile block = nullptr;
    EXPECT_THROW(block = ::operator new(impossible), std::bad_alloc);
    EXPECT_EQ(handlerCalls, 1);
    EXPECT_THROW(block = new char[impossible], std::bad_alloc);
    EXPECT_EQ(block, nullptr);
}

}  // namespace
}  // namespace lorvane
