#include "platform/process.h"

#include <gtest/gtest.h>

#include "platform/text.h"
#include "temp_folder.h"

namespace lorvane {
namespace {

TEST(CommandLine, SplitsByTheWindowsRules) {
    struct Case {
        std::u16string line;
        std::vector<std::u16string> arguments;
    } cases[] = {
        {u"unzip -o a.zip -d out", {u"unzip", u"-o", u"a.zip", u"-d", u"out"}},
        {u"  7z   x  ", {u"7z", u"x"}},
        {u"a \"b c\" d", {u"a", u"b c", u"d"}},
        {u"a\"b c\"d", {u"ab cd"}},
        {u"\"a\\\"b\"", {u"a\"b"}},
        {u"a\\\\\"b c\"", {u"a\\b c"}},
        {u"a\\b\\c", {u"a\\b\\c"}},
        {u"\"a \"\"q\"\" b\"", {u"a \"q\" b"}},
        {u"x \"\"", {u"x", u""}},
        {u"", {}},
        {u"f;rm -rf $(x) `y`", {u"f;rm", u"-rf", u"$(x)", u"`y`"}},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(splitCommandLine(c.line), c.arguments) << toUtf8(c.line);
    }
}

TEST(Process, WaitsForTheProgramAndStopsItAtTheLimit) {
    auto quick = runAndWait({u"sh", u"-c", u"exit 3"}, std::chrono::seconds(10));
    EXPECT_TRUE(quick.started);
    EXPECT_TRUE(quick.finished);
    EXPECT_EQ(quick.exitCode, 3);

    auto slow = runAndWait({u"sleep", u"30"}, std::chrono::milliseconds(200));
    EXPECT_TRUE(slow.started);
    EXPECT_FALSE(slow.finished);

    EXPECT_FALSE(runAndWait({u"/no/such/program"}, std::chrono::seconds(1)).started);
}

TEST(Process, ArgumentsReachTheProgramUntouched) {
    test::TempFolder temp;
    const std::u16string target = temp.u16("out; $(touch pwned) \"q\".txt");
    auto outcome = runAndWait({u"touch", target}, std::chrono::seconds(10));
    ASSERT_TRUE(outcome.finished);
    EXPECT_TRUE(temp.exists("out; $(touch pwned) \"q\".txt"));
    EXPECT_FALSE(temp.exists("pwned"));
}

}  // namespace
}  // namespace lorvane
