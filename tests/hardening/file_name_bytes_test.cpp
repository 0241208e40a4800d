// File names are bytes: every name, UTF-8 or not, must come back as the same bytes after the
// program has held it as text.
#include <gtest/gtest.h>

#include <string>

#include "platform/paths.h"

namespace lorvane::test {
namespace {

std::string roundTrip(const std::string& bytes) {
    return toFsPath(fromFsBytes(bytes)).native();
}

TEST(FileNameBytes, EveryTwoByteNameSurvives) {
    for (int a = 1; a < 256; ++a) {
        for (int b = 1; b < 256; ++b) {
            const std::string name{static_cast<char>(a), static_cast<char>(b)};
            ASSERT_EQ(roundTrip(name), name) << a << ' ' << b;
        }
    }
}

TEST(FileNameBytes, NamesOfOtherCodePagesAndBrokenUtf8Survive) {
    const std::string names[] = {
        "\xCF\xF1\xE0\xEB\xEE\xEC.txt",  // code page 1251
        "\x8F\xE1\xA0\xAB\xAE\xAC.txt",  // code page 866
        "\xED\xB2\x80",                  // a surrogate written as UTF-8
        "\xF0\x9F\x98",                  // a four-byte sequence cut short
        "\xC0\x80",                      // an overlong NUL
        "ok-\xF0\x9F\x98\x80-\xFF",      // a real pair next to a stray byte
    };
    for (const std::string& name : names)
        EXPECT_EQ(roundTrip(name), name);
}

TEST(FileNameBytes, Utf8NamesReadAsTheirCharacters) {
    EXPECT_EQ(fromFsBytes("\xD0\x9F\xD1\x81\xD0\xB0\xD0\xBB\xD0\xBE\xD0\xBC"), u"Псалом");
    EXPECT_EQ(toFsPath(u"Псалом").native(), "\xD0\x9F\xD1\x81\xD0\xB0\xD0\xBB\xD0\xBE\xD0\xBC");
    EXPECT_EQ(fromFsBytes("\xF0\x9F\x98\x80"), u"\U0001F600");
}

}  // namespace
}  // namespace lorvane::test
